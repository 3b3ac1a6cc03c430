#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace kelvaro {

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

// The folder of the running executable, without a trailing separator.
std::string ProgramFolder();

// The per-user data folder: $XDG_DATA_HOME/kelvaro, or ~/.local/share/kelvaro (created on demand
// by the caller).
std::string UserDataFolder();

// The folder that receives "kelvaro.cfg" and "mame.dat": the program folder when writable,
// otherwise the per-user data folder (created when missing).
std::string ChooseDataFolder(const std::string& programFolder);

// A shipped file (the default mode list, readme.txt): in the program folder, then in the
// installed data folder. Empty when neither has it.
std::string FindShippedFile(const std::string& programFolder, std::string_view name);

// False for a name from the game list that could leave its folder or is no file name: empty,
// ".", "..", or holding a path separator ('/' or '\\'), a drive colon or a control character.
bool IsSafeFileName(std::string_view name);

} // namespace kelvaro
