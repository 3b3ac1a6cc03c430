#include <gtest/gtest.h>

#include "modes/SelectionOptions.h"

using namespace kelvaro;

TEST(SelectionOptions, OtherResolutionAnswer) {
    EXPECT_EQ(AcceptResTolerance("7.5"), 8);
    EXPECT_EQ(AcceptResTolerance("6.5"), 6);
    EXPECT_EQ(AcceptResTolerance("12 px"), 12);
    EXPECT_EQ(AcceptResTolerance("abc"), 0);   // no leading number counts as 0
    EXPECT_EQ(AcceptResTolerance("  100"), 100);
    EXPECT_EQ(AcceptResTolerance("0"), 0);
    EXPECT_EQ(AcceptResTolerance("99.5"), 100);
    EXPECT_EQ(AcceptResTolerance("101"), std::nullopt);
    EXPECT_EQ(AcceptResTolerance("100.25"), std::nullopt);
    EXPECT_EQ(AcceptResTolerance("-1"), std::nullopt);
    EXPECT_EQ(AcceptResTolerance(""), std::nullopt);  // a cancelled box
}

TEST(SelectionOptions, OtherRefreshAnswer) {
    EXPECT_EQ(AcceptRefreshTolerance("0.75"), 0.75f);
    EXPECT_EQ(AcceptRefreshTolerance("15"), 15.0f);
    EXPECT_EQ(AcceptRefreshTolerance("0"), 0.0f);
    EXPECT_EQ(AcceptRefreshTolerance("1.3 Hz"), 1.3f);
    EXPECT_EQ(AcceptRefreshTolerance("Hz"), 0.0f);
    EXPECT_EQ(AcceptRefreshTolerance("15.5"), std::nullopt);
    EXPECT_EQ(AcceptRefreshTolerance("-0.25"), std::nullopt);
    EXPECT_EQ(AcceptRefreshTolerance(""), std::nullopt);
}

TEST(SelectionOptions, PresetItemsAndFallbacks) {
    const int pixels[] = {0, 8, 16, 24, 48};
    const float hertz[] = {0, 1, 1.25f, 1.5f, 2};
    for (int item = 0; item < 5; ++item) {
        EXPECT_EQ(MatchResItem(MatchResOfItem(item)), item);
        EXPECT_EQ(MatchResOfItem(item), pixels[item]);
        EXPECT_EQ(MatchRefreshItem(MatchRefreshOfItem(item)), item);
        EXPECT_EQ(MatchRefreshOfItem(item), hertz[item]);
    }
    EXPECT_EQ(MatchResItem(10), 5);
    EXPECT_EQ(MatchResItem(-8), 5);
    EXPECT_EQ(MatchRefreshItem(0.75f), 5);
    EXPECT_EQ(MatchRefreshItem(1.2f), 5);
    EXPECT_EQ(ValidOrientation(2), 2);
    EXPECT_EQ(ValidOrientation(3), 0);
    EXPECT_EQ(ValidOrientation(-1), 0);
    EXPECT_EQ(ValidRotation(1), 1);
    EXPECT_EQ(ValidRotation(2), 0);
}
