#pragma once
#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

// While the object lives, every write past the given size fails (EFBIG), as on a full disk.
// Unlike a read-only folder, this also stops a test that runs as root. Windows has no limit of
// this kind (Available is false there and the object does nothing).
class FileSizeLimit {
public:
#ifdef _WIN32
    static constexpr bool Available = false;
    explicit FileSizeLimit(long) {}
#else
    static constexpr bool Available = true;
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = old_;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
#endif
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

#ifndef _WIN32
private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
#endif
};
