// Reading INI files back into the game table.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "IniFixtures.h"
#include "TempDir.h"
#include "ini/IniFiles.h"

using namespace kelvaro;
using namespace inifixtures;
namespace fs = std::filesystem;

namespace {

// Two modes of 640 by 480, so that the last one's refresh can be told from the first one's.
Model ReadyModel(const std::string& iniFolder, const std::vector<std::string>& roms) {
    Model m;
    m.NativeModes.Add(NativeModeRow{"224", "288", "60.606061", "V"});
    m.AvailModes.Add(Mode("640", "480", "60"));
    m.AvailModes.Add(Mode("320", "240", "60"));
    m.AvailModes.Add(Mode("640", "480", "57"));
    for (const std::string& rom : roms) {
        GameRow& g = m.Games.Add(Game(rom, "", "224", "288", "60.606061", "V"));
        // Something other than the defaults, so that an untouched row is seen to be untouched.
        g.GameModeWidth = "320";
        g.GameModeHeight = "240";
        g.GameModeRefresh = "60";
        g.GameINIText = "resolution 320x240|kept";
    }
    m.S.MameINIPath = iniFolder;
    return m;
}

struct Row {
    std::string details, width, height, refresh;
};

Row RowOf(const GameRow& g) { return {g.GameINIText, g.GameModeWidth, g.GameModeHeight, g.GameModeRefresh}; }

bool operator==(const Row& a, const Row& b) {
    return a.details == b.details && a.width == b.width && a.height == b.height && a.refresh == b.refresh;
}

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << "[" << r.details << "] " << r.width << " / " << r.height << " / " << r.refresh;
}

const Row kUntouched{"resolution 320x240|kept", "320", "240", "60"};

} // namespace

TEST(ReadExistingIniFiles, EachFileGivesItsGameDetailsAndMode) {
    struct Case {
        std::string rom, bytes;
        Row row;
    };
    const std::vector<Case> cases = {
        {"EMPTY", "", {"resolution auto", "???", "???", "??"}},
        {"RORONLY", "ror 1\r\n", {"resolution auto|ror 1", "???", "???", "??"}},
        {"AUTO", "resolution auto\r\nrol 1\r\n", {"resolution auto|rol 1", "???", "???", "??"}},
        // The last 640 x 480 mode gives the refresh; the suffix goes.
        {"SECOND", "ror 1\r\nresolution 640x480@60\r\n", {"ror 1|resolution 640x480", "640", "480", "57"}},
        {"NOSIZE", "resolution 1024x768\r\n", {"resolution 1024x768", "1024", "768", "??"}},
        {"SPACED", "resolution 640 x 480\r\n", {"resolution 640 x", "640 ", "", "??"}},
        {"BLANKS", "\r\n\r\nresolution 320x240\r\n\r\n  \r\nrol 1\r\n", {"resolution 320x240|  |rol 1", "320", "240", "60"}},
        {"PIPE", "resolution 320x240|ror 1\r\n", {"resolution 320x240|ror 1", "320", "240", "60"}},
        {"NOEND", "# mine\r\nresolution 640x480", {"# mine|resolution 640x480", "640", "480", "57"}},
        {"NOFILE", "", kUntouched},
    };
    TempDir t;
    std::vector<std::string> roms;
    for (const Case& c : cases) {
        roms.push_back(c.rom);
        if (c.rom != "NOFILE") {
            std::string name = c.rom;
            for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            t.Write(name + ".ini", c.bytes);
        }
    }
    Model m = ReadyModel(t.Path(), roms);
    RecordingProgress p;
    EXPECT_EQ(ReadExistingINIFiles(m, p), ReadIniOutcome::Read);
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(RowOf(m.Games[static_cast<int>(i) + 1]), cases[i].row) << cases[i].rom;
    EXPECT_EQ(p.texts, std::vector<std::string>{"Reading Existing INI Files..."});
    EXPECT_EQ(p.counts, std::vector<int>{static_cast<int>(cases.size())});
    EXPECT_EQ(p.steps, OneTo(static_cast<int>(cases.size())));
    EXPECT_EQ(p.ends, 1);
    // Reading changes no file.
    EXPECT_EQ(TempDir::Read(t.File("second.ini")), "ror 1\r\nresolution 640x480@60\r\n");
}

