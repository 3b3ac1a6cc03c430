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

OptionLines LinesOfFile(const std::string& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    return bytes ? ReadNumberedOptionLines(*bytes) : OptionLines();
}

std::string NameOfFile(const std::string& path) { return fs::path(path).filename().string(); }

// "line 2 of /x/puckman.ini sets rol 1"; "M.A.M.E.'s mame.ini sets rol 1" for a value of a
// mame.ini whose line is not found; "ror is 0, M.A.M.E.'s default".
std::string SetBy(const std::string& option, const EffectiveValue& v) {
    if (v.File.empty()) return option + " is " + v.Value + ", M.A.M.E.'s default";
    if (v.Line == 0) return "M.A.M.E.'s mame.ini sets " + OptionLine(option, v.Value);
    return "line " + std::to_string(v.Line) + " of " + v.File + " sets " + OptionLine(option, v.Value);
}

// What Kelvaro means for a game, or for every game of a kind, to be compared with what the
// emulator makes of its INI files.
struct Intent {
    std::string Whose;    // "pacman's", "every vertical game's"
    std::string TurnLine; // "ror 1", "rol 1" or empty: the line Kelvaro gives its picture
    std::string OwnFile;  // Kelvaro's INI file of the game; empty for a kind of games
    bool OwnRead = false; // the emulator reads it
    std::string Hider;    // the file of its name that the emulator reads instead; empty when none
};

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
    void Display();

private:
    void Add(CheckLevel level, std::string text, std::string fix = {}, std::optional<OptionFix> oneLine = {},
             std::string hint = {}) {
        r_.Findings.push_back({level, std::move(text), std::move(fix), std::move(oneLine), std::move(hint)});
    }
    // A switch that must be on for the INI files to count; offered as a one-line fix when asked.
    void MustBeOn(const char* option, const std::string& problem, const std::string& ok, bool offerFix,
                  const char* hint);
    // What to do so that the option's line says value instead: change the line, or the line of
    // the user's mame.ini when the line is not known.
    [[nodiscard]] std::string ChangeLine(const std::string& option, const EffectiveValue& v,
                                         const std::string& value) const;
    // One finding a line that gives the picture another turn than the intent's; false when the
    // turn is the one meant.
    bool CompareTurn(const EffectiveOptions& e, const Intent& intent, CheckLevel level, const std::string& hint);
    // The game's resolution, mode switch, window and video module against Kelvaro's INI file of it.
    void CompareMode(const EffectiveOptions& e, const Intent& intent, const OptionLines& own, const std::string& hint);

    const SetupCheckInput& in_;
    const EmulatorOptions& o_;
    SetupReport& r_;
};

std::string Checker::ChangeLine(const std::string& option, const EffectiveValue& v, const std::string& value) const {
    if (v.Line > 0)
        return "Change line " + std::to_string(v.Line) + " of " + v.File + " to \"" + OptionLine(option, value) + "\".";
    return PlaceOptionLine(o_, option, value, in_.Home).Advice;
}

