// The file functions' system calls on POSIX systems (Linux, the BSDs, macOS).
#ifndef _WIN32

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileCalls.h"
#include "platform/Files.h"
#include "platform/Interrupts.h"
#include "platform/Paths.h"

namespace kelvaro {

namespace filecalls {

bool SameNameChar(char a, char b) { return a == b; }

int CurrentProcessId() { return static_cast<int>(getpid()); }

void ExamineTarget(Target& t, DeviceWrites devices) {
    const std::string& path = t.path;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            t.error = FileWriteError::DanglingLink;
        else if (error != ENOENT)
            t.error = std::error_code(error, std::generic_category());
        return; // nothing there yet: a new file
    }
    if (S_ISREG(st.st_mode)) {
        t.exists = true;
        t.mode = st.st_mode & 07777;
        t.owner = st.st_uid;
        t.group = st.st_gid;
        struct stat link {};
        if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            // The link's final target is replaced, so that the link and every other name of the
            // file see the new content. A target the system cannot name any more (a deleted file
            // behind /proc/self/fd) is not written.
            char* real = realpath(path.c_str(), nullptr);
            struct stat again {};
            if (real && stat(real, &again) == 0 && again.st_dev == st.st_dev && again.st_ino == st.st_ino)
                t.path = real;
            else
                t.error = FileWriteError::DanglingLink;
            std::free(real);
        }
    } else if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
        if (devices == DeviceWrites::Allowed)
            t.direct = true;
        else
            t.error = FileWriteError::DeviceRefused;
    } else {
        t.error = S_ISDIR(st.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                      : std::error_code(FileWriteError::NotAFile);
    }
}

int OpenFolder(const std::string& folder) {
    return open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

void CloseFd(int fd) {
    if (fd < 0) return;
    close(fd);
}

int CloseFile(int fd) { return close(fd); }

void SyncFolder(int folderFd) {
    if (folderFd >= 0) fsync(folderFd);
}

std::error_code SyncFile(int fd) { return fsync(fd) == 0 ? std::error_code() : LastErrno(); }

int OpenToCompare(const std::string& path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); }

bool IsFileOfSize(int fd, std::uint64_t size) {
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) == size;
}

long long ReadSome(int fd, char* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        return n;
    }
}

int CreateExclusive(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

std::error_code KeepOwnerAndMode(int fd, const Target& replaced) {
    // The owner first: a change of owner may clear the set-user and set-group bits.
    struct stat st {};
    if (fstat(fd, &st) != 0) return LastErrno();
    if (replaced.owner >= 0 &&
        (st.st_uid != static_cast<uid_t>(replaced.owner) || st.st_gid != static_cast<gid_t>(replaced.group)) &&
        fchown(fd, static_cast<uid_t>(replaced.owner), static_cast<gid_t>(replaced.group)) != 0)
        return FileWriteError::OwnerNotKept;
    if (fchmod(fd, replaced.mode) != 0) return FileWriteError::OwnerNotKept;
    return {};
}

long long WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }

int OpenToWrite(const std::string& path) { return open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY); }

std::error_code CloseStaged(int fd, std::error_code error) {
    if (close(fd) != 0 && !error) error = LastErrno();
    return error;
}

std::vector<std::error_code> SyncFileSystems(const std::vector<int>& folderFds) {
    std::vector<std::error_code> synced(folderFds.size());
#ifdef __linux__
    std::vector<std::pair<dev_t, std::error_code>> devices;
    for (std::size_t i = 0; i < folderFds.size(); ++i) {
        struct stat st {};
        if (folderFds[i] < 0 || fstat(folderFds[i], &st) != 0) {
            sync(); // a folder that cannot be opened: the whole system, the slow way
            continue;
        }
        auto done = std::find_if(devices.begin(), devices.end(), [&](const auto& d) { return d.first == st.st_dev; });
        if (done == devices.end())
            done =
                devices.insert(devices.end(), {st.st_dev, syncfs(folderFds[i]) == 0 ? std::error_code() : LastErrno()});
        synced[i] = done->second;
    }
#else
    sync();
#endif
    return synced;
}

std::error_code RenameOver(const std::string& temp, const std::string& target) {
    return std::rename(temp.c_str(), target.c_str()) == 0 ? std::error_code() : LastErrno();
}

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }

namespace {

// Reads an open file whole and closes it: one fstat for the size, then reads up to it, so that a
// file of a few hundred bytes (an INI file) costs one open, one fstat and one read. A file that
// tells no size (a /proc file, a pipe) is read until a read returns nothing.
std::optional<std::string> ReadAndClose(int fd, std::error_code* error) {
    auto fail = [error, fd](std::error_code why) -> std::optional<std::string> {
        close(fd);
        if (error) *error = why;
        return std::nullopt;
    };
    struct stat st {};
    if (fstat(fd, &st) != 0) return fail(LastErrno());
    if (S_ISDIR(st.st_mode)) return fail(std::make_error_code(std::errc::is_a_directory));
    const std::size_t size = S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    std::string out;
    std::size_t used = 0;
    while (size == 0 || used < size) {
        if (used == out.size()) out.resize(size > 0 ? size : std::max<std::size_t>(out.size() * 2, 65536));
        const ssize_t n = read(fd, out.data() + used, out.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(LastErrno());
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    close(fd);
    out.resize(used);
    return out;
}

} // namespace

std::optional<std::string> ReadWhole(const std::string& path, std::error_code* error, FileReads reads) {
    auto fail = [error](std::error_code why) -> std::optional<std::string> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (reads == FileReads::Anything) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return fail(LastErrno());
        return ReadAndClose(fd, error);
    }
    // Opened without waiting (a FIFO's open would wait for a writer), then looked at: what is
    // looked at is what was opened, whatever the path names by then.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return fail(LastErrno());
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const std::error_code why = LastErrno();
        close(fd);
        return fail(why);
    }
    if (!S_ISREG(st.st_mode)) {
        const std::error_code why = S_ISDIR(st.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                    : S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)
                                        ? std::error_code(FileWriteError::DeviceRefused)
                                        : std::error_code(FileWriteError::NotAFile);
        close(fd);
        return fail(why);
    }
    // A regular file reads the same with or without O_NONBLOCK; it is cleared all the same.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return ReadAndClose(fd, error);
}

} // namespace filecalls

using namespace filecalls;

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

FolderFiles::FolderFiles(const std::string& folder) : folder_(folder) {
    if (folder.empty()) return;
    fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    // The listing reads through a second descriptor of its own, which closedir closes.
    const int listFd = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    DIR* dir = listFd >= 0 ? fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0) close(listFd);
        return;
    }
    bool failed = false;
    for (;;) {
        errno = 0;
        const dirent* e = readdir(dir);
        if (!e) {
            failed = errno != 0;
            break;
        }
        const std::string_view name = e->d_name;
        if (name == "." || name == "..") continue;
        EntryKind kind = EntryKind::Other;
        switch (e->d_type) {
        case DT_REG: kind = EntryKind::File; break;
        case DT_DIR: kind = EntryKind::Folder; break;
        case DT_LNK:
        case DT_UNKNOWN: kind = EntryKind::LinkOrUnknown; break;
        default: break;
        }
        entries_.emplace(name, kind);
    }
    closedir(dir);
    if (failed) entries_.clear();
    listed_ = !failed;
}

FolderFiles::~FolderFiles() {
    if (fd_ >= 0) close(fd_);
}

std::optional<std::string> FolderFiles::Read(const std::string& name, std::error_code* error) const {
    if (fd_ < 0) return ReadWholeFile(JoinPath(folder_, name), error);
    const int fd = openat(fd_, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error) *error = LastErrno();
        return std::nullopt;
    }
    return ReadAndClose(fd, error);
}

std::string FileChangeStamp(const std::string& path) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) return {};
#ifdef __APPLE__
    const long long nanoseconds = st.st_mtimespec.tv_nsec;
#else
    const long long nanoseconds = st.st_mtim.tv_nsec;
#endif
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + ":" + std::to_string(st.st_size) + ":" +
           std::to_string(static_cast<long long>(st.st_mtime)) + "." + std::to_string(nanoseconds) + ":" +
           std::to_string(static_cast<long long>(st.st_ctime));
}

void RemoveStaleTempFiles(const std::string& folder) {
    DIR* d = opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return;
    const long self = CurrentProcessId();
    while (const dirent* entry = readdir(d)) {
        const long owner = TempFileOwner(entry->d_name);
        if (owner <= 0 || owner == self) continue;
        // A process that is still there (or that belongs to another user: EPERM) may be writing it.
        if (kill(static_cast<pid_t>(owner), 0) == 0 || errno != ESRCH) continue;
        unlinkat(dirfd(d), entry->d_name, 0);
    }
    closedir(d);
}

} // namespace kelvaro

#endif
