#include "platform/Files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/Interrupts.h"
#include "platform/Paths.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <process.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
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

class FileWriteCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "kelvaro file write"; }
    std::string message(int code) const override {
        switch (static_cast<FileWriteError>(code)) {
        case FileWriteError::DanglingLink: return "A symbolic link to nothing";
        case FileWriteError::DeviceRefused: return "A device or FIFO, not a file";
        case FileWriteError::NotAFile: return "Not a file";
        }
        return "Not written";
    }
};

// The folder part of a path (with its separator, empty for a bare name) and the name.
std::pair<std::string, std::string> SplitFolder(const std::string& path) {
    const std::size_t sep = LastSeparator(path);
    if (sep == std::string::npos) return {std::string(), path};
    return {path.substr(0, sep + 1), path.substr(sep + 1)};
}

// What a write to a path replaces or writes into.
struct Target {
    std::string path;     // the path itself, or the final target of a symbolic link
    bool direct = false;  // a device or FIFO: written into
    bool exists = false;
    unsigned mode = 0;    // the permissions of the file that is replaced
    std::error_code error;
};

Target ResolveTarget(const std::string& path, DeviceWrites devices) {
    Target t;
    t.path = path;
    // No name at all, or a name that ends in a separator (a folder's).
    if (path.empty() || SplitFolder(path).second.empty()) {
        t.error = std::make_error_code(path.empty() ? std::errc::no_such_file_or_directory : std::errc::is_a_directory);
        return t;
    }
#ifdef _WIN32
    struct _stat64 st {};
    if (_stat64(path.c_str(), &st) != 0) return t;  // a new file
    if (st.st_mode & _S_IFDIR)
        t.error = std::make_error_code(std::errc::is_a_directory);
    else if (st.st_mode & _S_IFREG)
        t.exists = true;
    else if (devices == DeviceWrites::Allowed)
        t.direct = true;
    else
        t.error = FileWriteError::DeviceRefused;
#else
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            t.error = FileWriteError::DanglingLink;
        else if (error != ENOENT)
            t.error = std::error_code(error, std::generic_category());
        return t;  // nothing there yet: a new file
    }
    if (S_ISREG(st.st_mode)) {
        t.exists = true;
        t.mode = st.st_mode & 07777;
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
#endif
    return t;
}

int OpenFolder(const std::string& folder) {
#ifdef _WIN32
    (void)folder;
    return -1;
#else
    return open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
}

void CloseFd(int fd) {
    if (fd < 0) return;
#ifdef _WIN32
    _close(fd);
#else
    close(fd);
#endif
}

// Makes a rename in the folder durable. Some file systems cannot sync a folder; the rename has
// happened all the same, so nothing is reported.
void SyncFolder(int folderFd) {
#ifndef _WIN32
    if (folderFd >= 0) fsync(folderFd);
#else
    (void)folderFd;
#endif
}

std::error_code SyncFile(int fd) {
#ifdef _WIN32
    return _commit(fd) == 0 ? std::error_code() : LastErrno();
#else
    return fsync(fd) == 0 ? std::error_code() : LastErrno();
#endif
}

// A new temporary file beside target, named so that no other process or file collides with it and
// the next run can tell whose it was; -1 (and why) when none could be made.
// True when the file already holds exactly these bytes. Comparing costs a read; replacing costs a
// new file, its sync and a rename, and leaves the file's time changed for nothing.
bool HoldsBytes(const std::string& path, std::string_view bytes) {
#ifdef _WIN32
    const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
#else
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
#endif
    if (fd < 0) return false;
    bool same = false;
#ifdef _WIN32
    struct _stat64 st {};
    if (_fstat64(fd, &st) == 0 && (st.st_mode & _S_IFREG) && static_cast<std::uint64_t>(st.st_size) == bytes.size()) {
#else
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) == bytes.size()) {
#endif
        std::string buffer(bytes.size() + 1, '\0');  // one byte more: a file that grew meanwhile differs
        std::size_t got = 0;
        while (got < buffer.size()) {
#ifdef _WIN32
            const int n = _read(fd, buffer.data() + got, static_cast<unsigned>(buffer.size() - got));
#else
            const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
            if (n < 0 && errno == EINTR) continue;
#endif
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        same = got == bytes.size() && std::string_view(buffer).substr(0, got) == bytes;
    }
    CloseFd(fd);
    return same;
}

