#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FileSizeLimit.h"
#include "Fixtures.h"
#include "TempDir.h"
#include "platform/Files.h"

using namespace kelvaro;
using fixtures::Entries;
namespace fs = std::filesystem;

TEST(FileExists, FilesFoldersLinksAndWildcards) {
    TempDir dir;
    dir.Write("pacman.ini", "x");
    dir.Write(".hidden", "");
    dir.Write("a[1].cfg", "");
    fs::create_directory(dir.File("roms.d"));
    fs::create_symlink(dir.File("pacman.ini"), dir.File("link.txt"));
    fs::create_symlink(dir.File("gone.txt"), dir.File("dangling.txt"));
    fs::create_directory_symlink(dir.Path(), dir.File("folderlink"));
    // path, found as a file, found as a file or folder
    struct Row { std::string path; bool file; bool fileOrFolder; };
    const Row rows[] = {
        {"", false, false}, {dir.File("pacman.ini"), true, true}, {dir.File("missing.ini"), false, false},
        {dir.File("pacman.ini/x"), false, false},
        {dir.File("roms.d"), false, true}, {dir.Path() + "/", false, true}, {"/dev/null", false, false},
        {dir.File("link.txt"), true, true}, {dir.File("dangling.txt"), false, false},
        {dir.File("folderlink"), false, true},
        // wildcards match any entry in the last part of the path, hidden ones included
        {dir.File("*.ini"), true, true}, {dir.File("p?cman.ini"), true, true}, {dir.File("?pacman.ini"), false, false},
        {dir.File(".h*"), true, true}, {dir.File("a[1].*"), true, true}, {dir.File("a1.*"), false, false},
        {dir.File("*.d"), false, true}, {dir.File("nowhere/*"), false, false},
        {dir.File("*/pacman.ini"), false, false}};
    for (const Row& r : rows) {
        EXPECT_EQ(FileExists(r.path, false), r.file) << r.path;
        EXPECT_EQ(FileExists(r.path, true), r.fileOrFolder) << r.path;
    }
}

TEST(ReadWholeFile, BytesExactly) {
    TempDir dir;
    std::string bytes("line\r\nwith\0nul\n\xff", 16);
    EXPECT_EQ(ReadWholeFile(dir.Write("f.bin", bytes)), bytes);
    EXPECT_EQ(ReadWholeFile(dir.Write("empty", "")), "");
    for (std::string bad : {dir.File("missing"), dir.Path(), std::string()})
        EXPECT_FALSE(ReadWholeFile(bad).has_value()) << bad;
}

TEST(WriteFileAtomic, ReplacesWholeOrNotAtAll) {
    TempDir dir;
    std::string path = dir.File("keep.cfg");
    ASSERT_TRUE(WriteFileAtomic(path, "first\r\n"));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    std::string big(3 << 20, 'k');
    ASSERT_TRUE(WriteFileAtomic(path, big));
    EXPECT_EQ(TempDir::Read(path), big);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomic(path, "old contents\r\n"));
    {
        FileSizeLimit limit(8);
        EXPECT_FALSE(WriteFileAtomic(path, "new contents that do not fit\r\n"));
    }
    EXPECT_EQ(TempDir::Read(path), "old contents\r\n");
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"keep.cfg"});  // no temporary file left

    // Onto a folder, into a missing folder, through a file, with no name at all.
    fs::create_directory(dir.File("folder"));
    for (std::string bad : {dir.File("folder"), dir.File("missing/x.ini"), path + "/x.ini", std::string(),
                            dir.Path() + "/"})
        EXPECT_FALSE(WriteFileAtomic(bad, "x")) << bad;
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"folder", "keep.cfg"}));
}

TEST(AtomicFile, ShowsNothingBeforeTheCommit) {
    TempDir dir;
    std::string path = dir.Write("mame.dat", "old");
    {
        AtomicFile f(path);
        EXPECT_TRUE(f.Write("game ( name pacman )\n"));
        EXPECT_TRUE(f.Write("game ( name mspacman )\n"));
        EXPECT_EQ(TempDir::Read(path), "old");
        EXPECT_TRUE(f.Commit());
    }
    EXPECT_EQ(TempDir::Read(path), "game ( name pacman )\ngame ( name mspacman )\n");
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"mame.dat"});
}
