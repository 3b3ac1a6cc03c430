#include <gtest/gtest.h>

#include <string_view>

#include "Fixtures.h"
#include "core/Rotation.h"
#include "core/Settings.h"

using namespace kelvaro;

// Which games get a line that turns the picture, and which line, for every monitor including a
// number no menu offers.
TEST(RotationLine, FollowsTheMonitorTheGameAndThePreferredWay) {
    const auto unknownMonitor = static_cast<MonitorOrientation>(3);
    const auto unknownWay = static_cast<PreferredRotation>(5);
    struct Case {
        MonitorOrientation monitor;
        PreferredRotation way;
        std::string_view horizontalGame, verticalGame;
    };
    const Case cases[] = {
        {MonitorOrientation::Horizontal, PreferredRotation::Clockwise, "", ""},
        {MonitorOrientation::Vertical, PreferredRotation::Clockwise, "ror 1", "ror 1"},
        {MonitorOrientation::Vertical, PreferredRotation::AntiClockwise, "rol 1", "rol 1"},
        {MonitorOrientation::Rotating, PreferredRotation::Clockwise, "", "ror 1"},
        {MonitorOrientation::Rotating, unknownWay, "", "rol 1"},
        {unknownMonitor, PreferredRotation::Clockwise, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NumberOf(c.monitor) * 10 + NumberOf(c.way));
        EXPECT_EQ(RotationLine(c.monitor, c.way, false), c.horizontalGame);
        EXPECT_EQ(RotationLine(c.monitor, c.way, true), c.verticalGame);
    }

    // A game counts as vertical by its orientation "V" alone.
    Settings rotating;
    rotating.MonitorOrientation = MonitorOrientation::Rotating;
    EXPECT_EQ(RotationLine(rotating, fixtures::Game("PACMAN", "224", "288", "60", "V")), "ror 1");
    EXPECT_EQ(RotationLine(rotating, fixtures::Game("ODD", "224", "288", "60", "v")), "");
}
