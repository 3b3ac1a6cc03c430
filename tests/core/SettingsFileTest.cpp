#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>
#include <sys/resource.h>

#include "TempDir.h"
#include "core/Model.h"
#include "core/SettingsFile.h"
#include "platform/Files.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// The 18 lines joined with CR LF after each, as the file holds them.
std::string FileOf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

std::vector<std::string> DefaultLines() {
    return {"", "", "", "False", "", " 0 ", " 0 ", "True", " 16 ", " 1.25 ",
            "???", "???", "??", "resolution auto", " 0 ", "True", "True", "False"};
}

void ExpectSame(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.MameExePath, b.MameExePath);
    EXPECT_EQ(a.MameINIPath, b.MameINIPath);
    EXPECT_EQ(a.MameROMPath, b.MameROMPath);
    EXPECT_EQ(a.LegacyMame, b.LegacyMame);
    EXPECT_EQ(a.ModeListFile, b.ModeListFile);
    EXPECT_EQ(a.MonitorOrientation, b.MonitorOrientation);
    EXPECT_EQ(a.PreferredRotation, b.PreferredRotation);
    EXPECT_EQ(a.IgnoreInterlaced, b.IgnoreInterlaced);
    EXPECT_EQ(a.MatchResWithin, b.MatchResWithin);
    EXPECT_EQ(a.MatchRefreshWithin, b.MatchRefreshWithin);
    EXPECT_EQ(a.NotFoundWidth, b.NotFoundWidth);
    EXPECT_EQ(a.NotFoundHeight, b.NotFoundHeight);
    EXPECT_EQ(a.NotFoundRefresh, b.NotFoundRefresh);
    EXPECT_EQ(a.NotFoundINIText, b.NotFoundINIText);
    EXPECT_EQ(a.GenerateApplyTo, b.GenerateApplyTo);
    EXPECT_EQ(a.GenerateAvailableOnly, b.GenerateAvailableOnly);
    EXPECT_EQ(a.GenerateParentsOnly, b.GenerateParentsOnly);
    EXPECT_EQ(a.GenerateNoINIOnly, b.GenerateNoINIOnly);
}

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
    s.GenerateApplyTo = -1;
    s.GenerateAvailableOnly = false;
    s.GenerateParentsOnly = false;
    s.GenerateNoINIOnly = true;
    return s;
}

Model ModelIn(const std::string& folder) {
    Model m;
    m.Paths.ProgramFolder = folder;
    m.Paths.DataFolder = folder;
    return m;
}

// Makes every write beyond a few bytes fail, as a full disk would (root ignores permissions).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = old_;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    return names;
}

} // namespace

TEST(SettingsFile, DefaultsAreWrittenByteForByte) {
    EXPECT_EQ(FormatSettingsFile(Settings{}), FileOf(DefaultLines()));

    Settings s;
    s.ModeListFile = "/usr/share/kelvaro/avga9200.txt";
    auto lines = DefaultLines();
    lines[4] = s.ModeListFile;
    EXPECT_EQ(FormatSettingsFile(s), FileOf(lines));
}

TEST(SettingsFile, EverySettingSurvivesTheRoundTrip) {
    Settings written = Unusual();
    std::string bytes = FormatSettingsFile(written);

    auto lines = FileOf({written.MameExePath, written.MameINIPath, "roms", "True", written.ModeListFile, " 2 ",
                         " 1 ", "False", " 10 ", " 0.5 ", "640", "480", "59.94", written.NotFoundINIText, "-1 ",
                         "False", "False", "True"});
    EXPECT_EQ(bytes, lines);

    Settings read;
    ParseSettingsFile(bytes, read);
    ExpectSame(read, written);
}

