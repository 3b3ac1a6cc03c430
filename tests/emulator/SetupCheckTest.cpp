// The setup check's findings from the emulator's options alone (no game list: it is not run).
#include <gtest/gtest.h>

#include "TempDir.h"
#include "emulator/SetupCheck.h"

using namespace kelvaro;

TEST(SetupCheck, AVideoOptionThatNeverSwitchesModesIsAProblem) {
    TempDir t;
    const std::string ini = t.File("ini");
#ifdef _WIN32
    const std::string fix = " Fix: Add the line \"video d3d\" to a mame.ini in " + ini + ".";
#else
    const std::string fix = " Fix: Add the line \"video opengl\" to a mame.ini in " + ini + ".";
#endif
    const std::string ignored = ", so the resolution lines of the INI files are ignored.";
    struct Row {
        std::string video, problem; // the problem's line; none when the option switches modes
    };
    const Row rows[] = {
        {"d3d", ""},
        {"opengl", ""},
        {"auto", ""},
        {"gdi", "its video option is gdi, which does not switch video modes even with switchres on" + ignored + fix},
        {"BGFX", "its video option is BGFX, which does not switch video modes even with switchres on" + ignored + fix},
        {"none", "its video option is none, which shows no picture at all" + ignored + fix},
    };
    for (const Row& r : rows) {
        EmulatorOptions options;
        options.Values = {
            {"inipath", ini}, {"readconfig", "1"}, {"switchres", "1"}, {"window", "0"}, {"video", r.video}};
        options.IniFolders = options.BuiltInIniFolders = options.MameIniFolders = {ini};
        SetupCheckInput in;
        in.IniFolder = ini;
        in.Home = t.File("home");
        const SetupReport report = CheckSetup(in, options);
        const std::string text = report.Text();
        const std::string line = "problem: M.A.M.E. keeps the desktop's video mode: " + r.problem + "\n";
        EXPECT_EQ(text.find("problem:") == std::string::npos, r.problem.empty()) << text;
        EXPECT_EQ(text.find(line) != std::string::npos, !r.problem.empty()) << text;
        EXPECT_EQ(report.Hint(),
                  r.problem.empty() ? "" : "M.A.M.E. will not switch video modes: see Help > Check M.A.M.E. Setup");
    }
}

// The mode list against the display: one line whether the display was asked or not.
TEST(SetupCheck, SaysWhichModesOfTheListTheDisplayLacks) {
    TempDir t;
    const std::string ini = t.File("ini");
    EmulatorOptions options;
    options.Values = {{"inipath", ini}, {"readconfig", "1"}, {"switchres", "1"}, {"window", "0"}, {"video", "opengl"}};
    options.IniFolders = options.BuiltInIniFolders = options.MameIniFolders = {ini};
    struct Row {
        DisplayComparison display;
        std::string line;
    };
    const Row rows[] = {
        {{"", "there is no X11 display", {}, 3},
         "warning: The mode list was not compared with the display's modes: there is no X11 display. Fix: Check by "
         "hand that the display has the modes of the mode list (xrandr lists them on X11).\n"},
        {{"the display :0", "", {}, 3}, "ok: The display (the display :0) has every mode of the mode list.\n"},
        {{"the display :0", "", {{"400", "240", "60", 2}, {"512", "384", "00", 1}}, 3},
         "warning: The display (the display :0) lacks 2 of the 3 modes of the mode list: 400 x 240 @ 60 (2 games), "
         "512 x 384 (1 game); M.A.M.E. will set another mode for the 3 games given one of them."},
    };
    for (const Row& r : rows) {
        SetupCheckInput in;
        in.IniFolder = ini;
        in.Home = t.File("home");
        in.Display = r.display;
        const std::string text = CheckSetup(in, options).Text();
        EXPECT_NE(text.find(r.line), std::string::npos) << text;
    }
}
