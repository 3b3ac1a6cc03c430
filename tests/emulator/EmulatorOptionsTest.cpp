// The emulator's options: its -showconfig lines, its search paths, stand-in emulators that answer
// oddly or not at all, and the cache that asks again only when a file changed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "Environment.h"
#include "Standin.h"
#include "TempDir.h"
#include "emulator/EmulatorOptions.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

TEST(EmulatorOptions, OptionLinesAndSearchPathsAsTheEmulatorReadsThem) {
    const OptionValues values = ReadOptionLines(
        "# CORE\r\n  switchres   0\n\twindow\t1  # in a window\nswitchres 1\nname-alone\nstate                     \n"
        "rompath \"/my roms;roms\"\nsnapname \"%g # %i\"\nbgfx \"unclosed\n");
    const OptionValues expected = {{"switchres", "1"},           {"window", "1"},         {"state", ""},
                                   {"rompath", "/my roms;roms"}, {"snapname", "%g # %i"}, {"bgfx", "unclosed"}};
    EXPECT_EQ(values, expected);

    SetEnv("HOME", "/home/ann");
    SetEnv("KELVARO_TEST_DIR", "/data");
    SetEnv("KELVARO_TEST_UNSET", nullptr);
#ifdef _WIN32
    // Windows' rule: %NAME% in any case; an unset one, "~" and "$" stay as written. The default
    // inipath starts beside mame.exe, the working folder.
    SetEnv("KELVARO_TEST_DIR", "D:\\data");
    const std::vector<std::string> folders = ExpandSearchPath(
        "%KELVARO_TEST_DIR%\\mame;%kelvaro_test_dir%/a;%KELVARO_TEST_UNSET%\\x;100%;~/ini;$HOME;.;ini/presets;%%;C:\\",
        "C:\\emu");
    const std::vector<std::string> expectedFolders = {"D:\\data\\mame",
                                                      "D:\\data\\a",
                                                      "C:\\emu\\%KELVARO_TEST_UNSET%\\x",
                                                      "C:\\emu\\100%",
                                                      "C:\\emu\\~\\ini",
                                                      "C:\\emu\\$HOME",
                                                      "C:\\emu",
                                                      "C:\\emu\\ini\\presets",
                                                      "C:\\emu\\%%",
                                                      "C:\\"};
#else
    const std::vector<std::string> folders = ExpandSearchPath(
        "$HOME/.mame;;~/ini/;~ann/x;${KELVARO_TEST_DIR}/a$KELVARO_TEST_DIR;$KELVARO_TEST_UNSET/x;${open;ini/../ini2;.;"
        "$;/;/:/",
        "/emu");
    const std::vector<std::string> expectedFolders = {"/home/ann/.mame",
                                                      "/home/ann/ini",
                                                      "/emu/~ann/x",
                                                      "/data/a/data",
                                                      "/x",
                                                      "/emu/${open",
                                                      "/emu/ini2",
                                                      "/emu",
                                                      "/emu/$",
                                                      "/",
                                                      "/:"};
#endif
    EXPECT_EQ(folders, expectedFolders);
}

