#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/DisplayModes.h"
#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Rotation.h"
#include "emulator/EffectiveOptions.h"
#include "emulator/EmulatorOptions.h"
#include "emulator/IniSearch.h"
#include "emulator/OptionFix.h"

namespace kelvaro {

enum class CheckLevel { Ok, Warning, Problem };

// One thing the setup check found.
struct Finding {
    CheckLevel Level = CheckLevel::Ok;
    std::string Text;                    // one plain sentence
    std::string Fix;                     // what the user can do, in the user's words; empty when nothing
    std::optional<OptionFix> OneLineFix; // a line the program can set in the user's own mame.ini
    std::string Hint;                    // a problem's few words for the status bar
};

// What the check looks at.
struct SetupCheckInput {
    std::string Exe, WorkingFolder;
    std::string IniFolder; // empty when none is chosen
    std::string RomFolder; // empty when none is chosen
    kelvaro::MonitorOrientation MonitorOrientation = MonitorOrientation::Horizontal;
    kelvaro::PreferredRotation PreferredRotation = PreferredRotation::Clockwise;
    std::string GameListFile;           // empty when there is no game list
    std::string Game;                   // the game to follow; empty for none
    std::optional<GameFacts> GameFound; // its facts from the game list; nothing when the list lacks it
    std::string Home;                   // the user's home folder
    // The mode list against the display's modes; nothing when the display is not looked at (Windows).
    std::optional<DisplayComparison> Display;
    std::chrono::milliseconds AnswerTime = kEmulatorAnswerTime; // how long the emulator may take to answer
};

struct SetupReport {
    std::vector<Finding> Findings;
    std::optional<EffectiveOptions> GameOptions; // the followed game's options, when it was looked at

    [[nodiscard]] bool HasProblem() const;
    // The first problem's few words for the status bar; empty without a problem.
    [[nodiscard]] std::string Hint() const;
    // One line per finding: "ok: ", "warning: " or "problem: ", the sentence, and " Fix: " and
    // the fix where there is one.
    [[nodiscard]] std::string Text() const;
};

// The check's input from the model's settings, with the game list file (empty when there is
// none) and the game to follow (empty for none; its facts from the model's game list).
SetupCheckInput CheckInputOf(const Model& m, const std::string& gameListFile, const std::string& game);

// The words a level is written with: "ok", "warning", "problem".
const char* LevelWord(CheckLevel level);

// Checks what the emulator will make of the INI files, from its options (a failure to get them is
// the one problem then). With a game, its source file is asked of the emulator (-listsource), its
// effective options are worked out, and each of them that gives another resolution, turn or no
// mode switch than Kelvaro's INI file of it means is a problem naming the line that causes it.
SetupReport CheckSetup(const SetupCheckInput& in, const Result<EmulatorOptions>& options,
                       const std::function<void()>& pump = {});

} // namespace kelvaro