TEST(SettingsFile, NegativeAndFractionalNumbersAreFramedBySpaces) {
    Settings s;
    s.MatchRefreshWithin = -0.75f;
    s.MatchResWithin = -3;
    s.GenerateApplyTo = 3;
    std::string bytes = FormatSettingsFile(s);
    EXPECT_NE(bytes.find("\r\n-3 \r\n-0.75 \r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n 3 \r\nTrue\r\n"), std::string::npos);
}

TEST(SettingsFile, ShortFileKeepsDefaultsForMissingLines) {
    Settings s;
    ParseSettingsFile(FileOf({"/usr/games/mame", "/ini", "/roms", "True", "/m.txt", " 1 "}), s);
    EXPECT_EQ(s.MameExePath, "/usr/games/mame");
    EXPECT_EQ(s.ModeListFile, "/m.txt");
    EXPECT_TRUE(s.LegacyMame);
    EXPECT_EQ(s.MonitorOrientation, 1);
    Settings d;
    EXPECT_EQ(s.PreferredRotation, d.PreferredRotation);
    EXPECT_EQ(s.MatchResWithin, 16);
    EXPECT_EQ(s.MatchRefreshWithin, 1.25f);
    EXPECT_EQ(s.NotFoundINIText, "resolution auto");
    EXPECT_TRUE(s.GenerateParentsOnly);

    Settings empty;
    ParseSettingsFile("", empty);
    ExpectSame(empty, d);

    // The last line without its line end still counts.
    Settings noEnd;
    ParseSettingsFile("a\r\nb", noEnd);
    EXPECT_EQ(noEnd.MameINIPath, "b");
}

TEST(SettingsFile, LineThatDoesNotConvertKeepsItsValueAndReadingGoesOn) {
    auto lines = DefaultLines();
    lines[3] = "maybe";      // LegacyMame
    lines[5] = "one";        // MonitorOrientation
    lines[7] = "";           // IgnoreInterlaced
    lines[8] = "\t10";       // a tab is not a space
    lines[9] = "1.2.3";      // MatchRefreshWithin
    lines[10] = "320";       // read on after the failures
    lines[14] = "70000";     // GenerateApplyTo: beyond 16 bits
    lines[15] = "False";
    lines[17] = "1";
    Settings s;
    s.LegacyMame = true;
    s.MonitorOrientation = 1;
    ParseSettingsFile(FileOf(lines), s);
    EXPECT_TRUE(s.LegacyMame);
    EXPECT_EQ(s.MonitorOrientation, 1);
    EXPECT_TRUE(s.IgnoreInterlaced);
    EXPECT_EQ(s.MatchResWithin, 16);
    EXPECT_EQ(s.MatchRefreshWithin, 1.25f);
    EXPECT_EQ(s.NotFoundWidth, "320");
    EXPECT_EQ(s.GenerateApplyTo, 0);
    EXPECT_FALSE(s.GenerateAvailableOnly);
    EXPECT_TRUE(s.GenerateNoINIOnly);
}

TEST(SettingsFile, NumberReadings) {
    auto read = [](int index, const std::string& text) {
        auto lines = DefaultLines();
        lines[static_cast<std::size_t>(index)] = text;
        Settings s;
        ParseSettingsFile(FileOf(lines), s);
        return s;
    };
    EXPECT_EQ(read(8, "10").MatchResWithin, 10);
    EXPECT_EQ(read(8, "  12  ").MatchResWithin, 12);
    EXPECT_EQ(read(8, " 16.5 ").MatchResWithin, 16);  // halves to even
    EXPECT_EQ(read(8, " 17.5 ").MatchResWithin, 18);
    EXPECT_EQ(read(8, "17,5").MatchResWithin, 18);
    EXPECT_EQ(read(8, "-32768").MatchResWithin, -32768);
    EXPECT_EQ(read(8, "32768").MatchResWithin, 16);
    EXPECT_EQ(read(8, "12px").MatchResWithin, 16);
    EXPECT_EQ(read(9, " 1,5 ").MatchRefreshWithin, 1.5f);
    EXPECT_EQ(read(9, "0.5").MatchRefreshWithin, 0.5f);
    EXPECT_EQ(read(9, "2.").MatchRefreshWithin, 2.0f);
    EXPECT_EQ(read(9, "1e40").MatchRefreshWithin, 1.25f);
    EXPECT_EQ(read(9, "1,000.5").MatchRefreshWithin, 1.25f);
    // GenerateApplyTo takes the leading number and rounds it.
    EXPECT_EQ(read(14, "-1 ").GenerateApplyTo, -1);
    EXPECT_EQ(read(14, " 2abc").GenerateApplyTo, 2);
    EXPECT_EQ(read(14, " 2.5").GenerateApplyTo, 2);
    EXPECT_EQ(read(14, "3.5x").GenerateApplyTo, 4);
    EXPECT_EQ(read(14, "abc").GenerateApplyTo, 0);
}

