#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "TempDir.h"
#include "core/Model.h"
#include "core/SettingsFile.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// Every setting away from its default; texts keep their spaces at both ends.
Settings Unusual() {
    Settings s;
    s.MameExePath = " /opt/my mame/mame ";
    s.MameINIPath = "  ini  ";
    s.MameROMPath = "roms";
    s.LegacyMame = true;
    s.ModeListFile = "/data/modes.txt ";
    s.MonitorOrientation = 2;
    s.PreferredRotation = 1;
    s.IgnoreInterlaced = false;
    s.MatchResWithin = 10;
    s.MatchRefreshWithin = 0.5f;
    s.NotFoundWidth = "640";
    s.NotFoundHeight = "480";
    s.NotFoundRefresh = "59.94";
    s.NotFoundINIText = "resolution 640x480@60|ror 1| ";
    s.GenerateApplyTo = GenerateScope::Cancelled;
    s.GenerateAvailableOnly = false;
    s.GenerateParentsOnly = false;
    s.GenerateNoINIOnly = true;
    return s;
}

std::vector<std::string> SplitLines(const std::string& file) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0, end; (end = file.find("\r\n", pos)) != std::string::npos; pos = end + 2)
        lines.push_back(file.substr(pos, end - pos));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// The file as written again after reading bytes over the defaults.
std::string ReadOverDefaults(const std::string& bytes) {
    Settings s;
    ParseSettingsFile(bytes, s);
    return FormatSettingsFile(s);
}

Model ModelIn(const std::string& folder) {
    Model m;
    m.Paths.ProgramFolder = folder;
    m.Paths.DataFolder = folder;
    return m;
}

long EntryCount(const std::string& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

} // namespace

TEST(SettingsFile, WrittenBytesAndTheRoundTrip) {
    EXPECT_EQ(FormatSettingsFile(Settings{}),
              "\r\n\r\n\r\nFalse\r\n\r\n 0 \r\n 0 \r\nTrue\r\n 16 \r\n 1.25 \r\n???\r\n???\r\n??\r\n"
              "resolution auto\r\n 0 \r\nTrue\r\nTrue\r\nFalse\r\n");
    std::string bytes = FormatSettingsFile(Unusual());
    EXPECT_EQ(bytes, " /opt/my mame/mame \r\n  ini  \r\nroms\r\nTrue\r\n/data/modes.txt \r\n 2 \r\n 1 \r\n"
                     "False\r\n 10 \r\n 0.5 \r\n640\r\n480\r\n59.94\r\nresolution 640x480@60|ror 1| \r\n-1 \r\n"
                     "False\r\nFalse\r\nTrue\r\n");
    EXPECT_EQ(ReadOverDefaults(bytes), bytes);
}

TEST(SettingsFile, EachLineConvertsOrKeepsTheDefaultAndReadingGoesOn) {
    // line index, its text in a file that otherwise holds Unusual(), the line written back
    // after reading over the defaults (nullptr: the line did not convert, the default stays)
    struct Row { std::size_t line; const char* text; const char* written; };
    const Row rows[] = {
        {3, "tRuE", "True"}, {3, "FALSE", "False"}, {3, " 0.0 ", "False"}, {3, "-1", "True"},
        {3, "0.5", "True"}, {3, "maybe", nullptr}, {7, "", nullptr}, {7, "0", "False"},
        {5, " 1 ", " 1 "}, {5, " 3 ", " 0 "}, {6, "-1 ", " 0 "}, {6, " 2 ", " 0 "},  // beyond the menu
        {8, "  12  ", " 12 "}, {8, " 16.5 ", " 16 "}, {8, "17,5", " 18 "}, {8, "-32768", "-32768 "},
        {8, "32768", nullptr}, {8, "12px", nullptr}, {8, "\t10", nullptr}, {8, "", nullptr},
        {9, " 1,5 ", " 1.5 "}, {9, "-0,75", "-0.75 "}, {9, "2.", " 2 "}, {9, "1e40", nullptr},
        {9, "1,000.5", nullptr}, {9, "1.2.3", nullptr},
        // GenerateApplyTo takes the leading number, and keeps one that names no scope
        {14, " 2abc", " 2 "}, {14, "7", " 7 "}, {14, " 2.5", " 2 "}, {14, "3.5x", " 4 "}, {14, "abc", " 0 "},
        {14, "70000", nullptr}, {13, "", ""}};
    const auto unusual = SplitLines(FormatSettingsFile(Unusual()));
    const auto defaults = SplitLines(FormatSettingsFile(Settings{}));
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.line) + " \"" + r.text + "\"");
        auto lines = unusual;
        lines[r.line] = r.text;
        auto expected = unusual;
        expected[r.line] = r.written ? r.written : defaults[r.line];
        EXPECT_EQ(ReadOverDefaults(JoinLines(lines)), JoinLines(expected));
    }
}

TEST(SettingsFile, ShortFilesAndOtherLineEnds) {
    EXPECT_EQ(ReadOverDefaults(""), FormatSettingsFile(Settings{}));
    // LF alone and CR alone end a line too; the last line needs no end; missing lines keep defaults.
    auto expected = SplitLines(FormatSettingsFile(Settings{}));
    expected[0] = "/usr/games/mame";
    expected[1] = "/ini";
    expected[3] = "True";
    expected[4] = "m.txt";
    expected[5] = " 1 ";
    EXPECT_EQ(ReadOverDefaults("/usr/games/mame\n/ini\r\rTrue\r\nm.txt\r\n 1 "), JoinLines(expected));
}

