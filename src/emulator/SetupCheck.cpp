#include "emulator/SetupCheck.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

const char* const kNotReadHint = "M.A.M.E. will not read these INI files: see Help > Check M.A.M.E. Setup";
const char* const kNoSwitchHint = "M.A.M.E. will not switch video modes: see Help > Check M.A.M.E. Setup";
const char* const kNotAskedHint = "M.A.M.E. could not be asked: see Help > Check M.A.M.E. Setup";

// The values of the video option that leave the desktop's mode as it is whatever switchres says:
// M.A.M.E.'s documentation says that switchres does not work with video gdi and video bgfx, and
// video none shows no picture at all. The value suggested instead: d3d, the emulator's default on
// Windows, whose full screen mode the documentation's own switchres example uses; elsewhere opengl,
// as Debian's mame.ini sets it.
struct NoSwitchVideo {
    const char* value;
    const char* why;
};
constexpr NoSwitchVideo kNoSwitchVideo[] = {
    {"gdi", "which does not switch video modes even with switchres on"},
    {"bgfx", "which does not switch video modes even with switchres on"},
    {"none", "which shows no picture at all"},
};
#ifdef _WIN32
const char* const kSwitchingVideo = "d3d";
#else
const char* const kSwitchingVideo = "opengl";
#endif

// How many names a finding lists before it only counts.
constexpr std::size_t kNamesListed = 5;

std::string Listed(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
    return out;
}

int IndexOfFolder(const std::vector<std::string>& folders, const std::string& folder) {
    for (std::size_t i = 0; i < folders.size(); ++i)
        if (SameFolder(folders[i], folder)) return static_cast<int>(i);
    return -1;
}

// The rotation switches that are on: "ror 1 and autorol 1"; empty when none is.
std::string RotationSwitchesOn(const OptionValues& values) {
    std::vector<std::string> on;
    for (const char* name : {"ror", "rol", "autoror", "autorol"}) {
        auto it = values.find(name);
        if (it != values.end() && !it->second.empty() && it->second != "0")
            on.push_back(std::string(name) + " " + it->second);
    }
    std::string out;
    for (std::size_t i = 0; i < on.size(); ++i) out += (i == 0 ? "" : i + 1 == on.size() ? " and " : ", ") + on[i];
    return out;
}

OptionValues OptionsOfFile(const std::string& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    return bytes ? ReadOptionLines(*bytes) : OptionValues();
}

class Checker {
public:
    Checker(const SetupCheckInput& in, const EmulatorOptions& o, SetupReport& r) : in_(in), o_(o), r_(r) {}

    void IniFolder();
    void Switches();
    void Rotation();
    void Shadowing();
    void Game(const std::function<void()>& pump);
    void GameListAge();
    void RomFolder();

private:
    void Add(CheckLevel level, std::string text, std::string fix = {}, std::optional<OptionFix> oneLine = {},
             const char* hint = "") {
        r_.Findings.push_back({level, std::move(text), std::move(fix), std::move(oneLine), hint});
    }
    // A switch that must be on for the INI files to count; offered as a one-line fix when asked.
    void MustBeOn(const char* option, const std::string& problem, const std::string& ok, bool offerFix,
                  const char* hint);

    const SetupCheckInput& in_;
    const EmulatorOptions& o_;
    SetupReport& r_;
};

void Checker::IniFolder() {
    const std::string folders = Listed(o_.IniFolders);
    if (in_.IniFolder.empty()) {
        Add(CheckLevel::Warning, "No INI folder is chosen yet; M.A.M.E. reads INI files from: " + folders + ".",
            o_.IniFolders.empty()
                ? ""
                : "Choose " + o_.IniFolders.front() + " as the INI folder (File > M.A.M.E. INI Path).");
        return;
    }
    if (IndexOfFolder(o_.IniFolders, in_.IniFolder) >= 0) {
        Add(CheckLevel::Ok, "M.A.M.E. reads INI files from the INI folder " + in_.IniFolder +
                                " (its inipath: " + o_.Value("inipath") + ").");
        return;
    }
    std::string fix;
    if (in_.IniFolder.find(';') != std::string::npos) {
        fix = "M.A.M.E. takes the \";\" in the INI folder's path as a separator: choose a folder without one.";
    } else {
        const std::string inipath = o_.Value("inipath");
        fix = PlaceOptionLine(o_, "inipath", in_.IniFolder + (inipath.empty() ? "" : ";" + inipath), in_.Home).Advice;
        if (!o_.IniFolders.empty()) fix += " Or choose one of its INI folders as the INI folder.";
    }
    Add(CheckLevel::Problem,
        "M.A.M.E. does not read INI files from the INI folder " + in_.IniFolder + ": its inipath holds " +
            (o_.IniFolders.empty() ? std::string("no folder") : "only " + folders) + ".",
        fix, std::nullopt, kNotReadHint);
}