TEST(ReadExistingIniFiles, LineEndsOfAnyPlatformReadAlike) {
    const std::vector<std::vector<std::string>> files = {
        {"ror 1", "resolution 640x480@60"},
        {"", "resolution 320x240", "", "# mine"},
        // Ending at the last line, the resolution line's last character is not part of the width.
        {"resolution 640x"},
        {"resolution 640x480", "resolution 320x240"},
    };
    for (const auto& lines : files) {
        std::vector<Row> rows;
        for (const std::string eol : {"\r\n", "\n", "\r"}) {
            for (bool endAtLast : {true, false}) {
                std::string bytes;
                for (size_t i = 0; i < lines.size(); ++i)
                    if (i + 1 < lines.size() || endAtLast)
                        bytes += lines[i] + eol;
                    else
                        bytes += lines[i];
                TempDir t;
                t.Write("game.ini", bytes);
                Model m = ReadyModel(t.Path(), {"GAME"});
                ProgressSink p;
                ReadExistingINIFiles(m, p);
                rows.push_back(RowOf(m.Games[1]));
            }
        }
        for (const Row& r : rows) EXPECT_EQ(r, rows.front()) << lines.front();
    }
}

TEST(ReadExistingIniFiles, FilesThatCannotBeReadLeaveTheRowAsItWas) {
    TempDir t;
    fs::create_directories(t.File("ini/galaga.ini"));  // a folder by the file's name
    t.Write("ini/mappy.ini", "resolution 640x480\r\n");
    t.Write("x.ini", "resolution 640x480\r\n");  // where "../X" would lead
#ifndef _WIN32
    t.Write("ini/SF2.ini", "resolution 640x480\r\n");  // the emulator would not find it either
#endif
    Model m = ReadyModel(t.File("ini"), {"GALAGA", "../X", "SF2", "MAPPY"});
    RecordingProgress p;
    EXPECT_EQ(ReadExistingINIFiles(m, p), ReadIniOutcome::Read);
    EXPECT_EQ(RowOf(m.Games[1]), kUntouched);
    EXPECT_EQ(RowOf(m.Games[2]), kUntouched);
#ifndef _WIN32
    EXPECT_EQ(RowOf(m.Games[3]), kUntouched);
#endif
    EXPECT_EQ(RowOf(m.Games[4]), (Row{"resolution 640x480", "640", "480", "57"}));
    EXPECT_EQ(p.ends, 1);
}

TEST(ReadExistingIniFiles, MissingFolderOrEmptyListsReadNothingAndShowNothing) {
    TempDir t;
    t.Write("ini-is-a-file", "x");
    t.Write("pacman.ini", "resolution 640x480\r\n");
    struct Case {
        std::string folder;
        bool emptyNative, emptyAvailable;
        ReadIniOutcome outcome;
    };
    const std::vector<Case> cases = {
        {"", false, false, ReadIniOutcome::NoFolder},
        {t.File("missing"), false, false, ReadIniOutcome::NoFolder},
        {t.Path(), true, false, ReadIniOutcome::ListsEmpty},
        {t.Path(), false, true, ReadIniOutcome::ListsEmpty},
    };
    for (const Case& c : cases) {
        Model m = ReadyModel(c.folder, {"PACMAN"});
        if (c.emptyNative) m.NativeModes.Clear();
        if (c.emptyAvailable) m.AvailModes.Clear();
        RecordingProgress p;
        EXPECT_EQ(ReadExistingINIFiles(m, p), c.outcome) << c.folder;
        EXPECT_TRUE(p.texts.empty());
        EXPECT_EQ(p.ends, 0);
        EXPECT_EQ(RowOf(m.Games[1]), kUntouched);
    }
    // An INI path naming a file passes the same test as the menu that offers the command; no game
    // file is found under it.
    Model m = ReadyModel(t.File("ini-is-a-file"), {"PACMAN"});
    RecordingProgress p;
    EXPECT_EQ(ReadExistingINIFiles(m, p), ReadIniOutcome::Read);
    EXPECT_EQ(p.ends, 1);
    EXPECT_EQ(RowOf(m.Games[1]), kUntouched);
}

TEST(ReadExistingIniFiles, GeneratedFilesReadBackAsTheyWere) {
    TempDir t;
    Model m = ReadyModel(t.Path(), {"A", "B", "C", "D"});
    const std::vector<Row> rows = {
        {"resolution 640x480|ror 1", "640", "480", "57"},
        {"# first|resolution 320x240|  |rol 1", "320", "240", "60"},
        {"resolution auto", "???", "???", "??"},
        {"resolution 800x600|x=1", "800", "600", "??"},
    };
    for (int i = 1; i <= 4; ++i) m.Games[i].GameINIText = rows[static_cast<size_t>(i) - 1].details;
    m.S.GenerateApplyTo = 3;
    m.S.GenerateParentsOnly = false;
    ProgressSink p;
    ASSERT_EQ(GenerateINIFiles(m, 0, p).Written, 4);
    ReadExistingINIFiles(m, p);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(RowOf(m.Games[i]), rows[static_cast<size_t>(i) - 1]);
}
