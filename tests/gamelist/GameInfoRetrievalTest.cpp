#include <gtest/gtest.h>

#include "GamelistFixtures.h"
#include "gamelist/GameInfoRetrieval.h"

using namespace kelvaro;
using namespace gamelist_test;

namespace {

const std::string kPuckman =
    Machine("puckman", "type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"");
const std::string kPuckmanBlock = Block("puckman", "puckman game", Raster("224", "288", "60.606061", true));

} // namespace

// The games written are counted against the previous list's games (the stand-in writes its list
// at once, so it is read in one piece).
TEST(RetrieveGameInfo, ConvertsTheXmlListWhileTheWindowsKeepPainting) {
    TempDir dir;
    Model m = FakeEmulatorModel(dir, XmlList(kPuckman + Machine("z80", "type=\"raster\"", " isdevice=\"yes\"")), 0.3);
    dir.Write("data/mame.dat", kPuckmanBlock + "game (\n\tname galaga\n)\n");
    RecordingProgress progress;
    EXPECT_TRUE(RetrieveGameInfo(m, progress).Succeeded());
    EXPECT_EQ(TempDir::Read(m.GameListFile()), kPuckmanBlock);
    EXPECT_EQ(progress.log, (Strings{"begin Retrieving Game Info from M.A.M.E.... 2", "step 1", "end"}));
    EXPECT_GT(progress.pumps, 0);
}

TEST(RetrieveGameInfo, LegacyTextAsItComesOrTheOldListStaysWithTheReason) {
    const std::string xml = XmlList(kPuckman + Machine("asteroid", "type=\"vector\" refresh=\"61.523438\""));
    const std::string listinfo = "game (\n\tname pacman\n\tvideo ( screen raster x 224 y 288 freq 60 )\n)\n\n";
    const std::string cut = xml.substr(0, xml.find("<machine name=\"asteroid\"") + 40);
    // why: a part of the failure's reason; empty for a success, which alone replaces the old list
    struct Case {
        std::string what, output, list, why;
        int status;
        bool exe, legacy = false;
    };
    const std::vector<Case> cases = {
        {"legacy emulator", listinfo, listinfo, "", 0, true, true},
        {"legacy, status 1", listinfo, "old list", "M.A.M.E. ended with status 1", 1, true, true},
        {"legacy, no text", "", "old list", "M.A.M.E. wrote no game list", 0, true, true},
        {"list breaks off", cut, "old list", "M.A.M.E. ended with status 3", 3, true},
        {"list breaks off, status 0", cut, "old list", "M.A.M.E. wrote malformed XML at line 13", 0, true},
        {"writes nothing", "", "old list", "M.A.M.E. ended with status 1", 1, true},
        // A list without a game is no list, whatever the status.
        {"writes nothing, status 0", "", "old list", "malformed XML", 0, true},
        {"no game", XmlList(Machine("z80", "type=\"raster\"", " isdevice=\"yes\"")), "old list",
         "holds no game with a screen", 0, true},
        {"legacy, no game", "\r\n\r\n", "old list", "holds no game", 0, true, true},
        {"no executable", xml, "old list", "no emulator at", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        Model m = FakeEmulatorModel(dir, c.output, 0, c.status);
        if (!c.exe) m.Config.MameExePath = dir.File("emu/none");
        m.Config.LegacyMame = c.legacy;
        dir.Write("data/mame.dat", "old list");
        RecordingProgress progress;
        const Outcome outcome = RetrieveGameInfo(m, progress);
        EXPECT_EQ(outcome.Succeeded(), c.why.empty());
        EXPECT_NE(outcome.Reason().find(c.why), std::string::npos) << outcome.Reason();
        EXPECT_EQ(TempDir::Read(m.GameListFile()), c.list);
        // The old list holds no game: the count runs on its own.
        const Strings ends =
            progress.log.size() < 2 ? progress.log : Strings{progress.log.front(), progress.log.back()};
        const Strings shown = {"begin Retrieving Game Info from M.A.M.E.... -2", "end"};
        EXPECT_EQ(ends, c.exe ? shown : Strings());
        if (c.legacy && c.output == listinfo) {
            EXPECT_EQ(progress.log[1], "step 1");
        }
        EXPECT_EQ(TempDir::Read(dir.File("emu/ran.txt")),
                  c.exe ? dir.File("emu") + (c.legacy ? "|-listinfo\n" : "|-listxml\n") : "");
        EXPECT_EQ(Entries(dir.File("data")), std::set<std::string>{"mame.dat"});
    }
}

// An emulator that falls silent is offered to the user to end once it has written nothing for the
// quiet time, and the offer is taken back when it writes again. Ended, it is killed at once and
// the old list stays; left alone, its list is taken as usual.
TEST(RetrieveGameInfo, ASilentEmulatorIsOfferedToEndAndEndedOnlyOnRequest) {
    struct Ending : RecordingProgress {
        bool endWhenOffered = false, offered = false;
        void OfferEnd(const std::string& why, const std::string& caption) override {
            offered = !caption.empty();
            log.push_back("offer " + why + "|" + caption);
        }
        bool EndRequested() override { return endWhenOffered && offered; }
    };
    const std::string offer = "offer M.A.M.E. has written nothing for 200 ms.|End the Emulator";
    for (const bool end : {false, true}) {
        SCOPED_TRACE(end ? "ended" : "left alone");
        TempDir dir;
        Model m = FakeEmulatorModel(dir, "");
        // Silent for far longer than the quiet time after its head; a run that is not ended in
        // time still ends, and fails below.
        m.Config.MameExePath = FakeEmulator(dir, {kXmlHead, kPuckman + "</mame>\n"}, end ? 20 : 0.8);
        dir.Write("data/mame.dat", "old list");
        Ending progress;
        progress.endWhenOffered = end;
        const Outcome outcome = RetrieveGameInfo(m, progress, std::chrono::milliseconds(200));
        std::vector<std::string> offers;
        for (const std::string& line : progress.log)
            if (line.rfind("offer ", 0) == 0) offers.push_back(line);
        if (end) {
            EXPECT_EQ(outcome.Reason(), "M.A.M.E. was ended on request after it had written nothing for 200 ms");
            EXPECT_EQ(TempDir::Read(m.GameListFile()), "old list");
            EXPECT_EQ(offers, Strings{offer});
        } else {
            EXPECT_TRUE(outcome.Succeeded()) << outcome.Reason();
            EXPECT_EQ(TempDir::Read(m.GameListFile()), kPuckmanBlock);
            // Offered in each silence, the first taken back when the emulator wrote again.
            ASSERT_GE(offers.size(), 2u);
            EXPECT_EQ(offers[0], offer);
            EXPECT_EQ(offers[1], "offer |");
        }
        EXPECT_EQ(Entries(dir.File("data")), std::set<std::string>{"mame.dat"});
    }
}
