#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>
#include <sys/resource.h>

#include "TempDir.h"
#include "platform/Files.h"
#include "platform/System.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every write past a few bytes fails, as on a full disk; root is not stopped by permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = old_;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

TEST(FileExists, FilesAndFolders) {
    TempDir dir;
    std::string file = dir.Write("game.ini", "x");
    std::string hidden = dir.Write(".hidden", "");
    std::string readOnly = dir.Write("ro.txt", "r");
    fs::permissions(readOnly, fs::perms::owner_read, fs::perm_options::replace);
    fs::create_directory(dir.File("sub"));

    for (bool allowFolder : {false, true}) {
        EXPECT_FALSE(FileExists("", allowFolder));
        EXPECT_TRUE(FileExists(file, allowFolder));
        EXPECT_TRUE(FileExists(hidden, allowFolder));
        EXPECT_TRUE(FileExists(readOnly, allowFolder));
        EXPECT_FALSE(FileExists(dir.File("missing.ini"), allowFolder));
        EXPECT_FALSE(FileExists(file + "/x", allowFolder));  // through a file
        EXPECT_FALSE(FileExists(std::string("bad\0name", 8), allowFolder));
    }
    EXPECT_FALSE(FileExists(dir.File("sub"), false));
    EXPECT_TRUE(FileExists(dir.File("sub"), true));
    EXPECT_TRUE(FileExists(dir.Path() + "/", true));
    EXPECT_FALSE(FileExists("/dev/null", false));  // a device is no file
}

TEST(FileExists, FollowsLinks) {
    TempDir dir;
    std::string file = dir.Write("real.txt", "x");
    fs::create_directory_symlink(dir.Path(), dir.File("folderlink"));
    fs::create_symlink(file, dir.File("link.txt"));
    fs::create_symlink(dir.File("gone.txt"), dir.File("dangling.txt"));
    EXPECT_TRUE(FileExists(dir.File("link.txt"), false));
    EXPECT_FALSE(FileExists(dir.File("dangling.txt"), true));
    EXPECT_FALSE(FileExists(dir.File("folderlink"), false));
    EXPECT_TRUE(FileExists(dir.File("folderlink"), true));
}

TEST(FileExists, WildcardsInTheLastPart) {
    TempDir dir;
    dir.Write("pacman.ini", "");
    dir.Write(".secret", "");
    dir.Write("a[1].cfg", "");
    fs::create_directory(dir.File("roms.d"));

    EXPECT_TRUE(FileExists(dir.File("*.ini"), false));
    EXPECT_TRUE(FileExists(dir.File("pac*"), false));
    EXPECT_TRUE(FileExists(dir.File("*man.ini"), false));
    EXPECT_TRUE(FileExists(dir.File("p?cman.ini"), false));
    EXPECT_FALSE(FileExists(dir.File("?pacman.ini"), false));
    EXPECT_FALSE(FileExists(dir.File("*.zip"), false));
    EXPECT_TRUE(FileExists(dir.File(".s*"), false));    // hidden entries match too
    EXPECT_TRUE(FileExists(dir.File("a[1].*"), false)); // '[' is an ordinary character
    EXPECT_FALSE(FileExists(dir.File("a1.*"), false));
    // A pattern that matches only a folder.
    EXPECT_FALSE(FileExists(dir.File("*.d"), false));
    EXPECT_TRUE(FileExists(dir.File("*.d"), true));
    EXPECT_FALSE(FileExists(dir.File("nowhere/*"), true));
    EXPECT_FALSE(FileExists(dir.File("*/pacman.ini"), false));  // only the last part matches
}

TEST(ReadWholeFile, BytesExactly) {
    TempDir dir;
    std::string bytes("line\r\nwith\0nul\n\xff", 16);
    EXPECT_EQ(ReadWholeFile(dir.Write("f.bin", bytes)), bytes);
    auto empty = ReadWholeFile(dir.Write("empty", ""));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, "");
    EXPECT_FALSE(ReadWholeFile(dir.File("missing")).has_value());
    EXPECT_FALSE(ReadWholeFile(dir.Path()).has_value());
    EXPECT_FALSE(ReadWholeFile("").has_value());
}

