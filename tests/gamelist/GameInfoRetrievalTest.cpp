#include <gtest/gtest.h>

#include "GamelistFixtures.h"
#include "gamelist/GameInfoRetrieval.h"

using namespace kelvaro;
using namespace gamelist_test;

namespace {

const std::string kPacman =
    Machine("puckman", "type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"");
const std::string kPacmanBlock = Block("puckman", "puckman game", Raster("224", "288", "60.606061", true));
const std::string kAsteroid = Machine("asteroid", "type=\"vector\" refresh=\"61.523438\"");

Strings Entries(const std::string& folder) {
    Strings names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    return names;
}

} // namespace

TEST(RetrieveGameInfo, StreamsTheEmulatorsXmlListIntoTheListFile) {
    TempDir dir;
    // Long enough to arrive in many reads, with devices in between that are left out.
    std::string machines, expected;
    for (int i = 0; i < 2000; ++i) {
        std::string name = "game" + std::to_string(i), w = std::to_string(200 + i);
        machines += Machine(name, "type=\"raster\" rotate=\"0\" width=\"" + w + "\" height=\"240\" refresh=\"60\"") +
                    Machine("dev" + std::to_string(i), "type=\"raster\"", " isdevice=\"yes\"") +
                    "<!--" + std::string(200, '.') + "-->\n";
        expected += Block(name, name + " game", Raster(w, "240", "60", false));
    }
    Model m = FakeEmulatorModel(dir, XmlList(machines), 0.3);
    dir.Write("data/mame.dat", "old list");
    RecordingProgress progress;
    RetrieveGameInfo(m, progress);
    std::string text = TempDir::Read(m.GameListFile());
    EXPECT_TRUE(text == expected) << text.size() << " bytes instead of " << expected.size();
    // Started directly in its own folder, asked for its XML list; the windows kept painting.
    EXPECT_EQ(TempDir::Read(dir.File("emu/ran.txt")), dir.File("emu") + "|-listxml\n");
    EXPECT_EQ(progress.calls, (Strings{"Begin Retrieving Game Info from M.A.M.E.... -1", "End"}));
    EXPECT_GT(progress.pumps, 0);
    EXPECT_EQ(Entries(dir.File("data")), Strings{"mame.dat"});
}

TEST(RetrieveGameInfo, LegacyTextAsItComesOrWholeBlocksOrAnEmptyList) {
    const std::string xml = XmlList(kPacman + kAsteroid);
    const std::string listinfo = "game (\n\tname pacman\n\tvideo ( screen raster x 224 y 288 freq 60 )\n)\n\n";
    struct Case {
        std::string what, output, folder, list;
        int status;
        bool exe, progress, legacy = false;
    };
    const std::vector<Case> cases = {
        {"legacy emulator", listinfo, "emu", listinfo, 0, true, true, true},
        {"list breaks off", xml.substr(0, xml.find("<machine name=\"asteroid\"") + 40), "emu", kPacmanBlock, 3, true,
         true},
        {"writes nothing", "", "emu", "", 1, true, true},
        {"no folder", xml, "", "", 0, true, true},
        {"missing folder", xml, "nowhere", "", 0, true, true},
        {"no executable", xml, "emu", "old list", 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        Model m = FakeEmulatorModel(dir, c.output, 0, c.status);
        m.MameFolder = c.folder.empty() ? "" : dir.File(c.folder);
        if (!c.exe) m.S.MameExePath = dir.File("emu/none");
        m.S.LegacyMame = c.legacy;
        dir.Write("data/mame.dat", "old list");
        RecordingProgress progress;
        RetrieveGameInfo(m, progress);
        EXPECT_EQ(TempDir::Read(m.GameListFile()), c.list);
        EXPECT_EQ(progress.calls.size(), c.progress ? 2u : 0u);
        EXPECT_EQ(TempDir::Read(dir.File("emu/ran.txt")),
                  c.exe && c.folder == "emu" ? dir.File("emu") + (c.legacy ? "|-listinfo\n" : "|-listxml\n") : "");
        EXPECT_EQ(Entries(dir.File("data")), Strings{"mame.dat"});
    }
}
