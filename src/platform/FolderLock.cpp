#include "platform/FolderLock.h"

#include "platform/Files.h"

#include <cstdio>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "platform/Wide.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace kelvaro {

#ifndef _WIN32

namespace {

// The process holding a flock on the inode, from /proc/locks, whose lines read
// "3: FLOCK  ADVISORY  WRITE 4711 fe:01:1234567 0 EOF" (device numbers in hex). A line for the
// same inode number on another device is taken only when it is the one such line: some file
// systems (btrfs subvolumes) show another device in stat than in the lock table.
int FlockHolder(const struct stat& folder) {
    std::ifstream locks("/proc/locks");
    std::string line;
    int exact = 0, sameInode = 0, sameInodeLines = 0;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, device;
        long pid = 0;
        if (!(fields >> number >> kind >> mode >> access >> pid >> device) || kind != "FLOCK") continue;
        unsigned major = 0, minor = 0;
        unsigned long long inode = 0;
        if (std::sscanf(device.c_str(), "%x:%x:%llu", &major, &minor, &inode) != 3 || inode != folder.st_ino) continue;
        if (major == ::major(folder.st_dev) && minor == ::minor(folder.st_dev)) exact = static_cast<int>(pid);
        sameInode = static_cast<int>(pid);
        ++sameInodeLines;
    }
    if (exact > 0) return exact;
    return sameInodeLines == 1 && sameInode > 0 ? sameInode : 0;
}

} // namespace

FolderLock::FolderLock(const std::string& folder, std::chrono::milliseconds wait, const std::function<void()>& pump) {
    fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            RemoveStaleTempFiles(folder);
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) break; // no locks here: go on without
        if (std::chrono::steady_clock::now() >= deadline) {
            busy_ = true;
            struct stat st {};
            if (fstat(fd_, &st) == 0) holder_ = FlockHolder(st);
            break;
        }
        if (pump) pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    close(fd_);
    fd_ = -1;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) close(fd_); // closing the only descriptor releases the lock
}

#else

// Windows has no lock on a folder that leaves the folder usable: a handle opened without sharing
// stops the file manager from listing it and the system from renaming files into it. The lock is
// a named semaphore instead, one per folder, named by the folder's identity (its volume and file
// index, read through a handle that shares everything), so that every spelling of the folder's
// path meets the same one. Each try opens and closes it, so once its holder ends, however it ends,
// the semaphore is gone and the next try makes a free one. It cannot tell which process holds it.
FolderLock::FolderLock(const std::string& folder, std::chrono::milliseconds wait, const std::function<void()>& pump) {
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE dir = CreateFileW(WideText(folder).c_str(), FILE_READ_ATTRIBUTES, shareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (dir == INVALID_HANDLE_VALUE) return; // missing: the writes report it
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(dir, &info) != 0;
    CloseHandle(dir);
    if (!known) return;
    char name[80];
    std::snprintf(name, sizeof name, "Local\\kelvaro-folder-%08lx-%08lx%08lx",
                  static_cast<unsigned long>(info.dwVolumeSerialNumber),
                  static_cast<unsigned long>(info.nFileIndexHigh), static_cast<unsigned long>(info.nFileIndexLow));
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        HANDLE semaphore = CreateSemaphoreA(nullptr, 1, 1, name);
        if (!semaphore) return; // no such objects here: go on without
        if (WaitForSingleObject(semaphore, 0) == WAIT_OBJECT_0) {
            handle_ = semaphore;
            RemoveStaleTempFiles(folder);
            return;
        }
        CloseHandle(semaphore);
        if (std::chrono::steady_clock::now() >= deadline) {
            busy_ = true;
            return;
        }
        if (pump) pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

FolderLock::~FolderLock() {
    if (!handle_) return;
    ReleaseSemaphore(static_cast<HANDLE>(handle_), 1, nullptr);
    CloseHandle(static_cast<HANDLE>(handle_));
}

#endif

} // namespace kelvaro