bool Checker::CompareTurn(const EffectiveOptions& e, const Intent& intent, CheckLevel level, const std::string& hint) {
    const bool wantRight = intent.TurnLine == "ror 1", wantLeft = intent.TurnLine == "rol 1";
    const int meant = TurnOf(wantRight, wantLeft, false, false);
    if (e.Turn() == meant) return false;
    const std::string what =
        "M.A.M.E. shows " + intent.Whose + " picture " + TurnWords(e.Turn()) +
        (intent.TurnLine.empty() ? std::string(", where Kelvaro leaves it unturned")
                                 : ", not " + TurnWords(meant) + " as Kelvaro's \"" + intent.TurnLine + "\" means") +
        ": ";
    // A switch in force that Kelvaro's line does not ask for.
    auto extra = [&](const char* option, bool counts, const std::string& effect) {
        const EffectiveValue& v = e.Get(option);
        if (counts && v.IsOn())
            Add(level, what + SetBy(option, v) + ", which " + effect + ".", ChangeLine(option, v, "0"), {}, hint);
    };
    auto against = [&](bool otherWanted, bool otherOn, const char* other) {
        if (!otherWanted) return std::string("turns it");
        return otherOn ? "cancels the " + std::string(other) + " 1: the two quarter turns together leave it unturned"
                       : std::string("turns it the other way");
    };
    if (!wantLeft) {
        const std::string effect = against(wantRight, e.TurnsRight(), "ror");
        extra("rol", true, effect);
        extra("autorol", e.Vertical, effect);
    }
    if (!wantRight) {
        const std::string effect = against(wantLeft, e.TurnsLeft(), "rol");
        extra("ror", true, effect);
        extra("autoror", e.Vertical, effect);
    }
    extra("flipx", true, "mirrors it");
    extra("flipy", true, "mirrors it");
    // Kelvaro's line not in force.
    const char* missing = wantRight && !e.TurnsRight() ? "ror" : wantLeft && !e.TurnsLeft() ? "rol" : nullptr;
    if (missing) {
        const EffectiveValue& v = e.Get(missing);
        const std::string own = intent.OwnFile.empty() ? std::string() : NameOfFile(intent.OwnFile);
        std::string cause, fix;
        if (v.Line > 0 && !own.empty() && NameOfFile(v.File) == own && v.File != intent.OwnFile && intent.OwnRead) {
            cause = SetBy(missing, v) + ", and M.A.M.E. takes each option from the first " + own +
                    " along its inipath that sets it";
            fix = ChangeLine(missing, v, "1");
        } else if (intent.OwnRead) {
            cause = "Kelvaro's " + intent.OwnFile + " has no \"" + intent.TurnLine + "\" line";
            fix = "Add the line \"" + intent.TurnLine + "\" to " + intent.OwnFile + ", or generate its INI file again.";
        } else if (!intent.Hider.empty()) {
            cause = "M.A.M.E. reads only the first " + own + " along its inipath, " + intent.Hider + ", not Kelvaro's";
            if (v.Line > 0 && v.File == intent.Hider) {
                cause += ", and " + SetBy(missing, v);
                fix = ChangeLine(missing, v, "1");
            } else {
                fix = "Add the line \"" + intent.TurnLine + "\" to " + intent.Hider + ", or remove that file.";
            }
        } else {
            cause = SetBy(missing, v);
        }
        Add(level, what + cause + ".", fix, {}, hint);
    }
    return true;
}

