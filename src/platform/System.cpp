#include "platform/System.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kelvaro {

bool IsWindowsNT() {
#ifdef _WIN32
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
    if (!GetVersionExA(&info))
        return false;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
#else
    return false;
#endif
}

std::string GetWindowsFolder() {
#ifdef _WIN32
    char buf[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
    if (n == 0 || n > MAX_PATH)
        return {};
    return std::string(buf, n);
#else
    return {};
#endif
}

std::string GetShortName(const std::string& path) {
    if (path.empty())
        return {};
#ifdef _WIN32
    DWORD n = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (n == 0)
        return {};
    std::string buf(n, '\0');
    DWORD m = GetShortPathNameA(path.c_str(), buf.data(), n);
    if (m == 0 || m >= n)
        return {};
    buf.resize(m);
    return buf;
#else
    // No short names here: an existing path is its own short form. No wildcards either: the
    // name must exist as written.
    std::error_code ec;
    auto st = std::filesystem::status(path, ec);
    if (ec || !(std::filesystem::is_regular_file(st) || std::filesystem::is_directory(st)))
        return {};
    return path;
#endif
}

} // namespace kelvaro
