#pragma once
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace kelvaro {

// True when an entry matches the path: with allowFolder false a file (hidden and read-only ones
// included), with allowFolder true a file or a folder. Wildcards ('*', '?') in the last part of
// the path match any entry. An empty path, or any error, gives false.
bool FileExists(const std::string& path, bool allowFolder);

// True when the path names an existing folder (not a file); false for an empty path.
bool IsExistingFolder(const std::string& path);

// Whether a read takes what any path gives (a FIFO or device is read until it ends), or a
// regular file only: a FIFO that no one writes to would keep the reader waiting for ever.
enum class FileReads { Anything, RegularOnly };

// The whole file; nothing when it cannot be read (missing, a folder, no permission, or with
// RegularOnly a FIFO or device, which is then never waited on), and then error (when given) says
// why. The file is opened once and read once.
std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error = nullptr,
                                         FileReads reads = FileReads::Anything);

// Why the path cannot be read as a regular file (links followed): empty when it is one;
// no_such_file_or_directory, is_a_directory, FileWriteError::DeviceRefused (a FIFO or device) or
// FileWriteError::NotAFile (a socket), or the system's reason.
std::error_code NotARegularFile(const std::string& path);

// The file opened as std::fopen opens it with that mode ("rb"); nullptr, with errno set, when it
// cannot be.
std::FILE* OpenFile(const std::string& path, const char* mode);

// All of standard input, read to its end; nothing when a read fails (a folder given as the input),
// and then error (when given) says why.
std::optional<std::string> ReadStandardInput(std::error_code* error = nullptr);

// What a folder's listing tells of an entry without looking at it: a symbolic link (or an entry
// whose kind the listing leaves open) must be looked at to know what it leads to.
enum class EntryKind { File, Folder, Other, LinkOrUnknown };

// A folder opened once: its entries by name from one pass over its listing (no test per entry),
// and its files read by name relative to it, without walking the folder's path again per file.
class FolderFiles {
public:
    explicit FolderFiles(const std::string& folder);
    ~FolderFiles();
    FolderFiles(const FolderFiles&) = delete;
    FolderFiles& operator=(const FolderFiles&) = delete;

    // False when the folder could not be listed (missing, not a folder, no permission to read it).
    bool Listed() const { return listed_; }
    const std::unordered_map<std::string, EntryKind>& Entries() const { return entries_; }
    // The file of that name in the folder, read as ReadWholeFile reads it.
    std::optional<std::string> Read(const std::string& name, std::error_code* error = nullptr) const;

private:
    std::string folder_;
    std::unordered_map<std::string, EntryKind> entries_;
    bool listed_ = false;
    int fd_ = -1; // the open folder, where the system can read files relative to it
};

// Every write below leaves the old file whole or the new one, never a mix or an empty file, even
// after a kill or a power cut: the bytes go to a temporary file beside the file (named
// ".NAME.kelvaro-tmp-PID-N"), reach the disk, and are renamed over it, and the folder is synced
// after the rename. A symbolic link is written through: its final target is replaced and the link
// stays, but a link named like an INI file (".ini", any case) is written through only when its
// final target is named so too: a link in an INI folder never aims a write at a user's other
// files. A device or FIFO (/dev/stdout, a pipe) is written into, never replaced. A folder, a
// socket or a dangling link is left alone and reported. A file that is replaced keeps its
// owner, group and permissions; where they cannot be kept (another user's file) it is left alone
// and reported. Temporary files that a killed run left in the folder are removed first.

// Why a write was refused, beside the system's own reasons (errno values).
enum class FileWriteError {
    DanglingLink = 1, // a symbolic link that points to nothing
    DeviceRefused,    // a device or FIFO where only a file may be written (or read)
    NotAFile,         // neither a file, a folder, a device nor a FIFO (a socket)
    OwnerNotKept,     // the new file could not be given the owner, group or permissions of the old
    ChangedSinceRead, // the file is no longer the one that was read: left as it is
    LinkToOther,      // an INI file's name that links to a file whose name is not an INI file's
};
std::error_code make_error_code(FileWriteError e);

// Whether a write may go straight into a device or FIFO, or refuses it like a socket.
enum class DeviceWrites { Allowed, Refused };

// Writes the bytes as described above. False when it failed (nothing is left behind), and then
// error (when given) says why.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::error_code* error = nullptr,
                     DeviceWrites devices = DeviceWrites::Allowed);

// Opens a temporary file beside path for streaming (or the device or FIFO itself); Commit renames
// it over path, and the destructor removes it when it was not committed.
class AtomicFile {
public:
    explicit AtomicFile(const std::string& path, DeviceWrites devices = DeviceWrites::Allowed);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    [[nodiscard]] bool IsOpen() const { return fd_ >= 0; }
    bool Write(std::string_view bytes);
    // Syncs and renames into place; false when anything failed (the temporary file is removed).
    bool Commit();
    // Why the file could not be opened, written or committed; empty while all went well.
    [[nodiscard]] const std::error_code& Error() const { return error_; }

private:
    void Fail(std::error_code why);

    std::string target_; // the file that is replaced: path, or the final target of a link
    std::string temp_;   // empty when writing straight into a device or FIFO
    int fd_ = -1;
    int folderFd_ = -1; // the folder of target_, synced after the rename
    int cleanupSlot_ = -1;
    std::error_code error_;
};

// Many files written as one step, as a generation of INI files does: each Stage writes a
// temporary file, and CommitAll makes them all durable with one sync of their file system before
// it renames them into place, instead of a sync per file. Devices and FIFOs are refused (an INI
// folder holds files). The destructor removes whatever was staged and not committed.
class StagedWrites {
public:
    StagedWrites() = default;
    ~StagedWrites();
    StagedWrites(const StagedWrites&) = delete;
    StagedWrites& operator=(const StagedWrites&) = delete;

    // Writes the bytes beside the file that path names; nothing changes at path until CommitAll.
    // A file that holds exactly these bytes already is left as it is (it counts as written). With
    // readStamp (the FileChangeStamp of the file as it was read), a file that is no longer the one read
    // is left as it is (FileWriteError::ChangedSinceRead), here and again just before its rename.
    std::error_code Stage(const std::string& path, std::string_view bytes, const std::string& readStamp = {});
    // Syncs, then renames every staged file into place and syncs the folders. One entry per Stage
    // call, in order: empty when that file is in place, else why it is not (the old one is whole).
    std::vector<std::error_code> CommitAll();

private:
    struct Folder {
        std::string path;
        int fd = -1;
        int cleanupSlot = -1;
    };
    struct Entry {
        std::string temp, target;
        std::size_t folder = 0;
        std::error_code error;
        std::string readStamp;
        bool unchanged = false; // the file held the bytes already: nothing staged
    };
    std::size_t FolderOf(const std::string& folder);
    void Release();

    std::vector<Folder> folders_;
    std::vector<Entry> entries_;
};

// A file's size, time of change and identity (device and file number where the system has them)
// as one text; empty when it cannot be looked at. Two texts differ when the file was changed or
// replaced between the looks.
std::string FileChangeStamp(const std::string& path);

// Removes the temporary files of this program that a run which no longer exists (killed, or cut
// off by a power loss) left in the folder; those of running processes stay.
void RemoveStaleTempFiles(const std::string& folder);

} // namespace kelvaro

template <>
struct std::is_error_code_enum<kelvaro::FileWriteError> : std::true_type {};
