#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Sorts.h"
#include "core/TextNumbers.h"

using namespace kelvaro;

using Column = std::vector<std::string>;

TEST(SortNativeModes, ByCharacterCodesWithCompanionsAndTheEmptyRowZero) {
    Column keys{"", "b", "320240", "B", "256224", "\xe9", " 640", "-", "10", "9"};
    Column cols[4];
    for (int c = 0; c < 4; ++c)
        for (const auto& k : keys) cols[c].push_back(k + "#" + std::to_string(c));
    SortNativeModes(keys, cols[0], cols[1], cols[2], cols[3], 0, -1);
    EXPECT_EQ(keys, (Column{"", " 640", "-", "10", "256224", "320240", "9", "B", "b", "\xe9"}));
    for (int c = 0; c < 4; ++c)
        for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(cols[c][i], keys[i] + "#" + std::to_string(c)) << c;
}

TEST(SortNativeModes, EqualKeysLandWhereTheQuicksortPutsThemAndOnlyTheRangeMoves) {
    // Traced by hand: the midpoint of 0..3 is 1.5, rounded to 2 (pivot "b"); rows 1 and 3 are
    // exchanged, then 0..1 is sorted with the midpoint 0.5 rounded to 0. A midpoint rounded
    // down, or a stable sort, would leave companion "2" before "3".
    Column keys{"a", "c", "b", "b", "0"};
    Column c1{"0", "1", "2", "3", "4"}, c2 = c1, c3 = c1, c4 = c1, none;
    SortNativeModes(keys, c1, c2, c3, c4, 0, 3);
    EXPECT_EQ(keys, (Column{"a", "b", "b", "c", "0"}));
    EXPECT_EQ(c1, (Column{"0", "3", "2", "1", "4"}));
    EXPECT_EQ(c4, c1);
    SortNativeModes(keys, none, none, none, none, 1, 4);
    SortNativeModes(keys, none, none, none, none, 4, 1); // an empty range
    SortNativeModes(none, none, none, none, none, 0, -1);
    EXPECT_EQ(keys, (Column{"a", "0", "b", "b", "c"}));
}

TEST(SortNumericList, OrdersByLeadingNumber) {
    struct Row {
        Column list;
        int first, last;
        Column sorted;
    };
    const Row rows[] = {
        {{"1024", "64", "256"}, -3, 99, {"64", "256", "1024"}}, // a range beyond the list ends with it
        {{"", "640", " 320", "1280.5", "abc", "-8", "320.25", "0.5"},
         1,
         -1,
         {"", "-8", "abc", "0.5", " 320", "320.25", "640", "1280.5"}},
        // Values close to each other: against a middle value rounded to an integer they come out
        // of order, and a scan without bounds runs past the end of the list.
        {{"", "320.6", "320"}, 1, -1, {"", "320", "320.6"}},
        {{"320.6", "320.4", "320.5", "320", "321", "319.5"}, 0, -1, {"319.5", "320", "320.4", "320.5", "320.6", "321"}},
        // Ties land where the quicksort puts them: "0240" after "240", where a stable sort keeps it before.
        {{"0240", "240", "100"}, 0, -1, {"100", "240", "0240"}}};
    for (Row r : rows) {
        SortNumericList(r.list, r.first, r.last);
        EXPECT_EQ(r.list, r.sorted);
    }
}
