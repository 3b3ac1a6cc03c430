// The test run: a stand-in emulator records what it finds, and the INI folder is restored.
#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "Environment.h"
#include "FileSizeLimit.h"
#include "Fixtures.h"
#include "FolderHeld.h"
#include "Standin.h"
#include "TempDir.h"
#include "core/SettingsFile.h"
#include "ini/IniFiles.h"
#include "ini/TestRun.h"
#include "ini/TestRunRecord.h"
#include "platform/Interrupts.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// The game's INI file as named on disk and given to the emulator: the emulator's lower-case
// spelling where file names are case-sensitive, the game list's own on Windows.
#ifdef _WIN32
const std::string kName = "PACMAN";
#else
const std::string kName = "pacman";
#endif

// An emulator folder "emu" with its INI folder "emu/ini" and a stand-in that, started with a game
// name, notes its working folder and arguments and keeps the INI folder's entries and the game's
// INI file as it finds them relative to its working folder.
class TestRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(t.File("emu/ini"));
        const std::string seen = t.File("seen");
        fs::create_directories(seen);
        exe = Standin(t, "emu/mame",
                      "note " + seen + "/ran\nlist ini " + seen + "/entries\ncopy ini/$1.ini " + seen +
                          "/ini\nsay Parsing $1.ini\nto err\nsay a.1 NOT FOUND\nexit 3\n");
        m.Games.Add(fixtures::Game("PACMAN", "224", "288", "60.606061", "V", "resolution 640x480|ror 1", "PUCKMAN"));
        m.Config.MameExePath = exe;
        m.Config.MameINIPath = t.File("emu/ini");
    }

    // What the emulator saw, and whether it ran at all since the last call.
    std::string Seen(const std::string& name) const { return TempDir::Read(t.File("seen/" + name)); }
    bool EmulatorRan() const { return fs::remove(t.File("seen/ran")); }
    std::set<std::string> IniEntries() const { return fixtures::Entries(t.File("emu/ini")); }

    TempDir t;
    Model m;
    std::string exe;
};

} // namespace

TEST_F(TestRunTest, RunsOnTheGamesFileAndLeavesTheFolderAsItWas) {
    // No file beforehand: neither file nor backup afterwards.
    m.Games[1].GameINIText = "resolution auto";
    const TestRunResult ran = TestRunGame(m, 1, [] {});
    EXPECT_EQ(ran.Status, TestRunOutcome::Ran);
    EXPECT_EQ(ran.Output + ran.Errors + std::to_string(ran.Exit.ExitCode),
              "Parsing " + kName + ".ini\na.1 NOT FOUND\n3");
    EXPECT_EQ(Seen("ran") + Seen("ini"), t.File("emu") + "|" + kName + " -verbose\nresolution auto\r\n");
    EXPECT_TRUE(IniEntries().empty());

    // A file beforehand is back byte for byte; backups already there are never replaced.
    const std::string original = std::string("resolution 800x600\nmine\r\n\x01\xff", 27);
    t.Write("emu/ini/pacman.ini", original);
    m.Games[1].GameINIText = "resolution 640x480|ror 1";
    for (const std::string& bak : {kName + ".bak", kName + ".bak2"}) {
        EXPECT_EQ(TestRunGame(m, 1).Status, TestRunOutcome::Ran);
        EXPECT_EQ(Seen("ini"), "resolution 640x480\r\nror 1\r\n");
        EXPECT_NE(("\n" + Seen("entries")).find("\n" + bak + "\n"), std::string::npos) << Seen("entries");
        EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.ini")), original);
        t.Write("emu/ini/pacman.bak", "an old backup\r\n");
        t.Write("emu/ini/pacman.bak1", "another\r\n");
    }
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.bak")), "an old backup\r\n");
    EXPECT_EQ(IniEntries(), (std::set<std::string>{kName + ".ini", "pacman.bak", "pacman.bak1"}));
}

