// A game's options as the emulator has them once it has read its INI files, the turn they give
// its picture, and the check's problems where they differ from what Kelvaro's files mean.
#include <gtest/gtest.h>

#include <filesystem>

#include "Standin.h"
#include "TempDir.h"
#include "core/Text.h"
#include "emulator/SetupCheck.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

TEST(EffectiveOptions, TheTurnIsTheOneTheEmulatorGives) {
    // The orientation the emulator's render target had for pong with these options in its INI
    // files (read back with a Lua script).
    struct Row {
        bool right, left, flipX, flipY;
        int orientation;
        std::string words;
    };
    const Row rows[] = {
        {true, false, false, false, 5, "a quarter turn clockwise"},
        {false, true, false, false, 6, "a quarter turn anti-clockwise"},
        {true, true, false, false, 0, "not turned"},
        {true, false, true, false, 4, "mirrored across the diagonal from the top left"},
        {false, true, false, true, 4, "mirrored across the diagonal from the top left"},
        {false, false, true, true, 3, "a half turn"},
    };
    for (const Row& r : rows) {
        const int turn = TurnOf(r.right, r.left, r.flipX, r.flipY);
        EXPECT_EQ(turn, r.orientation) << r.words;
        EXPECT_EQ(TurnWords(turn), r.words);
    }
}

TEST(EffectiveOptions, TheCheckNamesTheLineThatChangesKelvarosModeOrTurn) {
    TempDir t;
    const std::string early = t.File("early"), ini = t.File("ini");
    const std::string earlyPacman = JoinPath(early, "pacman.ini"), pacman = JoinPath(ini, "pacman.ini"),
                      puckman = JoinPath(ini, "puckman.ini");
    const std::string kelvaros = "resolution 224x288@60\r\nror 1\r\n";
    struct Row {
        std::string version, early, puckman;
        std::vector<std::string> problems;
        std::string said, resolutionFrom, rorFrom;
    };
    const std::string wrongTurn = "problem: M.A.M.E. shows pacman's picture not turned, not a quarter turn clockwise "
                                  "as Kelvaro's \"ror 1\" means: ";
    const Row rows[] = {
        // Before 0.288 an earlier folder's pacman.ini hides Kelvaro's; from 0.288 both are read.
        {"0.251",
         "ror 1\n",
         "",
         {"problem: M.A.M.E. sets pacman's resolution to auto, not the 224x288@60 of Kelvaro's " + pacman +
          ": M.A.M.E. reads only the first pacman.ini along its inipath, " + earlyPacman +
          ", which has no resolution line, and resolution is auto, M.A.M.E.'s default. Fix: Add the line "
          "\"resolution 224x288@60\" to " +
          earlyPacman + ", or remove that file."},
         "warning: 1 INI file in " + ini + " is hidden by a file of the same name in an earlier INI folder",
         "default",
         earlyPacman + " line 1"},
        {"0.288",
         "ror 1\n",
         "",
         {},
         "ok: No line of an INI file in " + ini +
             " is overridden by a file of the same name in an earlier INI folder (M.A.M.E. 0.288 reads the files "
             "of one name from every INI folder and takes each option from the first that sets it).",
         pacman + " line 1",
         earlyPacman + " line 1"},
        {"0.288",
         "resolution 640x480\n",
         "",
         {"problem: M.A.M.E. sets pacman's resolution to 640x480, not the 224x288@60 of Kelvaro's " + pacman +
          ": line 1 of " + earlyPacman +
          " sets resolution 640x480, and M.A.M.E. takes each option from the first pacman.ini along its inipath "
          "that sets it. Fix: Change line 1 of " +
          earlyPacman + " to \"resolution 224x288@60\"."},
         "warning: Lines of 1 INI file in " + ini,
         earlyPacman + " line 1",
         pacman + " line 2"},
        {"0.288",
         "ror 0\n",
         "",
         {wrongTurn + "line 1 of " + earlyPacman +
          " sets ror 0, and M.A.M.E. takes each option from the first pacman.ini along its inipath that sets it. "
          "Fix: Change line 1 of " +
          earlyPacman + " to \"ror 1\"."},
         "",
         pacman + " line 1",
         earlyPacman + " line 1"},
        // The parent's ror 1 and the game's are one switch: one quarter turn. A rol cancels it.
        {"0.251", "", kelvaros, {}, "", pacman + " line 1", pacman + " line 2"},
        {"0.251",
         "",
         "ror 1\r\nrol 1\r\n",
         {wrongTurn + "line 2 of " + puckman +
          " sets rol 1, which cancels the ror 1: the two quarter turns together leave it unturned. Fix: Change "
          "line 2 of " +
          puckman + " to \"rol 0\"."},
         "",
         pacman + " line 1",
         pacman + " line 2"},
        // A parent's file that keeps the mode from switching.
        {"0.251",
         "",
         "video bgfx\r\n",
         {"problem: M.A.M.E. draws pacman with a video module that switches no video mode: line 1 of " + puckman +
          " sets video bgfx. Fix: Change line 1 of " + puckman + " to \"video opengl\"."},
         "",
         pacman + " line 1",
         pacman + " line 2"},
    };
    SetupCheckInput in;
    in.WorkingFolder = t.File("emu");
    in.IniFolder = ini;
    in.MonitorOrientation = MonitorOrientation::Vertical;
    in.GameListFile = t.Write("mame.dat", "");
    in.Game = "pacman";
    in.GameFound = GameFacts{"pacman", true, "raster", "puckman", "", false, false, ""};
    in.Home = t.File("home");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.version + " " + r.early + r.puckman);
        fs::remove_all(early);
        fs::remove_all(ini);
        if (!r.early.empty()) t.Write("early/pacman.ini", r.early);
        if (!r.puckman.empty()) t.Write("ini/puckman.ini", r.puckman);
        t.Write("ini/pacman.ini", kelvaros);
        in.Exe = Standin(t, "emu/mame",
                         "when -help say MAME v" + r.version +
                             " (test)\nwhen -help exit 0\n"
                             "when -noreadconfig say inipath " +
                             t.File("etc") +
                             "\nwhen -noreadconfig exit 0\n"
                             "when -listsource say pacman           pacman/pacman.cpp\nwhen -listsource exit 0\n"
                             "say inipath " +
                             early + ";" + ini +
                             "\nsay readconfig 1\nsay switchres 1\nsay window 0\n"
                             "say video opengl\nsay resolution auto\nsay ror 0\nsay rol 0\n");
        const SetupReport report = CheckSetup(in, AskEmulatorOptions(in.Exe, in.WorkingFolder));
        std::vector<std::string> problems;
        const std::string text = report.Text();
        for (std::string_view line : SplitLines(text))
            if (line.starts_with("problem: ")) problems.emplace_back(line);
        EXPECT_EQ(problems, r.problems) << text;
        EXPECT_NE(text.find(r.said), std::string::npos) << text;
        ASSERT_TRUE(report.GameOptions);
        EXPECT_EQ(report.GameOptions->Get("resolution").Where(), r.resolutionFrom);
        EXPECT_EQ(report.GameOptions->Get("ror").Where(), r.rorFrom);
    }
}
