#pragma once
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a name inside the folder.
    std::string File(std::string_view name) const;
    // Writes bytes exactly as given (no line-end translation) and returns the file's path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    // Reads a whole file; empty when it cannot be read.
    static std::string Read(const std::string& path);

private:
    std::string path_;
};
