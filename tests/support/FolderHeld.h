#pragma once
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

// Another process holding the lock on a folder (flock on the folder itself), as another run of
// the program would, until Release or the end of the object.
class FolderHeld {
public:
    explicit FolderHeld(const std::string& folder) {
        int ready[2];
        if (pipe(ready) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            const char c = flock(open(folder.c_str(), O_RDONLY | O_DIRECTORY), LOCK_EX) == 0 ? 'y' : 'n';
            if (write(ready[1], &c, 1) == 1) pause(); // until the test lets go
            _exit(0);
        }
        close(ready[1]);
        char c = 'n';
        held_ = read(ready[0], &c, 1) == 1 && c == 'y';
        close(ready[0]);
    }
    ~FolderHeld() { Release(); }

    bool Held() const { return held_; }
    pid_t Pid() const { return pid_; } // until Release
    void Release() {
        if (pid_ > 0 && kill(pid_, SIGKILL) == 0) waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool held_ = false;
};
#else
#include <chrono>
#include <memory>

#include "platform/FolderLock.h"

// On Windows the lock is the folder's handle, which no second opening shares, in this process or
// in another: a lock held here stands for another run's.
class FolderHeld {
public:
    explicit FolderHeld(const std::string& folder)
        : lock_(std::make_unique<kelvaro::FolderLock>(folder, std::chrono::milliseconds(0))) {}
    bool Held() const { return lock_ && !lock_->Busy(); }
    int Pid() const { return 0; } // Windows cannot tell which process holds a folder
    void Release() { lock_.reset(); }

private:
    std::unique_ptr<kelvaro::FolderLock> lock_;
};
#endif // _WIN32
