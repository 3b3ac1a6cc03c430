#pragma once
#include <string>
#include <vector>

namespace kelvaro {

// What the automatic selection did for one game, as it did it: recorded by the selection itself
// when it is given a record to fill, so that an explanation never disagrees with the choice.

// Why a mode was passed over in one pass of the search, or that it was taken.
enum class ModeVerdict {
    Taken,        // the chosen mode of this pass
    NotCloser,    // fits, but another mode's width is closer to the target
    OtherHeight,  // pass 1 only: its height is not the height looked for
    Interlaced,   // interlaced while interlaced modes are ignored
    RefreshShort, // refresh below the game's by more than the tolerance (By: Hz beyond it)
    WidthShort,   // narrower than the target width by more than the tolerance (By: pixels beyond it)
    HeightShort,  // pass 2 only: fewer lines than the game by more than the tolerance (By: pixels)
    NoSize,       // the mode list line gave no usable width or height
};

struct ModeNote {
    int Row = 0; // row of the available mode table
    ModeVerdict Verdict = ModeVerdict::Taken;
    double By = 0; // how far beyond the tolerance, for the verdicts that say so
};

// One search: a height (or width) looked up in the list of available heights (widths), then the
// modes of exactly that height (pass 1) and, when none fits, modes of any sufficient height (pass 2).
struct SelectionTry {
    bool Exact = true;                  // the size was looked up within 2 pixels (else within the tolerance)
    std::string HeightKey;              // the list entry found; empty when none was near enough
    std::vector<ModeNote> Pass1, Pass2; // Pass2 is empty when pass 1 found a mode
    int Result = 0;                     // row found by this search, 0 for none
};

enum class SelectionOutcome {
    Mode,         // the selection found a mode
    NotFoundMode, // none found: the game takes the mode chosen for that case
    Emulator,     // none found (or none searched): the emulator decides
};

struct SelectionRecord {
    int Game = 0;
    bool Searched = false;                    // false for a vector game, or an unknown monitor orientation
    bool Landscape = true;                    // the picture is shown unturned (else the emulator turns it)
    bool NativeReadable = true;               // the game's size and refresh are numbers
    double NativeWidth = 0, NativeHeight = 0; // the game's size as the mode must hold it
    double TargetWidth = 0;                   // the width looked for (widened to 16:9 where the layout asks)
    double MinHeight = 0;                     // the lines the mode must have (within the tolerance)
    std::string LookedUpSize;                 // the game's size text looked up in the list of heights (widths)
    bool KeyFromWidths = false;               // that list is the list of widths (the turned picture)
    std::string NativeRefresh;
    std::vector<SelectionTry> Tries;
    int ModeRow = 0; // the selection's mode, 0 for none
    SelectionOutcome Outcome = SelectionOutcome::Emulator;
    // The cells the game gets, as the selection writes them.
    std::string Width, Height, Refresh, INIText;
};

} // namespace kelvaro
