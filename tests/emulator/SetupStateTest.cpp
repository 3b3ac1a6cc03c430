// What a start without a chosen emulator proposes (the emulator found, its first INI folder), and
// the setup check's outcome kept for the next start while nothing it read has changed.
#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "emulator/EmulatorSearch.h"
#include "emulator/SetupState.h"
#include "platform/Files.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

TEST(EmulatorSearch, TheFirstEmulatorThatRunsAndTheFirstIniFolderThatIsThereOrCanBeMade) {
    TempDir t;
#ifdef _WIN32
    const std::string name = "mame.exe";
    const char separator = ';';
#else
    const std::string name = "mame";
    const char separator = ':';
#endif
    const std::string off = t.Write("off/" + name, "not a program"), on = t.Write("on/" + name, "a program");
    const std::string other = t.Write("usr/games/mame", "a program");
    fs::create_directories(t.File("folder/" + name)); // a folder of that name is no emulator
#ifndef _WIN32
    fs::permissions(on, fs::perms::owner_exec, fs::perm_options::add);
    fs::permissions(other, fs::perms::owner_exec, fs::perm_options::add);
#endif
    const std::string path = t.File("folder") + separator + separator + t.File("off") + separator + t.File("on");
    EmulatorPlaces places{path, t.File("program"), {other}};
#ifdef _WIN32
    EXPECT_EQ(FindEmulator(places), off); // every file can be run: the first one counts
    EXPECT_EQ(EmulatorCandidates(places).front(), t.File("program/mame.exe"));
    const std::string beside = t.Write("program/mame.exe", "a program");
    EXPECT_EQ(FindEmulator(places), beside);
#else
    EXPECT_EQ(EmulatorCandidates(places),
              (std::vector<std::string>{t.File("folder/mame"), t.File("off/mame"), t.File("on/mame"), other}));
    EXPECT_EQ(FindEmulator(places), on);
    places.SearchPath = t.File("off");
    EXPECT_EQ(FindEmulator(places), other);
#endif
    places = {t.File("none"), t.File("none"), {}};
    EXPECT_EQ(FindEmulator(places), "");

    const std::string home = t.File("home"), outside = t.File("etc"), there = t.File("there");
    fs::create_directories(there);
    const std::string own = JoinPath(home, ".mame");
    struct Row {
        std::vector<std::string> inipath;
        std::string proposed;
    } rows[] = {
        {{own, there}, own},          // missing, in the home folder: made
        {{outside, own, there}, own}, // missing outside it: passed over
        {{there, own}, there},        // there already
        {{outside}, ""},
    };
    for (const Row& r : rows) {
        EmulatorOptions options;
        options.IniFolders = r.inipath;
        EXPECT_EQ(ProposedIniFolder(options, home), r.proposed) << r.inipath.front();
    }
    EXPECT_FALSE(MakeIniFolder(outside, home));
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_TRUE(MakeIniFolder(own, home));
    EXPECT_TRUE(IsExistingFolder(own));
}

TEST(SetupState, KeptOnlyWhileNothingTheCheckReadHasChanged) {
    TempDir t;
    const std::string home = t.File("home");
    SetupCheckInput in;
    in.Exe = t.Write("emu/mame", "a program");
    in.WorkingFolder = t.File("emu");
    in.IniFolder = t.File("ini");
    in.Home = home;
    EmulatorOptions options;
    options.BuiltInIniFolders = {t.File("etc")};
    options.MameIniFolders = options.IniFolders = {home + "/.mame", t.File("etc")};
    t.Write("etc/mame.ini", "inipath $HOME/.mame;/etc\n");
    const std::string file = t.File("setupcheck.dat");
    const std::string hint = "M.A.M.E. will not read these INI files: see Help > Check M.A.M.E. Setup";

    const SetupState state = SetupStateOf(in, options, hint);
    ASSERT_TRUE(WriteSetupState(file, state));
    EXPECT_EQ(ReadSetupState(TempDir::Read(file)), state);
    EXPECT_EQ(KeptSetupHint(file, in), hint);

    // Another setup, or a file the check read that changed or appeared, needs the check again.
    SetupCheckInput otherFolder = in;
    otherFolder.IniFolder = t.File("ini2");
    EXPECT_EQ(KeptSetupHint(file, otherFolder), std::nullopt);
    t.Write("home/.mame/mame.ini", "switchres 1\n");
    EXPECT_EQ(KeptSetupHint(file, in), std::nullopt);
    ASSERT_TRUE(WriteSetupState(file, SetupStateOf(in, options, "")));
    EXPECT_EQ(KeptSetupHint(file, in), "");
    t.Write("emu/mame", "a newer program");
    EXPECT_EQ(KeptSetupHint(file, in), std::nullopt);

    // A damaged file counts as none; a name with a line break is not kept.
    const std::string text = SetupStateText(SetupStateOf(in, options, hint));
    for (const std::string& damaged : {text.substr(0, text.size() - 4), text.substr(1), text + "more\n",
                                       std::string(text).replace(text.find("exe\t1\t"), 6, "exe\tx\t")}) {
        t.Write("setupcheck.dat", damaged);
        EXPECT_EQ(KeptSetupHint(file, in), std::nullopt) << damaged;
    }
    in.IniFolder = t.File("in\ni");
    EXPECT_FALSE(WriteSetupState(file, SetupStateOf(in, options, hint)));
}
