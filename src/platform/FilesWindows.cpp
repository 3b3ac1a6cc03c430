// The file functions' system calls on Windows.
#ifdef _WIN32

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include "platform/FileCalls.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Wide.h"

namespace fs = std::filesystem;

namespace kelvaro {

namespace filecalls {

// Names compare without case, as Windows compares them. The names are UTF-8: the bytes of a
// letter outside ASCII compare as they are, since a byte of one is no letter of its own.
bool SameNameChar(char a, char b) {
    auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return up(a) == up(b);
}

int CurrentProcessId() { return _getpid(); }

void ExamineTarget(Target& t, DeviceWrites devices) {
    const std::string& path = t.path;
    struct _stat64 st {};
    if (_wstat64(WideText(path).c_str(), &st) != 0) return; // a new file
    if (st.st_mode & _S_IFDIR)
        t.error = std::make_error_code(std::errc::is_a_directory);
    else if (st.st_mode & _S_IFREG)
        t.exists = true;
    else if (devices == DeviceWrites::Allowed)
        t.direct = true;
    else
        t.error = FileWriteError::DeviceRefused;
}

int OpenFolder(const std::string& folder) {
    (void)folder;
    return -1;
}

void CloseFd(int fd) {
    if (fd < 0) return;
    _close(fd);
}

int CloseFile(int fd) { return _close(fd); }

void SyncFolder(int folderFd) { (void)folderFd; }

std::error_code SyncFile(int fd) { return _commit(fd) == 0 ? std::error_code() : LastErrno(); }

int OpenToCompare(const std::string& path) {
    return _wopen(WideText(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

bool IsFileOfSize(int fd, std::uint64_t size) {
    struct _stat64 st {};
    return _fstat64(fd, &st) == 0 && (st.st_mode & _S_IFREG) && static_cast<std::uint64_t>(st.st_size) == size;
}

long long ReadSome(int fd, char* data, std::size_t size) { return _read(fd, data, static_cast<unsigned>(size)); }

int CreateExclusive(const std::string& path) {
    return _wopen(WideText(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

// A new file in a folder takes the folder's inherited access rules, as the file it replaces did;
// the owner is the user who writes, which Windows does not let a program give away. Nothing to do.
std::error_code KeepOwnerAndMode(int fd, const Target& replaced) {
    (void)fd;
    (void)replaced;
    return {};
}

long long WriteSome(int fd, const char* data, std::size_t size) {
    unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
    return _write(fd, data, chunk);
}

int OpenToWrite(const std::string& path) {
    return _wopen(WideText(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}

std::error_code CloseStaged(int fd, std::error_code error) {
    // Windows has no sync of a whole file system: each file is synced here.
    if (!error) error = SyncFile(fd);
    if (_close(fd) != 0 && !error) error = LastErrno();
    return error;
}

// Nothing to do: each staged file was synced as it was closed.
std::vector<std::error_code> SyncFileSystems(const std::vector<int>& folderFds) {
    return std::vector<std::error_code>(folderFds.size());
}

std::error_code RenameOver(const std::string& temp, const std::string& target) {
    if (MoveFileExW(WideText(temp).c_str(), WideText(target).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

void RemoveFile(const std::string& path) { _wremove(WideText(path).c_str()); }

std::optional<std::string> ReadWhole(const std::string& path, std::error_code* error, FileReads reads) {
    auto fail = [error](std::error_code why) -> std::optional<std::string> {
        if (error) *error = why;
        return std::nullopt;
    };
    std::error_code ec;
    const fs::path name = FsPath(path);
    if (fs::is_directory(name, ec)) return fail(std::make_error_code(std::errc::is_a_directory));
    if (reads == FileReads::RegularOnly)
        if (const std::error_code why = NotARegularFile(path)) return fail(why);
    std::FILE* f = _wfopen(name.c_str(), L"rb");
    if (!f) return fail(LastErrno());
    std::string out;
    auto size = fs::file_size(name, ec);
    if (!ec && size > 0) out.reserve(static_cast<std::size_t>(size));
    char buf[65536];
    errno = 0;
    for (;;) {
        std::size_t n = std::fread(buf, 1, sizeof buf, f);
        out.append(buf, n);
        if (n < sizeof buf) break;
    }
    const bool failed = std::ferror(f) != 0;
    const std::error_code why = errno != 0 ? LastErrno() : std::make_error_code(std::errc::io_error);
    std::fclose(f);
    if (failed) return fail(why);
    return out;
}

} // namespace filecalls

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(WideText(path).c_str(), WideText(mode).c_str());
}

FolderFiles::FolderFiles(const std::string& folder) : folder_(folder) {
    if (folder.empty()) return;
    std::error_code ec;
    fs::directory_iterator it(FsPath(folder), ec);
    if (ec) return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            entries_.clear();
            return;
        }
        const fs::file_status st = it->symlink_status(ec);
        EntryKind kind = EntryKind::LinkOrUnknown;
        if (!ec && fs::is_regular_file(st))
            kind = EntryKind::File;
        else if (!ec && fs::is_directory(st))
            kind = EntryKind::Folder;
        else if (!ec && !fs::is_symlink(st))
            kind = EntryKind::Other;
        entries_.emplace(PathText(it->path().filename()), kind);
    }
    listed_ = true;
}

FolderFiles::~FolderFiles() {}

std::optional<std::string> FolderFiles::Read(const std::string& name, std::error_code* error) const {
    return ReadWholeFile(JoinPath(folder_, name), error);
}

// The size and time of change: Windows' stat tells no file number, and a file replaced by a
// rename carries a new time of change.
std::string FileChangeStamp(const std::string& path) {
    struct _stat64 st {};
    if (path.empty() || _wstat64(WideText(path).c_str(), &st) != 0) return {};
    return std::to_string(st.st_size) + ":" + std::to_string(static_cast<long long>(st.st_mtime));
}

void RemoveStaleTempFiles(const std::string& folder) { (void)folder; }

} // namespace kelvaro

#endif
