#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "modes/AvailableModes.h"

using namespace kelvaro;

namespace {

using V = std::vector<std::string>;

V Column(const Model& m, std::string AvailModeRow::*column) {
    V out;
    for (int j = 1; j <= m.AvailModes.Count(); ++j) out.push_back(m.AvailModes[j].*column);
    return out;
}

V Entries(const Table<std::string>& list) {
    V out;
    for (int k = 1; k <= list.Count(); ++k) out.push_back(list[k]);
    return out;
}

V Displays(const Model& m) {
    V out;
    for (int j = 1; j <= m.AvailModes.Count(); ++j) out.push_back(AvailModeDisplay(m.AvailModes[j]));
    return out;
}

} // namespace

TEST(ModeListFormat, ColumnsOfEachLine) {
    Model m;
    ParseAvailableModes("heading 640 480 60Hz is skipped\r\n"
                        "1024 768 60Hz\r\n"      // the width fills columns 1-4
                        " 320 304 60Hz\r\n"      // 304 lines: not interlaced
                        " 320 305 60Hz\r\n"      // 305 lines: interlaced
                        "640 480 5Hz\r\n"        // "Hz" at position 2 of the rest
                        "640 480 100Hz\r\n"      // only the two characters before "Hz"
                        "640 480 72.5Hz\r\n"
                        "640 480 abcHz\r\n"
                        "640 480 60hz\r\n"       // the unit is case-sensitive
                        "640 480 60 Hz 50Hz\r\n" // the first "Hz" counts
                        "640 480\r\n"            // eight characters or fewer: no rate
                        "\r\n"                   // a blank line is a row
                        "  60Hz\r\n"             // a short line is its own rest
                        " 640 abc 60Hz\r\n",     // a height that is no number
                        m);
    EXPECT_EQ(Column(m, &AvailModeRow::AvailWidth),
              (V{"1024", "320", "320", "640", "640", "640", "640", "640", "640", "640", "", "60", "640"}));
    EXPECT_EQ(Column(m, &AvailModeRow::AvailHeight),
              (V{"768", "304", "305", "480", "480", "480", "480", "480", "480", "480", "", "Hz", "abc"}));
    EXPECT_EQ(Column(m, &AvailModeRow::AvailRefresh),
              (V{"60", "60", "60", "00", "00", ".5", "bc", "00", "0 ", "00", "00", "60", "60"}));
    EXPECT_EQ(Column(m, &AvailModeRow::AvailInterlaced),
              (V{"Yes", "No", "Yes", "Yes", "Yes", "Yes", "Yes", "Yes", "Yes", "Yes", "No", "No", "No"}));
    // Distinct texts, ascending by value; texts that are no number have the value 0.
    EXPECT_EQ(Entries(m.AvailWidthList), (V{"", "60", "320", "640", "1024"}));
    const V heights = Entries(m.AvailHeightList);
    ASSERT_EQ(heights.size(), 7u);
    EXPECT_EQ(V(heights.begin() + 3, heights.end()), (V{"304", "305", "480", "768"}));
}

TEST(ModeListFormat, DistinctValueListsAreNumericAndKeepEqualNumbers) {
    Model m;
    ParseAvailableModes("w h r\r\n"
                        " 640 240 60Hz\r\n"
                        " 320 240 60Hz\r\n"
                        " 640 224 60Hz\r\n"
                        "1024 768 60Hz\r\n"
                        " 4000240 60Hz\r\n", // "0240" names 240 again but is another text
                        m);
    EXPECT_EQ(Entries(m.AvailWidthList), (V{"320", "400", "640", "1024"}));
    const V heights = Entries(m.AvailHeightList);
    ASSERT_EQ(heights.size(), 4u);
    EXPECT_EQ(heights[0], "224");
    // Both texts of 240 stay; their order between themselves is the sort's.
    const V middle(heights.begin() + 1, heights.begin() + 3);
    EXPECT_TRUE(middle == (V{"240", "0240"}) || middle == (V{"0240", "240"}));
    EXPECT_EQ(heights[3], "768");
}

TEST(ModeListFormat, LineEnds) {
    struct Case {
        std::string text;
        V widths;
    };
    const std::vector<Case> cases = {
        {"h\r\n 640 480 60Hz\r\n", {"640"}},              // the final line end makes no extra row
        {"h\r\n 640 480 60Hz", {"640"}},                  // a last line without an end counts
        {"h\r\n 640 480 60Hz\r\n\r\n", {"640", ""}},      // a blank last line is a row
        {"h\n 640 480 60Hz\n 320 240 60Hz\n", {"640", "320"}},
        {"h\r 640 480 60Hz\r 320 240 60Hz", {"640", "320"}},
        {"h\r\n 640 480 60Hz\r 320 240 60Hz\n 256 224 60Hz\n\r 288 224 60Hz", {"640", "320", "256", "", "288"}},
    };
    for (const Case& c : cases) {
        Model m;
        ParseAvailableModes(c.text, m);
        EXPECT_EQ(Column(m, &AvailModeRow::AvailWidth), c.widths) << c.text;
    }
    // The refresh is taken from the line without its line end.
    Model m;
    ParseAvailableModes("h\r\n 640 480 60Hz\r\n", m);
    EXPECT_EQ(m.AvailModes[1].AvailRefresh, "60");
}

