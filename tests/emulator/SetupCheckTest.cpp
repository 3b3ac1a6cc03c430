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
