#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kelvaro {

// Every text of the program is UTF-8, paths too ("D:\ゲーム", "/home/zoë"). A path for
// std::filesystem is made from such a text, and read back into one, only through these two: on
// Windows a std::string given to std::filesystem directly is taken in the system's code page, so
// a name outside it would be lost; there they go through the system's wide (UTF-16) names. Elsewhere
// they are the same bytes.
std::filesystem::path FsPath(std::string_view text);
std::string PathText(const std::filesystem::path& path);

// The platform's folder separator: '\\' on Windows, '/' elsewhere.
char PathSeparator();

// True for a character that separates folders: '/' everywhere, '\\' too on Windows.
bool IsPathSeparator(char c);

// True on a file system that tells "PACMAN.ini" from "pacman.ini" (everywhere but Windows).
#ifdef _WIN32
inline constexpr bool kCaseSensitiveFileNames = false;
#else
inline constexpr bool kCaseSensitiveFileNames = true;
#endif

// The position of the last folder separator of the path; npos when it holds none.
std::size_t LastSeparator(std::string_view path);

// folder + separator + name; name alone when folder is empty; no doubled separator when folder
// already ends with one.
std::string JoinPath(std::string_view folder, std::string_view name);

// True when both names lead to one file, or to one place when a file is missing.
bool SameFile(const std::string& a, const std::string& b);

// The folder of a file path as the emulator's folder is derived from its executable: the text
// before the last separator. A path whose only separator is the root gives the root ("/mame" ->
// "/", "C:\\mame.exe" -> "C:"). Nothing when the path holds no separator.
std::string FolderOfFile(std::string_view path, bool* found = nullptr);

// The path without "." and ".." parts and without a trailing separator (a root keeps its own).
std::string NormalPath(const std::string& path);

// True when both paths name one folder (links followed, "." and ".." resolved; on Windows case
// does not count). Folders that are not there compare by their normal form.
bool SameFolder(const std::string& a, const std::string& b);

// True when path lies inside folder (links followed).
bool IsInsideFolder(const std::string& path, const std::string& folder);

// The folder of the running executable, without a trailing separator.
std::string ProgramFolder();

// The user's home folder: %USERPROFILE% (then $HOME) on Windows; $HOME elsewhere, or the
// password database's entry when $HOME is unset or empty. Empty when none is known. Everything
// that stands for "~" (the emulator's folders, its settings file) asks here.
std::string HomeFolder();

// The per-user data folder (created on demand by the caller): on Windows %LOCALAPPDATA%\Kelvaro
// (the system's local application data folder when the variable is unset); elsewhere
// $XDG_DATA_HOME/kelvaro, or ~/.local/share/kelvaro.
std::string UserDataFolder();

// How this build of the program is laid out. A portable build (run from its build folder or a
// copied folder) keeps its files beside itself; an installed build (KELVARO_INSTALLED, as the
// package is built) lives in a system's bin folder with its shipped files in share/kelvaro.
enum class Layout { Portable, Installed };

// The layout this program was built for.
Layout BuildLayout();

// The folder that receives "kelvaro.cfg" and "mame.dat". Portable (every Windows build): the
// program folder when a file can be created and removed there, otherwise the per-user data
// folder. Installed: always the per-user data folder, even for root, whose every folder is
// writable. The per-user folder is created when missing.
std::string ChooseDataFolder(const std::string& programFolder, Layout layout = BuildLayout());

// A shipped file (the default mode list, readme.txt). Portable: in the program folder, then in
// the installed data folder. Installed: in share/kelvaro beside the program's bin folder (a
// package unpacked or installed anywhere), then in the configured data folder. Empty when none
// has it.
std::string FindShippedFile(const std::string& programFolder, std::string_view name, Layout layout = BuildLayout());

// False for a name from the game list that could leave its folder or is no file name: empty,
// ".", "..", or holding a path separator ('/' or '\\'), a drive colon or a control character.
bool IsSafeFileName(std::string_view name);

} // namespace kelvaro