TEST(WriteFileAtomic, CreatesAndReplaces) {
    TempDir dir;
    std::string path = dir.File("out.ini");
    ASSERT_TRUE(WriteFileAtomic(path, "first\r\n"));
    EXPECT_EQ(TempDir::Read(path), "first\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);

    std::string big(3 << 20, 'k');
    ASSERT_TRUE(WriteFileAtomic(path, big));
    EXPECT_EQ(TempDir::Read(path), big);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomic(path, ""));
    EXPECT_EQ(fs::file_size(path), 0u);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"out.ini"});
}

TEST(WriteFileAtomic, FailureLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    std::string path = dir.Write("keep.cfg", "old contents\r\n");
    {
        FileSizeLimit limit(8);
        EXPECT_FALSE(WriteFileAtomic(path, "new contents that do not fit\r\n"));
    }
    EXPECT_EQ(TempDir::Read(path), "old contents\r\n");
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"keep.cfg"});

    // Onto a folder, into a missing folder, through a file, with no name at all.
    fs::create_directory(dir.File("folder"));
    EXPECT_FALSE(WriteFileAtomic(dir.File("folder"), "x"));
    EXPECT_TRUE(fs::is_directory(dir.File("folder")));
    EXPECT_FALSE(WriteFileAtomic(dir.File("missing/x.ini"), "x"));
    EXPECT_FALSE(WriteFileAtomic(path + "/x.ini", "x"));
    EXPECT_FALSE(WriteFileAtomic("", "x"));
    EXPECT_FALSE(WriteFileAtomic(dir.Path() + "/", "x"));
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"folder", "keep.cfg"}));
}

TEST(AtomicFile, StreamsAndCommits) {
    TempDir dir;
    std::string path = dir.Write("mame.dat", "old");
    {
        AtomicFile f(path);
        ASSERT_TRUE(f.IsOpen());
        EXPECT_TRUE(f.Write("game ( name pacman )\n"));
        EXPECT_TRUE(f.Write(""));
        EXPECT_TRUE(f.Write("game ( name mspacman )\n"));
        EXPECT_EQ(TempDir::Read(path), "old");  // nothing shows before the commit
        EXPECT_EQ(Entries(dir.Path()).size(), 2u);
        EXPECT_TRUE(f.Commit());
        EXPECT_FALSE(f.Write("more"));
        EXPECT_FALSE(f.Commit());
    }
    EXPECT_EQ(TempDir::Read(path), "game ( name pacman )\ngame ( name mspacman )\n");
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"mame.dat"});
}

TEST(AtomicFile, UncommittedFileIsDropped) {
    TempDir dir;
    std::string path = dir.Write("mame.dat", "old");
    {
        AtomicFile f(path);
        ASSERT_TRUE(f.IsOpen());
        f.Write("half a list");
    }
    EXPECT_EQ(TempDir::Read(path), "old");
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"mame.dat"});

    AtomicFile nowhere(dir.File("missing/mame.dat"));
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_FALSE(nowhere.Write("x"));
    EXPECT_FALSE(nowhere.Commit());
}

TEST(System, LinuxAnswers) {
    TempDir dir;
    std::string file = dir.Write("with space.txt", "");
    EXPECT_FALSE(IsWindowsNT());
    EXPECT_EQ(GetWindowsFolder(), "");
    EXPECT_EQ(GetShortName(file), file);
    EXPECT_EQ(GetShortName(dir.Path()), dir.Path());
    EXPECT_EQ(GetShortName(dir.File("missing.txt")), "");
    EXPECT_EQ(GetShortName(dir.File("*.txt")), "");
    EXPECT_EQ(GetShortName(""), "");
}
