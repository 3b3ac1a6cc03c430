#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "GamelistFixtures.h"
#include "gamelist/GameInfoRetrieval.h"
#include "gamelist/ListInfoConverter.h"

using namespace kelvaro;
using namespace gamelist_test;

namespace {

const std::string kPacman =
    Machine("puckman", "Puck Man (Japan set 1)",
            "tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"");
const std::string kAsteroid =
    Machine("asteroid", "Asteroids (rev 4)", "tag=\"screen\" type=\"vector\" rotate=\"0\" refresh=\"61.523438\"");
const std::string kBios = Machine("neogeo", "Neo-Geo", "type=\"raster\" width=\"320\" height=\"224\" refresh=\"59\"",
                                  " isbios=\"yes\"");

const std::string kPacmanBlock = "game (\r\n\tname puckman\r\n\tdescription \"Puck Man (Japan set 1)\"\r\n"
                                 "\tyear 1981\r\n\tmanufacturer \"Maker\"\r\n"
                                 "\tvideo ( screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 "
                                 "freq 60.606061 )\r\n)\r\n\r\n";

std::string Converted(const std::string& xml) {
    std::string text;
    ListInfoConverter conv([&](std::string_view s) { text += s; });
    conv.Feed(xml.data(), xml.size(), true);
    return text;
}

// Names in a folder, to see that no temporary file is left behind.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(RetrieveGameInfo, ConvertsTheEmulatorsXmlListIntoTheListFile) {
    TempDir dir;
    std::string xml = XmlList(kBios + kPacman + kAsteroid);
    Model m = MakeModel(dir, MakeFakeEmulator(dir, xml, 0.3));
    dir.Write("data/mame.dat", "old list");
    RecordingProgress progress;
    RetrieveGameInfo(m, progress);

    std::string text = TempDir::Read(m.GameListFile());
    EXPECT_EQ(text, Converted(xml));
    EXPECT_EQ(text.substr(0, kPacmanBlock.size()), kPacmanBlock);
    EXPECT_NE(text.find("\tname asteroid\r\n"), std::string::npos);
    EXPECT_EQ(text.find("neogeo"), std::string::npos);
    // Started directly in its own folder, asked for its XML list.
    EXPECT_EQ(TempDir::Read(dir.File("emu/ran.txt")), dir.File("emu") + "|-listxml\n");
    EXPECT_EQ(progress.calls, (std::vector<std::string>{"Begin Retrieving Game Info from M.A.M.E.... -1", "End"}));
    EXPECT_GT(progress.pumps, 0); // the windows were pumped while the emulator ran
    EXPECT_EQ(Entries(dir.File("data")), (std::vector<std::string>{"mame.dat"}));
}

TEST(RetrieveGameInfo, LegacyEmulatorsTextIsKeptAsItComes) {
    TempDir dir;
    const std::string listinfo = "game (\n\tname pacman\n\tvideo ( screen raster orientation vertical x 224 "
                                 "y 288 freq 60.606061 )\n)\n\n";
    Model m = MakeModel(dir, MakeFakeEmulator(dir, listinfo));
    m.S.LegacyMame = true;
    ProgressSink quiet;
    RetrieveGameInfo(m, quiet);
    EXPECT_EQ(TempDir::Read(m.GameListFile()), listinfo);
    EXPECT_EQ(TempDir::Read(dir.File("emu/ran.txt")), dir.File("emu") + "|-listinfo\n");
}

TEST(RetrieveGameInfo, ABrokenListKeepsTheGamesBeforeTheBreak) {
    TempDir dir;
    std::string xml = XmlList(kPacman + kAsteroid);
    std::string cut = xml.substr(0, xml.find("<machine name=\"asteroid\"") + 40);
    Model m = MakeModel(dir, MakeFakeEmulator(dir, cut, 0, 3));
    ProgressSink quiet;
    RetrieveGameInfo(m, quiet);
    EXPECT_EQ(TempDir::Read(m.GameListFile()), kPacmanBlock);
    EXPECT_EQ(Entries(dir.File("data")), (std::vector<std::string>{"mame.dat"}));
}

TEST(RetrieveGameInfo, LongListArrivingInManyPieces) {
    TempDir dir;
    std::string machines;
    for (int i = 0; i < 3000; ++i)
        machines += Machine("game" + std::to_string(i), "Game number " + std::to_string(i) + " &amp; more",
                            "type=\"raster\" rotate=\"" + std::string(i % 2 ? "90" : "0") + "\" width=\"" +
                                std::to_string(200 + i) + "\" height=\"240\" refresh=\"60.000000\"") +
                    "\t<machine name=\"dev" + std::to_string(i) + "\" isdevice=\"yes\"><description>d</description>" +
                    std::string(300, ' ') + "</machine>\n";
    std::string xml = XmlList(machines);
    ASSERT_GT(xml.size(), 1500000u);
    Model m = MakeModel(dir, MakeFakeEmulator(dir, xml));
    ProgressSink quiet;
    RetrieveGameInfo(m, quiet);
    std::string text = TempDir::Read(m.GameListFile());
    EXPECT_EQ(text, Converted(xml));
    EXPECT_NE(text.find("\tname game2999\r\n\tdescription \"Game number 2999 & more\""), std::string::npos);
}

TEST(RetrieveGameInfo, MissingExecutableTouchesNothing) {
    TempDir dir;
    Model m = MakeModel(dir, dir.File("emu/mame"));
    dir.Write("data/mame.dat", "old list");
    RecordingProgress progress;
    RetrieveGameInfo(m, progress);
    EXPECT_EQ(TempDir::Read(m.GameListFile()), "old list");
    EXPECT_TRUE(progress.calls.empty());

    m.S.MameExePath.clear();
    RetrieveGameInfo(m, progress);
    EXPECT_EQ(TempDir::Read(m.GameListFile()), "old list");
    EXPECT_TRUE(progress.calls.empty());
}

TEST(RetrieveGameInfo, MissingEmulatorFolderLeavesAnEmptyList) {
    TempDir dir;
    Model m = MakeModel(dir, MakeFakeEmulator(dir, XmlList(kPacman)));
    dir.Write("data/mame.dat", "old list");
    for (const std::string& folder : {std::string(), dir.File("nowhere")}) {
        m.MameFolder = folder;
        RecordingProgress progress;
        RetrieveGameInfo(m, progress);
        EXPECT_TRUE(std::filesystem::exists(m.GameListFile()));
        EXPECT_EQ(TempDir::Read(m.GameListFile()), "");
        EXPECT_EQ(progress.calls,
                  (std::vector<std::string>{"Begin Retrieving Game Info from M.A.M.E.... -1", "End"}));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("emu/ran.txt")));
}

TEST(RetrieveGameInfo, EmulatorThatWritesNothingLeavesAnEmptyList) {
    TempDir dir;
    Model m = MakeModel(dir, MakeFakeEmulator(dir, "", 0, 1));
    dir.Write("data/mame.dat", "old list");
    ProgressSink quiet;
    RetrieveGameInfo(m, quiet);
    EXPECT_EQ(TempDir::Read(m.GameListFile()), "");
}
