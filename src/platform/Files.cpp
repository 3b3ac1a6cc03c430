#include "platform/Files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/FileCalls.h"
#include "platform/Interrupts.h"
#include "platform/Paths.h"

namespace fs = std::filesystem;

namespace kelvaro {

using namespace filecalls;

std::error_code filecalls::LastErrno() { return {errno, std::generic_category()}; }

namespace {

// '*' matches any run of characters, '?' any one; nothing else is special (a '[' in a name is
// just a character, as the emulator's users would expect from a file name).
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && SameNameChar(pattern[p], name[n])))) {
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
    while (p < pattern.size() && pattern[p] == '*') ++p;
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
        fs::file_status st = fs::status(FsPath(path), ec); // follows links, as opening the file would
        return !ec && Accepts(st, allowFolder);
    }

    std::string folder = sep == std::string::npos ? std::string(".") : path.substr(0, sep + 1);
    std::error_code ec;
    fs::directory_iterator it(FsPath(folder), ec);
    if (ec) return false;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return false;
        if (!WildcardMatch(last, PathText(it->path().filename()))) continue;
        std::error_code ec2;
        fs::file_status st = it->status(ec2);
        if (!ec2 && Accepts(st, allowFolder)) return true;
    }
    return false;
}

std::atomic<unsigned> g_tempCounter{0};

