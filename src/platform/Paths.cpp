#include "platform/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/Files.h"
#include "platform/System.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>

#include "platform/Wide.h"
#else
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace kelvaro {

#ifdef _WIN32

std::wstring WideText(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8Text(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

fs::path FsPath(std::string_view text) { return fs::path(WideText(text)); }

std::string PathText(const fs::path& path) { return Utf8Text(path.native()); }

#else

fs::path FsPath(std::string_view text) { return fs::path(text); }

std::string PathText(const fs::path& path) { return path.native(); }

#endif

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::size_t LastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1])) return i - 1;
    return std::string_view::npos;
}

char PathSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string out(folder);
    if (!IsPathSeparator(out.back())) {
        // A folder given with "/" on Windows goes on with "/": a printed path has one separator.
        const std::size_t last = LastSeparator(out);
        out += last == std::string::npos ? PathSeparator() : out[last];
    }
    out += name;
    return out;
}

std::string FolderOfFile(std::string_view path, bool* found) {
    std::size_t pos = LastSeparator(path);
    if (found) *found = pos != std::string_view::npos;
    if (pos == std::string_view::npos) return {};
    // The root keeps its separator: without it "/mame" would name no folder at all.
    if (pos == 0) return std::string(path.substr(0, 1));
    return std::string(path.substr(0, pos));
}

std::string ProgramFolder() {
    std::string exe;
#ifdef _WIN32
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) break;
        if (n < buf.size()) {
            exe = Utf8Text(std::wstring_view(buf.data(), n));
            break;
        }
        buf.resize(buf.size() * 2);
    }
#else
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) exe = PathText(p);
#endif
    if (exe.empty()) {
        std::error_code ec2;
        return PathText(fs::current_path(ec2));
    }
    return FolderOfFile(exe);
}

std::string HomeFolder() {
#ifdef _WIN32
    if (std::string profile = EnvironmentValue("USERPROFILE"); !profile.empty()) return profile;
    return EnvironmentValue("HOME");
#else
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
#endif
}

std::string UserDataFolder() {
#ifdef _WIN32
    // The local folder, not the roaming one: mame.dat is the emulator's list of this computer.
    std::string local = EnvironmentValue("LOCALAPPDATA");
    if (PWSTR known = nullptr;
        local.empty() && SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known) == S_OK) {
        local = Utf8Text(known);
        CoTaskMemFree(known);
    }
    return JoinPath(local.empty() ? ProgramFolder() : local, "Kelvaro");
#else
    // A relative XDG_DATA_HOME is invalid by the base-directory rules and is ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') return JoinPath(xdg, "kelvaro");
    std::string home = HomeFolder();
    if (home.empty()) home = "/tmp";
    return JoinPath(JoinPath(JoinPath(home, ".local"), "share"), "kelvaro");
#endif
}

namespace {

// True when a file can be created in the folder.
bool IsWritableFolder(const std::string& folder) {
    if (folder.empty() || !FileExists(folder, true) || FileExists(folder, false)) return false;
    // Permission bits do not tell the whole truth (read-only mounts, ACLs, root): create a file.
    static int counter = 0;
    std::string probe;
#ifdef _WIN32
    probe =
        JoinPath(folder, ".kelvaro-probe-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
    HANDLE h = CreateFileW(WideText(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
#else
    for (int attempt = 0; attempt < 10; ++attempt) {
        probe = JoinPath(folder, ".kelvaro-probe-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
        int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            unlink(probe.c_str());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
#endif
}

} // namespace

Layout BuildLayout() {
#ifdef KELVARO_INSTALLED
    return Layout::Installed;
#else
    return Layout::Portable;
#endif
}

std::string ChooseDataFolder(const std::string& programFolder, Layout layout) {
    if (layout == Layout::Portable && IsWritableFolder(programFolder)) return programFolder;
    std::string user = UserDataFolder();
    std::error_code ec;
    fs::create_directories(FsPath(user), ec);
    return user;
}

std::string FindShippedFile(const std::string& programFolder, std::string_view name, Layout layout) {
    if (layout == Layout::Portable) {
        std::string beside = JoinPath(programFolder, name);
        if (!programFolder.empty() && FileExists(beside, false)) return beside;
    } else if (!programFolder.empty()) {
        // bin/../share/kelvaro: the same files whatever prefix the package was installed under.
        std::string shared = JoinPath(JoinPath(JoinPath(FolderOfFile(programFolder), "share"), "kelvaro"), name);
        if (FileExists(shared, false)) return shared;
    }
#ifdef KELVARO_INSTALLED_DATA_DIR
    std::string installed = JoinPath(KELVARO_INSTALLED_DATA_DIR, name);
    if (FileExists(installed, false)) return installed;
#endif
    return {};
}

bool IsSafeFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || c == ':' || u < 0x20 || u == 0x7f) return false;
    }
    return true;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::equivalent(FsPath(a), FsPath(b), error)) return true;
    const auto place = [&error](const std::string& name) {
        return fs::absolute(FsPath(name), error).lexically_normal();
    };
    return place(a) == place(b);
}

namespace {

// True for a root that ends in its separator: "/", and on Windows a drive's "C:\".
bool IsRoot(const std::string& text) {
#ifdef _WIN32
    if (text.size() == 3 && text[1] == ':') return true;
#endif
    return text.size() == 1;
}

std::string NormalForm(const fs::path& path) {
    std::string text = PathText(path.lexically_normal());
    while (!text.empty() && !IsRoot(text) && IsPathSeparator(text.back())) text.pop_back();
    return text;
}

// The folder as the file system resolves it, links followed, for comparing.
std::string ComparableFolder(const std::string& folder) {
    std::error_code ec;
    fs::path resolved = fs::weakly_canonical(FsPath(folder), ec);
    std::string text = NormalForm(ec ? FsPath(folder) : resolved);
#ifdef _WIN32
    // Upper case by the system's own rules, which hold for "Zoë" and "ZOË" too.
    std::wstring wide = WideText(text);
    if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    text = Utf8Text(wide);
#endif
    return text;
}

} // namespace

std::string NormalPath(const std::string& path) { return NormalForm(FsPath(path)); }

bool SameFolder(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && ComparableFolder(a) == ComparableFolder(b);
}

bool IsInsideFolder(const std::string& path, const std::string& folder) {
    if (path.empty() || folder.empty()) return false;
    const std::string inner = ComparableFolder(path), outer = ComparableFolder(folder);
    return inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
           (IsPathSeparator(inner[outer.size()]) || IsPathSeparator(outer.back()));
}

} // namespace kelvaro
