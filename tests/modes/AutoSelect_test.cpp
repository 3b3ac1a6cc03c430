#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModesFixtures.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"

using namespace kelvaro;
using namespace modesfixtures;

namespace {

struct Chosen {
    std::string width, height, refresh, ini;
    bool operator==(const Chosen&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Chosen& c) {
    return os << c.width << "/" << c.height << "/" << c.refresh << " [" << c.ini << "]";
}

Chosen Of(const GameRow& g) { return {g.GameModeWidth, g.GameModeHeight, g.GameModeRefresh, g.GameINIText}; }

// Runs the command over the model's games without a window.
void Select(Model& m) {
    ProgressSink quiet;
    AutoSelectVideoModes(m, quiet);
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
}

class RecordingSink : public ProgressSink {
public:
    void Begin(const std::string& text, int count) override { log.push_back("begin " + text + " " + std::to_string(count)); }
    void Step(int i) override { log.push_back("step " + std::to_string(i)); }
    void End() override { log.push_back("end"); }
    std::vector<std::string> log;
};

} // namespace

TEST(AutoSelect, ExactSizeGameGetsItsModeAndOneResolutionLine) {
    Model m;
    SetModes(m, {Mode("320", "240", "60"), Mode("640", "480", "60")});
    m.Games.Add(Game("G", "320", "240", "60.000000", "H")).GameINIText = "sound 0|resolution 1x1";
    EXPECT_EQ(SnapToAvailableHeight(m, "240", true), "240");
    Select(m);
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"320", "240", "60", "resolution 320x240"}));
}

TEST(AutoSelect, ProgressCountsGamesAndEmptyTableDoesNothing) {
    Model m;
    SetModes(m, {Mode("320", "240", "60")});
    RecordingSink empty;
    AutoSelectVideoModes(m, empty);
    EXPECT_TRUE(empty.log.empty());
    EXPECT_EQ(m.S.NotFoundINIText, "resolution auto");

    m.Games.Add(Game("A", "320", "240", "60.000000", "H"));
    m.Games.Add(Game("B", "-", "-", "-", "H"));
    RecordingSink sink;
    AutoSelectVideoModes(m, sink);
    EXPECT_EQ(sink.log, (std::vector<std::string>{"begin Selecting Video Modes... 2", "step 1", "step 2", "end"}));
}

TEST(FindBestMode, ClosestWidthWinsAndTiesKeepTheEarlierMode) {
    Model m;
    const std::string native = "60.000000";
    SetModes(m, {Mode("304", "240", "60"), Mode("336", "240", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 1);
    SetModes(m, {Mode("336", "240", "60"), Mode("304", "240", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 1);
    SetModes(m, {Mode("336", "240", "60"), Mode("304", "240", "60"), Mode("324", "240", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 3);
    // Too narrow by more than the tolerance: 303 < 320 - 16. No upper limit on the width.
    SetModes(m, {Mode("303", "240", "60"), Mode("2048", "240", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 2);
    // Pass 1 only looks at the key height; pass 2 takes any height from MinHeight - tolerance
    // and chooses by width alone.
    SetModes(m, {Mode("400", "240", "60"), Mode("320", "224", "60"), Mode("330", "600", "60")});
    EXPECT_EQ(FindBestMode(m, 320, "240", 240, native), 1);
    EXPECT_EQ(FindBestMode(m, 320, "", 240, native), 2);
    EXPECT_EQ(FindBestMode(m, 320, "", 241, native), 3);
    EXPECT_EQ(FindBestMode(m, 320, "480", 700, native), 0);
}

TEST(FindBestMode, RefreshTest) {
    Model m;
    SetModes(m, {Mode("256", "224", "60"), Mode("256", "224", "72")});
    m.S.MatchRefreshWithin = 0;
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "60.606061"), 2);
    m.S.MatchRefreshWithin = 1;
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "60.606061"), 1);

    // A shortfall equal to the tolerance is accepted, and the shortfall is compared in single
    // precision: 1.250000001 is 1.25 there.
    m.S.MatchRefreshWithin = 1.25f;
    SetModes(m, {Mode("256", "224", "60"), Mode("256", "224", "99")});
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "61.250000"), 1);
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "61.250000001"), 1);
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "61.250001"), 2);

    // Which refresh is lower is decided on the texts: "75" sorts after "120.000000", so the
    // 45 Hz shortfall is never looked at.
    m.S.MatchRefreshWithin = 0;
    SetModes(m, {Mode("256", "224", "75")});
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "120.000000"), 1);

    // "00" (no rate in the file) falls short of every game above the tolerance.
    m.S.MatchRefreshWithin = 1.25f;
    SetModes(m, {Mode("256", "224", "00")});
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "60.000000"), 0);
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "1.500000"), 0);
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "1.000000"), 1);

    // A refresh that is no number counts as 0, not as its leading digits.
    SetModes(m, {Mode("256", "224", "5x")});
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, "6.000000"), 0);
    // A native refresh that is no number matches nothing.
    SetModes(m, {Mode("256", "224", "60")});
    EXPECT_EQ(FindBestMode(m, 256, "224", 224, ""), 0);
}

