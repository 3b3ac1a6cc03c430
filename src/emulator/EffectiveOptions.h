#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Picture.h"
#include "emulator/EmulatorOptions.h"
#include "emulator/IniSearch.h"

namespace kelvaro {

// A picture's turn as the emulator composes it, in the bits of its orientation: 1 mirrors it left
// to right, 2 top to bottom, 4 across the diagonal from the top left corner.
inline constexpr int kMirrorX = 1, kMirrorY = 2, kAcrossDiagonal = 4;
inline constexpr int kNotTurned = 0;
inline constexpr int kQuarterRight = kAcrossDiagonal | kMirrorX; // ror
inline constexpr int kHalfTurn = kMirrorX | kMirrorY;
inline constexpr int kQuarterLeft = kAcrossDiagonal | kMirrorY; // rol

// The two turns together, as the emulator adds a turn to the one it has so far.
int AddTurns(int a, int b);

// The turn of the emulator's rotation switches: a quarter turn clockwise when `right` is in
// force (ror, or autoror on a vertical game), then one anti-clockwise when `left` is (rol, or
// autorol on a vertical game), so that the two together cancel; then the mirrors of flipx and
// flipy. A switch counts once however many files set it.
int TurnOf(bool right, bool left, bool flipX, bool flipY);

// The turn in words: "not turned", "a quarter turn clockwise", "mirrored left to right", ...
std::string TurnWords(int turn);

// True when the video module switches the display's mode in full screen: every one but "gdi" and
// "bgfx", and "none", which draws nothing. Empty (not known) counts as switching.
bool VideoSwitchesModes(std::string_view video);

// A video module that switches modes on this system: "opengl", or "d3d" on Windows.
const char* SwitchingVideoModule();

// One option's value for a game and where it comes from.
struct EffectiveValue {
    std::string Value;
    std::string File; // the INI file whose line sets it; "mame.ini" when it comes from a mame.ini
                      // whose line is not found; empty for the emulator's own default
    int Line = 0;     // that line, 1 for the file's first; 0 when not known

    // "/home/ann/ini/pacman.ini line 2", "mame.ini" or "default".
    [[nodiscard]] std::string Where() const;
    // True when the value is a number other than 0.
    [[nodiscard]] bool IsOn() const;
};

// A game's options as the emulator has them once it has read its INI files.
struct EffectiveOptions {
    std::map<std::string, EffectiveValue, std::less<>> Values; // by option name
    std::vector<IniFileRead> Files;                            // the INI files that count, in the emulator's order
    bool Merges = false;   // the files of one name are merged, the earlier folder winning
    std::string Version;   // the emulator's, as it names it; empty when not known
    std::string Game;      // the game's name
    bool Vertical = false; // the game's own picture stands on its side

    // The option's value; an empty one when the emulator has no such option.
    [[nodiscard]] const EffectiveValue& Get(std::string_view name) const;
    // The option that gives the first screen's resolution: resolution0, unless that is "auto"
    // (or not known), then resolution.
    [[nodiscard]] std::string ResolutionOption() const;
    // A quarter turn clockwise in force (ror, or autoror on a vertical game), and anti-clockwise.
    [[nodiscard]] bool TurnsRight() const;
    [[nodiscard]] bool TurnsLeft() const;
    // The turn the emulator gives the game's picture.
    [[nodiscard]] int Turn() const;
    // True when the file of that name ("pacman.ini") in the folder is among the files that count.
    [[nodiscard]] bool ReadsFrom(const std::string& folder, std::string_view name) const;
};

// The game's options as the emulator reads them: the values of -showconfig (the emulator's own
// and its mame.ini files'), each traced to the mame.ini line that sets it; then the INI files it
// reads for the game in its order (IniFilesForGame), a later one's lines replacing the earlier
// ones'. The version decides what happens to the files of one name along inipath: before 0.288
// only the first is read; from 0.288 every one is, and an option is taken from the first folder's
// file that sets it. The files that only machines of a type read are left out (the game list
// does not tell the type), and so are the options the command line sets (their names in
// commandLine): the command line overrides every INI file.
EffectiveOptions EffectiveOptionsOf(const EmulatorOptions& options, const GameFacts& game,
                                    const std::vector<std::string>& commandLine = {});

// The options that decide the mode and the picture, one a line: "  resolution     224x288@60
// /home/ann/ini/pacman.ini line 1", and the turn they give.
std::string EffectiveOptionsText(const EffectiveOptions& options);

// The options that decide how the emulator fits the picture, as the game has them (an option the
// emulator did not report keeps its default and counts as assumed).
RenderOptions RenderOptionsOf(const EffectiveOptions& options);

// The first screen's effective resolution as width and height; nothing for "auto" or a value
// that names no size.
std::optional<std::pair<long long, long long>> EffectiveSize(const EffectiveOptions& options);

// True when two resolution values ask for the same mode: "224x288@60" and "224X288@60"; a
// refresh is read as a whole number, as the emulator reads it.
bool SameResolution(std::string_view a, std::string_view b);

} // namespace kelvaro
