#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/TextNumbers.h"
#include "platform/Sorts.h"

using namespace kelvaro;

using Column = std::vector<std::string>;

TEST(SortNativeModes, EmptyRowZeroStaysFirstAndCompanionsTravel) {
    Column keys{"", "320240", "256224", "640480", "256224"};
    Column w{"", "320", "256", "640", "256b"};
    Column h{"", "240", "224", "480", "224b"};
    Column r{"", "60", "60.606061", "59.94", "57"};
    Column o{"", "H", "V", "H", "H"};
    SortNativeModes(keys, w, h, r, o, 0, -1);
    EXPECT_EQ(keys, (Column{"", "256224", "256224", "320240", "640480"}));
    EXPECT_EQ(w[0], "");
    EXPECT_EQ(o[0], "");
    for (std::size_t i = 1; i < keys.size(); ++i)
        EXPECT_EQ(keys[i].substr(0, 3), w[i].substr(0, 3)) << i;
    EXPECT_EQ(w[3], "320");
    EXPECT_EQ(h[3], "240");
    EXPECT_EQ(r[3], "60");
    EXPECT_EQ(o[4], "H");
}

TEST(SortNativeModes, OrdersByCharacterCodes) {
    Column keys{"b", "a", "B", "10", "9", "\xe9", "z", " "};
    Column none;
    SortNativeModes(keys, none, none, none, none, 0, -1);
    EXPECT_EQ(keys, (Column{" ", "10", "9", "B", "a", "b", "z", "\xe9"}));
}

TEST(SortNativeModes, EqualKeysLandWhereTheQuicksortPutsThem) {
    // Traced by hand: the midpoint of 0..3 is 1.5, rounded to 2 (pivot "b"); rows 1 and 3 are
    // exchanged, then 0..1 is sorted with the midpoint 0.5 rounded to 0. A midpoint rounded
    // down, or a stable sort, would leave companion "2" before "3".
    Column keys{"a", "c", "b", "b"};
    Column c{"0", "1", "2", "3"};
    SortNativeModes(keys, c, c, c, c, 0, 3);  // the same column four times: four exchanges
    EXPECT_EQ(keys, (Column{"a", "b", "b", "c"}));
    EXPECT_EQ(c, (Column{"0", "1", "2", "3"}));  // exchanged an even number of times

    Column keys2{"a", "c", "b", "b"};
    Column c1{"0", "1", "2", "3"}, c2 = c1, c3 = c1, c4 = c1;
    SortNativeModes(keys2, c1, c2, c3, c4, 0, 3);
    EXPECT_EQ(c1, (Column{"0", "3", "2", "1"}));
    EXPECT_EQ(c4, c1);
}

TEST(SortNativeModes, RangesAndLargeInput) {
    Column keys{"d", "c", "b", "a"};
    Column none;
    SortNativeModes(keys, none, none, none, none, 1, 2);
    EXPECT_EQ(keys, (Column{"d", "b", "c", "a"}));
    SortNativeModes(keys, none, none, none, none, 2, 2);
    SortNativeModes(keys, none, none, none, none, 3, 1);
    EXPECT_EQ(keys, (Column{"d", "b", "c", "a"}));
    Column empty;
    SortNativeModes(empty, none, none, none, none, 0, -1);
    EXPECT_TRUE(empty.empty());

    // Many rows, many ties, already sorted and reversed runs: sorted, and rows kept whole.
    std::mt19937 gen(7);
    Column big, tag;
    for (int i = 0; i < 20000; ++i) {
        std::string k = std::to_string(gen() % 500);
        big.push_back(k);
        tag.push_back(k + "#" + std::to_string(i));
    }
    for (int i = 0; i < 2000; ++i) {
        big.push_back(std::to_string(100000 + i));
        tag.push_back(big.back() + "#");
    }
    Column t2 = tag, t3 = tag, t4 = tag;
    SortNativeModes(big, tag, t2, t3, t4, 0, -1);
    EXPECT_TRUE(std::is_sorted(big.begin(), big.end()));
    for (std::size_t i = 0; i < big.size(); ++i)
        ASSERT_EQ(tag[i].substr(0, tag[i].find('#')), big[i]) << i;
    EXPECT_EQ(t4, tag);
}

TEST(SortNumericList, OrdersByValue) {
    Column list{"1024", "256", "64"};
    SortNumericList(list, 0, -1);
    EXPECT_EQ(list, (Column{"64", "256", "1024"}));

    Column mixed{"", "640", " 320", "1280.5", "abc", "-8", "320.25", "0.5"};
    SortNumericList(mixed, 1, -1);
    EXPECT_EQ(mixed, (Column{"", "-8", "abc", "0.5", " 320", "320.25", "640", "1280.5"}));
}

TEST(SortNumericList, CloseFractionsTerminate) {
    // With a pivot rounded to 321 the scan would run past the end of the list.
    Column list{"", "320.6", "320"};
    SortNumericList(list, 1, -1);
    EXPECT_EQ(list, (Column{"", "320", "320.6"}));
    Column more{"320.6", "320.4", "320.5", "320", "321", "319.5"};
    SortNumericList(more, 0, -1);
    EXPECT_EQ(more, (Column{"319.5", "320", "320.4", "320.5", "320.6", "321"}));
}

TEST(SortNumericList, TiesLandWhereTheQuicksortPutsThem) {
    // Traced by hand: pivot 240 (index 1); rows 0 and 2 exchanged; then the lone row 1 meets
    // itself. "0240" ends after "240", where a stable sort would keep it before.
    Column list{"0240", "240", "100"};
    SortNumericList(list, 0, 2);
    EXPECT_EQ(list, (Column{"100", "240", "0240"}));

    // Range 2..5: midpoint 3.5 rounds to 4 (pivot 10); 2<->5 and 3<->4 are exchanged, then
    // 2..3 (pivot "5") stays, and 4..5 (pivot 10 of "010") exchanges its two tied rows.
    Column ranged{"z", "y", "10", "010", "10.0", "5", "x"};
    SortNumericList(ranged, 2, 5);
    EXPECT_EQ(ranged, (Column{"z", "y", "5", "10.0", "10", "010", "x"}));
}

TEST(SortNumericList, LargeInputIsOrdered) {
    std::mt19937 gen(11);
    Column list;
    for (int i = 0; i < 20000; ++i)
        list.push_back(std::to_string(gen() % 2000) + (i % 3 ? "" : ".5"));
    SortNumericList(list, 0, -1);
    for (std::size_t i = 1; i < list.size(); ++i)
        ASSERT_LE(LeadingNumber(list[i - 1]), LeadingNumber(list[i])) << i;
}