TEST(SettingsFile, SetSettingByNameTakesOnlyWhatTheMenusOffer) {
    // line index, name, value, the line written after it, or why it was refused (nothing changed)
    struct Row { std::size_t line; const char* name; const char* value; const char* result; };
    const char* kOrientations = "must be 0, 1 or 2";
    const Row rows[] = {
        {5, "MonitorOrientation", " 2 ", " 2 "}, {5, "MonitorOrientation", "5", kOrientations},
        {5, "MonitorOrientation", "-1", kOrientations}, {5, "MonitorOrientation", "1.5", kOrientations},
        {6, "PreferredRotation", "1,0", " 1 "}, {6, "PreferredRotation", "2", "must be 0 or 1"},
        {8, "MatchResWithin", "16.5", " 16 "}, {8, "MatchResWithin", "100", " 100 "},
        {8, "MatchResWithin", "100.5", "must be a number from 0 to 100"},
        {8, "MatchResWithin", "16x", "must be a number from 0 to 100"},
        {9, "MatchRefreshWithin", "0,75", " 0.75 "}, {9, "MatchRefreshWithin", "15", " 15 "},
        {9, "MatchRefreshWithin", "1.5Hz", "must be a number from 0 to 15"},
        {9, "MatchRefreshWithin", "-0.5", "must be a number from 0 to 15"},
        {14, "GenerateApplyTo", "3", " 3 "}, {14, "GenerateApplyTo", "-1", "must be 0, 1, 2 or 3"},
        {14, "GenerateApplyTo", "2abc", "must be 0, 1, 2 or 3"}, {16, "GenerateParentsOnly", "0", "False"},
        {17, "GenerateNoINIOnly", "maybe", "must be True or False"},
        {13, "NotFoundINIText", " resolution auto|ror 1 ", " resolution auto|ror 1 "},
        {0, "matchreswithin", "5", "no such setting"}};
    const auto defaults = SplitLines(FormatSettingsFile(Settings{}));
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.name) + "=" + r.value);
        Settings s;
        const std::optional<std::string> problem = SetSettingByName(s, r.name, r.value);
        auto expected = defaults;
        if (!problem) expected[r.line] = r.result;
        EXPECT_EQ(problem.value_or(r.result), r.result);
        EXPECT_EQ(FormatSettingsFile(s), JoinLines(expected));
    }
}

TEST(SettingsFile, DefaultModeListIsTheShippedOneWhenPresent) {
    TempDir dir;
    ProgramPaths paths{dir.Path(), dir.Path()};
    EXPECT_EQ(DefaultSettings(paths).ModeListFile, FindShippedFile(dir.Path(), "avga9200.txt"));
    std::string modes = dir.Write("avga9200.txt", "640 x 480 @ 60\r\n");
    EXPECT_EQ(DefaultSettings(paths).ModeListFile, modes);
}

TEST(SettingsFile, SaveLoadAndTheEmulatorFolder) {
    TempDir dir;
    Model m = ModelIn(dir.Path());
    m.S.MatchResWithin = 7;
    LoadSettings(m);  // no file: the settings stay, the emulator's folder stays underived
    EXPECT_EQ(m.S.MatchResWithin, 7);
    EXPECT_EQ(m.MameFolder, "");

    m.S = Unusual();
    m.S.MameExePath = dir.File("emu/mame");
    ASSERT_TRUE(SaveSettings(m));
    EXPECT_EQ(TempDir::Read(m.SettingsFile()), FormatSettingsFile(m.S));
    EXPECT_EQ(EntryCount(dir.Path()), 1);  // no temporary file left

    Model loaded = ModelIn(dir.Path());
    LoadSettings(loaded);  // the emulator named in the file is missing
    EXPECT_EQ(FormatSettingsFile(loaded.S), FormatSettingsFile(m.S));
    EXPECT_EQ(loaded.MameFolder, "");
    dir.Write("emu/mame", "#!/bin/sh\n");
    LoadSettings(loaded);
    EXPECT_EQ(loaded.MameFolder, dir.File("emu"));

    TempDir other;  // a folder named like the settings file is no settings file
    fs::create_directory(other.File("kelvaro.cfg"));
    Model n = ModelIn(other.Path());
    LoadSettings(n);
    EXPECT_EQ(FormatSettingsFile(n.S), FormatSettingsFile(Settings{}));
}

TEST(SettingsFile, FailedSaveLeavesTheOldFileWhole) {
    TempDir dir;
    Model m = ModelIn(dir.Path());
    ASSERT_TRUE(SaveSettings(m));
    std::string old = TempDir::Read(m.SettingsFile());
    m.S = Unusual();
    {
        FileSizeLimit limit(16);
        EXPECT_EQ(SaveSettings(m).Reason(), "cannot write " + m.SettingsFile() + ": File too large");
    }
    EXPECT_EQ(TempDir::Read(m.SettingsFile()), old);
    EXPECT_EQ(EntryCount(dir.Path()), 1);

    // A data folder that is a file, or that does not exist.
    std::string file = dir.Write("plain", "x");
    EXPECT_FALSE(SaveSettings(ModelIn(file)));
    EXPECT_FALSE(SaveSettings(ModelIn(dir.File("no/such/folder"))));
    EXPECT_FALSE(fs::exists(dir.File("no")));
    EXPECT_EQ(TempDir::Read(file), "x");
}
