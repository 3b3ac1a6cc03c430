#pragma once
// The system's own calls that the file functions of Files.cpp are built on, one definition for
// POSIX systems (FilesPosix.cpp) and one for Windows (FilesWindows.cpp). Only the three files
// include this header.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Files.h"

namespace kelvaro::filecalls {

std::error_code LastErrno();

// True when two characters of file names are the same to the file system.
bool SameNameChar(char a, char b);

int CurrentProcessId();

// What a write to a path replaces or writes into.
struct Target {
    std::string path;    // the path itself, or the final target of a symbolic link
    bool direct = false; // a device or FIFO: written into
    bool exists = false;
    unsigned mode = 0;                // the permissions of the file that is replaced
    long long owner = -1, group = -1; // its owner and group, where the system has them
    std::error_code error;
};

// Fills in t for the named path t.path (a name, not a folder's).
void ExamineTarget(Target& t, DeviceWrites devices);

// The folder opened for syncing, or -1 where the system cannot.
int OpenFolder(const std::string& folder);
void CloseFd(int fd);
// Closes fd; 0, or -1 with errno set.
int CloseFile(int fd);

// Makes a rename in the folder durable. Some file systems cannot sync a folder; the rename has
// happened all the same, so nothing is reported.
void SyncFolder(int folderFd);
std::error_code SyncFile(int fd);

// A file opened to compare its bytes; -1 when it cannot be.
int OpenToCompare(const std::string& path);
// True when fd is a regular file of exactly size bytes.
bool IsFileOfSize(int fd, std::uint64_t size);
// One read: the count read, 0 at the end, below 0 on an error (a POSIX read cut by a signal is
// made again).
long long ReadSome(int fd, char* data, std::size_t size);

// A new file at path, opened to write, failing when the name exists; -1 with errno set.
int CreateExclusive(const std::string& path);
// Gives the new file the owner, group and permissions of the file it replaces (where the system
// has them); FileWriteError::OwnerNotKept when they cannot be given.
std::error_code KeepOwnerAndMode(int fd, const Target& replaced);
// One write: the count written, below 0 with errno set on an error.
long long WriteSome(int fd, const char* data, std::size_t size);
// A device or FIFO opened to write into; -1 with errno set.
int OpenToWrite(const std::string& path);
// Closes a staged file once written; error, or the first error of making it durable and closing.
std::error_code CloseStaged(int fd, std::error_code error);
// One sync per file system of the folders (fds, -1 for a folder that could not be opened): for
// each folder, what syncing its file system reported.
std::vector<std::error_code> SyncFileSystems(const std::vector<int>& folderFds);

std::error_code RenameOver(const std::string& temp, const std::string& target);

// Removes a file; what std::remove does.
void RemoveFile(const std::string& path);

// The bytes of the file at a non-empty path.
std::optional<std::string> ReadWhole(const std::string& path, std::error_code* error, FileReads reads);

} // namespace kelvaro::filecalls
