#pragma once
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

// Sets (or, with nullptr, removes) an environment variable of this process.
inline void SetEnv(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : ""); // an empty value removes it
#else
    value ? setenv(name, value, 1) : unsetenv(name);
#endif
}

// Whether a file's or folder's permission bits stop this process: not for the superuser, and not
// on Windows, where they are only the read-only attribute, which neither stops reading a file nor
// writing into a folder.
inline bool PermissionsStopUs() {
#ifdef _WIN32
    return false;
#else
    return geteuid() != 0;
#endif
}
