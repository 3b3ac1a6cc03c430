#include "platform/Files.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/Paths.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace kelvaro {

namespace {

// '*' matches any run of characters, '?' any one; nothing else is special (a '[' in a name is
// just a character, as the emulator's users would expect from a file name).
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    auto same = [](char a, char b) {
#ifdef _WIN32
        // Names compare as Windows compares them: upper-cased by the system's own rules.
        auto up = [](char c) {
            auto one = reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(static_cast<unsigned char>(c)));
            return static_cast<char>(reinterpret_cast<std::uintptr_t>(CharUpperA(one)));
        };
        return up(a) == up(b);
#else
        return a == b;
#endif
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && same(pattern[p], name[n])))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool Accepts(const fs::file_status& st, bool allowFolder) {
    return fs::is_regular_file(st) || (allowFolder && fs::is_directory(st));
}

bool FileExistsImpl(const std::string& path, bool allowFolder) {
    const std::size_t sep = LastSeparator(path);
    std::string last = sep == std::string::npos ? path : path.substr(sep + 1);

    if (last.find_first_of("*?") == std::string::npos) {
        std::error_code ec;
        fs::file_status st = fs::status(path, ec);  // follows links, as opening the file would
        return !ec && Accepts(st, allowFolder);
    }

    std::string folder = sep == std::string::npos ? std::string(".") : path.substr(0, sep + 1);
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return false;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            return false;
        if (!WildcardMatch(last, it->path().filename().string()))
            continue;
        std::error_code ec2;
        fs::file_status st = it->status(ec2);
        if (!ec2 && Accepts(st, allowFolder))
            return true;
    }
    return false;
}

std::atomic<unsigned> g_tempCounter{0};

std::error_code LastErrno() { return {errno, std::generic_category()}; }

int CurrentProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

} // namespace

bool FileExists(const std::string& path, bool allowFolder) {
    if (path.empty())
        return false;
    try {
        return FileExistsImpl(path, allowFolder);
    } catch (...) {
        return false;  // an allocation failure or an unconvertible name: no entry found
    }
}

bool IsExistingFolder(const std::string& path) { return FileExists(path, true) && !FileExists(path, false); }

std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error) {
    auto fail = [error](std::error_code why) -> std::optional<std::string> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (path.empty())
        return fail(std::make_error_code(std::errc::no_such_file_or_directory));
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return fail(std::make_error_code(std::errc::is_a_directory));
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return fail(LastErrno());
    std::string out;
    auto size = fs::file_size(path, ec);
    if (!ec && size > 0)
        out.reserve(static_cast<std::size_t>(size));
    char buf[65536];
    errno = 0;
    for (;;) {
        std::size_t n = std::fread(buf, 1, sizeof buf, f);
        out.append(buf, n);
        if (n < sizeof buf)
            break;
    }
    const bool failed = std::ferror(f) != 0;
    const std::error_code why = errno != 0 ? LastErrno() : std::make_error_code(std::errc::io_error);
    std::fclose(f);
    if (failed)
        return fail(why);
    return out;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::error_code* error) {
    AtomicFile file(path);
    const bool written = file.IsOpen() && file.Write(bytes) && file.Commit();
    if (!written && error)
        *error = file.Error();
    return written;
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
    if (path_.empty()) {
        error_ = std::make_error_code(std::errc::no_such_file_or_directory);
        return;
    }
    const std::size_t sep = LastSeparator(path_);
    std::string dir = sep == std::string::npos ? std::string() : path_.substr(0, sep + 1);
    std::string base = sep == std::string::npos ? path_ : path_.substr(sep + 1);
    if (base.empty()) {
        error_ = std::make_error_code(std::errc::is_a_directory);
        return;
    }

    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = dir + "." + base + ".kelvaro-tmp-" + std::to_string(CurrentProcessId()) + "-" +
                std::to_string(++g_tempCounter);
#ifdef _WIN32
        fd_ = _open(temp_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
#else
        fd_ = open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        error_ = LastErrno();
        temp_.clear();
        return;
    }
#ifndef _WIN32
    // A file that is replaced keeps its permissions (a user may have made an INI file private).
    struct stat old {};
    if (stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        fchmod(fd_, old.st_mode & 07777);
#endif
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) {
#ifdef _WIN32
        _close(fd_);
#else
        close(fd_);
#endif
        fd_ = -1;
    }
    if (!temp_.empty())
        std::remove(temp_.c_str());
}

bool AtomicFile::Write(std::string_view bytes) {
    if (fd_ < 0 || error_)
        return false;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
#ifdef _WIN32
        unsigned chunk = left > (1u << 30) ? (1u << 30) : static_cast<unsigned>(left);
        int n = _write(fd_, p, chunk);
#else
        ssize_t n = ::write(fd_, p, left);
#endif
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = LastErrno();
            return false;
        }
        if (n == 0) {
            error_ = std::make_error_code(std::errc::io_error);
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFile::Commit() {
    if (fd_ < 0) {
        if (!error_)
            error_ = std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
#ifdef _WIN32
    const bool closed = _close(fd_) == 0;
#else
    const bool closed = close(fd_) == 0;  // a full disk may show only here (network file systems)
#endif
    if (!closed && !error_)
        error_ = LastErrno();
    fd_ = -1;
    if (!error_) {
#ifdef _WIN32
        if (!MoveFileExA(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING))
            error_ = std::error_code(static_cast<int>(GetLastError()), std::system_category());
#else
        if (std::rename(temp_.c_str(), path_.c_str()) != 0)
            error_ = LastErrno();
#endif
    }
    if (!error_) {
        temp_.clear();
        return true;
    }
    std::remove(temp_.c_str());
    temp_.clear();
    return false;
}

} // namespace kelvaro
