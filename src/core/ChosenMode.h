#pragma once
#include <string>
#include <string_view>

namespace kelvaro {

struct GameRow;
struct Model;
struct Settings;

// The cells of a chosen mode while none is chosen: the emulator decides.
inline constexpr char kNoModeWidth[] = "???";
inline constexpr char kNoModeHeight[] = "???";
inline constexpr char kNoModeRefresh[] = "??";
// The resolution line of INI details that leaves the mode to the emulator.
inline constexpr char kAutoResolution[] = "resolution auto";

// The resolution line of INI details for a size: "resolution 640x480".
std::string ResolutionLine(std::string_view width, std::string_view height);

// The resolution line for a chosen width, height and refresh text. When the available mode table
// lists that size (exact text) at more than one refresh text, and the chosen refresh is one of
// them and a whole number above 0, the line names the rate too ("resolution 256x224@57"), so that
// the emulator takes the mode the user chose and reading the file back finds it again; otherwise
// it names the size alone.
std::string ResolutionLineFor(const Model& m, std::string_view width, std::string_view height,
                              std::string_view refresh);

// The resolution line for row modeRow of the available mode table; kAutoResolution for a row
// outside the table (0 stands for no mode).
std::string ResolutionLineOfMode(const Model& m, int modeRow);

// The cells that hold a chosen mode and the INI details that go with it: those of a game, or the
// settings used when no ideal mode is found.
struct ChosenMode {
    std::string& Width;
    std::string& Height;
    std::string& Refresh;
    std::string& Details;
};
ChosenMode ChosenModeOf(GameRow& game);
ChosenMode NotFoundMode(Settings& s);

// Gives target the mode of row modeRow of the available mode table, or no mode for a row outside
// the table (0 stands for no mode), and puts the matching resolution line into its INI details.
void SetChosenMode(const Model& m, int modeRow, const ChosenMode& target);

} // namespace kelvaro
