#pragma once
#include <string_view>

namespace kelvaro {

struct GameRow;
struct Settings;

// How the user's monitor stands. The numbers are the items of the Monitor Orientation menu and
// what kelvaro.cfg stores. A number that names none (set in code, never read from the file)
// searches no mode and turns no game.
enum class MonitorOrientation : int { Horizontal = 0, Vertical = 1, Rotating = 2 };

// Which way the emulator turns a game's picture for a monitor on its side. The numbers are the
// items of the Preferred Rotation menu and what kelvaro.cfg stores; any number but 0 turns
// anti-clockwise.
enum class PreferredRotation : int { Clockwise = 0, AntiClockwise = 1 };

// A setting's value with its caption as the menus show it ('&' before the access key).
template <class Choice>
struct NamedChoice {
    Choice Value;
    const char* Caption;
};

// Every value of the two settings, in menu order.
inline constexpr NamedChoice<MonitorOrientation> kMonitorOrientations[] = {
    {MonitorOrientation::Horizontal, "&Horizontal"},
    {MonitorOrientation::Vertical, "&Vertical"},
    {MonitorOrientation::Rotating, "&Rotating (Both)"},
};
inline constexpr NamedChoice<PreferredRotation> kPreferredRotations[] = {
    {PreferredRotation::Clockwise, "Clockwise (&Right)"},
    {PreferredRotation::AntiClockwise, "Anti-Clockwise (&Left)"},
};

// The line that the program's INI details give a game to turn its picture: "ror 1" (clockwise)
// or "rol 1" (any other rotation) for every game on a vertical monitor and for a vertical game
// on a rotating one; empty when the game is not turned.
std::string_view RotationLine(MonitorOrientation monitor, PreferredRotation rotation, bool verticalGame);
// The same for a game under the settings; a game is vertical when its orientation is "V".
std::string_view RotationLine(const Settings& settings, const GameRow& game);

} // namespace kelvaro
