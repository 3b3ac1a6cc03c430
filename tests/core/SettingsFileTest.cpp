#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "TempDir.h"
#include "core/Model.h"
#include "core/SettingsFile.h"
#include "core/Text.h"

using namespace kelvaro;
using Lines = std::vector<std::string>;

namespace {

// Every setting away from its default; texts keep their spaces at both ends.
const Settings kUnusual = {.MameExePath = " /opt/my mame/mame ",
                           .MameINIPath = "  ini  ",
                           .MameROMPath = "roms",
                           .LegacyMame = true,
                           .ModeListFile = "/data/modes.txt ",
                           .MonitorOrientation = MonitorOrientation::Rotating,
                           .PreferredRotation = PreferredRotation::AntiClockwise,
                           .IgnoreInterlaced = false,
                           .MatchResWithin = 10,
                           .MatchRefreshWithin = 0.5f,
                           .NotFoundWidth = "640",
                           .NotFoundHeight = "480",
                           .NotFoundRefresh = "59.94",
                           .NotFoundINIText = "resolution 640x480@60|ror 1| ",
                           .GenerateApplyTo = GenerateScope::Cancelled,
                           .GenerateAvailableOnly = false,
                           .GenerateParentsOnly = false,
                           .GenerateNoINIOnly = true,
                           .MonitorKind = MonitorKind::Arcade15};

Lines LinesOf(const std::string& file) {
    Lines lines;
    for (std::string_view l : SplitLines(file)) lines.emplace_back(l);
    return lines;
}

std::string FileOf(const Lines& lines) {
    std::string file;
    for (const std::string& l : lines) file += l + "\r\n";
    return file;
}

// The file as written again after reading bytes over the defaults.
std::string ReadOverDefaults(const std::string& bytes) {
    Settings s;
    (void)ParseSettingsFile(bytes, s);
    return FormatSettingsFile(s);
}

const Lines kDefaults = LinesOf(FormatSettingsFile(Settings{}));

} // namespace

TEST(SettingsFile, WrittenBytesAndTheRoundTrip) {
    EXPECT_EQ(FormatSettingsFile(Settings{}),
              "\r\n\r\n\r\nFalse\r\n\r\n 0 \r\n 0 \r\nTrue\r\n 16 \r\n 1.25 \r\n???\r\n???\r\n??\r\n"
              "resolution auto\r\n 0 \r\nTrue\r\nTrue\r\nFalse\r\n 2 \r\n");
    std::string bytes = FormatSettingsFile(kUnusual);
    EXPECT_EQ(bytes, " /opt/my mame/mame \r\n  ini  \r\nroms\r\nTrue\r\n/data/modes.txt \r\n 2 \r\n 1 \r\n"
                     "False\r\n 10 \r\n 0.5 \r\n640\r\n480\r\n59.94\r\nresolution 640x480@60|ror 1| \r\n-1 \r\n"
                     "False\r\nFalse\r\nTrue\r\n 0 \r\n");
    EXPECT_EQ(ReadOverDefaults(bytes), bytes);
    Settings read;
    EXPECT_TRUE(ParseSettingsFile(bytes, read).Empty());
    // A file of the 18 lines written before the monitor kind was kept reads whole, the kind default.
    const std::string earlier = bytes.substr(0, bytes.size() - 5);
    Settings old;
    EXPECT_TRUE(ParseSettingsFile(earlier, old).Empty());
    EXPECT_EQ(FormatSettingsFile(old), earlier + " 2 \r\n");
    EXPECT_EQ(ReadOverDefaults(""), FileOf(kDefaults));
    // LF alone and CR alone end a line too; the last line needs no end; missing lines keep defaults.
    const std::string rest = FileOf(Lines(kDefaults.begin() + 6, kDefaults.end()));
    EXPECT_EQ(ReadOverDefaults("/usr/games/mame\n/ini\r\rTrue\r\nm.txt\r\n 1 "),
              "/usr/games/mame\r\n/ini\r\n\r\nTrue\r\nm.txt\r\n 1 \r\n" + rest);
}