void Checker::MustBeOn(const char* option, const std::string& problem, const std::string& ok, bool offerFix,
                       const char* hint) {
    if (o_.IsOn(option)) {
        Add(CheckLevel::Ok, ok);
        return;
    }
    OptionPlace place = PlaceOptionLine(o_, option, "1", in_.Home);
    Add(CheckLevel::Problem, problem, place.Advice, offerFix ? place.Fix : std::nullopt, hint);
}

void Checker::Switches() {
    MustBeOn("readconfig",
             "M.A.M.E. reads no INI file of a game: its readconfig option is " + o_.Value("readconfig") + ".",
             "M.A.M.E. reads the INI files of games (readconfig " + o_.Value("readconfig") + ").", true, kNotReadHint);
    MustBeOn("switchres",
             "M.A.M.E. keeps the desktop's video mode: its switchres option is " + o_.Value("switchres") +
                 ", so the resolution lines of the INI files are ignored.",
             "M.A.M.E. switches video modes (switchres " + o_.Value("switchres") + ").", true, kNoSwitchHint);
    const std::string video = o_.Value("video");
    for (const NoSwitchVideo& v : kNoSwitchVideo)
        if (EqualsIgnoringAsciiCase(video, v.value))
            Add(CheckLevel::Problem,
                "M.A.M.E. keeps the desktop's video mode: its video option is " + video + ", " + v.why +
                    ", so the resolution lines of the INI files are ignored.",
                PlaceOptionLine(o_, "video", kSwitchingVideo, in_.Home).Advice, std::nullopt, kNoSwitchHint);
    if (!o_.IsOn("window")) {
        Add(CheckLevel::Ok, "M.A.M.E. runs in full screen (window " + o_.Value("window") + ").");
        return;
    }
    Add(CheckLevel::Problem,
        "M.A.M.E. runs in a window (its window option is " + o_.Value("window") +
            "), where the resolution lines of the INI files do not count: they take effect in full screen only.",
        PlaceOptionLine(o_, "window", "0", in_.Home).Advice, std::nullopt, kNoSwitchHint);
}

void Checker::Rotation() {
    // The line Kelvaro gives a vertical game: none when no game is turned.
    const std::string ours(RotationLine(in_.MonitorOrientation, in_.PreferredRotation, true));
    if (ours.empty()) return;
    const bool everyGame = !RotationLine(in_.MonitorOrientation, in_.PreferredRotation, false).empty();
    const std::string which = everyGame ? "every game" : "vertical games";
    auto combines = [&](const std::string& file, const std::string& switches, const std::string& where) {
        Add(CheckLevel::Warning,
            file + " sets " + switches + ", and Kelvaro writes \"" + ours + "\" into the INI files of " + which +
                " (Monitor Orientation): the turns combine.",
            "Remove " + switches + " from " + where + ", or set " +
                (switches.find(" and ") == std::string::npos ? "it" : "them") + " to 0.");
    };
    bool any = false;
    // The mame.ini that sets a switch: the one read last that names it.
    if (const std::string on = RotationSwitchesOn(o_.Values); !on.empty()) {
        std::string where = "M.A.M.E.'s mame.ini";
        for (const std::vector<std::string>* folders : {&o_.MameIniFolders, &o_.BuiltInIniFolders}) {
            const std::string folder = FirstFolderHolding(*folders, "mame.ini");
            if (!folder.empty() && !RotationSwitchesOn(OptionsOfFile(JoinPath(folder, "mame.ini"))).empty()) {
                where = JoinPath(folder, "mame.ini");
                break;
            }
        }
        combines("M.A.M.E.'s mame.ini", on, where);
        any = true;
    }
    std::vector<std::string> names = {"vertical.ini"};
    if (everyGame) names.push_back("horizont.ini");
    for (const std::string& name : names) {
        const std::string folder = FirstFolderHolding(o_.IniFolders, name);
        if (folder.empty()) continue;
        const std::string path = JoinPath(folder, name);
        if (const std::string on = RotationSwitchesOn(OptionsOfFile(path)); !on.empty()) {
            combines(path, on, path);
            any = true;
        }
    }
    if (!any)
        Add(CheckLevel::Ok, "No mame.ini, vertical.ini or horizont.ini of M.A.M.E. turns the picture: only the \"" +
                                ours + "\" lines that Kelvaro writes do.");
}