TEST(ModeListFormat, NoRowsLeavesTheListsAsTheyWere) {
    Model m;
    ParseAvailableModes("h\r\n 320 240 60Hz\r\n", m);
    for (const std::string& text : {std::string(), std::string("heading only"), std::string("heading\r\n")}) {
        ParseAvailableModes(text, m);
        EXPECT_EQ(m.AvailModes.Count(), 0) << text;
        EXPECT_EQ(Entries(m.AvailWidthList), V{"320"}) << text;
        EXPECT_EQ(Entries(m.AvailHeightList), V{"240"}) << text;
    }
}

TEST(ReadAvailableModes, MissingOrUnreadableFileEmptiesOnlyTheTable) {
    TempDir dir;
    Model m;
    m.S.ModeListFile = dir.Write("modes.txt", "h\r\n 320 240 60Hz\r\n 640 480 60Hz\r\n");
    ReadAvailableModes(m);
    ASSERT_EQ(m.AvailModes.Count(), 2);
    EXPECT_EQ(m.AvailModes[2].AvailInterlaced, "Yes");

    auto expectEmptiedWithListsKept = [&](const std::string& what) {
        ReadAvailableModes(m);
        EXPECT_EQ(m.AvailModes.Count(), 0) << what;
        EXPECT_EQ(Entries(m.AvailWidthList), (V{"320", "640"})) << what;
    };
    m.S.ModeListFile = dir.File("missing.txt");
    expectEmptiedWithListsKept("missing file");
    m.S.ModeListFile = dir.Path();
    expectEmptiedWithListsKept("a folder");
    m.S.ModeListFile = "";
    expectEmptiedWithListsKept("no file name");
    m.S.ModeListFile = dir.Write("empty.txt", "");
    expectEmptiedWithListsKept("empty file");
    if (geteuid() != 0) {  // the superuser reads every file
        m.S.ModeListFile = dir.Write("locked.txt", "h\r\n 256 224 60Hz\r\n");
        ASSERT_EQ(chmod(m.S.ModeListFile.c_str(), 0), 0);
        expectEmptiedWithListsKept("unreadable file");
    }
}

TEST(AvailModeDisplay, RefreshToTwoDecimalsOrZero) {
    Model m;
    ParseAvailableModes("h\r\n 640 480 60Hz\r\n 640 480 5Hz\r\n 640 480 72.5Hz\r\n 640 480 abcHz\r\n\r\n", m);
    EXPECT_EQ(Displays(m), (V{"640 x 480 @ 60Hz", "640 x 480 @ 0Hz", "640 x 480 @ 0.5Hz", "640 x 480 @ 0Hz", " x  @ 0Hz"}));
}

TEST(ShrinkingTheTable, DeleteAndSixtyHertzFilterLeaveTheListsAlone) {
    Model m;
    ParseAvailableModes("h\r\n 256 224 60Hz\r\n 320 240 57Hz\r\n 384 256 60Hz\r\n 512 288 72Hz\r\n 640 240 59Hz\r\n", m);
    RemoveAvailableMode(m, 3);
    EXPECT_EQ(Column(m, &AvailModeRow::AvailWidth), (V{"256", "320", "512", "640"}));
    RemoveAvailableMode(m, 0);
    RemoveAvailableMode(m, 5);
    EXPECT_EQ(m.AvailModes.Count(), 4);
    EXPECT_EQ(Entries(m.AvailWidthList), (V{"256", "320", "384", "512", "640"}));

    KeepOnly60HzModes(m);
    EXPECT_EQ(Column(m, &AvailModeRow::AvailWidth), (V{"256"}));
    RemoveAvailableMode(m, 1);
    EXPECT_EQ(m.AvailModes.Count(), 0);
    RemoveAvailableMode(m, 1);  // nothing left to remove
    EXPECT_EQ(m.AvailModes.Count(), 0);
    EXPECT_EQ(Entries(m.AvailHeightList), (V{"224", "240", "256", "288"}));

    Model only72;
    ParseAvailableModes("h\r\n 640 480 72Hz\r\n 320 240 72Hz\r\n", only72);
    KeepOnly60HzModes(only72);
    EXPECT_EQ(only72.AvailModes.Count(), 0);
    // Only the text "60" counts, not a 60 with spaces or other digits.
    Model spaced;
    ParseAvailableModes("h\r\n 640 480 60 Hz\r\n 640 480 60Hz\r\n", spaced);
    KeepOnly60HzModes(spaced);
    EXPECT_EQ(Column(spaced, &AvailModeRow::AvailRefresh), V{"60"});
}

TEST(DefaultModeList, ShippedFileGivesPlausibleModes) {
    Model m;
    m.S.ModeListFile = std::string(KELVARO_SOURCE_DIR) + "/data/avga9200.txt";
    ReadAvailableModes(m);
    ASSERT_GE(m.AvailModes.Count(), 40);
    int interlaced = 0, sixty = 0;
    for (int j = 1; j <= m.AvailModes.Count(); ++j) {
        const AvailModeRow& r = m.AvailModes[j];
        EXPECT_FALSE(r.AvailWidth.empty()) << j;
        EXPECT_NE(r.AvailRefresh, "00") << j;
        interlaced += r.AvailInterlaced == "Yes";
        sixty += r.AvailRefresh == "60";
    }
    EXPECT_GT(interlaced, 0);
    EXPECT_GT(sixty, m.AvailModes.Count() / 2);
    EXPECT_EQ(AvailModeDisplay(m.AvailModes[1]).find(" x "), 3u);
}