void Checker::CompareMode(const EffectiveOptions& e, const Intent& intent, const OptionLines& own,
                          const std::string& hint) {
    const std::string name = NameOfFile(intent.OwnFile);
    if (auto line = own.find("resolution"); line != own.end()) {
        const std::string& meant = line->second.Value;
        const std::string option = e.ResolutionOption();
        const EffectiveValue& v = e.Get(option);
        if (!v.Value.empty() && !SameResolution(v.Value, meant)) {
            std::string text = "M.A.M.E. sets " + intent.Whose + " resolution to " + v.Value + ", not the " + meant +
                               " of Kelvaro's " + intent.OwnFile + ": ";
            std::string fix = ChangeLine(option, v, option == "resolution" ? meant : "auto");
            if (v.Line > 0 && v.File == intent.Hider) {
                text += SetBy(option, v) + ", the " + name + " that M.A.M.E. reads instead (only the first file of a " +
                        "name along its inipath counts)";
            } else if (v.Line > 0 && NameOfFile(v.File) == name && v.File != intent.OwnFile) {
                text += SetBy(option, v) + ", and M.A.M.E. takes each option from the first " + name +
                        " along its inipath that sets it";
            } else if (!intent.OwnRead && !intent.Hider.empty()) {
                text += "M.A.M.E. reads only the first " + name + " along its inipath, " + intent.Hider +
                        ", which has no resolution line, and " + SetBy(option, v);
                fix = "Add the line \"" + OptionLine("resolution", meant) + "\" to " + intent.Hider +
                      ", or remove that file.";
            } else {
                text += SetBy(option, v);
            }
            Add(CheckLevel::Problem, text + ".", fix, {}, hint);
        }
    }
    // A file of the game's own that keeps the mode from switching; the emulator's own settings
    // are the setup's findings above.
    auto ownLine = [&](const char* option) -> const EffectiveValue* {
        const EffectiveValue& v = e.Get(option);
        return v.Line > 0 && NameOfFile(v.File) != "mame.ini" ? &v : nullptr;
    };
    const std::string game = e.Game;
    if (const EffectiveValue* v = ownLine("switchres"); v && !v->IsOn())
        Add(CheckLevel::Problem,
            "M.A.M.E. keeps the desktop's video mode for " + game + ": " + SetBy("switchres", *v) + ".",
            ChangeLine("switchres", *v, "1"), {}, hint);
    if (const EffectiveValue* v = ownLine("window"); v && v->IsOn())
        Add(CheckLevel::Problem,
            "M.A.M.E. runs " + game + " in a window, where its resolution does not count: " + SetBy("window", *v) + ".",
            ChangeLine("window", *v, "0"), {}, hint);
    if (const EffectiveValue* v = ownLine("video"); v && !VideoSwitchesModes(v->Value)) {
        const std::string global = o_.Value("video");
        Add(CheckLevel::Problem,
            "M.A.M.E. draws " + game + " with a video module that switches no video mode: " + SetBy("video", *v) + ".",
            ChangeLine("video", *v, VideoSwitchesModes(global) && !global.empty() ? global : SwitchingVideoModule()),
            {}, hint);
    }
}

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
    std::optional<OptionFix> oneLine;
    if (in_.IniFolder.find(';') != std::string::npos) {
        fix = "M.A.M.E. takes the \";\" in the INI folder's path as a separator: choose a folder without one.";
    } else {
        // The INI folder first: for the versions that read only the first file of a name, Kelvaro's
        // files then count over any of the same name in the other folders.
        const std::string inipath = o_.Value("inipath");
        OptionPlace place =
            PlaceOptionLine(o_, "inipath", in_.IniFolder + (inipath.empty() ? "" : ";" + inipath), in_.Home);
        fix = std::move(place.Advice);
        oneLine = std::move(place.Fix);
        if (!o_.IniFolders.empty()) fix += " Or choose one of its INI folders as the INI folder.";
    }
    Add(CheckLevel::Problem,
        "M.A.M.E. does not read INI files from the INI folder " + in_.IniFolder + ": its inipath holds " +
            (o_.IniFolders.empty() ? std::string("no folder") : "only " + folders) + ".",
        fix, std::move(oneLine), kNotReadHint);
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
    // The video modules that switch no mode whatever switchres says, and the one to suggest instead.
    if (const std::string video = o_.Value("video"); !VideoSwitchesModes(video))
        Add(CheckLevel::Problem,
            "M.A.M.E. keeps the desktop's video mode: its video option is " + video + ", " +
                (EqualsIgnoringAsciiCase(video, "none") ? "which shows no picture at all"
                                                        : "which does not switch video modes even with switchres on") +
                ", so the resolution lines of the INI files are ignored.",
            PlaceOptionLine(o_, "video", SwitchingVideoModule(), in_.Home).Advice, std::nullopt, kNoSwitchHint);
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
    // Every game of a kind reads M.A.M.E.'s mame.ini and the file of its orientation; Kelvaro's
    // own line in each game's file comes last.
    bool any = false;
    std::vector<std::string> lines;
    const std::size_t before = r_.Findings.size();
    for (const bool vertical : {true, false}) {
        GameFacts kind;
        kind.Vertical = vertical;
        EffectiveOptions e = EffectiveOptionsOf(o_, kind);
        const std::string line(RotationLine(in_.MonitorOrientation, in_.PreferredRotation, vertical));
        if (!line.empty()) {
            e.Values[line.substr(0, 3)] = {"1", "", 0};
            if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
        }
        any |= CompareTurn(e, {vertical ? "every vertical game's" : "every horizontal game's", line, {}, false, {}},
                           CheckLevel::Warning, {});
    }
    // A line that does the same to both kinds is said once, of every game.
    const std::string v = "every vertical game's", h = "every horizontal game's";
    for (std::size_t i = before; i < r_.Findings.size(); ++i) {
        std::string& text = r_.Findings[i].Text;
        const std::size_t at = text.find(v);
        if (at == std::string::npos) continue;
        const std::string asHorizontal = std::string(text).replace(at, v.size(), h);
        auto same = std::find_if(r_.Findings.begin() + static_cast<std::ptrdiff_t>(i) + 1, r_.Findings.end(),
                                 [&](const Finding& f) { return f.Text == asHorizontal; });
        if (same == r_.Findings.end()) continue;
        r_.Findings.erase(same);
        text.replace(at, v.size(), "every game's");
    }
    if (!any)
        Add(CheckLevel::Ok, "No mame.ini, vertical.ini or horizont.ini of M.A.M.E. changes the turn of the pictures" +
                                (lines.empty() ? std::string(": no game is turned")
                                               : ": Kelvaro's \"" + Listed(lines) + "\" lines turn them as it means") +
                                ".");
}

