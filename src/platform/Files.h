#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kelvaro {

// True when an entry matches the path: with allowFolder false a file (hidden and read-only ones
// included), with allowFolder true a file or a folder. Wildcards ('*', '?') in the last part of
// the path match any entry. An empty path, or any error, gives false.
bool FileExists(const std::string& path, bool allowFolder);

// True when the path names an existing folder (not a file); false for an empty path.
bool IsExistingFolder(const std::string& path);

// The whole file; nothing when it cannot be read (missing, a folder, no permission), and then
// error (when given) says why.
std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error = nullptr);

// Writes the bytes to a temporary file in the same folder, then renames it over path, so that
// the old file stays whole when anything fails. False when it failed (nothing is left behind), and
// then error (when given) says why.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::error_code* error = nullptr);

// Opens a temporary file beside path for streaming; Commit renames it over path, and the
// destructor removes it when it was not committed. Error() says why the first step that failed
// did so.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    bool Write(std::string_view bytes);
    // Flushes and renames into place; false when anything failed (the temporary file is removed).
    bool Commit();
    std::error_code Error() const { return error_; }

private:
    std::string path_;
    std::string temp_;
    int fd_ = -1;
    std::error_code error_;
};

} // namespace kelvaro