TEST(FindBestMode, InterlacedAndNonNumberModes) {
    Model m;
    SetModes(m, {Mode("640", "480", "60", "Yes")});
    m.Games.Add(Game("G", "640", "480", "60.000000", "H"));
    Select(m);
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"???", "???", "??", "resolution auto"}));
    m.S.IgnoreInterlaced = false;
    Select(m);
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"640", "480", "60", "resolution 640x480"}));

    // Rows from blank or malformed lines are never chosen, even where a value of 0 would fit.
    Model odd;
    ParseAvailableModes("h\r\n        60Hz\r\n abc240 60Hz\r\n 320 240 60Hz\r\n", odd);
    ASSERT_EQ(odd.AvailModes.Count(), 3);
    EXPECT_EQ(FindBestMode(odd, 8, "", 8, "60.000000"), 3);
    RemoveAvailableMode(odd, 3);
    EXPECT_EQ(FindBestMode(odd, 8, "", 8, "60.000000"), 0);
    EXPECT_EQ(FindBestMode(odd, 8, "240", 8, "60.000000"), 0);
}

TEST(Snap, ExactKeyWithinTwoPixels) {
    Model m;
    SetList(m.AvailHeightList, {"224", "240"});
    SetList(m.AvailWidthList, {"238", "240"});
    EXPECT_EQ(SnapToAvailableHeight(m, "242", true), "240");
    EXPECT_EQ(SnapToAvailableHeight(m, "238", true), "240");
    EXPECT_EQ(SnapToAvailableHeight(m, "243", true), "");
    EXPECT_EQ(SnapToAvailableHeight(m, "226", true), "224");
    EXPECT_EQ(SnapToAvailableHeight(m, "232", true), "");
    EXPECT_EQ(SnapToAvailableWidth(m, "240", true), "238");  // the first entry within reach
    // The value is read by its leading number and rounded half to even.
    EXPECT_EQ(SnapToAvailableHeight(m, "  240 lines", true), "240");
    SetList(m.AvailHeightList, {"245"});
    EXPECT_EQ(SnapToAvailableHeight(m, "242.5", true), "");
    EXPECT_EQ(SnapToAvailableHeight(m, "243.5", true), "245");
    SetList(m.AvailHeightList, {"1"});
    EXPECT_EQ(SnapToAvailableHeight(m, "abc", true), "1");
}

TEST(Snap, TolerantKey) {
    Model m;
    m.S.MatchResWithin = 16;
    SetList(m.AvailHeightList, {"224", "240", "256"});
    EXPECT_EQ(SnapToAvailableHeight(m, "200", false), "224");
    EXPECT_EQ(SnapToAvailableHeight(m, "240", false), "224");  // 224 + 16 reaches 240
    EXPECT_EQ(SnapToAvailableHeight(m, "250", false), "240");
    EXPECT_EQ(SnapToAvailableHeight(m, "272", false), "256");
    EXPECT_EQ(SnapToAvailableHeight(m, "300", false), "256");  // beyond all: the largest
    m.S.MatchResWithin = 0;
    EXPECT_EQ(SnapToAvailableHeight(m, "241", false), "256");
    EXPECT_EQ(SnapToAvailableHeight(m, "240", false), "240");
    EXPECT_EQ(SnapToAvailableHeight(m, "999", false), "256");

    m.S.MatchResWithin = 16;
    SetList(m.AvailHeightList, {"240"});
    EXPECT_EQ(SnapToAvailableHeight(m, "300", false), "240");
    EXPECT_EQ(SnapToAvailableHeight(m, "100", false), "240");
    SetList(m.AvailHeightList, {});
    EXPECT_EQ(SnapToAvailableHeight(m, "240", false), "");
    EXPECT_EQ(SnapToAvailableHeight(m, "240", true), "");
}