void Checker::Shadowing() {
    const int at = in_.IniFolder.empty() ? -1 : IndexOfFolder(o_.IniFolders, in_.IniFolder);
    if (at <= 0) return;
    const bool merges = MergesSameNamedInis(o_.Version);
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
        for (const std::string& name : names) {
            const std::string ours = JoinPath(in_.IniFolder, name);
            if (!FileExists(ours, false)) continue;
            if (!merges) {
                if (seen.insert(name).second) hiding.push_back(JoinPath(folder, name));
                continue;
            }
            // Both are read: the earlier file's lines win where the two set an option differently.
            const OptionLines earlier = LinesOfFile(JoinPath(folder, name)), own = LinesOfFile(ours);
            std::vector<std::string> overridden;
            for (const auto& [option, value] : earlier)
                if (auto mine = own.find(option);
                    mine != own.end() && mine->second.Value != value.Value && seen.insert(name + "\n" + option).second)
                    overridden.push_back(OptionLine(option, value.Value));
            if (!overridden.empty()) hiding.push_back(JoinPath(folder, name) + " (" + Listed(overridden) + ")");
        }
    }
    const std::string rule = "M.A.M.E. " + o_.Version +
                             " reads the files of one name from every INI folder and takes each option from the "
                             "first that sets it";
    if (hiding.empty()) {
        Add(CheckLevel::Ok, merges ? "No line of an INI file in " + in_.IniFolder +
                                         " is overridden by a file of the same name in an earlier INI folder (" + rule +
                                         ")."
                                   : "No INI file in " + in_.IniFolder + " is hidden by one in an earlier INI folder.");
        return;
    }
    if (merges) {
        std::vector<std::string> shown(
            hiding.begin(), hiding.begin() + static_cast<std::ptrdiff_t>(std::min(hiding.size(), kNamesListed)));
        Add(CheckLevel::Warning,
            "Lines of " +
                std::string(hiding.size() == 1 ? "1 INI file" : std::to_string(hiding.size()) + " INI files") + " in " +
                in_.IniFolder + " are overridden by a file of the same name in an earlier INI folder (" + rule +
                "): " + Listed(shown) +
                (hiding.size() > shown.size() ? " and " + std::to_string(hiding.size() - shown.size()) + " more" : "") +
                ".",
            "Remove those lines from " + std::string(hiding.size() == 1 ? "that file" : "those files") + ", or put " +
                in_.IniFolder + " first on the inipath line.");
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
    const EffectiveOptions e = EffectiveOptionsOf(o_, game);
    std::vector<std::string> read, mayApply;
    for (const IniFileRead& file : IniFilesForGame(o_, game, e.Merges))
        (file.MayApply ? mayApply : read).push_back(file.Path + (file.Sets.empty() ? "" : " (" + file.Sets + ")"));
    const std::string name = game.Name + ".ini";
    const bool own = !in_.IniFolder.empty() && e.ReadsFrom(in_.IniFolder, name);
    std::string text =
        "For " + game.Name + " M.A.M.E. reads, in this order: " + (read.empty() ? "no INI file" : Listed(read)) + ".";
    if (e.Merges) text += " Of the files of one name it takes each option from the first that sets it.";
    if (!mayApply.empty())
        text +=
            " These apply only to machines of their type, which the game list does not tell: " + Listed(mayApply) + ".";
    if (!source) text += " Its source file's INI file is left out: " + source.Reason() + ".";
    CheckLevel level = CheckLevel::Ok;
    if (!own && !in_.IniFolder.empty()) {
        if (!FileExists(JoinPath(in_.IniFolder, name), false)) {
            text += " The INI folder " + in_.IniFolder + " holds no " + name + " yet.";
        } else {
            text += " It does not read the " + name + " of the INI folder " + in_.IniFolder + ".";
            level = CheckLevel::Warning;
        }
    }
    Add(level, text);
    r_.GameOptions = e;
    // Kelvaro's file of the game says what it means: the game's own, or where only parents were
    // generated, its parent's or grandparent's. One that M.A.M.E. cannot read from the INI folder
    // at all is the INI folder's finding.
    if (in_.IniFolder.empty() || IndexOfFolder(o_.IniFolders, in_.IniFolder) < 0) return;
    std::string kelvaros;
    for (const std::string& family : {game.Name, game.ParentIsBios ? std::string() : game.Parent,
                                      game.GrandparentIsBios ? std::string() : game.Grandparent})
        if (!family.empty() && FileExists(JoinPath(in_.IniFolder, family + ".ini"), false)) {
            kelvaros = family + ".ini";
            break;
        }
    if (kelvaros.empty()) return;
    Intent intent{game.Name + "'s",
                  std::string(RotationLine(in_.MonitorOrientation, in_.PreferredRotation, game.Vertical)),
                  JoinPath(in_.IniFolder, kelvaros),
                  e.ReadsFrom(in_.IniFolder, kelvaros),
                  {}};
    if (!intent.OwnRead)
        for (const IniFileRead& file : e.Files)
            if (file.Name == kelvaros) intent.Hider = file.Path;
    const std::string hint =
        "M.A.M.E. will not show " + game.Name + " as Kelvaro means: see Help > Check M.A.M.E. Setup";
    CompareMode(e, intent, LinesOfFile(intent.OwnFile), hint);
    CompareTurn(e, intent, CheckLevel::Problem, hint);
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

void Checker::Display() {
    if (!in_.Display) return;
    const DisplayComparison& d = *in_.Display;
    if (!d.NotRead.empty()) {
        Add(CheckLevel::Warning, "The mode list was not compared with the display's modes: " + d.NotRead + ".",
            "Check by hand that the display has the modes of the mode list (xrandr lists them on X11).");
        return;
    }
    if (d.Lacked.empty()) {
        Add(CheckLevel::Ok, "The display (" + d.Origin + ") has every mode of the mode list.");
        return;
    }
    std::vector<std::string> names;
    int games = 0;
    for (const LackedMode& mode : d.Lacked) {
        games += mode.Games;
        if (names.size() < kNamesListed)
            names.push_back(mode.Width + " x " + mode.Height + (mode.Refresh == "00" ? "" : " @ " + mode.Refresh) +
                            " (" + std::to_string(mode.Games) + (mode.Games == 1 ? " game)" : " games)"));
    }
    if (d.Lacked.size() > names.size())
        names.push_back("and " + std::to_string(d.Lacked.size() - names.size()) + " more");
    Add(CheckLevel::Warning,
        "The display (" + d.Origin + ") lacks " + std::to_string(d.Lacked.size()) + " of the " +
            std::to_string(d.ListModes) + " modes of the mode list: " + Listed(names) + "; M.A.M.E. will set " +
            "another mode for the " + std::to_string(games) + (games == 1 ? " game" : " games") + " given one of them.",
        "Add the modes to the display (xrandr --newmode and --addmode, or the card's driver settings), or remove "
        "them from the mode list and choose the games' modes again.");
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
    check.Display();
    return report;
}

} // namespace kelvaro