TEST(SettingsFile, BooleanReadings) {
    auto legacy = [](const std::string& text) {
        auto lines = DefaultLines();
        lines[3] = text;
        Settings s;
        s.LegacyMame = false;
        ParseSettingsFile(FileOf(lines), s);
        bool first = s.LegacyMame;
        s.LegacyMame = true;
        ParseSettingsFile(FileOf(lines), s);
        EXPECT_EQ(first, s.LegacyMame) << "'" << text << "' did not convert";
        return first;
    };
    EXPECT_TRUE(legacy("True"));
    EXPECT_TRUE(legacy("TRUE"));
    EXPECT_TRUE(legacy("tRuE"));
    EXPECT_FALSE(legacy("false"));
    EXPECT_FALSE(legacy("FALSE"));
    EXPECT_FALSE(legacy("0"));
    EXPECT_FALSE(legacy(" 0.0 "));
    EXPECT_TRUE(legacy("-1"));
    EXPECT_TRUE(legacy(" 2 "));
    EXPECT_TRUE(legacy("0.5"));
}

TEST(SettingsFile, MenuChoicesOutsideTheirRangeFallBackToTheFirst) {
    auto lines = DefaultLines();
    lines[5] = " 3 ";
    lines[6] = "-1 ";
    Settings s;
    s.MonitorOrientation = 1;
    s.PreferredRotation = 1;
    ParseSettingsFile(FileOf(lines), s);
    EXPECT_EQ(s.MonitorOrientation, 0);
    EXPECT_EQ(s.PreferredRotation, 0);

    lines[5] = " 2 ";
    lines[6] = " 2 ";
    ParseSettingsFile(FileOf(lines), s);
    EXPECT_EQ(s.MonitorOrientation, 2);
    EXPECT_EQ(s.PreferredRotation, 0);
}

TEST(SettingsFile, LinesMayEndInLineFeedAlone) {
    Settings s;
    ParseSettingsFile("/usr/games/mame\n/ini\n\nTrue\n", s);
    EXPECT_EQ(s.MameExePath, "/usr/games/mame");
    EXPECT_EQ(s.MameINIPath, "/ini");
    EXPECT_EQ(s.MameROMPath, "");
    EXPECT_TRUE(s.LegacyMame);
}

TEST(SettingsFile, SetSettingByName) {
    Settings s;
    EXPECT_TRUE(SetSettingByName(s, "MatchResWithin", "10"));
    EXPECT_EQ(s.MatchResWithin, 10);
    EXPECT_TRUE(SetSettingByName(s, "MatchRefreshWithin", "0,75"));
    EXPECT_EQ(s.MatchRefreshWithin, 0.75f);
    EXPECT_TRUE(SetSettingByName(s, "NotFoundINIText", " resolution auto|ror 1 "));
    EXPECT_EQ(s.NotFoundINIText, " resolution auto|ror 1 ");
    EXPECT_TRUE(SetSettingByName(s, "GenerateNoINIOnly", "true"));
    EXPECT_TRUE(s.GenerateNoINIOnly);
    EXPECT_TRUE(SetSettingByName(s, "GenerateApplyTo", "-1"));
    EXPECT_EQ(s.GenerateApplyTo, -1);

    EXPECT_FALSE(SetSettingByName(s, "MatchResWithin", "wide"));
    EXPECT_EQ(s.MatchResWithin, 10);
    EXPECT_FALSE(SetSettingByName(s, "matchreswithin", "5"));
    EXPECT_FALSE(SetSettingByName(s, "Nonsense", "5"));
    EXPECT_EQ(s.MatchResWithin, 10);
}

