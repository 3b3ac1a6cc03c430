#pragma once
#include <string>
#include <vector>

namespace kelvaro {

struct Model;

// One mode the display offers, or the emulator picks: its rate rounded to whole Hz, 0 when the
// display names none.
struct DisplayMode {
    int Width = 0, Height = 0, Rate = 0;
    bool operator==(const DisplayMode&) const = default;
};

// What was read of the display the program runs on: its modes, or why they could not be read.
struct DisplayReading {
    std::string Origin;                      // "the display :0 (xrandr output HDMI-1)"
    std::vector<DisplayMode> Modes;          // empty when NotRead says why
    std::string NotRead;                     // why the display could not be asked; empty when it was
    int DesktopWidth = 0, DesktopHeight = 0; // the desktop's size now; 0 when not read
};

// A mode of the mode list that the display lacks, and how many games were given it.
struct LackedMode {
    std::string Width, Height, Refresh; // as the mode list holds them
    int Games = 0;
};

// The mode list against the display's modes.
struct DisplayComparison {
    std::string Origin;
    std::string NotRead;            // why the display could not be asked; empty when it was
    std::vector<LackedMode> Lacked; // in the mode list's order
    int ListModes = 0;              // how many modes the list holds
};

// Compares the model's mode list with the display's modes. A mode of the list is on the display
// when the display has its width and height at its rate (whole Hz); a list mode without a rate
// ("00") matches any rate, and so does a display mode without one. Interlacing is not compared:
// the emulator asks for modes by size and rate alone. Each lacked mode counts the games whose
// chosen mode it is.
DisplayComparison CompareWithDisplay(const Model& m, const DisplayReading& display);

} // namespace kelvaro
