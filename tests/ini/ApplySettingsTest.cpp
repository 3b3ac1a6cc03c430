// The settings dialog's choice: which entry it starts on, and what OK writes into the tables.
#include <gtest/gtest.h>

#include <algorithm>

#include "Fixtures.h"
#include "ini/ApplySettings.h"

using namespace kelvaro;
using fixtures::Game;
using fixtures::Mode;

namespace {

// Native modes and orientations mixed, so that every scope picks a different set of games; 640 x
// 480 is listed at 60.000000, then twice at 60: two refresh texts, so its line names the rate.
Model MixedTable() {
    Model m;
    for (const AvailModeRow& mode : {Mode("640", "480", "60.000000"), Mode("320", "240", "60"),
                                     Mode("640", "480", "60"), Mode("640", "480", "60"), Mode("800", "600", "56")})
        m.AvailModes.Add(mode);
    m.Games.Add(Game("PUCKMAN", "224", "288", "60.606061", "V", "resolution 320x240|ror 1"));
    m.Games.Add(Game("SF2", "384", "224", "59.637405", "H", "resolution auto|# keep me"));
    m.Games.Add(Game("GALAGA", "224", "288", "60.606061", "V", "resolution auto"));
    m.Games.Add(Game("ODDITY", "224", "288", "60.606061", "", "resolution auto|odd"));
    m.Games.Add(Game("1942", "224", "256", "60.000000", "V", "resolution auto"));
    return m;
}

} // namespace

TEST(PreselectEntry, ComparesTheChosenModeAsTextAndRewritesTheResolutionLine) {
    struct Case {
        std::string w, h, r, text;
        int entry;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // 60 is not the first entry's 60.000000; of the two identical modes the first is taken.
        {"640", "480", "60", "resolution auto|ror 1", 3, "resolution 640x480@60|ror 1"},
        {"???", "???", "??", "resolution 640x480|ror 1", 0, "resolution auto|ror 1"},
        {"640", "480", "59", "\r\n# mine\r\n\r\n", 0, "resolution auto|# mine"},
    };
    const Model m = MixedTable();
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(PreselectEntry(m, c.w, c.h, c.r, text), c.entry) << c.w << "x" << c.h << "@" << c.r;
        EXPECT_EQ(text, c.expected);
    }
}

TEST(ApplyChoiceToGame, TheListDecidesTheResolutionLineAndTheBoxTheRest) {
    struct Case {
        int entry;
        std::string box, details, w, h, r;
    };
    const std::vector<Case> cases = {
        // A typed resolution line for another size gives way to the entry's.
        {3, "resolution 800x600\r\nror 1", "resolution 640x480@60|ror 1", "640", "480", "60"},
        // A deleted resolution line comes back in front.
        {5, "ror 1\r\n# mine", "resolution 800x600|ror 1|# mine", "800", "600", "56"},
        // The refresh is stored unrounded; the line names it as the whole number it is.
        {1, "resolution 640x480\r\n   \r\nrol 1", "resolution 640x480@60|   |rol 1", "640", "480", "60.000000"},
        {0, "resolution 640x480\r\nror 1", "resolution auto|ror 1", "???", "???", "??"},
    };
    Model m = MixedTable();
    for (const Case& c : cases) {
        ApplyChoiceToGame(m, 2, c.entry, c.box);
        const GameRow& g = m.Games[2];
        EXPECT_EQ(g.GameINIText, c.details) << c.box;
        EXPECT_EQ(g.GameModeWidth + " " + g.GameModeHeight + " " + g.GameModeRefresh, c.w + " " + c.h + " " + c.r);
    }
    EXPECT_EQ(m.Games[1].GameINIText, "resolution 320x240|ror 1");
}

TEST(ApplyChoiceToScope, EachScopeChangesItsGames) {
    struct Case {
        ApplyScope scope;
        int selected;
        std::vector<int> shown, changed;
    };
    const std::vector<Case> cases = {
        // The games list's rows in their order, whatever the table holds besides.
        {ApplyScope::ShownGames, 3, {3, 1}, {3, 1}},
        // Orientation: a game without one takes only the games without one.
        {ApplyScope::SameOrientation, 4, {4}, {4}},
        {ApplyScope::SelectedGame, 0, {}, {}},
        {ApplyScope::SameOrientation, 9, {}, {}},
        {ApplyScope::AllGames, 0, {}, {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("scope " + std::to_string(NumberOf(c.scope)) + ", selected " + std::to_string(c.selected));
        Model m = MixedTable();
        const Model before = m;
        EXPECT_EQ(ApplyChoiceToScope(m, c.scope, c.selected, c.shown, 3, "resolution 640x480\r\nror 1"), c.changed);
        for (int i = 1; i <= m.Games.Count(); ++i) {
            const bool changed = std::find(c.changed.begin(), c.changed.end(), i) != c.changed.end();
            EXPECT_EQ(m.Games[i].GameINIText, changed ? "resolution 640x480@60|ror 1" : before.Games[i].GameINIText)
                << i;
            EXPECT_EQ(m.Games[i].GameModeWidth, changed ? "640" : "???") << i;
        }
    }
}