TEST(SettingsFile, EachLineConvertsOrKeepsTheDefaultAndReadingGoesOn) {
    // line index, its text in a file that otherwise holds kUnusual, the line written back
    // after reading over the defaults (nullptr: the line did not convert, the default stays)
    struct Row {
        std::size_t line;
        const char* text;
        const char* written;
    };
    const Row rows[] = {{3, " tRuE ", "True"},
                        {3, " 0.0 ", "False"},
                        {3, "0,5", "True"},
                        {3, "maybe", nullptr},
                        {5, " 1 ", " 1 "},
                        {5, " 3 ", nullptr},
                        {6, "-1 ", nullptr},
                        {6, " 2 ", nullptr}, // beyond the menu
                        {8, "  12  ", " 12 "},
                        {8, " 16.5 ", " 16 "},
                        {8, "17,5", " 18 "},
                        {8, "-50", nullptr},
                        {8, "101", nullptr},
                        {8, "32768", nullptr},
                        {8, "12px", nullptr},
                        {9, " 1,5 ", " 1.5 "},
                        {9, "-5", nullptr},
                        {9, "15.5", nullptr},
                        {9, "1,000.5", nullptr},
                        {9, "1000000000000000000000000000000000000000", nullptr}, // beyond a float
                        // GenerateApplyTo: a scope, or -1 for a cancelled dialog
                        {14, "-1", "-1 "},
                        {14, " 2abc", nullptr},
                        {14, "7", nullptr},
                        {14, "70000", nullptr},
                        {13, "", ""},
                        {18, " 5 ", " 5 "},
                        {18, " 6 ", nullptr}, // no such kind: the default, and every other line read
                        {18, "vga", nullptr}};
    const Lines unusual = LinesOf(FormatSettingsFile(kUnusual));
    for (const Row& r : rows) {
        Lines lines = unusual, expected = unusual;
        lines[r.line] = r.text;
        expected[r.line] = r.written ? r.written : kDefaults[r.line];
        Settings s;
        const SettingsFileProblems problems = ParseSettingsFile(FileOf(lines), s);
        EXPECT_EQ(FormatSettingsFile(s), FileOf(expected)) << r.line << " \"" << r.text << "\"";
        // Each value that was replaced is reported, naming its line; nothing else is.
        ASSERT_EQ(problems.Lines.size(), r.written ? 0u : 1u) << r.line << " \"" << r.text << "\"";
        EXPECT_FALSE(problems.WrongLineCount);
        if (!r.written) {
            EXPECT_EQ(problems.Lines[0].rfind("line " + std::to_string(r.line + 1) + ", ", 0), 0u);
        }
    }
}

TEST(SettingsFile, AFileWithALineMissingIsReportedAndKeptAsBadBeforeItIsReplaced) {
    TempDir dir;
    Model m;
    m.Paths = {dir.Path(), dir.Path()};
    Lines lines = LinesOf(FormatSettingsFile(kUnusual));
    lines.erase(lines.begin() + 2, lines.begin() + 4);
    const std::string damaged = FileOf(lines);
    dir.Write("kelvaro.cfg", damaged);
    SettingsFileProblems problems;
    ASSERT_TRUE(LoadSettings(m, &problems));
    EXPECT_TRUE(problems.WrongLineCount);
    EXPECT_EQ(problems.Lines.front(), "the file holds 17 lines instead of 19, so its settings may be out of place");
    ASSERT_TRUE(SaveSettings(m));
    EXPECT_EQ(TempDir::Read(dir.File("kelvaro.cfg.bad")), damaged);
    EXPECT_EQ(TempDir::Read(m.SettingsFile()), FormatSettingsFile(m.Config));

    // A settings file that is there but cannot be read is reported and never written over.
    Model unreadable;
    unreadable.Paths = {dir.File("cfg"), dir.File("cfg")};
    dir.Write("cfg/kelvaro.cfg/inside", "x");
    EXPECT_EQ(LoadSettings(unreadable).Reason(), "cannot read " + unreadable.SettingsFile() + ": Is a directory");
    EXPECT_FALSE(SaveSettings(unreadable));
    EXPECT_EQ(TempDir::Read(dir.File("cfg/kelvaro.cfg/inside")), "x");
}

