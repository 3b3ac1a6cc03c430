#pragma once
#include <chrono>
#include <functional>
#include <string>

namespace kelvaro {

// A lock on a folder for as long as the object lives, so that two runs of the program never
// write into the same folder at once. It locks the folder itself (no lock file is left in it) and
// is released when the process ends, however it ends. Whoever takes it removes the temporary files
// that runs which no longer exist left in the folder (a kill mid-write, a folder renamed away).
class FolderLock {
public:
    // Takes the lock, trying again for up to wait while another process holds it; pump is called
    // between the tries. A folder that cannot be opened or locked for another reason (missing, or
    // a file system without locks) is neither locked nor busy: the writes report their own errors.
    FolderLock(const std::string& folder, std::chrono::milliseconds wait, const std::function<void()>& pump = {});
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // True when another process still held the folder at the end of the wait.
    [[nodiscard]] bool Busy() const { return busy_; }
    // That process's id, from the system's table of locks; 0 when it cannot be told.
    [[nodiscard]] int Holder() const { return holder_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr; // the folder's semaphore, taken
#else
    int fd_ = -1;
#endif
    bool busy_ = false;
    int holder_ = 0;
};

} // namespace kelvaro