TEST(EmulatorOptions, TheVersionAndItsRuleForTheFilesOfOneName) {
    struct Row {
        std::string help, version;
        bool merges;
    };
    const Row rows[] = {
        {"MAME v0.251 (unknown)\nCopyright MAMEdev and contributors\n", "0.251", false},
        {"MAME v0.288 (mame0288)\n", "0.288", true},
        {"Warning: a line first\r\nMAME v0.1000. (x)\n", "0.1000", true},
        {"MAME v1.0\n", "1.0", true},
        {"Usage: mame [machine] [media] [software] [options]\nv2\n", "", false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(EmulatorVersionIn(r.help), r.version) << r.help;
        EXPECT_EQ(MergesSameNamedInis(r.version), r.merges) << r.version;
    }
    EXPECT_FALSE(MergesSameNamedInis("0.287.9"));
}

namespace {

// A stand-in emulator that answers -showconfig as the given script says and counts its runs in
// "runs".
std::string StandIn(const TempDir& t, const std::string& script) {
    return Standin(t, "emu/mame", "note " + t.File("runs") + "\n" + script);
}

// How a program that ended abnormally and one that is not there are reported.
#ifdef _WIN32
const std::string kCrashed = "ended with exit status " + std::to_string(static_cast<int>(0xC0000005u));
const std::string kNoSuchFile = "File not found";
#else
const std::string kCrashed = "was ended by signal 9";
const std::string kNoSuchFile = "No such file or directory";
#endif

int Runs(const TempDir& t) {
    const std::string runs = TempDir::Read(t.File("runs"));
    return static_cast<int>(std::count(runs.begin(), runs.end(), '\n'));
}

} // namespace

TEST(EmulatorOptions, StandInEmulatorsThatAnswerOddlyOrFail) {
    TempDir t;
    struct Row {
        std::string body, reason, inipath;
    };
    const Row rows[] = {
        // Relative folders are taken from its working folder; the built-in run tells its own.
        {"when -noreadconfig say inipath built\nwhen -noreadconfig exit 0\nwhen -help say MAME v0.288 (test)\n"
         "say inipath    \"ini;my ini\"\nsay rompath roms\n",
         "", "ini|my ini|built"},
        {"exit 0\n", "it printed no options for -showconfig", ""},
        {"say Usage: mame [machine] [media] [software] [options]\n", "its answer to -showconfig names no inipath", ""},
        {"say inipath ini\nexit 1\n", "ended with exit status 1", ""},
        {"crash\n", kCrashed, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.body);
        const std::string exe = StandIn(t, r.body);
        const Result<EmulatorOptions> options = AskEmulatorOptions(exe, t.File("emu"));
        if (r.reason.empty()) {
            ASSERT_TRUE(options) << options.Reason();
            std::string seen;
            for (const auto* folders : {&options->IniFolders, &options->BuiltInIniFolders})
                for (const std::string& folder : *folders)
                    seen.append(seen.empty() ? "" : "|").append(fs::path(folder).filename().string());
            EXPECT_EQ(seen, r.inipath);
            EXPECT_EQ(options->Version, r.inipath.empty() ? "" : "0.288");
            EXPECT_EQ(options->RomFolders, std::vector<std::string>{t.File("emu/roms")});
        } else {
            EXPECT_NE(options.Reason().find(r.reason), std::string::npos) << options.Reason();
        }
    }
    const Result<EmulatorOptions> missing = AskEmulatorOptions(t.File("emu/none"), t.File("emu"));
    EXPECT_EQ(missing.Reason(), "cannot run " + t.File("emu/none") + ": " + kNoSuchFile);
}

TEST(EmulatorOptions, AHangOrAFloodIsEndedAndSaidSo) {
    TempDir t;
    const std::string home = t.File("home"), ini = t.Write("home/mame.ini", std::string(2000, '\xff'));
    const std::string builtIn = "when -noreadconfig say inipath " + home + "\nwhen -noreadconfig exit 0\n";
    const std::string mame = StandIn(t, "");
    const auto ended = [](const char* within) {
        return std::string(" -showconfig gave no answer within ") + within + " and was ended; ";
    };
    // A run that must answer has seconds, as the stand-in's start can take on a loaded machine
    // (Wine's especially); only runs that hang for certain have the short limit.
    using std::chrono::milliseconds;
    struct Row {
        std::string body, reason;
        milliseconds limit;
    };
    const Row rows[] = {
        {builtIn + "wait 30\n", ended("5 seconds") + "the likely cause is a damaged mame.ini that it reads: " + ini,
         milliseconds(5000)},
        {"wait 30\n",
         ended("300 ms") + mame +
             " -noreadconfig -showconfig gave no answer within 300 ms and was ended too, so the executable itself hangs",
         milliseconds(300)},
        {builtIn + "zeros 5000000\nsay inipath ini\n", " -showconfig answered with more than 4 MB", milliseconds(5000)},
    };
    for (const Row& r : rows) {
        const Result<EmulatorOptions> options = AskEmulatorOptions(StandIn(t, r.body), t.File("emu"), {}, r.limit);
        EXPECT_EQ(options.Reason().find(mame + r.reason), 0u) << options.Reason();
    }
    if (PermissionsStopUs()) {
        fs::permissions(ini, fs::perms::none);
        const Result<EmulatorOptions> options =
            AskEmulatorOptions(StandIn(t, builtIn + "say inipath ini\n"), t.File("emu"));
        ASSERT_TRUE(options) << options.Reason();
        EXPECT_EQ(options->UnreadableMameInis, std::vector<std::string>{ini + " (Permission denied)"});
    }
}

TEST(EmulatorOptions, CacheAsksAgainWhenTheExecutableOrAMameIniChanges) {
    TempDir t;
    SetEnv("HOME", t.File("home").c_str());
    fs::create_directories(t.File("home/.mame"));
    // The system file is on the built-in path only: a change there counts too.
#ifdef _WIN32
    const std::string home = "%HOME%";
#else
    const std::string home = "$HOME";
#endif
    const std::string body = "when -noreadconfig say inipath " + t.File("etc") +
                             "\nwhen -noreadconfig exit 0\nsay inipath " + home + "/.mame\n";
    const std::string exe = StandIn(t, body);
    EmulatorOptionsCache cache;
    auto ask = [&](bool again = false) {
        const bool ok = static_cast<bool>(cache.Get(exe, t.File("emu"), again));
        std::string said = ok ? "1" : "0";
        said += cache.Asked() ? "1" : "0";
        return said + std::to_string(Runs(t));
    };
    EXPECT_EQ(ask(), "113");     // -showconfig, and once each for the built-in folders and the version
    EXPECT_EQ(ask(), "103");     // nothing changed
    EXPECT_EQ(ask(true), "114"); // asked again on demand; the built-in answer and the version are kept
    t.Write("home/.mame/mame.ini", "switchres 1\n");
    EXPECT_EQ(ask(), "115");
    t.Write("etc/mame.ini", "switchres 1\n");
    EXPECT_EQ(ask(), "116");
    EXPECT_EQ(ask(), "106");
    fs::remove(t.File("home/.mame/mame.ini"));
    EXPECT_EQ(ask(), "117");
    StandIn(t, body + "\n"); // a new executable: all three runs again
    EXPECT_EQ(ask(), "1110");
    StandIn(t, "exit 3\n");
    EXPECT_EQ(ask(), "0111");
    EXPECT_EQ(ask(), "0011"); // a failure is kept too, until something changes
}