void Checker::Shadowing() {
    const int at = in_.IniFolder.empty() ? -1 : IndexOfFolder(o_.IniFolders, in_.IniFolder);
    if (at <= 0) return;
    std::set<std::string> seen;
    std::vector<std::string> hiding;
    for (int i = 0; i < at; ++i) {
        const std::string& folder = o_.IniFolders[static_cast<std::size_t>(i)];
        std::error_code ec;
        std::vector<std::string> names;
        for (fs::directory_iterator it(FsPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path& entry = it->path();
            if (entry.extension() != ".ini" || it->is_directory(ec)) continue;
            const std::string stem = PathText(entry.stem());
            if (std::find(std::begin(kSharedIniNames), std::end(kSharedIniNames), stem) != std::end(kSharedIniNames))
                continue;
            names.push_back(PathText(entry.filename()));
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names)
            if (seen.insert(name).second && FileExists(JoinPath(in_.IniFolder, name), false))
                hiding.push_back(JoinPath(folder, name));
    }
    if (hiding.empty()) {
        Add(CheckLevel::Ok, "No INI file in " + in_.IniFolder + " is hidden by one in an earlier INI folder.");
        return;
    }
    std::vector<std::string> shown(hiding.begin(),
                                   hiding.begin() + static_cast<std::ptrdiff_t>(std::min(hiding.size(), kNamesListed)));
    Add(CheckLevel::Warning,
        (hiding.size() == 1 ? "1 INI file in " + in_.IniFolder + " is hidden by a file of the same name"
                            : std::to_string(hiding.size()) + " INI files in " + in_.IniFolder +
                                  " are hidden by files of the same name") +
            " in an earlier INI folder, which M.A.M.E. reads instead: " + Listed(shown) +
            (hiding.size() > shown.size() ? " and " + std::to_string(hiding.size() - shown.size()) + " more" : "") +
            ".",
        "Remove or rename " + std::string(hiding.size() == 1 ? "that file" : "those files") + ", or put " +
            in_.IniFolder + " first on the inipath line.");
}

void Checker::Game(const std::function<void()>& pump) {
    if (in_.Game.empty()) return;
    if (in_.GameListFile.empty()) return;
    if (!in_.GameFound) {
        Add(CheckLevel::Warning, "The game list holds no game named " + in_.Game + ".");
        return;
    }
    GameFacts game = *in_.GameFound;
    const Result<std::string> source = AskSourceOfGame(in_.Exe, in_.WorkingFolder, game.Name, pump, in_.AnswerTime);
    if (source) game.Source = *source;
    std::vector<std::string> read, mayApply, turning;
    bool own = false;
    for (const IniFileRead& file : IniFilesForGame(o_, game)) {
        const std::string shown = file.Path + (file.Sets.empty() ? "" : " (" + file.Sets + ")");
        (file.MayApply ? mayApply : read).push_back(shown);
        const bool isOwn = file.Why == "the game itself";
        if (isOwn) own = !in_.IniFolder.empty() && SameFolder(FolderOfFile(file.Path), in_.IniFolder);
        if (!isOwn && !RotationSwitchesOn(OptionsOfFile(file.Path)).empty()) turning.push_back(file.Path);
    }
    std::string text =
        "For " + game.Name + " M.A.M.E. reads, in this order: " + (read.empty() ? "no INI file" : Listed(read)) + ".";
    if (!mayApply.empty())
        text +=
            " These apply only to machines of their type, which the game list does not tell: " + Listed(mayApply) + ".";
    if (!source) text += " Its source file's INI file is left out: " + source.Reason() + ".";
    std::string fix;
    CheckLevel level = CheckLevel::Ok;
    if (!own && !in_.IniFolder.empty()) {
        if (!FileExists(JoinPath(in_.IniFolder, game.Name + ".ini"), false)) {
            text += " The INI folder " + in_.IniFolder + " holds no " + game.Name + ".ini yet.";
        } else {
            text += " It does not read the " + game.Name + ".ini of the INI folder " + in_.IniFolder + ".";
            level = CheckLevel::Warning;
        }
    }
    if (!turning.empty()) {
        text += " Lines that turn the picture in " + Listed(turning) + " combine with the game's own.";
        fix = "Remove the ror, rol, autoror and autorol lines from " + Listed(turning) + ".";
        level = CheckLevel::Warning;
    }
    Add(level, text, fix);
}

void Checker::GameListAge() {
    const FileStamp exe = StampOf(in_.Exe), list = StampOf(in_.GameListFile);
    if (!exe.Exists || !list.Exists) return;
    if (exe.Modified > list.Modified)
        Add(CheckLevel::Warning,
            "M.A.M.E. (" + in_.Exe + ") is newer than the game list (" + in_.GameListFile +
                "): the list may be out of date.",
            "Read the game list from M.A.M.E. again (View > Generate Native Mode List).");
    else
        Add(CheckLevel::Ok, "The game list (" + in_.GameListFile + ") is newer than M.A.M.E.");
}

void Checker::RomFolder() {
    if (in_.RomFolder.empty()) return;
    if (IndexOfFolder(o_.RomFolders, in_.RomFolder) >= 0) {
        Add(CheckLevel::Ok, "M.A.M.E. looks for ROMs in the ROM folder " + in_.RomFolder +
                                " (its rompath: " + o_.Value("rompath") + ").");
        return;
    }
    const std::string rompath = o_.Value("rompath");
    Add(CheckLevel::Warning,
        "M.A.M.E. does not look for ROMs in the ROM folder " + in_.RomFolder + ": its rompath holds " +
            (o_.RomFolders.empty() ? std::string("no folder") : "only " + Listed(o_.RomFolders)) + ".",
        PlaceOptionLine(o_, "rompath", in_.RomFolder + (rompath.empty() ? "" : ";" + rompath), in_.Home).Advice);
}

} // namespace

