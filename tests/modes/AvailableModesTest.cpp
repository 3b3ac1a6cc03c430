#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "Environment.h"
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

V Entries(const Table<std::string>& list) { return V(list.Elements().begin() + 1, list.Elements().end()); }

} // namespace

TEST(ModeListFormat, ColumnsOfEachLine) {
    Model m;
    // Lines end at CR LF, a lone LF or a lone CR ("\n\r" holds a blank line); the final line end
    // makes no extra row.
    ParseAvailableModes("heading 640 480 60Hz is skipped\r\n"
                        "1024 768 60Hz\n"   // the width fills columns 1-4
                        " 320 304 60Hz\r"   // 304 lines: not interlaced
                        " 320 305 60Hz\r\n" // 305 lines: interlaced
                        "640 480 5Hz\r\n"   // "Hz" at position 2 of the rest
                        "640 480 100Hz\r\n" // only the two characters before "Hz"
                        "640 480 72.5Hz\r\n"
                        "640 480 abcHz\r\n"
                        "640 480 60hz\r\n"       // the unit is case-sensitive
                        "640 480 60 Hz 50Hz\r\n" // the first "Hz" counts
                        "640 480\n\r"            // eight characters or fewer: no rate; a blank line
                        "  60Hz\r\n"             // a short line is its own rest
                        " 640 abc 60Hz\r\n"      // a height that is no number
                        // The word after the first "Hz" overrides the 304-line rule; other words do not.
                        " 640 480 60Hz  Progressive x\r\n 320 240 50Hz i\r\n 640 480 60Hzp\r\n"
                        " 640 480 60Hz progressively\r\n 320 240 60Hz x interlaced\r\n 320 240 60 Hz I\r\n",
                        m);
    EXPECT_EQ(Column(m, &AvailModeRow::AvailWidth),
              (V{"1024", "320", "320", "640", "640", "640", "640", "640", "640", "640", "", "60", "640", "640", "320",
                 "640", "640", "320", "320"}));
    EXPECT_EQ(Column(m, &AvailModeRow::AvailHeight),
              (V{"768", "304", "305", "480", "480", "480", "480", "480", "480", "480", "", "Hz", "abc", "480", "240",
                 "480", "480", "240", "240"}));
    EXPECT_EQ(Column(m, &AvailModeRow::AvailRefresh), (V{"60", "60", "60", "00", "00", ".5", "bc", "00", "0 ", "00",
                                                         "00", "60", "60", "60", "50", "60", "60", "60", "0 "}));
    EXPECT_EQ(Column(m, &AvailModeRow::AvailInterlaced),
              (V{"Yes", "No", "Yes", "Yes", "Yes", "Yes", "Yes", "Yes", "Yes", "Yes", "No", "No", "No", "No", "Yes",
                 "No", "Yes", "No", "Yes"}));
    // The "Mode" column: two decimals at most, 0Hz for a refresh that is no number.
    const std::vector<std::pair<int, std::string>> display = {{1, "1024 x 768 @ 60Hz"},
                                                              {4, "640 x 480 @ 0Hz"},
                                                              {6, "640 x 480 @ 0.5Hz"},
                                                              {7, "640 x 480 @ 0Hz"},
                                                              {11, " x  @ 0Hz"}};
    for (const auto& [j, text] : display) EXPECT_EQ(AvailModeDisplay(m.AvailModes[j]), text) << j;
}

TEST(ModeListFormat, OddlyWrittenRatesAreReadAsEverButNamed) {
    Model m;
    std::vector<ModeLineWarning> warnings;
    ParseAvailableModes("heading 60hz\r\n 640 480 60hz\r\n 640 480 60 Hz\r\n 640 480 59.94Hz i\r\n 320 240 57Hz\r\n"
                        "\r\n  60Hz\r\n 320 240 x60Hz\r\n 320 240 100Hz\r\n",
                        m, &warnings);
    EXPECT_EQ(Column(m, &AvailModeRow::AvailRefresh), (V{"00", "0 ", "94", "57", "00", "60", "60", "00"}));
    V texts;
    for (const ModeLineWarning& w : warnings) texts.push_back(ModeLineWarningText(w));
    const std::string odd = "\": the rate is not two digits right before \"Hz\"; read as ";
    EXPECT_EQ(texts, (V{"line 2: \" 640 480 60hz" + odd + "640 x 480 @ 0Hz",
                        "line 3: \" 640 480 60 Hz" + odd + "640 x 480 @ 0Hz",
                        "line 4: \" 640 480 59.94Hz i" + odd + "640 x 480 @ 94Hz",
                        "line 8: \" 320 240 x60Hz" + odd + "320 x 240 @ 60Hz",
                        "line 9: \" 320 240 100Hz" + odd + "320 x 240 @ 0Hz"}));
}