class FileWriteCategory : public std::error_category {
public:
    [[nodiscard]] const char* name() const noexcept override { return "kelvaro file write"; }
    [[nodiscard]] std::string message(int code) const override {
        switch (static_cast<FileWriteError>(code)) {
        case FileWriteError::DanglingLink: return "A symbolic link to nothing";
        case FileWriteError::DeviceRefused: return "A device or FIFO, not a file";
        case FileWriteError::NotAFile: return "Not a file";
        case FileWriteError::ChangedSinceRead: return "changed since Kelvaro read it: reread the INI files first";
        case FileWriteError::LinkToOther: return "A link to a file that is not an INI file: left as it is";
        case FileWriteError::OwnerNotKept:
            return "Its owner, group or permissions could not be kept (another user's file): left as it is";
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

bool EndsWithIni(std::string_view path) {
    if (path.size() < 4) return false;
    const std::string_view end = path.substr(path.size() - 4);
    return end[0] == '.' && (end[1] | 0x20) == 'i' && (end[2] | 0x20) == 'n' && (end[3] | 0x20) == 'i';
}

Target ResolveTarget(const std::string& path, DeviceWrites devices) {
    Target t;
    t.path = path;
    // No name at all, or a name that ends in a separator (a folder's).
    if (path.empty() || SplitFolder(path).second.empty()) {
        t.error = std::make_error_code(path.empty() ? std::errc::no_such_file_or_directory : std::errc::is_a_directory);
        return t;
    }
    ExamineTarget(t, devices);
    if (!t.error && t.path != path && EndsWithIni(path) && !EndsWithIni(t.path)) t.error = FileWriteError::LinkToOther;
    return t;
}

// True when the file already holds exactly these bytes. Comparing costs a read; replacing costs a
// new file, its sync and a rename, and leaves the file's time changed for nothing.
bool HoldsBytes(const std::string& path, std::string_view bytes) {
    const int fd = OpenToCompare(path);
    if (fd < 0) return false;
    bool same = false;
    if (IsFileOfSize(fd, bytes.size())) {
        std::string buffer(bytes.size() + 1, '\0'); // one byte more: a file that grew meanwhile differs
        std::size_t got = 0;
        while (got < buffer.size()) {
            const long long n = ReadSome(fd, buffer.data() + got, buffer.size() - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        same = got == bytes.size() && std::string_view(buffer).substr(0, got) == bytes;
    }
    CloseFd(fd);
    return same;
}

// A new temporary file beside target, named so that no other process or file collides with it and
// the next run can tell whose it was; -1 (and why) when none could be made.
int CreateTemp(const std::string& target, const Target& replaced, std::string& temp, std::error_code& why) {
    auto [folder, name] = SplitFolder(target);
    // A long name keeps its start, so that the temporary name still fits the file system.
    if (name.size() > 200) name.resize(200);
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + "." + name + ".kelvaro-tmp-" + std::to_string(CurrentProcessId()) + "-" +
               std::to_string(++g_tempCounter);
        fd = CreateExclusive(temp);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        why = LastErrno();
        temp.clear();
        return -1;
    }
    // A file that is replaced keeps its owner and permissions (a user may have made an INI file
    // private; a run as root must not take a user's file). Where it cannot, it is not replaced.
    if (replaced.exists) why = KeepOwnerAndMode(fd, replaced);
    if (why) {
        CloseFd(fd);
        RemoveFile(temp);
        temp.clear();
        return -1;
    }
    return fd;
}

std::error_code WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const long long n = WriteSome(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastErrno();
        if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return {};
}

} // namespace

bool FileExists(const std::string& path, bool allowFolder) {
    if (path.empty()) return false;
    try {
        return FileExistsImpl(path, allowFolder);
    } catch (...) {
        return false; // an allocation failure or an unconvertible name: no entry found
    }
}

bool IsExistingFolder(const std::string& path) { return FileExists(path, true) && !FileExists(path, false); }

std::optional<std::string> ReadStandardInput(std::error_code* error) {
    std::string out;
    char buf[65536];
    for (;;) {
        errno = 0;
        const std::size_t n = std::fread(buf, 1, sizeof buf, stdin);
        out.append(buf, n);
        if (n == sizeof buf) continue;
        if (std::ferror(stdin)) {
            if (error) *error = errno != 0 ? LastErrno() : std::make_error_code(std::errc::io_error);
            return std::nullopt;
        }
        return out;
    }
}

std::error_code NotARegularFile(const std::string& path) {
    if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
    std::error_code ec;
    const fs::file_status st = fs::status(FsPath(path), ec);
    if (fs::is_regular_file(st)) return {};
    if (st.type() == fs::file_type::not_found) return std::make_error_code(std::errc::no_such_file_or_directory);
    if (ec) return ec;
    if (fs::is_directory(st)) return std::make_error_code(std::errc::is_a_directory);
    if (fs::is_fifo(st) || fs::is_character_file(st) || fs::is_block_file(st)) return FileWriteError::DeviceRefused;
    return FileWriteError::NotAFile;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error, FileReads reads) {
    if (path.empty()) {
        if (error) *error = std::make_error_code(std::errc::no_such_file_or_directory);
        return std::nullopt;
    }
    return ReadWhole(path, error, reads);
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

AtomicFile::AtomicFile(const std::string& path, DeviceWrites devices) {
    Target t = ResolveTarget(path, devices);
    target_ = std::move(t.path);
    if (t.error) {
        Fail(t.error);
        return;
    }
    if (t.direct) {
        fd_ = OpenToWrite(target_);
        if (fd_ < 0) Fail(LastErrno());
        return;
    }
    const std::string folder = SplitFolder(target_).first;
    RemoveStaleTempFiles(folder);
    folderFd_ = OpenFolder(folder);
    cleanupSlot_ = RegisterTempFolder(folderFd_);
    fd_ = CreateTemp(target_, t, temp_, error_);
}

AtomicFile::~AtomicFile() {
    CloseFd(fd_);
    if (!temp_.empty()) RemoveFile(temp_);
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
    if (CloseFile(fd_) != 0) Fail(LastErrno()); // a full disk may show only here (network file systems)
    fd_ = -1;
    if (temp_.empty()) return !error_;
    if (!error_) Fail(RenameOver(temp_, target_));
    if (!error_) {
        temp_.clear();
        SyncFolder(folderFd_);
        return true;
    }
    RemoveFile(temp_);
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

std::error_code StagedWrites::Stage(const std::string& path, std::string_view bytes, const std::string& readStamp) {
    Target t = ResolveTarget(path, DeviceWrites::Refused);
    Entry e;
    e.error = t.error;
    e.readStamp = readStamp;
    if (!e.error && !readStamp.empty() && FileChangeStamp(t.path) != readStamp)
        e.error = FileWriteError::ChangedSinceRead;
    if (!e.error && t.exists && HoldsBytes(t.path, bytes)) {
        e.unchanged = true; // nothing to write: the file holds these bytes already
    } else if (!e.error) {
        e.target = std::move(t.path);
        e.folder = FolderOf(SplitFolder(e.target).first);
        int fd = CreateTemp(e.target, t, e.temp, e.error);
        if (fd >= 0) {
            e.error = WriteAll(fd, bytes);
            e.error = CloseStaged(fd, e.error);
            if (e.error) {
                RemoveFile(e.temp);
                e.temp.clear();
            }
        }
    }
    entries_.push_back(std::move(e));
    return entries_.back().error;
}

std::vector<std::error_code> StagedWrites::CommitAll() {
    // One sync per file system puts the data of every staged file on the disk before any rename.
    std::vector<int> folderFds;
    for (const Folder& f : folders_) folderFds.push_back(f.fd);
    const std::vector<std::error_code> synced = SyncFileSystems(folderFds);
    std::vector<std::error_code> result;
    result.reserve(entries_.size());
    for (Entry& e : entries_) {
        if (e.unchanged) {
            result.push_back({});
            continue;
        }
        if (!e.error && synced[e.folder]) e.error = synced[e.folder];
        // The user may have saved the file in an editor while it was staged.
        if (!e.error && !e.readStamp.empty() && FileChangeStamp(e.target) != e.readStamp)
            e.error = FileWriteError::ChangedSinceRead;
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
        if (!e.temp.empty()) RemoveFile(e.temp);
    entries_.clear();
    for (const Folder& f : folders_) {
        UnregisterTempFolder(f.cleanupSlot);
        CloseFd(f.fd);
    }
    folders_.clear();
}

} // namespace kelvaro
