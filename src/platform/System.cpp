#include "platform/System.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kelvaro {

std::string GetWindowsFolder() {
#ifdef _WIN32
    char buf[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
    if (n == 0 || n > MAX_PATH) return {};
    return std::string(buf, n);
#else
    return {};
#endif
}

} // namespace kelvaro