TEST_F(TestRunTest, NothingRunsWithoutEmulatorOrUsableIniFileAndTheOriginalStays) {
    t.Write("plain-file", "x");
    t.Write("emu/x.ini", "outside\r\n");
    for (const std::string& path : {t.File("emu/missing"), t.File("emu")}) {
        m.Config.MameExePath = path;
        EXPECT_EQ(TestRunGame(m, 1).Status, TestRunOutcome::NoEmulator) << path;
    }
    m.Config.MameExePath = exe;
    for (const std::string& folder : {t.File("plain-file/ini"), std::string()}) {
        m.Config.MameINIPath = folder;
        EXPECT_EQ(TestRunGame(m, 1).Status, TestRunOutcome::NotPrepared) << folder;
    }
    m.Config.MameINIPath = t.File("emu/ini");
    fs::create_directory(t.File("emu/ini/pacman.ini"));
    EXPECT_EQ(TestRunGame(m, 1).Status, TestRunOutcome::NotPrepared);
    EXPECT_TRUE(fs::is_directory(t.File("emu/ini/pacman.ini")));
    fs::remove(t.File("emu/ini/pacman.ini"));
#ifndef _WIN32
    // A FIFO of the game's name is no INI file: never written into, nor moved away.
    ASSERT_EQ(mkfifo(t.File("emu/ini/pacman.ini").c_str(), 0600), 0);
    EXPECT_EQ(TestRunGame(m, 1).Why.Reason(),
              "cannot write " + t.File("emu/ini/pacman.ini") + ": A device or FIFO, not a file");
    EXPECT_TRUE(fs::is_fifo(t.File("emu/ini/pacman.ini")));
    fs::remove(t.File("emu/ini/pacman.ini"));
#endif
    {
        FolderHeld other(t.File("emu/ini"));
        const TestRunResult r = TestRunGame(m, 1, {}, std::chrono::milliseconds(50));
        EXPECT_EQ(r.Status, TestRunOutcome::FolderInUse);
#ifdef _WIN32
        EXPECT_EQ(r.Why.Reason(), "The INI folder is in use by another Kelvaro."); // no process id there
#else
        EXPECT_EQ(r.Why.Reason(),
                  "The INI folder is in use by another Kelvaro (process " + std::to_string(other.Pid()) + ").");
#endif
    }
    m.Games[1].GameRomName = "../X";
    EXPECT_EQ(TestRunGame(m, 1).Status, TestRunOutcome::NotPrepared);
    EXPECT_EQ(TestRunGame(m, 1).Why.Reason(), "\"../X\" cannot be a file name");

    EXPECT_EQ(TempDir::Read(t.File("emu/x.ini")), "outside\r\n");
    EXPECT_TRUE(IniEntries().empty());

    m.Games[1].GameRomName = "PACMAN";
    t.Write("emu/ini/pacman.ini", "mine\r\n");
#ifndef _WIN32
    // The write fails once the user's file is out of the way (a full disk, even for the superuser).
    m.Games[1].GameINIText = "resolution 640x480|" + std::string(4096, 'x');
    TestRunResult result;
    {
        FileSizeLimit limit(1024);
        result = TestRunGame(m, 1);
    }
    EXPECT_EQ(result.Status, TestRunOutcome::NotPrepared);
    EXPECT_EQ(result.Why.Reason(), "cannot write " + t.File("emu/ini/pacman.ini") + ": File too large");
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.ini")), "mine\r\n");
    if (PermissionsStopUs()) {
        fs::permissions(t.File("emu/ini"), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(TestRunGame(m, 1).Status, TestRunOutcome::NotPrepared);
        fs::permissions(t.File("emu/ini"), fs::perms::owner_all);
    }
#endif
    EXPECT_FALSE(EmulatorRan());
    // An emulator that cannot start still leads to the restore.
#ifdef _WIN32
    t.Write("emu/mame.exe", "not a program");
    const std::string whyNot = "cannot run " + exe + ": "; // then Windows' own words for it
#else
    fs::permissions(exe, fs::perms::owner_read | fs::perms::owner_write);
    const std::string whyNot = "cannot run " + exe + ": Permission denied";
#endif
    const TestRunResult notStarted = TestRunGame(m, 1);
    EXPECT_EQ(notStarted.Status, TestRunOutcome::Ran);
#ifdef _WIN32
    EXPECT_EQ(notStarted.Why.Reason().substr(0, whyNot.size()), whyNot);
#else
    EXPECT_EQ(notStarted.Why.Reason(), whyNot);
#endif
    EXPECT_FALSE(EmulatorRan());
    EXPECT_EQ(TempDir::Read(t.File("emu/ini/pacman.ini")), "mine\r\n");
    EXPECT_EQ(IniEntries(), std::set<std::string>{kName + ".ini"});
}

#ifndef _WIN32
// The program ended while the emulator runs: a signal it can catch puts the user's file back at
// once; a kill leaves it aside, and the next run in the folder puts it back or, when the game's
// file changed since, leaves both and says so.
TEST_F(TestRunTest, AnEndedRunGivesTheUsersFileBack) {
    const std::string ini = t.File("emu/ini/pacman.ini"), bak = t.File("emu/ini/pacman.bak");
    t.Write("emu/ini/pacman.ini", "mine\r\n");
    auto runEndedBy = [&](int signal) {
        Standin(t, "emu/mame", "signal-parent " + std::to_string(signal) + "\nwait 1\n");
        const pid_t child = fork();
        if (child == 0) {
            InstallInterruptCleanup();
            TestRunGame(m, 1);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    };
    EXPECT_EQ(runEndedBy(SIGTERM), SIGTERM);
    EXPECT_EQ(TempDir::Read(ini), "mine\r\n");
    EXPECT_EQ(IniEntries(), std::set<std::string>{"pacman.ini"});

    EXPECT_EQ(runEndedBy(SIGKILL), SIGKILL);
    EXPECT_EQ(TempDir::Read(ini), "resolution 640x480\r\nror 1\r\n");
    EXPECT_EQ(RestoreLeftTestRunNow(t.File("emu/ini")),
              ini + " was put back from " + bak + ", where a test run that did not end had left it.");
    EXPECT_EQ(TempDir::Read(ini), "mine\r\n");
    EXPECT_EQ(IniEntries(), std::set<std::string>{"pacman.ini"});

    EXPECT_EQ(runEndedBy(SIGKILL), SIGKILL);
    t.Write("emu/ini/pacman.ini", "edited\r\n");
    EXPECT_EQ(RestoreLeftTestRunNow(t.File("emu/ini")),
              "A test run that did not end left " + ini + " as " + bak +
                  ", and pacman.ini has changed since: both are left as they are.");
    EXPECT_EQ(TempDir::Read(bak), "mine\r\n");
    EXPECT_EQ(IniEntries(), (std::set<std::string>{"pacman.bak", "pacman.ini"}));
    EXPECT_EQ(RestoreLeftTestRunNow(t.File("emu/ini")), "");

    // Without a file beforehand, the next test run removes the test's file first.
    fs::remove(ini);
    fs::remove(bak);
    EXPECT_EQ(runEndedBy(SIGKILL), SIGKILL);
    Standin(t, "emu/mame", "exit 0\n");
    EXPECT_EQ(TestRunGame(m, 1).RestoredFirst, "The INI file " + ini + " of a test run that did not end was removed.");
    EXPECT_TRUE(IniEntries().empty());
}
#endif

// A user's folders may be named in any language and hold spaces (on Windows outside the system's
// code page too): the game's INI file is written there and the emulator, run from there, finds
// it; the folder is read back; the settings file is kept there.
TEST(AnyFolderName, IniFilesTheEmulatorAndTheSettings) {
    TempDir t;
    const std::string base = "Zoë ゲーム", emu = t.File(base + "/emu"), ini = t.File(base + "/emu/ini"),
                      seen = t.File(base + "/seen");
    fs::create_directories(FsPath(ini));
    fs::create_directories(FsPath(seen));
    Model m;
    m.Config.MameExePath = Standin(t, base + "/emu/mame", "note " + seen + "/ran\ncopy ini/$1.ini " + seen + "/ini\n");
    m.Config.MameINIPath = ini;
    m.Paths.DataFolder = t.File(base);
    m.Games.Add(fixtures::Game("PACMAN", "224", "288", "60.606061", "V", "resolution 640x480|ror 1"));
    const TestRunResult ran = TestRunGame(m, 1);
    EXPECT_EQ(ran.Status, TestRunOutcome::Ran) << ran.Why.Reason();
    EXPECT_EQ(TempDir::Read(seen + "/ran") + TempDir::Read(seen + "/ini"),
              emu + "|" + kName + " -verbose\nresolution 640x480\r\nror 1\r\n");

    t.Write(base + "/emu/ini/pacman.ini", "resolution 320x240\r\nrol 1\r\n");
    m.NativeModes.Add(NativeModeRow{"224", "288", "60.606061", "V"});
    m.AvailModes.Add(fixtures::Mode("320", "240", "60"));
    ProgressSink quiet;
    EXPECT_EQ(ReadExistingINIFiles(m, quiet), ReadIniOutcome::Read);
    EXPECT_EQ(m.Games[1].GameINIText + " " + m.Games[1].GameModeWidth, "resolution 320x240|rol 1 320");

    ASSERT_TRUE(SaveSettings(m));
    Model again;
    again.Paths.DataFolder = m.Paths.DataFolder;
    ASSERT_TRUE(LoadSettings(again));
    EXPECT_EQ(again.Config.MameINIPath, ini);
    EXPECT_EQ(fixtures::Entries(t.File(base)), (std::set<std::string>{"emu", "kelvaro.cfg", "seen"}));
}