int CreateTemp(const std::string& target, unsigned mode, bool keepMode, std::string& temp, std::error_code& why) {
    auto [folder, name] = SplitFolder(target);
    // A long name keeps its start, so that the temporary name still fits the file system.
    if (name.size() > 200) name.resize(200);
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "." + name + ".kelvaro-tmp-" + std::to_string(CurrentProcessId()) + "-" +
               std::to_string(++g_tempCounter);
#ifdef _WIN32
        fd = _open(temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
#else
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        why = LastErrno();
        temp.clear();
        return -1;
    }
#ifndef _WIN32
    // A file that is replaced keeps its permissions (a user may have made an INI file private).
    if (keepMode) fchmod(fd, mode);
#else
    (void)mode;
    (void)keepMode;
#endif
    return fd;
}

std::error_code WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
#ifdef _WIN32
        unsigned chunk = left > (1u << 30) ? (1u << 30) : static_cast<unsigned>(left);
        int n = _write(fd, p, chunk);
#else
        ssize_t n = ::write(fd, p, left);
#endif
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastErrno();
        if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return {};
}

std::error_code RenameOver(const std::string& temp, const std::string& target) {
#ifdef _WIN32
    if (MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
#else
    return std::rename(temp.c_str(), target.c_str()) == 0 ? std::error_code() : LastErrno();
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

#ifndef _WIN32
namespace {

// Reads an open file whole and closes it: one fstat for the size, then reads up to it, so that a
// file of a few hundred bytes (an INI file) costs one open, one fstat and one read. A file that
// tells no size (a /proc file, a pipe) is read until a read returns nothing.
std::optional<std::string> ReadAndClose(int fd, std::error_code* error) {
    auto fail = [error, fd](std::error_code why) -> std::optional<std::string> {
        close(fd);
        if (error)
            *error = why;
        return std::nullopt;
    };
    struct stat st {};
    if (fstat(fd, &st) != 0)
        return fail(LastErrno());
    if (S_ISDIR(st.st_mode))
        return fail(std::make_error_code(std::errc::is_a_directory));
    const std::size_t size = S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    std::string out;
    std::size_t used = 0;
    while (size == 0 || used < size) {
        if (used == out.size())
            out.resize(size > 0 ? size : std::max<std::size_t>(out.size() * 2, 65536));
        const ssize_t n = read(fd, out.data() + used, out.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(LastErrno());
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    close(fd);
    out.resize(used);
    return out;
}

} // namespace
#endif

std::error_code NotARegularFile(const std::string& path) {
    if (path.empty())
        return std::make_error_code(std::errc::no_such_file_or_directory);
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (fs::is_regular_file(st))
        return {};
    if (st.type() == fs::file_type::not_found)
        return std::make_error_code(std::errc::no_such_file_or_directory);
    if (ec)
        return ec;
    if (fs::is_directory(st))
        return std::make_error_code(std::errc::is_a_directory);
    if (fs::is_fifo(st) || fs::is_character_file(st) || fs::is_block_file(st))
        return FileWriteError::DeviceRefused;
    return FileWriteError::NotAFile;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error, FileReads reads) {
    auto fail = [error](std::error_code why) -> std::optional<std::string> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (path.empty())
        return fail(std::make_error_code(std::errc::no_such_file_or_directory));
#ifdef _WIN32
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return fail(std::make_error_code(std::errc::is_a_directory));
    if (reads == FileReads::RegularOnly)
        if (const std::error_code why = NotARegularFile(path))
            return fail(why);
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
#else
    if (reads == FileReads::Anything) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return fail(LastErrno());
        return ReadAndClose(fd, error);
    }
    // Opened without waiting (a FIFO's open would wait for a writer), then looked at: what is
    // looked at is what was opened, whatever the path names by then.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return fail(LastErrno());
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
#endif
}

FolderFiles::FolderFiles(const std::string& folder) : folder_(folder) {
    if (folder.empty())
        return;
#ifdef _WIN32
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            entries_.clear();
            return;
        }
        const fs::file_status st = it->symlink_status(ec);
        EntryKind kind = EntryKind::LinkOrUnknown;
        if (!ec && fs::is_regular_file(st)) kind = EntryKind::File;
        else if (!ec && fs::is_directory(st)) kind = EntryKind::Folder;
        else if (!ec && !fs::is_symlink(st)) kind = EntryKind::Other;
        entries_.emplace(it->path().filename().string(), kind);
    }
    listed_ = true;
#else
    fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    // The listing reads through a second descriptor of its own, which closedir closes.
    const int listFd = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    DIR* dir = listFd >= 0 ? fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0)
            close(listFd);
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
        if (name == "." || name == "..")
            continue;
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
    if (failed)
        entries_.clear();
    listed_ = !failed;
#endif
}

