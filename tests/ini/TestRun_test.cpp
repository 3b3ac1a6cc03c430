// The test run: a stand-in emulator records what it finds, and the INI folder is restored.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

#include "IniFixtures.h"
#include "TempDir.h"
#include "ini/TestRun.h"

using namespace kelvaro;
using namespace inifixtures;
namespace fs = std::filesystem;

namespace {

// An emulator folder "emu" with its INI folder "emu/ini" and a script that, started with a game
// name, records its arguments, its working folder, the INI folder's entries and the game's INI
// file as it finds them relative to its working folder.
class TestRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(t.File("emu/ini"));
        fs::create_directories(t.File("seen"));
        const std::string seen = t.File("seen");
        const std::string script = "#!/bin/sh\n"
                                   "printf '%s\\n' \"$@\" > '" + seen + "/args'\n"
                                   "pwd > '" + seen + "/cwd'\n"
                                   "ls -a ini > '" + seen + "/entries'\n"
                                   "cp \"ini/$1.ini\" '" + seen + "/ini'\n"
                                   "exit 3\n";
        t.Write("emu/mame", script);
        fs::permissions(t.File("emu/mame"), fs::perms::owner_all);
        m.Games.Add(Game("PACMAN", "PUCKMAN", "224", "288", "60.606061", "V", "resolution 640x480|ror 1"));
        m.S.MameExePath = t.File("emu/mame");
        m.S.MameINIPath = t.File("emu/ini");
        m.MameFolder = t.File("emu");
    }

    bool EmulatorRan() const { return fs::exists(t.File("seen/args")); }
    std::string Seen(const std::string& name) const { return TempDir::Read(t.File("seen/" + name)); }
    std::set<std::string> IniEntries() const { return Entries(t.File("emu/ini")); }

    TempDir t;
    Model m;
};

} // namespace

TEST_F(TestRunTest, WithoutAnIniFileLeavesNeitherFileNorBackup) {
    EXPECT_EQ(TestRunGame(m, 1, [] {}), TestRunOutcome::Ran);
    EXPECT_EQ(Seen("args"), "pacman\n");
    EXPECT_EQ(Seen("cwd"), t.File("emu") + "\n");
    EXPECT_EQ(Seen("ini"), "resolution 640x480\r\nror 1\r\n");
    EXPECT_TRUE(IniEntries().empty());

    m.Games[1].GameINIText = "resolution auto";
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::Ran);
    EXPECT_EQ(Seen("ini"), "resolution auto\r\n");
    m.Games[1].GameINIText = "";
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::Ran);
    EXPECT_TRUE(fs::exists(t.File("seen/ini")));
    EXPECT_EQ(Seen("ini"), "");
    EXPECT_TRUE(IniEntries().empty());
}

TEST_F(TestRunTest, ExistingIniFileIsBackedUpAndRestoredByteForByte) {
    const std::string original = std::string("resolution 800x600\nmine\r\n\x01\xff", 27);
    t.Write("emu/ini/pacman.ini", original);
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::Ran);
    EXPECT_EQ(Seen("ini"), "resolution 640x480\r\nror 1\r\n");
    EXPECT_NE(Seen("entries").find("pacman.bak\n"), std::string::npos);
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.ini")), original);
    EXPECT_EQ(IniEntries(), std::set<std::string>{"pacman.ini"});
}

TEST_F(TestRunTest, ExistingBackupsAreNeverReplaced) {
    t.Write("emu/ini/pacman.ini", "the user's file\r\n");
    t.Write("emu/ini/pacman.bak", "an old backup\r\n");
    t.Write("emu/ini/pacman.bak1", "another\r\n");
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::Ran);
    EXPECT_NE(Seen("entries").find("pacman.bak2\n"), std::string::npos);
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.ini")), "the user's file\r\n");
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.bak")), "an old backup\r\n");
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.bak1")), "another\r\n");
    EXPECT_EQ(IniEntries(), (std::set<std::string>{"pacman.ini", "pacman.bak", "pacman.bak1"}));
}

TEST_F(TestRunTest, EmulatorThatCannotStartStillRestores) {
    fs::permissions(t.File("emu/mame"), fs::perms::owner_read | fs::perms::owner_write);
    t.Write("emu/ini/pacman.ini", "mine\r\n");
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::Ran);
    EXPECT_FALSE(EmulatorRan());
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.ini")), "mine\r\n");
    EXPECT_EQ(IniEntries(), std::set<std::string>{"pacman.ini"});
}

TEST_F(TestRunTest, NothingRunsWithoutEmulatorOrUsableIniFile) {
    t.Write("plain-file", "x");
    t.Write("emu/x.ini", "outside\r\n");
    m.S.MameExePath = t.File("emu/missing");
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::NoEmulator);
    m.S.MameExePath = t.File("emu");  // a folder is no emulator
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::NoEmulator);
    m.S.MameExePath = t.File("emu/mame");

    for (const std::string& folder : {t.File("missing"), t.File("plain-file/ini"), std::string()}) {
        m.S.MameINIPath = folder;
        EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::NotPrepared) << folder;
    }
    m.S.MameINIPath = t.File("emu/ini");
    fs::create_directory(t.File("emu/ini/pacman.ini"));
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::NotPrepared);
    EXPECT_TRUE(fs::is_directory(t.File("emu/ini/pacman.ini")));
    fs::remove(t.File("emu/ini/pacman.ini"));
    EXPECT_EQ(TestRunGame(m, 2), TestRunOutcome::NotPrepared);  // no such game
    m.Games[1].GameRomName = "../X";
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::NotPrepared);

    EXPECT_EQ(TempDir::Read(t.File("emu/x.ini")), "outside\r\n");
    EXPECT_FALSE(EmulatorRan());
    EXPECT_TRUE(IniEntries().empty());
}

TEST_F(TestRunTest, ReadOnlyIniFolderKeepsTheOriginal) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    t.Write("emu/ini/pacman.ini", "mine\r\n");
    fs::permissions(t.File("emu/ini"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(TestRunGame(m, 1), TestRunOutcome::NotPrepared);
    fs::permissions(t.File("emu/ini"), fs::perms::owner_all);
    EXPECT_FALSE(EmulatorRan());
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.ini")), "mine\r\n");
    EXPECT_EQ(IniEntries(), std::set<std::string>{"pacman.ini"});
}

TEST_F(TestRunTest, FailedWriteAfterTheBackupPutsTheBackupBack) {
    // A file size limit makes the write fail once the user's file is out of the way, even for the
    // superuser.
    t.Write("emu/ini/pacman.ini", "mine\r\n");
    m.Games[1].GameINIText = "resolution 640x480|" + std::string(4096, 'x');
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    TestRunOutcome outcome = TestRunGame(m, 1);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(outcome, TestRunOutcome::NotPrepared);
    EXPECT_FALSE(EmulatorRan());
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.ini")), "mine\r\n");
    EXPECT_EQ(IniEntries(), std::set<std::string>{"pacman.ini"});
}

#endif // _WIN32
