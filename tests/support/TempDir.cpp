#include "TempDir.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/Paths.h"

namespace fs = std::filesystem;
using kelvaro::FsPath;
using kelvaro::PathText;

TempDir::TempDir() {
    std::random_device rd;
    std::mt19937_64 gen(rd());
    for (;;) {
        fs::path p = fs::temp_directory_path() / ("kelvaro-test-" + std::to_string(gen() % 1000000000ULL));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            path_ = PathText(p);
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    // A test may have made entries read-only; give the owner back the right to remove them.
    for (auto it = fs::recursive_directory_iterator(FsPath(path_), ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(FsPath(path_), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(FsPath(path_), ec);
}

// In the platform's own spelling: the names the program prints are compared with these. UTF-8, as
// the program's own names are.
std::string TempDir::File(std::string_view name) const {
    return PathText(FsPath(path_) / FsPath(name).make_preferred());
}

std::string TempDir::Write(std::string_view name, std::string_view bytes) const {
    std::string p = File(name);
    fs::create_directories(FsPath(p).parent_path());
    std::ofstream out(FsPath(p), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

std::string TempDir::Read(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
