// The one-line fixes: where a line takes effect, and writing it into the user's mame.ini only.
#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "emulator/OptionFix.h"

using namespace kelvaro;
namespace fs = std::filesystem;

TEST(OptionFix, OnlyTheLastLineOfTheOptionChangesOrOneIsAdded) {
    const std::pair<std::string, std::string> cases[] = {
        {"switchres 0\r\nwindow 0\r\nswitchres                 0   # mine\r\n",
         "switchres 0\r\nwindow 0\r\nswitchres                 1   # mine\r\n"},
        {"# switchres 0\nswitchresx 0\n\tswitchres \"0\"\n", "# switchres 0\nswitchresx 0\n\tswitchres 1\n"},
        {"switchres\nwindow 0", "switchres\nwindow 0\nswitchres 1\n"},
        {"video opengl\r\n", "video opengl\r\nswitchres 1\r\n"},
        {"", "switchres 1\n"},
        {"switchres ", "switchres 1"},
    };
    for (const auto& [before, after] : cases) EXPECT_EQ(SetOptionLine(before, "switchres", "1"), after) << before;
    EXPECT_EQ(SetOptionLine("inipath /a\n", "inipath", "/my ini;/a"), "inipath \"/my ini;/a\"\n");
}

TEST(OptionFix, TheLineGoesWhereTheEmulatorReadsItLast) {
    TempDir t;
    const std::string home = t.File("home"), own = t.File("home/.mame"), etc = t.File("etc"), other = t.File("other");
    const std::string emu = t.File("emu"); // the emulator's working folder, where its executable is
    for (const std::string& folder : {own, etc, other, emu}) fs::create_directories(folder);
    const std::string ownIni = t.File("home/.mame/mame.ini"), etcIni = t.File("etc/mame.ini"),
                      emuIni = t.File("emu/mame.ini");
    t.Write("etc/mame.ini", "switchres 0\n");
#ifdef _WIN32
    const bool beside = true; // the emulator keeps its settings beside its executable
#else
    const bool beside = false;
#endif
    struct Row {
        std::vector<std::string> inipath, builtIn;
        bool ownFile;
        std::string fixed; // the file the fix writes ("+" before it: created), or none
        std::string advice;
        bool emuFile = false;
    };
    const Row rows[] = {
        // The system's file first on the built-in path: a new file of the user's is read after it.
        {{own, etc}, {etc}, false, "+" + ownIni, "Add the line \"switchres 1\" to " + ownIni + "."},
        {{own, etc}, {etc}, true, ownIni, "Change the line \"switchres 2\" in " + ownIni + " to \"switchres 1\"."},
        // A new file would hide the system's file at the first reading, or come after it.
        {{own, etc}, {own, etc}, false, "", "Change the line \"switchres 0\" in " + etcIni + " to \"switchres 1\"."},
        {{etc, own}, {etc}, false, "", "Change the line \"switchres 0\" in " + etcIni + " to \"switchres 1\"."},
        // No mame.ini anywhere: the user's folder takes one; without it on inipath, only advice.
        {{own, other}, {}, false, "+" + ownIni, "Add the line \"switchres 1\" to " + ownIni + "."},
        {{other}, {}, false, "", "Add the line \"switchres 1\" to a mame.ini in " + other + "."},
        // The emulator's folder, first on its default inipath on Windows: the mame.ini there is the user's.
        {{emu, etc},
         {emu, etc},
         false,
         beside ? emuIni : "",
         "Change the line \"switchres 3\" in " + emuIni + " to \"switchres 1\".",
         true},
        {{emu, own},
         {},
         false,
         beside ? "+" + emuIni : "+" + ownIni,
         "Add the line \"switchres 1\" to " + (beside ? emuIni : ownIni) + "."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.advice);
        if (r.ownFile) t.Write("home/.mame/mame.ini", "switchres 2\n");
        if (r.emuFile) t.Write("emu/mame.ini", "switchres 3\n");
        EmulatorOptions options;
        options.MameIniFolders = r.inipath;
        options.BuiltInIniFolders = r.builtIn;
        options.WorkingFolder = emu;
        const OptionPlace place = PlaceOptionLine(options, "switchres", "1", home);
        EXPECT_EQ(place.Advice, r.advice);
        EXPECT_EQ(place.Fix ? (place.Fix->Create ? "+" : "") + place.Fix->File : "", r.fixed);
        fs::remove(t.File("home/.mame/mame.ini"));
        fs::remove(emuIni);
    }
}