TEST(SettingsFile, SetSettingByNameTakesOnlyWhatTheMenusOffer) {
    // line index, name, value, the line written after it, or why it was refused (nothing changed)
    struct Row {
        std::size_t line;
        const char* name;
        const char* value;
        const char* result;
    };
    const char* kOrientations = "must be 0, 1 or 2";
    const char* kSwitch = "must be True, False, 1 or 0";
    const Row rows[] = {{5, "MonitorOrientation", " 2 ", " 2 "},
                        {5, "MonitorOrientation", "-1", kOrientations},
                        {6, "PreferredRotation", "1,0", " 1 "},
                        {6, "PreferredRotation", "2", "must be 0 or 1"},
                        {8, "MatchResWithin", "17.5", " 18 "},
                        {8, "MatchResWithin", "100.5", "must be a number from 0 to 100"},
                        {9, "MatchRefreshWithin", "0,75", " 0.75 "},
                        {9, "MatchRefreshWithin", "-0.5", "must be a number from 0 to 15"},
                        {14, "GenerateApplyTo", "3", " 3 "},
                        {14, "GenerateApplyTo", "-1", "must be 0, 1, 2 or 3"},
                        {16, "GenerateParentsOnly", "0", "False"},
                        {17, "GenerateNoINIOnly", "maybe", kSwitch},
                        {17, "GenerateNoINIOnly", " tRUE ", "True"},
                        {17, "GenerateNoINIOnly", "2", kSwitch},
                        {17, "GenerateNoINIOnly", "1\n", "must be one line"},
                        {13, "NotFoundINIText", " resolution auto|ror 1 ", " resolution auto|ror 1 "},
                        {13, "NotFoundINIText", "resolution auto\r\nror 1", "must be one line (join INI lines with |)"},
                        {1, "MameINIPath", "ini\nMameROMPath", "must be one line"},
                        {18, "MonitorKind", "3", " 3 "},
                        {18, "MonitorKind", "6", "must be 0, 1, 2, 3, 4 or 5"},
                        {0, "matchreswithin", "5", "no such setting"}};
    for (const Row& r : rows) {
        Settings s;
        const Outcome set = SetSettingByName(s, r.name, r.value);
        Lines expected = kDefaults;
        if (set) expected[r.line] = r.result;
        EXPECT_EQ(set ? r.result : set.Reason(), r.result) << r.name << "=" << r.value;
        EXPECT_EQ(FormatSettingsFile(s), FileOf(expected)) << r.name << "=" << r.value;
    }
}

TEST(SettingsFile, SaveLoadAndTheDefaultModeList) {
    TempDir dir;
    Model m;
    m.Paths = {dir.Path(), dir.Path()};
    m.Config.MatchResWithin = 7;
    ASSERT_TRUE(LoadSettings(m)); // no file: the settings stay
    EXPECT_EQ(m.Config.MatchResWithin, 7);
    {
        FileSizeLimit limit(16);
        if (FileSizeLimit::Available) {
            EXPECT_EQ(SaveSettings(m).Reason(), "cannot write " + m.SettingsFile() + ": File too large");
        }
    }
    m.Config = kUnusual;
    m.Config.MameExePath = dir.File("emu/mame");
    ASSERT_TRUE(SaveSettings(m));
    EXPECT_EQ(TempDir::Read(m.SettingsFile()), FormatSettingsFile(m.Config));

    Model loaded;
    loaded.Paths = m.Paths;
    ASSERT_TRUE(LoadSettings(loaded)); // the emulator named in the file is missing: its path is kept all the same
    EXPECT_EQ(FormatSettingsFile(loaded.Config), FormatSettingsFile(m.Config));

    const std::string modes = dir.Write("avga9200.txt", "640 x 480 @ 60\r\n");
    EXPECT_EQ(DefaultSettings(m.Paths).ModeListFile, modes);
}
