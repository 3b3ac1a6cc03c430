#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

// One mode of an imported list, as the mode list file will hold it.
struct ImportedMode {
    int Width = 0;  // 1 to 9999
    int Height = 0; // 1 to 9999
    int Rate = 0;   // whole Hz, 1 to 99
    bool Interlaced = false;
    bool operator==(const ImportedMode&) const = default;
};

// What the user should know about an import: a line that could not be read or a mode that was
// left out (Line counts the input's lines from 1), or a remark on the whole input (Line 0).
struct ImportNote {
    int Line = 0;
    std::string Text;
};

// "line 12: " and the text; the text alone for a remark on the whole input.
std::string NoteText(const ImportNote& note);

struct ImportOptions {
    std::string OutputName; // xrandr's output: only this output's modes; empty for every connected one
    double Rate = 60;       // the rate given to mode names that carry none (the kernel's list)
};

struct ModeImport {
    std::string Kind; // what the input was, for the heading: "xrandr --verbose output", ...
    std::vector<ImportedMode> Modes;
    std::vector<ImportNote> Notes;
};

// Reads the modes from xrandr's output (plain or --verbose), X11 Modeline lines, xrandr --newmode
// argument lists, the kernel's mode names ("720x480i"), lists of WxH@R or of W H R, or a mode
// list of Kelvaro's own (its first line a heading). Modes come in the order found, rates rounded
// to whole Hz, each mode once. A line that cannot be read, and a mode that cannot be written (a
// rate of 0 Hz, or of 100 Hz or more), give a note instead: nothing is guessed.
ModeImport ImportModeList(std::string_view text, const ImportOptions& options = {});

// The mode list file of the import, as the mode list reader reads it: a heading that names the
// origin (a file, "this display") and the kind of input, then one line per mode, the width in
// columns 1-4, the height in 5-8, the rate with "Hz" and the word "progressive" or "interlaced".
std::string FormatModeList(const ModeImport& import, std::string_view origin);

} // namespace kelvaro