TEST(OptionFix, WritesOnlyInTheHomeFolderAndKeepsTheOldFile) {
    TempDir t;
    const std::string home = t.File("home");
    // Created with its folder, holding the line alone.
    ASSERT_TRUE(ApplyOptionFix({t.File("home/.mame/mame.ini"), "switchres", "1", true, {}}, home));
#ifdef _WIN32
    EXPECT_EQ(TempDir::Read(t.File("home/.mame/mame.ini")), "switchres 1\r\n"); // a new file: the system's line ends
#else
    EXPECT_EQ(TempDir::Read(t.File("home/.mame/mame.ini")), "switchres 1\n");
#endif
    EXPECT_FALSE(ApplyOptionFix({t.File("home/.mame/mame.ini"), "switchres", "1", true, {}}, home));

    // Changed, each earlier state kept under a free backup name.
    const std::string mine = "# mine\r\nreadconfig 0\r\n";
    t.Write("home/.mame/mame.ini", mine);
    ASSERT_TRUE(ApplyOptionFix({t.File("home/.mame/mame.ini"), "readconfig", "1", false, {}}, home));
    ASSERT_TRUE(ApplyOptionFix({t.File("home/.mame/mame.ini"), "switchres", "1", false, {}}, home));
    EXPECT_EQ(TempDir::Read(t.File("home/.mame/mame.ini")), "# mine\r\nreadconfig 1\r\nswitchres 1\r\n");
    EXPECT_EQ(TempDir::Read(t.File("home/.mame/mame.ini.bak")), mine);
    EXPECT_EQ(TempDir::Read(t.File("home/.mame/mame.ini.bak2")), "# mine\r\nreadconfig 1\r\n");

    // On Windows the mame.ini beside the emulator is the user's too, kept the same way.
#ifdef _WIN32
    const bool beside = true;
#else
    const bool beside = false;
#endif
    const std::string emu = t.File("emu"), emuIni = t.Write("emu/mame.ini", "switchres 0\n");
    EXPECT_EQ(static_cast<bool>(ApplyOptionFix({emuIni, "switchres", "1", false, emu}, home)), beside);
    EXPECT_EQ(TempDir::Read(emuIni), beside ? "switchres 1\n" : "switchres 0\n");
    EXPECT_EQ(TempDir::Read(t.File("emu/mame.ini.bak")), beside ? "switchres 0\n" : "");

    // Never outside the home folder, also not through a link or "..", nor another file near the emulator.
    const std::string system = t.Write("etc/mame.ini", "switchres 0\n");
    std::vector<std::string> outside = {system, t.File("home/../etc/mame.ini"), t.Write("emu/ui.ini", ""),
                                        t.Write("emu/ini/mame.ini", "")};
#ifndef _WIN32 // making symbolic links needs the developer mode on Windows
    fs::create_symlink(system, t.File("home/linked.ini"));
    outside.push_back(t.File("home/linked.ini"));
#endif
    for (const std::string& file : outside) {
        const Outcome written = ApplyOptionFix({file, "switchres", "1", false, emu}, home);
        EXPECT_NE(written.Reason().find("is not in the home folder"), std::string::npos) << file;
    }
    EXPECT_FALSE(ApplyOptionFix({t.File("x/mame.ini"), "switchres", "1", true, {}}, ""));
    EXPECT_EQ(TempDir::Read(system), "switchres 0\n");
    EXPECT_FALSE(fs::exists(t.File("etc/mame.ini.bak")));
}
