#pragma once
#include <cstdint>
#include <optional>
#include <type_traits>

namespace kelvaro {

// The scopes of the dialogs. Their numbers are the option indices of the dialogs and, for the
// generation scope, the number kelvaro.cfg stores.

// What the settings dialog edits when it opens.
enum class SettingsDialogScope { NativeMode = 0, OneGame = 1, NotFound = 2 };

// The games the settings dialog's OK gives its choice: the selected game, the games the games
// list shows (those of the selected native mode), those of the selected game's orientation, all.
enum class ApplyScope { SelectedGame = 0, ShownGames = 1, SameOrientation = 2, AllGames = 3 };

// The games an INI generation writes, or Cancelled when the generation dialog was cancelled last.
// A settings file may hold any 16-bit number here: one that names no scope is kept as it is (and
// written back so) and puts no game in scope.
enum class GenerateScope : std::int16_t {
    Cancelled = -1,
    SelectedGame = 0,
    SameNativeMode = 1,
    SameOrientation = 2,
    AllGames = 3
};

// The scope a number names; nothing for a number that names none.
std::optional<ApplyScope> ApplyScopeFromNumber(int number);
std::optional<GenerateScope> GenerateScopeFromNumber(int number);

// The number of a scope (the option index, the number in the settings file).
template <class Scope>
requires std::is_enum_v<Scope>
constexpr int NumberOf(Scope scope) { return static_cast<int>(scope); }

} // namespace kelvaro