TEST(Snap, EntriesThatAreNoNumberAreLeftOut) {
    Model m;
    m.S.MatchResWithin = 0;
    // Ascending by leading number, as reading a mode list sorts them.
    SetList(m.AvailHeightList, {"", "x", "5"});
    EXPECT_EQ(SnapToAvailableHeight(m, "0", false), "5");
    EXPECT_EQ(SnapToAvailableHeight(m, "1", true), "");
    // The neighbours that remain form the pairs.
    SetList(m.AvailHeightList, {"224", "abc", "256"});
    EXPECT_EQ(SnapToAvailableHeight(m, "240", false), "256");
    SetList(m.AvailHeightList, {"", "abc"});
    EXPECT_EQ(SnapToAvailableHeight(m, "0", false), "");
    EXPECT_EQ(SnapToAvailableHeight(m, "0", true), "");
}

TEST(AutoSelect, NotFoundModeThatWasRemovedIsCorrectedOnce) {
    Model m;
    SetModes(m, {Mode("320", "240", "60")});
    m.S.NotFoundWidth = "800";
    m.S.NotFoundHeight = "600";
    m.S.NotFoundRefresh = "60";
    m.S.NotFoundINIText = "resolution 800x600|sound 0";
    m.Games.Add(Game("FIRST", "640", "480", "60.000000", "H")).GameINIText = "cheat 1";
    m.Games.Add(Game("MATCHED", "320", "240", "60.000000", "H"));
    m.Games.Add(Game("LATER", "800", "600", "60.000000", "H")).GameINIText = "cheat 1";
    Select(m);
    EXPECT_EQ(m.S.NotFoundWidth, "???");
    EXPECT_EQ(m.S.NotFoundHeight, "???");
    EXPECT_EQ(m.S.NotFoundRefresh, "??");
    EXPECT_EQ(m.S.NotFoundINIText, "resolution auto|sound 0");
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"???", "???", "??", "resolution auto|sound 0"}));
    EXPECT_EQ(Of(m.Games[2]), (Chosen{"320", "240", "60", "resolution 320x240"}));
    // From here the emulator decides: the game keeps its own (cleared) text.
    EXPECT_EQ(Of(m.Games[3]), (Chosen{"???", "???", "??", "resolution auto"}));
}

TEST(AutoSelect, NotFoundModeThatExistsIsGivenWhole) {
    Model m;
    SetModes(m, {Mode("320", "240", "60")});
    m.S.NotFoundWidth = "320";
    m.S.NotFoundHeight = "240";
    m.S.NotFoundRefresh = "57";
    m.S.NotFoundINIText = "sound 0|rol 1";
    m.Games.Add(Game("BIG", "640", "480", "60.000000", "H"));
    // A raster game listed without size or refresh cannot be matched.
    m.Games.Add(Game("NOSIZE", "VECTOR", "VECTOR", "", "H")).GameINIText = "cheat 1";
    m.Games.Add(Game("NOREFRESH", "320", "240", "", "H"));
    Select(m);
    const Chosen notFound{"320", "240", "57", "resolution 320x240|sound 0|rol 1"};
    EXPECT_EQ(m.S.NotFoundINIText, notFound.ini);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(Of(m.Games[i]), notFound) << i;

    m.S.NotFoundWidth = "???";
    m.Games[2].GameINIText = "cheat 1";
    Select(m);
    EXPECT_EQ(Of(m.Games[2]), (Chosen{"???", "???", "??", "resolution auto"}));
}

TEST(AutoSelect, VerticalMonitorAddsOneRotationLine) {
    Model m;
    m.S.MonitorOrientation = 1;
    m.S.PreferredRotation = 0;
    SetModes(m, {Mode("320", "240", "60"), Mode("288", "224", "60")});
    m.Games.Add(Game("PORTRAIT", "224", "288", "60.606061", "V"));
    m.Games.Add(Game("VECTOR", "-", "-", "-", "V")).GameINIText = "sound 0|resolution 640x480";
    m.Games.Add(Game("WIDE", "320", "240", "60.000000", "H"));
    m.Games.Add(Game("TERROR", "-", "-", "-", "H")).GameINIText = "terror 1";
    const std::vector<Chosen> expected = {
        {"288", "224", "60", "resolution 288x224|ror 1"},
        {"???", "???", "??", "sound 0|resolution auto|ror 1"},
        {"???", "???", "??", "resolution auto|ror 1"},
        {"???", "???", "??", "resolution auto|terror 1"},  // "ror 1" is already in there
    };
    for (int run = 1; run <= 2; ++run) {
        Select(m);
        for (int i = 1; i <= 4; ++i) EXPECT_EQ(Of(m.Games[i]), expected[static_cast<size_t>(i - 1)]) << run << " " << i;
    }
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(Occurrences(m.Games[i].GameINIText, "ror 1"), 1u);

    m.S.PreferredRotation = 1;
    m.Games[2].GameINIText = "sound 0";
    Select(m);
    EXPECT_EQ(m.Games[1].GameINIText, "resolution 288x224|rol 1");
    EXPECT_EQ(m.Games[2].GameINIText, "resolution auto|sound 0|rol 1");
}

