// The "&Other" answers and the values no menu item stands for; the preset items themselves are
// tested through the window.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "modes/SelectionOptions.h"

using namespace kelvaro;

TEST(SelectionOptions, OtherAnswersAndValuesOutsideTheMenus) {
    // Pixels: rounded half to even, 0 to 100; a text without a leading number counts as 0.
    const std::vector<std::pair<std::string, std::optional<int>>> pixels = {
        {"7.5", 8},           {"6.5", 6},        {"99.5", 100},         {"12 px", 12},
        {"abc", 0},           {"  100", 100},    {"101", std::nullopt}, {"100.25", std::nullopt},
        {"-1", std::nullopt}, {"", std::nullopt}};
    for (const auto& [answer, expected] : pixels) EXPECT_EQ(AcceptResTolerance(answer), expected) << answer;
    // Hertz: 0 to 15, kept as given.
    const std::vector<std::pair<std::string, std::optional<float>>> hertz = {
        {"0.75", 0.75f},        {"15", 15.0f},           {"1.3 Hz", 1.3f},  {"Hz", 0.0f},
        {"15.5", std::nullopt}, {"-0.25", std::nullopt}, {"", std::nullopt}};
    for (const auto& [answer, expected] : hertz) EXPECT_EQ(AcceptRefreshTolerance(answer), expected) << answer;

    // A value near or below a preset checks "&Other"; a monitor setting outside its menu is 0.
    EXPECT_EQ(MatchResItem(-8), 5);
    EXPECT_EQ(MatchRefreshItem(1.2f), 5);
    EXPECT_EQ(ValidOrientation(static_cast<MonitorOrientation>(-1)), MonitorOrientation::Horizontal);
    EXPECT_EQ(ValidRotation(static_cast<PreferredRotation>(2)), PreferredRotation::Clockwise);
    EXPECT_EQ(ValidRotation(PreferredRotation::AntiClockwise), PreferredRotation::AntiClockwise);
}