TEST(ModeListFormat, DistinctValueListsAreNumericAndKeepEachText) {
    Model m;
    // "0240" names 240 again but is another text; a last line without its end counts.
    ParseAvailableModes("w h r\r\n 640 240 60Hz\r\n 320 240 60Hz\r\n 640 224 60Hz\r\n1024 768 60Hz\r\n"
                        "   \r\n 4000240 60Hz",
                        m);
    EXPECT_EQ(Entries(m.AvailWidthList), (V{"", "320", "400", "640", "1024"}));
    V heights = Entries(m.AvailHeightList);
    ASSERT_EQ(heights.size(), 5u);
    std::sort(heights.begin() + 2, heights.begin() + 4); // equal values: their order is the sort's
    EXPECT_EQ(heights, (V{"", "224", "0240", "240", "768"}));
}

TEST(ReadAvailableModes, NoRowsEmptiesOnlyTheTable) {
    TempDir dir;
    Model m;
    m.Config.ModeListFile = dir.Write("modes.txt", "h\r\n 320 240 60Hz\r\n 640 480 60Hz\r\n");
    ASSERT_TRUE(ReadAvailableModes(m));
    ASSERT_EQ(m.AvailModes.Count(), 2);

    std::vector<std::string> files = {dir.File("missing.txt"),
                                      dir.Path(),
                                      "",
                                      dir.Write("empty.txt", ""),
                                      dir.Write("heading.txt", "heading only"),
                                      dir.Write("h2.txt", "heading\r\n")};
    const std::set<std::string> readable = {dir.File("empty.txt"), dir.File("heading.txt"), dir.File("h2.txt")};
    if (PermissionsStopUs()) {
        files.push_back(dir.Write("locked.txt", "h\r\n 256 224 60Hz\r\n"));
        ASSERT_EQ(chmod(files.back().c_str(), 0), 0);
    }
    for (const std::string& file : files) {
        m.Config.ModeListFile = file;
        EXPECT_EQ(ReadAvailableModes(m).Succeeded(), readable.count(file) == 1) << file;
        EXPECT_EQ(m.AvailModes.Count(), 0) << file;
        EXPECT_EQ(Entries(m.AvailWidthList), (V{"320", "640"})) << file;
    }
}

TEST(ShrinkingTheTable, DeleteAndSixtyHertzFilterLeaveTheListsAlone) {
    Model m;
    ParseAvailableModes("h\r\n 256 224 60Hz\r\n 320 240 57Hz\r\n 384 256 60Hz\r\n 640 240 60 Hz\r\n", m);
    RemoveAvailableMode(m, 3);
    RemoveAvailableMode(m, 0);
    RemoveAvailableMode(m, 4);
    EXPECT_EQ(Column(m, &AvailModeRow::AvailWidth), (V{"256", "320", "640"}));
    KeepOnly60HzModes(m); // only the text "60" counts, not "0 "
    EXPECT_EQ(Column(m, &AvailModeRow::AvailWidth), (V{"256"}));
    RemoveAvailableMode(m, 1);
    RemoveAvailableMode(m, 1); // nothing left to remove
    EXPECT_EQ(m.AvailModes.Count(), 0);
    EXPECT_EQ(Entries(m.AvailWidthList), (V{"256", "320", "384", "640"}));

    ParseAvailableModes("h\r\n 640 480 72Hz\r\n 320 240 72Hz\r\n", m);
    KeepOnly60HzModes(m);
    EXPECT_EQ(m.AvailModes.Count(), 0);
}

TEST(DefaultModeList, ShippedFileGivesPlausibleModes) {
    Model m;
    m.Config.ModeListFile = std::string(KELVARO_SOURCE_DIR) + "/data/avga9200.txt";
    std::vector<ModeLineWarning> warnings;
    ASSERT_TRUE(ReadAvailableModes(m, &warnings));
    ASSERT_GE(m.AvailModes.Count(), 40);
    EXPECT_TRUE(warnings.empty());
    int sixty = 0;
    std::set<std::string> interlaced;
    for (int j = 1; j <= m.AvailModes.Count(); ++j) {
        const AvailModeRow& r = m.AvailModes[j];
        EXPECT_TRUE(!r.AvailWidth.empty() && r.AvailRefresh != "00") << j;
        if (r.AvailInterlaced == "Yes") interlaced.insert(r.AvailWidth + "x" + r.AvailHeight + "@" + r.AvailRefresh);
        sixty += r.AvailRefresh == "60";
    }
    // Only the 15 kHz modes above 304 lines are interlaced; the 25 kHz and faster ones are progressive.
    EXPECT_EQ(interlaced,
              (std::set<std::string>{"512x448@60", "640x448@60", "720x480@60", "640x576@50", "768x576@50"}));
    EXPECT_GT(sixty, m.AvailModes.Count() / 2);
}
