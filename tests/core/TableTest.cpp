#include <gtest/gtest.h>

#include <string>

#include "core/Table.h"

namespace kelvaro {
namespace {

TEST(TableTest, RowsAreNumberedFromOneAndMoveUpWhenOneIsRemoved) {
    Table<std::string> t;
    EXPECT_TRUE(t.Empty());
    t.Add("a");
    t.Add("b");
    t.Add("c");
    ASSERT_EQ(t.Count(), 3);
    EXPECT_EQ(t[1], "a");
    t.Remove(0); // no such row: nothing changes
    t.Remove(4);
    t.Remove(2);
    ASSERT_EQ(t.Count(), 2);
    EXPECT_EQ(t[2], "c");
    t.Clear();
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.Elements().size(), 1u);
}

// Element 0 is no row: reaching it, or past the last row, by index stops a debug build.
TEST(TableTest, IndexOutsideTheRowsStopsADebugBuild) {
#ifdef NDEBUG
    GTEST_SKIP() << "a release build does not check the index";
#else
    Table<std::string> t;
    t.Add("a");
    EXPECT_DEATH(t[0], "");
    EXPECT_DEATH(t[2], "");
    const Table<std::string>& c = t;
    EXPECT_DEATH(c[-1], "");
#endif
}

} // namespace
} // namespace kelvaro
