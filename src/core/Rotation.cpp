#include "core/Rotation.h"

#include <cstddef>

#include "core/MonitorKind.h"
#include "core/Scopes.h"
#include "core/Settings.h"
#include "core/Table.h"

namespace kelvaro {

namespace {

// The menus and the settings file number the choices by their place in the tables.
template <class Choice, std::size_t N>
constexpr bool NumberedInOrder(const NamedChoice<Choice> (&names)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (NumberOf(names[i].Value) != static_cast<int>(i)) return false;
    return true;
}
static_assert(NumberedInOrder(kMonitorOrientations) && NumberedInOrder(kPreferredRotations) &&
              NumberedInOrder(kMonitorKinds));

} // namespace

std::string_view RotationLine(MonitorOrientation monitor, PreferredRotation rotation, bool verticalGame) {
    const bool turned =
        monitor == MonitorOrientation::Vertical || (monitor == MonitorOrientation::Rotating && verticalGame);
    if (!turned) return {};
    return rotation == PreferredRotation::Clockwise ? "ror 1" : "rol 1";
}

std::string_view RotationLine(const Settings& settings, const GameRow& game) {
    return RotationLine(settings.MonitorOrientation, settings.PreferredRotation, game.GameOrientation == "V");
}

} // namespace kelvaro
