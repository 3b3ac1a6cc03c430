// INI files on disk: writing them (scopes, filters, contents, files that cannot be written) and
// reading them back into the game table.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

#include "Fixtures.h"
#include "FolderHeld.h"
#include "TempDir.h"
#include "ini/IniFiles.h"

using namespace kelvaro;
using fixtures::Entries;
using fixtures::Game;
using fixtures::Mode;
namespace fs = std::filesystem;

namespace {

// PACMAN is a clone; GALAGA shares the size of PUCKMAN at another refresh; MYSTERY shares it with
// no orientation and empty details; SF2 is horizontal; 1942 is vertical at another size.
Model SixGames(const std::string& iniFolder, int applyTo = 3) {
    Model m;
    m.Games.Add(Game("PACMAN", "224", "288", "60.606061", "V", "resolution 640x480|ror 1", "PUCKMAN"));
    m.Games.Add(Game("PUCKMAN", "224", "288", "60.606061", "V", "resolution 640x480|ror 1"));
    m.Games.Add(Game("GALAGA", "224", "288", "60.606060", "V", "resolution 320x240|ror 1"));
    m.Games.Add(Game("SF2", "384", "224", "59.637405", "H", "resolution 384x224|  |# note"));
    m.Games.Add(Game("MYSTERY", "224", "288", "60", "", ""));
    m.Games.Add(Game("1942", "224", "256", "60.000000", "V"));
    m.Config.MameINIPath = iniFolder;
    m.Config.GenerateApplyTo = static_cast<GenerateScope>(applyTo);
    m.Config.GenerateParentsOnly = false;
    return m;
}

// The INI files as named on disk: the emulator's lower-case spelling where file names are
// case-sensitive, the game list's own spelling (upper case in these games) on Windows.
std::set<std::string> OnDisk(std::initializer_list<std::string> lowerCase) {
    std::set<std::string> names;
    for (std::string name : lowerCase) {
#ifdef _WIN32
        for (std::size_t i = 0; i + 4 < name.size(); ++i) // all but ".ini"
            name[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
#endif
        names.insert(name);
    }
    return names;
}

const std::set<std::string> kAllSix =
    OnDisk({"pacman.ini", "puckman.ini", "galaga.ini", "sf2.ini", "mystery.ini", "1942.ini"});

// A generation with the scope and filters of the settings, as the generation dialog leaves them;
// one that is refused fails the test and gives an empty result.
GenerateResult GenerateAsSet(Model& m, int selected, ProgressSink& progress) {
    const Result<GenerateResult> r = GenerateINIFiles(m, GenerateRequestOf(m.Config, selected), progress);
    EXPECT_TRUE(r) << r.Reason();
    return r ? *r : GenerateResult{};
}

// "written skipped failed"
std::string Generate(Model& m, int selected = 0) {
    ProgressSink quiet;
    const GenerateResult r = GenerateAsSet(m, selected, quiet);
    return std::to_string(r.Written) + " " + std::to_string(r.Skipped) + " " + std::to_string(r.Failed);
}

// Two modes of 640 by 480, so that the last one's refresh can be told from the first one's.
Model ReadyModel(const std::string& iniFolder, const std::vector<std::string>& roms) {
    Model m;
    m.NativeModes.Add(NativeModeRow{"224", "288", "60.606061", "V"});
    for (const AvailModeRow& mode : {Mode("640", "480", "60"), Mode("320", "240", "60"), Mode("640", "480", "57")})
        m.AvailModes.Add(mode);
    for (const std::string& rom : roms) {
        // Something other than the defaults, so that an untouched row is seen to be untouched.
        GameRow& g = m.Games.Add(Game(rom, "224", "288", "60.606061", "V", "resolution 320x240|kept"));
        g.GameModeWidth = "320";
        g.GameModeHeight = "240";
        g.GameModeRefresh = "60";
    }
    m.Config.MameINIPath = iniFolder;
    return m;
}

// "[details] W H R"
std::string RowOf(const GameRow& g) {
    return "[" + g.GameINIText + "] " + g.GameModeWidth + " " + g.GameModeHeight + " " + g.GameModeRefresh;
}

const std::string kUntouched = "[resolution 320x240|kept] 320 240 60";

} // namespace

TEST(GenerateIniFiles, EachScopeWritesItsGamesInTheEmulatorsSpelling) {
    struct Case {
        int applyTo, selected;
        std::set<std::string> files;
        int skipped = 0;
    };
    const std::vector<Case> cases = {
        // The selected game only, unless "Parent Romsets Only" leaves out the selected clone.
        {0, 2, OnDisk({"puckman.ini"})},
        {0, 1, {}, 1},
        // Native size only: another refresh and another (or no) orientation are in.
        {1, 2, OnDisk({"pacman.ini", "puckman.ini", "galaga.ini", "mystery.ini"})},
        {2, 2, OnDisk({"pacman.ini", "puckman.ini", "galaga.ini", "1942.ini"})},
        {2, 5, OnDisk({"mystery.ini"})},
        {3, 0, kAllSix},
        {-1, 2, {}},
        {4, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("scope " + std::to_string(c.applyTo) + ", selected " + std::to_string(c.selected));
        TempDir t;
        Model m = SixGames(t.Path(), c.applyTo);
        m.Config.GenerateParentsOnly = c.applyTo == 0;
        EXPECT_EQ(Generate(m, c.selected), std::to_string(c.files.size()) + " " + std::to_string(c.skipped) + " 0");
        EXPECT_EQ(Entries(t.Path()), c.files);
    }
}

TEST(GenerateIniFiles, FileBytesFollowTheDetails) {
    TempDir t;
    Model m = SixGames(t.Path());
    // A second "sf2" (in another case in the list) names the same file: the first game writes it.
    m.Games.Add(Game("SF2", "384", "224", "60", "H", "resolution 320x240"));
    t.Write(*OnDisk({"sf2.ini"}).begin(), "an older file that is longer than the new one\r\n\r\n\r\n");
    m.Games[4].GameINIFile = IniFileKnown::Read; // as reading back leaves it
    m.INIsReadFrom = t.Path();
    EXPECT_EQ(Generate(m), "6 1 0");
    EXPECT_EQ(TempDir::Read(t.File("sf2.ini")), "resolution 384x224\r\n  \r\n# note\r\n");
    EXPECT_EQ(TempDir::Read(t.File("1942.ini")), "resolution auto\r\n");
    EXPECT_EQ(fs::file_size(t.File("mystery.ini")), 0u);
    EXPECT_EQ(Entries(t.Path()), kAllSix); // the safe write leaves nothing of its own behind

    // "Games with no Existing INI File Only" now skips them all.
    m.Config.GenerateNoINIOnly = true;
    m.Games[4].GameINIText = "changed";
    EXPECT_EQ(Generate(m), "0 7 0");
    EXPECT_EQ(TempDir::Read(t.File("sf2.ini")), "resolution 384x224\r\n  \r\n# note\r\n");
}

TEST(GenerateIniFiles, AvailableMeansZipSevenZipOrFolder) {
    TempDir t;
    t.Write("roms/puckman.zip", "zip");
    t.Write("roms/galaga.7z", "7z");
    fs::create_directories(t.File("roms/1942"));
    t.Write("roms/sf2", "a file, not a folder");
    t.Write("roms/pacman.rar", "not a form the emulator loads");
#ifndef _WIN32
    t.Write("roms/MYSTERY.zip", "the emulator looks for mystery.zip only");
#endif
    t.Write("x.zip", "reachable as roms/../x.zip");
    struct Case {
        std::string romPath;
        std::set<std::string> files;
    };
    const std::vector<Case> cases = {
        {t.File("roms"), OnDisk({"puckman.ini", "galaga.ini", "1942.ini"})},
        // Without a ROM folder the filter is off.
        {"", kAllSix},
        {t.File("missing"), kAllSix},
        // A path naming a file passes the dialog's test, so the filter applies and finds nothing.
        {t.File("roms/sf2"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("ROM path '" + c.romPath + "'");
        TempDir ini;
        Model m = SixGames(ini.Path());
        m.Games.Add(Game("../X", "224", "288", "60", "V"));
        m.Config.MameROMPath = c.romPath;
        // A name that is no file name fails, whether or not it would be found.
        EXPECT_EQ(Generate(m), std::to_string(c.files.size()) + " " + std::to_string(6 - c.files.size()) + " 1");
        EXPECT_EQ(Entries(ini.Path()), c.files);
    }
}

TEST(GenerateIniFiles, TheSummarySaysWhyGamesWereSkipped) {
    TempDir t;
    t.Write("roms/puckman.zip", "");
    t.Write("roms/pacman.zip", "");
    fs::create_directories(t.File("ini"));
    Model m = SixGames(t.File("ini"));
    m.Games.Add(Game("PuckMan", "224", "288", "60.606061", "V"));
    m.Config.MameROMPath = t.File("roms");
    m.Config.GenerateParentsOnly = true;
    ProgressSink quiet;
    EXPECT_EQ(GenerationSummary(GenerateAsSet(m, 0, quiet)),
              "1 written; 6 skipped: 4 no ROMs, 1 clone, 1 same file as another game");
    m.Config.GenerateAvailableOnly = m.Config.GenerateParentsOnly = false;
    m.Config.GenerateNoINIOnly = true;
    m.Config.MameINIPath = t.File("none/ini");
    EXPECT_EQ(GenerationSummary(GenerateAsSet(m, 0, quiet)),
              "0 written; 1 skipped: same file as another game; 6 failed");
    m.Config.MameINIPath = t.File("ini");
    EXPECT_EQ(GenerationSummary(GenerateAsSet(m, 0, quiet)), "5 written; 2 skipped: INI file there already");
}

TEST(GenerateIniFiles, FilesThatCannotBeWrittenAreCountedAndTheRunGoesOn) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs, and making symbolic links needs the developer mode there";
#else
    TempDir t;
    Model m = SixGames(t.File("ini"));
    fs::create_directories(t.File("ini/galaga.ini"));          // a folder where the file would go
    ASSERT_EQ(mkfifo(t.File("ini/sf2.ini").c_str(), 0600), 0); // never written into, never replaced
    // A link to a file elsewhere stays a link; the file it points to gets the new bytes.
    fs::create_symlink("../shared.ini", t.File("ini/pacman.ini"));
    t.Write("shared.ini", "older\r\n");
    // Names that are no file names: a path, a drive, "..", wildcards, a control character.
    const std::vector<std::string> bad = {"../X", "A/B", "A\\B", "C:X", "..", "A*", "A?", "A\tB"};
    for (const std::string& name : bad) m.Games.Add(Game(name, "224", "288", "60", "V"));
    // As after reading back: the linked file is known and may be replaced.
    m.INIsReadFrom = m.Config.MameINIPath;
    for (int i = 1; i <= m.Games.Count(); ++i) m.Games[i].GameINIFile = IniFileKnown::Read;
    fixtures::RecordingProgress p;
    const GenerateResult r = GenerateAsSet(m, 0, p);
    EXPECT_EQ(r.Written, 4);
    std::vector<std::string> failed = {"GALAGA", "SF2"};
    failed.insert(failed.end(), bad.begin(), bad.end());
    EXPECT_EQ(r.FailedNames, failed);
    ASSERT_EQ(r.FailedReasons.size(), failed.size());
    EXPECT_EQ(r.FailedReasons[0] + "|" + r.FailedReasons[1] + "|" + r.FailedReasons[2],
              "cannot write " + t.File("ini/galaga.ini") + ": Is a directory|cannot write " + t.File("ini/sf2.ini") +
                  ": A device or FIFO, not a file|\"../X\" cannot be a file name");
    EXPECT_TRUE(fs::is_fifo(t.File("ini/sf2.ini")));
    EXPECT_TRUE(fs::is_symlink(t.File("ini/pacman.ini")));
    EXPECT_EQ(TempDir::Read(t.File("shared.ini")), "resolution 640x480\r\nror 1\r\n");
    EXPECT_EQ(p.log, fixtures::ProgressOver("Generating INI Files...", 14));
    EXPECT_TRUE(fs::is_directory(t.File("ini/galaga.ini")));
    EXPECT_EQ(Entries(t.File("ini")), kAllSix);
    EXPECT_FALSE(fs::exists(t.File("x.ini")));
    EXPECT_TRUE(m.INIsGenerated);

    // A run that only failed wrote no INI files.
    t.Write("file", "a regular file");
    for (const std::string& folder : {t.File("file/ini"), std::string()}) {
        Model none = SixGames(folder);
        EXPECT_EQ(Generate(none), "0 0 6") << folder;
        EXPECT_FALSE(none.INIsGenerated) << folder;
    }
    EXPECT_FALSE(fs::exists("puckman.ini")); // nothing lands in the current folder
#endif
}

#ifdef __linux__
TEST(GenerateIniFiles, ReplacesOnlyTheFilesItReadBackOrWroteItself) {
    TempDir t;
    // Read back: a file, none, one with a line that holds "|", a link to a file no one can read,
    // a file the user adds a line to after it was read.
    t.Write("ini/known.ini", "user line\r\n");
    t.Write("ini/edited.ini", "user line\r\n");
    t.Write("ini/pipe.ini", "user|pipe 1\r\n");
    fs::create_symlink("/proc/self/mem", t.File("ini/unreadable.ini"));
    Model m = ReadyModel(t.File("ini"), {"known", "none", "pipe", "late", "unreadable", "edited"});
    m.Config.GenerateApplyTo = GenerateScope::AllGames;
    ProgressSink quiet;
    ASSERT_EQ(ReadExistingINIFiles(m, quiet), ReadIniOutcome::Read);
    t.Write("ini/late.ini", "written after reading back\r\n");
    t.Write("ini/edited.ini", "user line\r\nadded in an editor\r\n");
    const GenerateResult r = GenerateAsSet(m, 0, quiet);
    std::string failures;
    for (size_t i = 0; i < r.FailedNames.size(); ++i) failures += r.FailedNames[i] + ": " + r.FailedReasons[i] + "\n";
    EXPECT_EQ(failures, "pipe: a line holds |\nlate: the file appeared after the INI files were read back\n"
                        "unreadable: cannot read " +
                            t.File("ini/unreadable.ini") +
                            ": Input/output error\n"
                            "edited: cannot write " +
                            t.File("ini/edited.ini") + ": changed since Kelvaro read it: reread the INI files first\n");
    EXPECT_EQ(TempDir::Read(t.File("ini/edited.ini")), "user line\r\nadded in an editor\r\n");
    EXPECT_EQ(r.WrittenPaths, (std::vector<std::string>{t.File("ini/known.ini"), t.File("ini/none.ini")}));
    EXPECT_EQ(TempDir::Read(t.File("ini/pipe.ini")), "user|pipe 1\r\n");
    EXPECT_EQ(TempDir::Read(t.File("ini/late.ini")), "written after reading back\r\n");
    EXPECT_TRUE(fs::is_symlink(t.File("ini/unreadable.ini")));
    // The files the generation wrote are known as read back: the next one replaces them again.
    EXPECT_EQ(Generate(m), "2 0 4");

    // Nothing is known of a folder that was not read back: another one, or any at all.
    t.Write("other/known.ini", "user line\r\n");
    m.Config.MameINIPath = t.File("other");
    Model unread = ReadyModel(t.File("ini"), {"known"});
    unread.Config.GenerateApplyTo = GenerateScope::AllGames;
    for (Model* model : {&m, &unread})
        EXPECT_EQ(GenerateAsSet(*model, 0, quiet).FailedReasons,
                  std::vector<std::string>{"the INI files were not read back"});
    EXPECT_EQ(TempDir::Read(t.File("other/known.ini")), "user line\r\n");
}
#endif

TEST(GenerateIniFiles, AFolderThatAnotherRunHoldsIsWaitedForThenRefused) {
    TempDir t;
    Model m = SixGames(t.Path());
    FolderHeld other(t.Path());
    ASSERT_TRUE(other.Held());
    ProgressSink quiet;
    GenerateRequest request = GenerateRequestOf(m.Config, 0);
    request.LockWait = std::chrono::milliseconds(100);
    const Result<GenerateResult> r = GenerateINIFiles(m, request, quiet);
    EXPECT_FALSE(r);
#ifdef _WIN32
    EXPECT_EQ(r.Reason(), "The INI folder is in use by another Kelvaro."); // no process id there
#else
    EXPECT_EQ(r.Reason(), "The INI folder is in use by another Kelvaro (process " + std::to_string(other.Pid()) + ").");
#endif
    EXPECT_FALSE(m.INIsGenerated);
    EXPECT_TRUE(Entries(t.Path()).empty()); // no lock file either

    // Let go during the wait: the run goes ahead.
    std::thread letGo([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        other.Release();
    });
    EXPECT_EQ(Generate(m), "6 0 0");
    letGo.join();
}

TEST(ReadExistingIniFiles, EachFileGivesItsGameDetailsAndMode) {
    struct Case {
        std::string rom;
        const char* bytes; // nullptr: no file of that name is written here
        std::string row;
    };
    const std::vector<Case> cases = {
        {"EMPTY", "", "[resolution auto] ??? ??? ??"},
        {"RORONLY", "ror 1\r\n", "[resolution auto|ror 1] ??? ??? ??"},
        // The rate after "@" picks the 640 x 480 mode at that rate; without one, or with a rate the
        // list does not have, the last mode of that size. 640 x 480 comes at two rates, so the line
        // names the rate. Any line end reads alike.
        {"SECOND", "ror 1\r\nresolution 640x480@60\r\n", "[ror 1|resolution 640x480@60] 640 480 60"},
        {"LFONLY", "ror 1\nresolution 640x480@060\n", "[ror 1|resolution 640x480@60] 640 480 60"},
        {"PLAIN", "resolution 640x480\r\n", "[resolution 640x480@57] 640 480 57"},
        {"NORATE", "resolution 640x480@99\r\n", "[resolution 640x480@57] 640 480 57"},
        {"NOSIZE", "resolution 1024x768\r\n", "[resolution 1024x768] 1024 768 ??"},
        {"BLANKS", "\r\n\r\nresolution 320x240\r\n\r\n  \r\nrol 1\r\n", "[resolution 320x240|  |rol 1] 320 240 60"},
        // A line that names no size stays as the user wrote it, quote and comment too.
        {"MALFORMED", "resolution 64\"0 x 480 # cab\r\nror 1\r\n", "[resolution 64\"0 x 480 # cab|ror 1] 64\"0   ??"},
        // A byte order mark (Notepad's) is dropped: moved behind the resolution line, it would stop
        // the emulator, and before it, it would hide the line.
        {"BOM",
         "\xEF\xBB\xBF"
         "ror 1\r\n",
         "[resolution auto|ror 1] ??? ??? ??"},
        {"BOMFIRST",
         "\xEF\xBB\xBF"
         "resolution 640x480@60\r\n",
         "[resolution 640x480@60] 640 480 60"},
        {"BOMLATER", "\r\n\xEF\xBB\xBF\xEF\xBB\xBF\r\nresolution 640x480@60\r\n", "[resolution 640x480@60] 640 480 60"},
        // No file, a file that cannot be read, a folder by the file's name, a name that is no
        // file name, the wrong case, a FIFO (never opened: it would wait for a writer), a link to
        // a file outside the folder (read through), a link to nothing.
        {"NOFILE", nullptr, kUntouched},
        {"UNREADABLE", nullptr, kUntouched},
        {"GALAGA", nullptr, kUntouched},
        {"../X", nullptr, kUntouched},
        {"SF2", nullptr, kUntouched},
#ifndef _WIN32
        {"FIFO", nullptr, kUntouched},
        {"LINKED", nullptr, "[resolution 640x480@57] 640 480 57"},
        {"DANGLING", nullptr, kUntouched},
#endif
    };
    TempDir t;
    fs::create_directories(t.File("ini/galaga.ini"));
#ifdef __linux__
    // A file whose reading fails even for the superuser: this process's memory from address 0.
    fs::create_symlink("/proc/self/mem", t.File("ini/unreadable.ini"));
#endif
    t.Write("x.ini", "resolution 640x480\r\n"); // where "../X" would lead
#ifndef _WIN32
    t.Write("ini/SF2.ini", "resolution 640x480\r\n"); // the emulator would not find it either
    ASSERT_EQ(mkfifo(t.File("ini/fifo.ini").c_str(), 0600), 0);
    fs::create_symlink(t.File("x.ini"), t.File("ini/linked.ini"));
    fs::create_symlink(t.File("gone.ini"), t.File("ini/dangling.ini"));
#endif
    std::vector<std::string> roms;
    for (const Case& c : cases) {
        roms.push_back(c.rom);
        std::string name = c.rom;
        for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (c.bytes) t.Write("ini/" + name + ".ini", c.bytes);
    }
    Model m = ReadyModel(t.File("ini"), roms);
    fixtures::RecordingProgress p;
    EXPECT_EQ(ReadExistingINIFiles(m, p), ReadIniOutcome::Read);
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(RowOf(m.Games[static_cast<int>(i) + 1]), cases[i].row) << cases[i].rom;
    EXPECT_EQ(p.log, fixtures::ProgressOver("Reading Existing INI Files...", static_cast<int>(cases.size())));
    EXPECT_EQ(TempDir::Read(t.File("ini/second.ini")), cases[2].bytes); // reading changes no file
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
        // A path naming a file passes the same test as the menu that offers the command; no game
        // file is found under it.
        {t.File("ini-is-a-file"), false, false, ReadIniOutcome::Read},
    };
    for (const Case& c : cases) {
        Model m = ReadyModel(c.folder, {"PACMAN"});
        if (c.emptyNative) m.NativeModes.Clear();
        if (c.emptyAvailable) m.AvailModes.Clear();
        fixtures::RecordingProgress p;
        EXPECT_EQ(ReadExistingINIFiles(m, p), c.outcome) << c.folder;
        EXPECT_EQ(p.log.empty(), c.outcome != ReadIniOutcome::Read) << c.folder;
        EXPECT_EQ(RowOf(m.Games[1]), kUntouched) << c.folder;
    }
}
