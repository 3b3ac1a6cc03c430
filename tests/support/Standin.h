#pragma once
// The stand-in emulator program (tests/support/StandinEmulator.cpp) copied into a test's folder.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "TempDir.h"
#include "platform/Paths.h"

// Copies the stand-in to `name` in dir (with ".exe" on Windows), with `script` as its
// standin.txt beside it, and returns its path.
inline std::string Standin(const TempDir& dir, const std::string& name, const std::string& script) {
#ifdef _WIN32
    const std::string exe = dir.File(name + ".exe");
#else
    const std::string exe = dir.File(name);
#endif
    using kelvaro::FsPath;
    std::filesystem::create_directories(FsPath(exe).parent_path());
    dir.Write(kelvaro::PathText(FsPath(name).parent_path() / "standin.txt"), script);
    // A new file, with a time of its own: MinGW's copy_file does not always overwrite one, Windows
    // keeps the original's time in a copy, and MinGW sets times to the second.
    namespace fs = std::filesystem;
    std::error_code none;
    const fs::file_time_type before = fs::last_write_time(FsPath(exe), none);
    fs::remove(FsPath(exe));
    fs::copy_file(KELVARO_STANDIN_EXE, FsPath(exe));
    fs::last_write_time(FsPath(exe),
                        none ? fs::file_time_type::clock::now()
                             : std::max(fs::file_time_type::clock::now(), before + std::chrono::seconds(1)));
    return exe;
}