FolderFiles::~FolderFiles() {
#ifndef _WIN32
    if (fd_ >= 0)
        close(fd_);
#endif
}

std::optional<std::string> FolderFiles::Read(const std::string& name, std::error_code* error) const {
#ifdef _WIN32
    return ReadWholeFile(JoinPath(folder_, name), error);
#else
    if (fd_ < 0)
        return ReadWholeFile(JoinPath(folder_, name), error);
    const int fd = openat(fd_, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = LastErrno();
        return std::nullopt;
    }
    return ReadAndClose(fd, error);
#endif
}

std::error_code make_error_code(FileWriteError e) {
    static const FileWriteCategory category;
    return {static_cast<int>(e), category};
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::error_code* error, DeviceWrites devices) {
    AtomicFile file(path, devices);
    const bool written = file.IsOpen() && file.Write(bytes) && file.Commit();
    if (!written && error) *error = file.Error();
    return written;
}

AtomicFile::AtomicFile(std::string path, DeviceWrites devices) {
    Target t = ResolveTarget(path, devices);
    target_ = std::move(t.path);
    if (t.error) {
        Fail(t.error);
        return;
    }
    if (t.direct) {
#ifdef _WIN32
        fd_ = _open(target_.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
#else
        fd_ = open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
#endif
        if (fd_ < 0) Fail(LastErrno());
        return;
    }
    const std::string folder = SplitFolder(target_).first;
    RemoveStaleTempFiles(folder);
    folderFd_ = OpenFolder(folder);
    cleanupSlot_ = RegisterTempFolder(folderFd_);
    fd_ = CreateTemp(target_, t.mode, t.exists, temp_, error_);
}

AtomicFile::~AtomicFile() {
    CloseFd(fd_);
    if (!temp_.empty()) std::remove(temp_.c_str());
    UnregisterTempFolder(cleanupSlot_);
    CloseFd(folderFd_);
}

void AtomicFile::Fail(std::error_code why) {
    if (!error_) error_ = why;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (fd_ < 0 || error_) return false;
    Fail(WriteAll(fd_, bytes));
    return !error_;
}

bool AtomicFile::Commit() {
    if (fd_ < 0) {
        Fail(std::make_error_code(std::errc::bad_file_descriptor));
        return false;
    }
    // The data reaches the disk before the rename, so that a power cut leaves the old file or the
    // new one, never an empty one. A device or FIFO has nothing to sync.
    if (!temp_.empty() && !error_) Fail(SyncFile(fd_));
#ifdef _WIN32
    if (_close(fd_) != 0) Fail(LastErrno());
#else
    if (close(fd_) != 0) Fail(LastErrno());  // a full disk may show only here (network file systems)
#endif
    fd_ = -1;
    if (temp_.empty()) return !error_;
    if (!error_) Fail(RenameOver(temp_, target_));
    if (!error_) {
        temp_.clear();
        SyncFolder(folderFd_);
        return true;
    }
    std::remove(temp_.c_str());
    temp_.clear();
    return false;
}

StagedWrites::~StagedWrites() { Release(); }

std::size_t StagedWrites::FolderOf(const std::string& folder) {
    for (std::size_t i = 0; i < folders_.size(); ++i)
        if (folders_[i].path == folder) return i;
    Folder f;
    f.path = folder;
    RemoveStaleTempFiles(folder);
    f.fd = OpenFolder(folder);
    f.cleanupSlot = RegisterTempFolder(f.fd);
    folders_.push_back(f);
    return folders_.size() - 1;
}

std::error_code StagedWrites::Stage(const std::string& path, std::string_view bytes) {
    Target t = ResolveTarget(path, DeviceWrites::Refused);
    Entry e;
    e.error = t.error;
    if (!e.error && t.exists && HoldsBytes(t.path, bytes)) {
        e.unchanged = true;  // nothing to write: the file holds these bytes already
    } else if (!e.error) {
        e.target = std::move(t.path);
        e.folder = FolderOf(SplitFolder(e.target).first);
        int fd = CreateTemp(e.target, t.mode, t.exists, e.temp, e.error);
        if (fd >= 0) {
            e.error = WriteAll(fd, bytes);
#ifdef _WIN32
            // Windows has no sync of a whole file system: each file is synced here.
            if (!e.error) e.error = SyncFile(fd);
            if (_close(fd) != 0 && !e.error) e.error = LastErrno();
#else
            if (close(fd) != 0 && !e.error) e.error = LastErrno();
#endif
            if (e.error) {
                std::remove(e.temp.c_str());
                e.temp.clear();
            }
        }
    }
    entries_.push_back(std::move(e));
    return entries_.back().error;
}

std::vector<std::error_code> StagedWrites::CommitAll() {
    // One sync per file system puts the data of every staged file on the disk before any rename.
    std::vector<std::error_code> synced(folders_.size());
#ifdef __linux__
    std::vector<std::pair<dev_t, std::error_code>> devices;
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        struct stat st {};
        if (folders_[i].fd < 0 || fstat(folders_[i].fd, &st) != 0) {
            sync();  // a folder that cannot be opened: the whole system, the slow way
            continue;
        }
        auto done = std::find_if(devices.begin(), devices.end(), [&](const auto& d) { return d.first == st.st_dev; });
        if (done == devices.end())
            done = devices.insert(devices.end(), {st.st_dev, syncfs(folders_[i].fd) == 0 ? std::error_code() : LastErrno()});
        synced[i] = done->second;
    }
#elif !defined(_WIN32)
    sync();
#endif
    std::vector<std::error_code> result;
    result.reserve(entries_.size());
    for (Entry& e : entries_) {
        if (e.unchanged) {
            result.push_back({});
            continue;
        }
        if (!e.error && synced[e.folder]) e.error = synced[e.folder];
        if (!e.error) e.error = RenameOver(e.temp, e.target);
        if (!e.error) e.temp.clear();
        result.push_back(e.error);
    }
    for (const Folder& f : folders_) SyncFolder(f.fd);
    Release();
    return result;
}

void StagedWrites::Release() {
    for (const Entry& e : entries_)
        if (!e.temp.empty()) std::remove(e.temp.c_str());
    entries_.clear();
    for (const Folder& f : folders_) {
        UnregisterTempFolder(f.cleanupSlot);
        CloseFd(f.fd);
    }
    folders_.clear();
}

void RemoveStaleTempFiles(const std::string& folder) {
#ifndef _WIN32
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
#else
    (void)folder;
#endif
}

} // namespace kelvaro