SetupCheckInput CheckInputOf(const Model& m, const std::string& gameListFile, const std::string& game) {
    SetupCheckInput in;
    in.Exe = m.Config.MameExePath;
    in.WorkingFolder = m.MameFolder();
    in.IniFolder = m.Config.MameINIPath;
    in.RomFolder = m.Config.MameROMPath;
    in.MonitorOrientation = m.Config.MonitorOrientation;
    in.PreferredRotation = m.Config.PreferredRotation;
    in.GameListFile = gameListFile;
    in.Game = game;
    if (!game.empty()) in.GameFound = FactsOfGame(m, game);
    in.Home = HomeFolder();
    return in;
}

const char* LevelWord(CheckLevel level) {
    switch (level) {
    case CheckLevel::Warning: return "warning";
    case CheckLevel::Problem: return "problem";
    case CheckLevel::Ok: break;
    }
    return "ok";
}

bool SetupReport::HasProblem() const {
    return std::any_of(Findings.begin(), Findings.end(),
                       [](const Finding& f) { return f.Level == CheckLevel::Problem; });
}

std::string SetupReport::Hint() const {
    for (const Finding& f : Findings)
        if (f.Level == CheckLevel::Problem) return f.Hint;
    return {};
}

std::string SetupReport::Text() const {
    std::string out;
    for (const Finding& f : Findings) {
        out += std::string(LevelWord(f.Level)) + ": " + f.Text;
        if (!f.Fix.empty()) out += " Fix: " + f.Fix;
        out += "\n";
    }
    return out;
}

SetupReport CheckSetup(const SetupCheckInput& in, const Result<EmulatorOptions>& options,
                       const std::function<void()>& pump) {
    SetupReport report;
    if (!options) {
        report.Findings.push_back(
            {CheckLevel::Problem, "M.A.M.E. could not be asked for its settings: " + options.Reason() + ".",
             "Choose M.A.M.E.'s own executable (File > M.A.M.E. Executable Location).", std::nullopt, kNotAskedHint});
        return report;
    }
    for (const std::string& file : options->UnreadableMameInis)
        report.Findings.push_back(
            {CheckLevel::Warning,
             "M.A.M.E. cannot read its settings file " + file + ", so it skips it with every setting in it.",
             "Make the file readable to the user who runs M.A.M.E., or remove it.", std::nullopt, ""});
    Checker check(in, *options, report);
    check.IniFolder();
    check.Switches();
    check.Rotation();
    check.Shadowing();
    if (in.GameListFile.empty()) {
        report.Findings.push_back({CheckLevel::Ok,
                                   "There is no game list, so the checks that need one are left out: whether it "
                                   "is older than M.A.M.E., and which INI files M.A.M.E. reads for one game.",
                                   {},
                                   std::nullopt,
                                   ""});
    } else {
        check.Game(pump);
        check.GameListAge();
    }
    check.RomFolder();
    return report;
}

} // namespace kelvaro
