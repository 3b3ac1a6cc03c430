#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "Fixtures.h"
#include "TempDir.h"
#include "platform/Files.h"
#include "platform/FolderLock.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace kelvaro;
using fixtures::Entries;
namespace fs = std::filesystem;

namespace {

// Which file a name stands for: it changes when a new file is renamed over the name.
std::uint64_t FileIdentity(const std::string& path) {
#ifdef _WIN32
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    if (h != INVALID_HANDLE_VALUE) {
        GetFileInformationByHandle(h, &info);
        CloseHandle(h);
    }
    return (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
#else
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_ino;
#endif
}

} // namespace

TEST(FileExists, FilesFoldersLinksAndWildcards) {
    TempDir dir;
    dir.Write("pacman.ini", "x");
    dir.Write(".hidden", "");
    dir.Write("a[1].cfg", "");
    fs::create_directory(dir.File("roms.d"));
    // path, found as a file, found as a file or folder
    struct Row {
        std::string path;
        bool file;
        bool fileOrFolder;
    };
    std::vector<Row> rows = {{"", false, false},
                             {dir.File("pacman.ini"), true, true},
                             {dir.File("missing.ini"), false, false},
                             {dir.File("pacman.ini/x"), false, false},
                             {dir.File("roms.d"), false, true},
                             {dir.Path() + "/", false, true},
                             {"/dev/null", false, false},
                             // wildcards match any entry in the last part of the path, hidden ones included
                             {dir.File("*.ini"), true, true},
                             {dir.File("p?cman.ini"), true, true},
                             {dir.File("?pacman.ini"), false, false},
                             {dir.File(".h*"), true, true},
                             {dir.File("a[1].*"), true, true},
                             {dir.File("a1.*"), false, false},
                             {dir.File("*.d"), false, true},
                             {dir.File("nowhere/*"), false, false},
                             {dir.File("*/pacman.ini"), false, false}};
#ifndef _WIN32 // making symbolic links needs the developer mode on Windows
    fs::create_symlink(dir.File("pacman.ini"), dir.File("link.txt"));
    fs::create_symlink(dir.File("gone.txt"), dir.File("dangling.txt"));
    fs::create_directory_symlink(dir.Path(), dir.File("folderlink"));
    rows.insert(rows.end(), {{dir.File("link.txt"), true, true},
                             {dir.File("dangling.txt"), false, false},
                             {dir.File("folderlink"), false, true}});
#endif
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
    // (Windows keeps only whether a file is read-only: there, every class may read and write.)
    const fs::perms mine = fs::status(path).permissions();
    std::string big(3 << 20, 'k');
    ASSERT_TRUE(WriteFileAtomic(path, big));
    EXPECT_EQ(TempDir::Read(path), big);
    EXPECT_EQ(fs::status(path).permissions(), mine);
    ASSERT_TRUE(WriteFileAtomic(path, "old contents\r\n"));
    {
        FileSizeLimit limit(8);
        if (FileSizeLimit::Available) {
            EXPECT_FALSE(WriteFileAtomic(path, "new contents that do not fit\r\n"));
        }
    }
    EXPECT_EQ(TempDir::Read(path), "old contents\r\n");
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"keep.cfg"}); // no temporary file left

    // Onto a folder, into a missing folder, through a file, with no name at all.
    fs::create_directory(dir.File("folder"));
    for (std::string bad :
         {dir.File("folder"), dir.File("missing/x.ini"), path + "/x.ini", std::string(), dir.Path() + "/"})
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
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs, and making symbolic links needs the developer mode there";
#else
    for (const bool staged : {false, true}) {
        SCOPED_TRACE(staged ? "staged" : "one file");
        TempDir dir;
        const std::string shared = dir.Write("shared/mame.ini", "old\r\n");
        fs::create_symlink("shared/mame.ini", dir.File("hop.ini"));
        fs::create_symlink("hop.ini", dir.File("link.ini"));
        fs::create_symlink(dir.File("shared/gone.ini"), dir.File("dangling.ini"));
        const std::string notes = dir.Write("notes.txt", "my notes\r\n");
        const std::string upper = dir.Write("shared/SF2.INI", "old\r\n");
        fs::create_symlink(notes, dir.File("sf2.ini"));
        fs::create_symlink("shared/SF2.INI", dir.File("upper.ini"));
        fs::create_directory(dir.File("folder.ini"));
        ASSERT_EQ(mkfifo(dir.File("fifo.ini").c_str(), 0600), 0);
        const std::set<std::string> entries = Entries(dir.Path());
        struct Row {
            std::string name;
            std::error_code error;
        };
        const Row rows[] = {{"link.ini", {}},
                            {"upper.ini", {}},
                            {"sf2.ini", FileWriteError::LinkToOther},
                            {"dangling.ini", FileWriteError::DanglingLink},
                            {"folder.ini", std::make_error_code(std::errc::is_a_directory)},
                            {"fifo.ini", FileWriteError::DeviceRefused}};
        for (const Row& r : rows) {
            std::error_code why;
            if (staged) {
                StagedWrites writes;
                why = writes.Stage(dir.File(r.name), "new\r\n");
                if (!why) {
                    EXPECT_EQ(TempDir::Read(dir.File(r.name)), "old\r\n"); // nothing shows before the commit
                    why = writes.CommitAll().at(0);
                }
            } else {
                EXPECT_EQ(WriteFileAtomic(dir.File(r.name), "new\r\n", &why, DeviceWrites::Refused), !r.error);
            }
            EXPECT_EQ(why, r.error) << r.name << ": " << why.message();
        }
        EXPECT_EQ(TempDir::Read(shared), "new\r\n");
        EXPECT_EQ(TempDir::Read(upper), "new\r\n");
        EXPECT_EQ(TempDir::Read(notes), "my notes\r\n");
        EXPECT_TRUE(fs::is_symlink(dir.File("link.ini")) && fs::is_symlink(dir.File("hop.ini")));
        EXPECT_TRUE(fs::is_symlink(dir.File("dangling.ini")) && !fs::exists(dir.File("shared/gone.ini")));
        EXPECT_TRUE(fs::is_directory(dir.File("folder.ini")) && fs::is_fifo(dir.File("fifo.ini")));
        EXPECT_EQ(Entries(dir.Path()), entries);
        EXPECT_EQ(Entries(dir.File("shared")), (std::set<std::string>{"SF2.INI", "mame.ini"}));
    }
