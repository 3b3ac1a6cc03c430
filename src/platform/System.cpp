#include "platform/System.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include "platform/Wide.h"
#endif

namespace kelvaro {

std::string GetWindowsFolder() {
#ifdef _WIN32
    wchar_t buf[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(buf, MAX_PATH);
    if (n == 0 || n > MAX_PATH) return {};
    return Utf8Text(std::wstring_view(buf, n));
#else
    return {};
#endif
}

std::string EnvironmentValue(const std::string& name) {
#ifdef _WIN32
    const std::wstring wide = WideText(name);
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD n = GetEnvironmentVariableW(wide.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) return {};
        if (n < value.size()) return Utf8Text(std::wstring_view(value.data(), n));
        value.resize(n); // n counts the terminating zero when the value did not fit
    }
#else
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
#endif
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i) args.push_back(Utf8Text(wide[i]));
        LocalFree(wide);
        if (static_cast<int>(args.size()) == argc - 1) return args;
    }
#endif
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

} // namespace kelvaro
