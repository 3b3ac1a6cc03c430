#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST(SafeWrites, LinksAreWrittenThroughAndOtherEntriesLeftAlone) {
    for (const bool staged : {false, true}) {
        SCOPED_TRACE(staged ? "staged" : "one file");
        TempDir dir;
        const std::string shared = dir.Write("shared/mame.ini", "old\r\n");
        fs::create_symlink("shared/mame.ini", dir.File("hop.ini"));
        fs::create_symlink("hop.ini", dir.File("link.ini"));
        fs::create_symlink(dir.File("shared/gone.ini"), dir.File("dangling.ini"));
        fs::create_directory(dir.File("folder.ini"));
        ASSERT_EQ(mkfifo(dir.File("fifo.ini").c_str(), 0600), 0);
        const std::set<std::string> entries = Entries(dir.Path());
        struct Row { std::string name; std::error_code error; };
        const Row rows[] = {{"link.ini", {}},
                            {"dangling.ini", FileWriteError::DanglingLink},
                            {"folder.ini", std::make_error_code(std::errc::is_a_directory)},
                            {"fifo.ini", FileWriteError::DeviceRefused}};
        for (const Row& r : rows) {
            std::error_code why;
            if (staged) {
                StagedWrites writes;
                why = writes.Stage(dir.File(r.name), "new\r\n");
                if (!why) {
                    EXPECT_EQ(TempDir::Read(shared), "old\r\n");  // nothing shows before the commit
                    why = writes.CommitAll().at(0);
                }
            } else {
                EXPECT_EQ(WriteFileAtomic(dir.File(r.name), "new\r\n", &why, DeviceWrites::Refused), !r.error);
            }
            EXPECT_EQ(why, r.error) << r.name << ": " << why.message();
        }
        EXPECT_EQ(TempDir::Read(shared), "new\r\n");
        EXPECT_TRUE(fs::is_symlink(dir.File("link.ini")) && fs::is_symlink(dir.File("hop.ini")));
        EXPECT_TRUE(fs::is_symlink(dir.File("dangling.ini")) && !fs::exists(dir.File("shared/gone.ini")));
        EXPECT_TRUE(fs::is_directory(dir.File("folder.ini")) && fs::is_fifo(dir.File("fifo.ini")));
        EXPECT_EQ(Entries(dir.Path()), entries);
        EXPECT_EQ(Entries(dir.File("shared")), std::set<std::string>{"mame.ini"});
    }
}

TEST(SafeWrites, AStagedFileThatHoldsTheBytesAlreadyIsLeftAsItIs) {
    TempDir dir;
    // bytes already there, bytes of the same length that differ, a longer and a shorter text
    const std::pair<std::string, bool> rows[] = {{"ror 1\r\n", true}, {"rol 1\r\n", false},
                                                 {"ror 1\r\nx", false}, {"ror 1", false}};
    for (const auto& [bytes, kept] : rows) {
        const std::string path = dir.Write("pacman.ini", "ror 1\r\n");
        const auto inode = [&path] { struct stat st {}; stat(path.c_str(), &st); return st.st_ino; };
        const auto before = inode();
        StagedWrites writes;
        EXPECT_FALSE(writes.Stage(path, bytes));
        EXPECT_FALSE(writes.CommitAll().at(0));
        EXPECT_EQ(TempDir::Read(path), bytes);
        EXPECT_EQ(inode() == before, kept) << bytes;
        EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"pacman.ini"});
    }
}

TEST(SafeWrites, AFifoIsWrittenIntoAndStaysAFifo) {
    TempDir dir;
    const std::string fifo = dir.File("mame.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // so that the writer need not wait
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomic(fifo, "game (\r\n"));
    char buffer[64];
    const ssize_t got = read(reader, buffer, sizeof buffer);
    close(reader);
    EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), "game (\r\n");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"mame.dat"});
}

TEST(SafeWrites, TemporaryFilesOfRunsThatAreGoneAreRemoved) {
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    const std::string dead = std::to_string(gone), self = std::to_string(getpid());
    // name, whether the next write into the folder leaves it
    const std::pair<std::string, bool> rows[] = {
        {".kelvaro.cfg.kelvaro-tmp-" + dead + "-3", false},
        {".pacman.ini.kelvaro-tmp-" + dead + "-12", false},
        {".kelvaro.cfg.kelvaro-tmp-" + self + "-3", true},  // a run that is still there
        {"kelvaro.cfg.kelvaro-tmp-" + dead + "-3", true},   // not a name of ours
        {".kelvaro.cfg.kelvaro-tmp-" + dead + "-3x", true},
        {".kelvaro-tmp-" + dead + "-3", true},
    };
    for (const bool staged : {false, true}) {
        TempDir dir;
        std::set<std::string> left = {"kelvaro.cfg"};
        for (const auto& [name, stays] : rows) {
            dir.Write(name, "half");
            if (stays) left.insert(name);
        }
        StagedWrites writes;
        EXPECT_TRUE(staged ? !writes.Stage(dir.File("kelvaro.cfg"), "x") && !writes.CommitAll()[0]
                           : WriteFileAtomic(dir.File("kelvaro.cfg"), "x"));
        EXPECT_EQ(Entries(dir.Path()), left) << staged;
    }
}