#endif
}

TEST(SafeWrites, AStagedFileThatHoldsTheBytesAlreadyIsLeftAsItIs) {
    TempDir dir;
    // bytes already there, bytes of the same length that differ, a longer and a shorter text
    const std::pair<std::string, bool> rows[] = {
        {"ror 1\r\n", true}, {"rol 1\r\n", false}, {"ror 1\r\nx", false}, {"ror 1", false}};
    for (const auto& [bytes, kept] : rows) {
        const std::string path = dir.Write("pacman.ini", "ror 1\r\n");
        const auto inode = [&path] { return FileIdentity(path); };
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
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs in its file system";
#else
    TempDir dir;
    const std::string fifo = dir.File("mame.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK); // so that the writer need not wait
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomic(fifo, "game (\r\n"));
    char buffer[64];
    const ssize_t got = read(reader, buffer, sizeof buffer);
    close(reader);
    EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), "game (\r\n");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"mame.dat"});
#endif
}

TEST(SafeWrites, TemporaryFilesOfRunsThatAreGoneAreRemoved) {
#ifdef _WIN32
    GTEST_SKIP() << "the process that is gone is made with fork, which Windows has not";
#else
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    const std::string dead = std::to_string(gone), self = std::to_string(getpid());
    // name, whether the next write into the folder leaves it
    const std::pair<std::string, bool> rows[] = {
        {".kelvaro.cfg.kelvaro-tmp-" + dead + "-3", false}, {".pacman.ini.kelvaro-tmp-" + dead + "-12", false},
        {".kelvaro.cfg.kelvaro-tmp-" + self + "-3", true}, // a run that is still there
        {"kelvaro.cfg.kelvaro-tmp-" + dead + "-3", true},  // not a name of ours
        {".kelvaro.cfg.kelvaro-tmp-" + dead + "-3x", true}, {".kelvaro-tmp-" + dead + "-3", true},
    };
    // a write of one file, a staged write, and taking the folder's lock without writing anything
    for (const int way : {0, 1, 2}) {
        TempDir dir;
        std::set<std::string> left = {"kelvaro.cfg"};
        dir.Write("kelvaro.cfg", "x");
        for (const auto& [name, stays] : rows) {
            dir.Write(name, "half");
            if (stays) left.insert(name);
        }
        StagedWrites writes;
        if (way == 2) {
            FolderLock lock(dir.Path(), std::chrono::milliseconds(0));
            EXPECT_FALSE(lock.Busy());
        } else {
            EXPECT_TRUE(way == 1 ? !writes.Stage(dir.File("kelvaro.cfg"), "y") && !writes.CommitAll()[0]
                                 : WriteFileAtomic(dir.File("kelvaro.cfg"), "y"));
        }
        EXPECT_EQ(Entries(dir.Path()), left) << way;
    }
#endif
}

TEST(SafeWrites, AReplacedFileKeepsItsOwnerAndModeOrIsLeftAlone) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps a file's access rules from its folder and has no owner to give";
#else
    if (getuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
    const uid_t nobody = 65534;
    for (const bool staged : {false, true}) {
        SCOPED_TRACE(staged ? "staged" : "one file");
        TempDir dir;
        const std::string path = dir.Write("sf2.ini", "old\r\n");
        ASSERT_EQ(chown(path.c_str(), nobody, nobody), 0);
        ASSERT_EQ(chmod(path.c_str(), 0600), 0);
        StagedWrites writes;
        ASSERT_TRUE(staged ? !writes.Stage(path, "new\r\n") && !writes.CommitAll()[0]
                           : WriteFileAtomic(path, "new\r\n"));
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(TempDir::Read(path), "new\r\n");
        EXPECT_EQ(st.st_uid, nobody);
        EXPECT_EQ(st.st_gid, nobody);
        EXPECT_EQ(st.st_mode & 07777, 0600u);

        // A user who may write root's file but cannot give a new one to root leaves it as it is.
        ASSERT_EQ(chown(path.c_str(), 0, 0), 0);
        ASSERT_EQ(chmod(path.c_str(), 0666), 0);
        ASSERT_EQ(chmod(dir.Path().c_str(), 0777), 0);
        const pid_t child = fork();
        if (child == 0) {
            if (setgid(nobody) != 0 || setuid(nobody) != 0) _exit(3);
            std::error_code why;
            StagedWrites as;
            if (staged)
                why = as.Stage(path, "other\r\n");
            else
                WriteFileAtomic(path, "other\r\n", &why);
            _exit(why == FileWriteError::OwnerNotKept ? 0 : 1);
        }
        int status = -1;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(TempDir::Read(path), "new\r\n");
        EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"sf2.ini"});
    }
#endif
}