TEST(AutoSelect, RotatingMonitorChoosesLayoutByGameOrientation) {
    Model m;
    m.S.MonitorOrientation = 2;
    SetModes(m, {Mode("320", "240", "60"), Mode("432", "320", "60"), Mode("288", "224", "60")});
    m.Games.Add(Game("H", "320", "240", "60.000000", "H"));
    m.Games.Add(Game("NONE", "320", "240", "60.000000", ""));
    m.Games.Add(Game("V", "224", "288", "60.606061", "V"));
    m.Games.Add(Game("VECH", "-", "-", "-", "H"));
    m.Games.Add(Game("VECV", "-", "-", "-", "V"));
    Select(m);
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"320", "240", "60", "resolution 320x240"}));
    EXPECT_EQ(Of(m.Games[2]), (Chosen{"432", "320", "60", "resolution 432x320"}));
    EXPECT_EQ(Of(m.Games[3]), (Chosen{"288", "224", "60", "resolution 288x224|ror 1"}));
    EXPECT_EQ(m.Games[4].GameINIText, "resolution auto");
    EXPECT_EQ(m.Games[5].GameINIText, "resolution auto|ror 1");

    // The same games on a horizontal monitor all take the landscape layout.
    m.S.MonitorOrientation = 0;
    Select(m);
    EXPECT_EQ(Of(m.Games[2]), (Chosen{"320", "240", "60", "resolution 320x240"}));
    EXPECT_EQ(Of(m.Games[3]), (Chosen{"432", "320", "60", "resolution 432x320"}));
    // A vector game's text is never cleared, so the rotation line of the earlier run stays.
    EXPECT_EQ(m.Games[5].GameINIText, "resolution auto|ror 1");

    // An orientation outside the menu searches nothing and keeps the text.
    m.S.MonitorOrientation = 3;
    m.Games[1].GameINIText = "sound 0";
    Select(m);
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"???", "???", "??", "resolution auto|sound 0"}));
}

TEST(AutoSelect, VerticalGameOnHorizontalMonitorUsesUnroundedTargetWidth) {
    Model m;
    m.Games.Add(Game("PUCKMAN", "224", "288", "60.606061", "V"));
    SetModes(m, {Mode("384", "288", "60"), Mode("400", "288", "60"), Mode("416", "288", "60"), Mode("400", "240", "60")});
    Select(m);
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"400", "288", "60", "resolution 400x288"}));

    // 398.22 - 16 = 382.22: a width of 382 is too narrow (it would pass with 398).
    SetModes(m, {Mode("382", "288", "60")});
    Select(m);
    EXPECT_EQ(m.Games[1].GameModeWidth, "???");

    // No mode of the key height: any height from 288 - 16 decides by width.
    SetModes(m, {Mode("384", "256", "60"), Mode("512", "300", "60"), Mode("400", "300", "60")});
    Select(m);
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"400", "300", "60", "resolution 400x300"}));
}

TEST(AutoSelect, DeletedModesWithStaleListsLeaveItToPassTwo) {
    Model m;
    ParseAvailableModes("h\r\n 320 240 60Hz\r\n 320 256 60Hz\r\n", m);
    m.Games.Add(Game("G", "320", "240", "60.000000", "H"));
    Select(m);
    EXPECT_EQ(m.Games[1].GameModeHeight, "240");
    RemoveAvailableMode(m, 1);
    ASSERT_EQ(m.AvailHeightList.Count(), 2);
    EXPECT_EQ(SnapToAvailableHeight(m, "240", true), "240");
    Select(m);
    EXPECT_EQ(Of(m.Games[1]), (Chosen{"320", "256", "60", "resolution 320x256"}));
}

TEST(AutoSelect, OneGameStepMatchesTheWholeCommand) {
    Model m;
    m.S.MonitorOrientation = 1;
    SetModes(m, {Mode("320", "240", "60"), Mode("288", "224", "60")});
    m.Games.Add(Game("A", "224", "288", "60.606061", "V"));
    m.Games.Add(Game("B", "320", "240", "60.000000", "H"));
    Model single = m;
    Select(m);
    SelectVideoModeForGame(single, 1);
    SelectVideoModeForGame(single, 2);
    SelectVideoModeForGame(single, 3);  // outside the table: nothing
    for (int i = 1; i <= 2; ++i) EXPECT_EQ(Of(single.Games[i]), Of(m.Games[i]));
}
