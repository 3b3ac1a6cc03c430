#pragma once
#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Progress.h"

namespace kelvaro {

// A mode the card does not list that would give games a mode.
struct ModeSuggestion {
    int Width = 0, Height = 0;
    int Refresh = 0; // whole Hz
    bool Interlaced = false;
    // The net change in the number of games with a mode when this mode's line is appended to the
    // mode list (after the suggestions above it) and the whole selection runs again.
    int Gain = 0;
    std::vector<int> Games; // the games (rows of the game table) that get a mode by it
    double LineRateKHz = 0; // the line rate the monitor shows it at (ShownLineRate)
    // The mode list line: "%4s%4s %sHz %s" of width, height, refresh and the marker word.
    [[nodiscard]] std::string Line() const;
};

// Up to `top` modes worth adding, best first, chosen greedily: each one is the candidate with the
// largest gain over the mode list with the ones above it appended (ties: the candidate met first
// in game order). Candidates are the sizes the selection looks for in the games left without a
// mode, at their refresh rounded to whole Hz, that the settings' kind of monitor shows: as they
// are, or else interlaced where the kind takes interlaced modes; none for a fixed-panel LCD. No
// suggestion has a gain of 0 or less (an interlaced one gains nothing while the selection ignores
// interlaced modes). The model is not changed; its settings and available modes are what the
// selection uses.
std::vector<ModeSuggestion> SuggestModes(const Model& m, int top, ProgressSink& progress);

// Appends row `mode` to the available mode table and its width and height to the distinct-value
// lists where they are new, as reading the mode list with that line appended would.
void AppendAvailableMode(Model& m, AvailModeRow mode);

// Writes newFile: the bytes of currentFile, then one line per suggestion in the list's own line
// ends, written safely. currentFile is only read; newFile must be another file.
Outcome WriteModeListWithSuggestions(const std::string& currentFile, const std::string& newFile,
                                     const std::vector<ModeSuggestion>& chosen);

} // namespace kelvaro