TEST(SettingsFile, DefaultModeListIsTheShippedOneWhenPresent) {
    TempDir dir;
    ProgramPaths paths{dir.Path(), dir.Path()};
    // Without a file beside the program, the installed copy (if any) is used.
    EXPECT_EQ(DefaultSettings(paths).ModeListFile, FindShippedFile(dir.Path(), "avga9200.txt"));
    std::string modes = dir.Write("avga9200.txt", "640 x 480 @ 60\r\n");
    Settings s = DefaultSettings(paths);
    EXPECT_EQ(s.ModeListFile, modes);
    EXPECT_EQ(s.MatchResWithin, 16);
    EXPECT_EQ(s.NotFoundRefresh, "??");
}

TEST(SettingsFile, SaveAndLoadThroughTheDataFolder) {
    TempDir dir;
    Model m = ModelIn(dir.Path());
    std::string exe = dir.Write("emu/mame", "#!/bin/sh\n");
    m.S = Unusual();
    m.S.MameExePath = exe;
    ASSERT_TRUE(SaveSettings(m));
    EXPECT_EQ(TempDir::Read(m.SettingsFile()), FormatSettingsFile(m.S));
    EXPECT_EQ(Entries(dir.Path()).size(), 2u);  // the file and "emu": no temporary file left

    Model loaded = ModelIn(dir.Path());
    LoadSettings(loaded);
    ExpectSame(loaded.S, m.S);
    EXPECT_EQ(loaded.MameFolder, dir.File("emu"));
}

TEST(SettingsFile, LoadWithoutFileOrEmulator) {
    TempDir dir;
    Model m = ModelIn(dir.Path());
    m.S.MatchResWithin = 7;
    LoadSettings(m);
    EXPECT_EQ(m.S.MatchResWithin, 7);
    EXPECT_EQ(m.MameFolder, "");

    // The emulator named in the file is gone: the folder stays underived.
    auto lines = DefaultLines();
    lines[0] = dir.File("missing/mame");
    dir.Write("kelvaro.cfg", FileOf(lines));
    LoadSettings(m);
    EXPECT_EQ(m.S.MameExePath, lines[0]);
    EXPECT_EQ(m.MameFolder, "");

    // A folder named like the settings file is no settings file.
    TempDir other;
    fs::create_directory(other.File("kelvaro.cfg"));
    Model n = ModelIn(other.Path());
    LoadSettings(n);
    EXPECT_EQ(n.S.MatchResWithin, 16);
}

TEST(SettingsFile, FailedSaveLeavesTheOldFileWhole) {
    TempDir dir;
    Model m = ModelIn(dir.Path());
    ASSERT_TRUE(SaveSettings(m));
    std::string old = TempDir::Read(m.SettingsFile());

    m.S = Unusual();
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(SaveSettings(m));
    }
    EXPECT_EQ(TempDir::Read(m.SettingsFile()), old);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"kelvaro.cfg"});

    // A data folder that is a file, or that does not exist.
    std::string file = dir.Write("plain", "x");
    EXPECT_FALSE(SaveSettings(ModelIn(file)));
    EXPECT_FALSE(SaveSettings(ModelIn(dir.File("no/such/folder"))));
    EXPECT_FALSE(fs::exists(dir.File("no")));
    EXPECT_EQ(TempDir::Read(file), "x");
}
