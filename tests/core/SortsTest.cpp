#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/TextNumbers.h"
#include "core/Sorts.h"

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
    SortNativeModes(keys, none, none, none, none, 4, 1);  // an empty range
    SortNativeModes(none, none, none, none, none, 0, -1);
    EXPECT_EQ(keys, (Column{"a", "0", "b", "b", "c"}));
}

TEST(SortNumericList, OrdersByLeadingNumber) {
    struct Row { Column list; int first; Column sorted; };
    const Row rows[] = {
        {{"1024", "256", "64"}, -3, {"64", "256", "1024"}},
        {{"", "640", " 320", "1280.5", "abc", "-8", "320.25", "0.5"}, 1,
         {"", "-8", "abc", "0.5", " 320", "320.25", "640", "1280.5"}},
        // Values close to each other: against a middle value rounded to an integer they come out
        // of order, and a scan without bounds runs past the end of the list.
        {{"", "320.6", "320"}, 1, {"", "320", "320.6"}},
        {{"320.6", "320.4", "320.5", "320", "321", "319.5"}, 0, {"319.5", "320", "320.4", "320.5", "320.6", "321"}}};
    for (Row r : rows) {
        SortNumericList(r.list, r.first, -1);
        EXPECT_EQ(r.list, r.sorted);
    }

    // Many rows and many ties through the same quicksort as SortNativeModes.
    std::mt19937 gen(11);
    Column list;
    for (int i = 0; i < 20000; ++i)
        list.push_back(std::to_string(gen() % 2000) + (i % 3 ? "" : ".5"));
    SortNumericList(list, 0, -1);
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                               [](const auto& a, const auto& b) { return LeadingNumber(a) < LeadingNumber(b); }));
}

TEST(SortNumericList, TiesLandWhereTheQuicksortPutsThem) {
    // Traced by hand: pivot 240 (index 1); rows 0 and 2 exchanged; then the lone row 1 meets
    // itself. "0240" ends after "240", where a stable sort would keep it before.
    Column list{"0240", "240", "100"};
    SortNumericList(list, 0, 99);  // the range ends with the list
    EXPECT_EQ(list, (Column{"100", "240", "0240"}));

    // Range 2..5: midpoint 3.5 rounds to 4 (pivot 10); 2<->5 and 3<->4 are exchanged, then
    // 2..3 (pivot "5") stays, and 4..5 (pivot 10 of "010") exchanges its two tied rows.
    Column ranged{"z", "y", "10", "010", "10.0", "5", "x"};
    SortNumericList(ranged, 2, 5);
    EXPECT_EQ(ranged, (Column{"z", "y", "5", "10.0", "10", "010", "x"}));
}
