#include "ini/IniFiles.h"

#include "ini/TestRunRecord.h"

#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/ChosenMode.h"
#include "core/FileNames.h"
#include "core/IniText.h"
#include "core/Text.h"
#include "core/TextNumbers.h"
#include "platform/Files.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"

namespace kelvaro {

// Every cell is computed before any is stored.
void TakeIniFile(const Model& m, GameRow& game, std::string_view bytes) {
    // A byte order mark at the start (Notepad saves one) is dropped: the emulator reads a file
    // without it alike, and the resolution line that goes first would move it into the middle,
    // where the emulator no longer reads the file.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::string raw;
    raw.reserve(bytes.size() + 16);
    for (std::string_view line : SplitLines(bytes)) {
        raw += '|';
        raw += line;
    }
    std::string width = ResolutionWidth(raw);
    std::string height = ResolutionHeight(raw);
    // The rate the line asks for picks the last mode of that size at that rate; without one (or
    // when the list has none at that rate), the last mode of that size gives the refresh rate. The
    // size stays what the file says, whether the list has it or not.
    const std::optional<long long> rate = ResolutionRate(raw);
    std::string refresh = kNoModeRefresh;
    std::optional<std::string> refreshAtRate;
    for (int k = 1; k <= m.AvailModes.Count(); ++k) {
        const AvailModeRow& mode = m.AvailModes[k];
        if (mode.AvailWidth != width || mode.AvailHeight != height) continue;
        refresh = mode.AvailRefresh;
        if (rate && WholeNumber(mode.AvailRefresh) == static_cast<double>(*rate)) refreshAtRate = mode.AvailRefresh;
    }
    if (refreshAtRate) refresh = std::move(*refreshAtRate);
    // A line that names no size the emulator could read ("resolution 640 x 480") stays as the user
    // wrote it: written back from the pieces read, it would lose the rest, and could read
    // otherwise the next time. One with no size at all becomes "resolution auto".
    auto number = [](const std::string& s) { return !s.empty() && s.find_first_not_of("0123456789") == s.npos; };
    std::string details = width == kNoModeWidth ? SetResolutionLine(kAutoResolution, raw)
                          : number(width) && number(height)
                              ? SetResolutionLine(ResolutionLineFor(m, width, height, refresh), raw)
                              : NormalDetails(raw);
    // Blank lines in front of a byte order mark vanish, which brings it to the start of the file
    // written: the mark goes, as it would on the next read.
    while (details.starts_with("\xEF\xBB\xBF")) details.erase(0, details.starts_with("\xEF\xBB\xBF|") ? 4 : 3);
    game.GameModeWidth = std::move(width);
    game.GameModeHeight = std::move(height);
    game.GameModeRefresh = std::move(refresh);
    game.GameINIText = std::move(details);
}

namespace {

bool IsUsableRomFileName(std::string_view romName) {
    // Wildcards would make an existence test match other games' files; Windows forbids them in
    // names anyway.
    return IsSafeFileName(romName) && romName.find_first_of("*?") == std::string_view::npos;
}

// True when the ROM folder holds the game as NAME.zip, NAME.7z or a folder NAME.
bool GameIsAvailable(const Model& m, const std::string& romName) {
    if (m.Config.MameROMPath.empty() || !IsUsableRomFileName(romName)) return false;
    const std::string& roms = m.Config.MameROMPath;
    return FileExists(JoinPath(roms, EmulatorFileName(romName, ".zip")), false) ||
           FileExists(JoinPath(roms, EmulatorFileName(romName, ".7z")), false) ||
           IsExistingFolder(JoinPath(roms, EmulatorFileName(romName, "")));
}

// Whether game i is in the generation scope, with s the selected game.
bool GameInScope(const Model& m, int i, int s, GenerateScope applyTo) {
    if (i < 1 || i > m.Games.Count()) return false;
    if (applyTo == GenerateScope::AllGames) return true;
    if (s < 1 || s > m.Games.Count()) return false;
    const GameRow& game = m.Games[i];
    const GameRow& selected = m.Games[s];
    switch (applyTo) {
    case GenerateScope::SelectedGame: return game.GameRomName == selected.GameRomName;
    case GenerateScope::SameNativeMode:
        return game.GameNativeWidth == selected.GameNativeWidth && game.GameNativeHeight == selected.GameNativeHeight;
    case GenerateScope::SameOrientation: return game.GameOrientation == selected.GameOrientation;
    default: return false; // cancelled, or a number that names no scope
    }
}

// The first filter of the generation dialog, in its order, that leaves the game out; a name that
// is no file name is never looked up (it reaches the write and fails there).
enum class LeftOutBy { None, NoRoms, Clone, HaveIni };
LeftOutBy FilterLeavingOut(const Model& m, const GameRow& game, const std::string& path, const GenerateRequest& r,
                           bool availableOnly) {
    if (availableOnly && !path.empty() && !GameIsAvailable(m, game.GameRomName)) return LeftOutBy::NoRoms;
    if (r.ParentsOnly && !game.GameCloneOf.empty()) return LeftOutBy::Clone;
    if (r.NoIniOnly && !path.empty() && FileExists(path, false)) return LeftOutBy::HaveIni;
    return LeftOutBy::None;
}

// Without a ROM folder nothing could count as available, so the filter is left out.
bool AvailableOnly(const Model& m, const GenerateRequest& r) {
    return r.AvailableOnly && FileExists(m.Config.MameROMPath, true);
}

// Why the file at path must stay as it is: it is there, and the program does not know what it
// holds, so replacing it could lose lines the user wrote. Success when it may be written.
Outcome WhyKept(const GameRow& game, const std::string& path) {
    if (path.empty() || !FileExists(path, false)) return {};
    switch (game.GameINIFile) {
    case IniFileKnown::Read: return {};
    case IniFileKnown::Absent: return Outcome::Failure("the file appeared after the INI files were read back");
    case IniFileKnown::Unreadable: return ReadFailure(path, game.GameINIReadError);
    case IniFileKnown::HoldsPipe: return Outcome::Failure("a line holds |");
    default: return Outcome::Failure("the INI files were not read back");
    }
}

// The INI folder, listed once, so that the games without a file cost no test of their own, and
// its files read by name. It answers as an existence test of the file would: a name the listing
// does not hold is no file, and a folder, device or FIFO of that name is none either. Links,
// entries whose kind the listing does not tell, names found only in another case (a file system
// that ignores case finds them), and every name of a folder that could not be listed are tested.
class IniFolder {
public:
    explicit IniFolder(const std::string& folder) : files_(folder) {
        if (!files_.Listed()) return;
        folded_.reserve(files_.Entries().size());
        for (const auto& entry : files_.Entries()) folded_.insert(AsciiLowerCase(entry.first));
    }

    bool HoldsFile(const std::string& name, const std::string& path) const {
        if (!files_.Listed()) return FileExists(path, false);
        const auto found = files_.Entries().find(name);
        if (found == files_.Entries().end()) return folded_.count(AsciiLowerCase(name)) != 0 && FileExists(path, false);
        switch (found->second) {
        case EntryKind::File: return true;
        case EntryKind::LinkOrUnknown: return FileExists(path, false);
        default: return false;
        }
    }

    std::optional<std::string> Read(const std::string& name, const std::string& path, std::error_code* error) const {
        return files_.Listed() ? files_.Read(name, error) : ReadWholeFile(path, error);
    }

private:
    FolderFiles files_;
    std::unordered_set<std::string> folded_;
};

} // namespace

std::string IniFileBytes(const std::string& details) {
    if (details.empty()) return {};
    return INITextToFileText(details) + "\r\n";
}

std::string IniFilePath(const Model& m, const std::string& romName) {
    // Without an INI folder the name alone would land in whatever the current folder is.
    if (m.Config.MameINIPath.empty() || !IsUsableRomFileName(romName)) return {};
    return JoinPath(m.Config.MameINIPath, EmulatorFileName(romName, ".ini"));
}

Outcome WhyNoIniFilePath(const Model& m, const std::string& romName) {
    if (m.Config.MameINIPath.empty()) return Outcome::Failure("no INI folder is chosen");
    return Outcome::Failure("\"" + romName + "\" cannot be a file name");
}

std::string IniFolderInUse(int holder) {
    if (holder <= 0) return "The INI folder is in use by another Kelvaro.";
    return "The INI folder is in use by another Kelvaro (process " + std::to_string(holder) + ").";
}

GenerateRequest GenerateRequestOf(const Settings& s, int selectedGame) {
    GenerateRequest request;
    request.Scope = s.GenerateApplyTo;
    request.SelectedGame = selectedGame;
    request.AvailableOnly = s.GenerateAvailableOnly;
    request.ParentsOnly = s.GenerateParentsOnly;
    request.NoIniOnly = s.GenerateNoINIOnly;
    return request;
}

std::vector<int> HandEditedGames(const Model& m) {
    std::vector<int> games;
    for (int i = 1; i <= m.Games.Count(); ++i)
        if (m.Games[i].GameHandEdited) games.push_back(i);
    return games;
}

std::vector<int> HandEditedLeftOut(const Model& m, const GenerateRequest& request) {
    std::vector<int> games;
    if (request.HandEditedOnly) return games;
    const bool availableOnly = AvailableOnly(m, request);
    for (int i : HandEditedGames(m)) {
        if (!GameInScope(m, i, request.SelectedGame, request.Scope)) continue;
        const GameRow& game = m.Games[i];
        if (FilterLeavingOut(m, game, IniFilePath(m, game.GameRomName), request, availableOnly) != LeftOutBy::None)
            games.push_back(i);
    }
    return games;
}

Result<GenerateResult> GenerateINIFiles(Model& m, const GenerateRequest& request, ProgressSink& progress) {
    GenerateResult result;
    const Settings& s = m.Config;
    const int count = m.Games.Count();
    // Another run writing into the same folder would mix its files with these.
    FolderLock lock(s.MameINIPath, request.LockWait, [&progress] { progress.Pump(); });
    if (lock.Busy()) return Outcome::Failure(IniFolderInUse(lock.Holder()));
    result.RestoredFirst = RestoreLeftTestRun(s.MameINIPath);
    const bool availableOnly = AvailableOnly(m, request);
    std::unordered_set<std::string> claimed; // the files this run has written or tried to write
    // What was read back tells nothing of another folder.
    if (m.INIsReadFrom != s.MameINIPath) {
        for (int i = 1; i <= count; ++i) m.Games[i].GameINIFile = IniFileKnown::NotReadBack;
        m.INIsReadFrom = s.MameINIPath;
    }
    {
        ProgressScope scope(progress, "Generating INI Files...", count);
        // Every file is staged first and all are put in place together, with one sync of the
        // disk instead of one per file; the results are then told in table order.
        struct Pending {
            int game;
            std::string path;
            Outcome kept;        // a failure: the file must stay as it is, and is not staged
            bool despiteFilters; // changed by hand, and a filter would have left it out
        };
        std::vector<Pending> pending;
        StagedWrites writes;
        for (int i = 1; i <= count; ++i) {
            progress.Step(i);
            const GameRow& game = m.Games[i];
            if (request.HandEditedOnly ? !game.GameHandEdited : !GameInScope(m, i, request.SelectedGame, request.Scope))
                continue;
            std::string path = IniFilePath(m, game.GameRomName);
            const LeftOutBy filter =
                request.HandEditedOnly ? LeftOutBy::None : FilterLeavingOut(m, game, path, request, availableOnly);
            const bool despiteFilters =
                filter != LeftOutBy::None && request.HandEditedDespiteFilters && game.GameHandEdited;
            int* const countOf[] = {nullptr, &result.SkippedNoRoms, &result.SkippedClones, &result.SkippedHaveIni};
            int* skippedFor = despiteFilters ? nullptr : countOf[static_cast<int>(filter)];
            // Names that differ only in case name one file for the emulator: the first of them in
            // table order writes it, and the file is counted once. On Windows the names keep the
            // table's spelling, and the file system takes them in any case.
            if (!skippedFor && !path.empty() &&
                !claimed.insert(kCaseSensitiveFileNames ? path : AsciiLowerCase(path)).second)
                skippedFor = &result.SkippedSameFile;
            if (skippedFor) {
                // The filters by the captions the generation dialog gives them.
                if (i == request.SelectedGame)
                    result.SelectedLeftOut = skippedFor == &result.SkippedNoRoms   ? "left out by Available Games Only"
                                             : skippedFor == &result.SkippedClones ? "left out by Parent Romsets Only"
                                             : skippedFor == &result.SkippedHaveIni
                                                 ? "left out by Games with no Existing INI File Only"
                                                 : "left out: an earlier game has the same INI file";
                ++*skippedFor;
                ++result.Skipped;
                continue;
            }
            Outcome kept = WhyKept(game, path);
            // A file read back must still be the file read: one the user changed since stays.
            if (kept && !path.empty())
                writes.Stage(path, IniFileBytes(game.GameINIText),
                             game.GameINIFile == IniFileKnown::Read ? game.GameINIStamp : std::string());
            pending.push_back({i, std::move(path), std::move(kept), despiteFilters});
        }
        const std::vector<std::error_code> staged = writes.CommitAll();
        std::size_t next = 0;
        for (Pending& p : pending) {
            GameRow& game = m.Games[p.game];
            Outcome written = p.kept;
            if (written && p.path.empty())
                written = WhyNoIniFilePath(m, game.GameRomName);
            else if (written && staged[next])
                written = WriteFailure(p.path, staged[next]);
            if (p.kept && !p.path.empty() && staged[next++] == FileWriteError::ChangedSinceRead)
                ++result.ChangedSinceRead;
            if (written) {
                ++result.Written;
                result.WrittenPaths.push_back(std::move(p.path));
                game.GameINIFile = IniFileKnown::Read;
                game.GameINIStamp = FileChangeStamp(result.WrittenPaths.back());
                game.GameHandEdited = false;
                if (p.despiteFilters) ++result.WrittenDespiteFilters;
            } else {
                ++result.Failed;
                result.FailedNames.push_back(game.GameRomName);
                result.FailedReasons.push_back(written.Reason());
            }
        }
    }
    // The exit question asks whether INI files were generated: a run that only failed wrote none.
    if (result.Written > 0 || result.Failed == 0) m.INIsGenerated = true;
    return result;
}

std::string GenerationSummary(const GenerateResult& result) {
    std::string out = std::to_string(result.Written) + " written";
    if (result.Skipped > 0) {
        const std::pair<int, const char*> reasons[] = {
            {result.SkippedNoRoms, "no ROMs"},
            {result.SkippedClones, result.SkippedClones == 1 ? "clone" : "clones"},
            {result.SkippedHaveIni, "INI file there already"},
            {result.SkippedSameFile, "same file as another game"}};
        std::string why;
        for (const auto& [count, reason] : reasons) {
            if (count == 0) continue;
            if (!why.empty()) why += ", ";
            // One reason for all needs no count of its own.
            if (count != result.Skipped) why.append(std::to_string(count)).append(" ");
            why += reason;
        }
        out += "; " + std::to_string(result.Skipped) + " skipped" + (why.empty() ? "" : ": " + why);
    }
    if (result.Failed > 0) out += "; " + std::to_string(result.Failed) + " failed";
    return out;
}

ReadIniOutcome ReadExistingINIFiles(Model& m, ProgressSink& progress) {
    // The same test as the menus make, so an enabled "Read Existing INI Files" never does nothing silently.
    if (!FileExists(m.Config.MameINIPath, true)) return ReadIniOutcome::NoFolder;
    if (m.NativeModes.Empty() || m.AvailModes.Empty()) return ReadIniOutcome::ListsEmpty;
    const int count = m.Games.Count();
    ProgressScope scope(progress, "Reading Existing INI Files...", count);
    const IniFolder folder(m.Config.MameINIPath);
    for (int i = 1; i <= count; ++i) {
        progress.Step(i);
        GameRow& game = m.Games[i];
        const std::string path = IniFilePath(m, game.GameRomName);
        game.GameINIReadError.clear();
        game.GameHandEdited = false;
        game.GameINIFile = path.empty() ? IniFileKnown::NotReadBack : IniFileKnown::Absent;
        if (path.empty()) continue;
        const std::string name = EmulatorFileName(game.GameRomName, ".ini");
        if (!folder.HoldsFile(name, path)) continue;
        // Looked at before it is read: a change made while it is read then shows as one later.
        game.GameINIStamp = FileChangeStamp(path);
        // A file that is there but cannot be read leaves the row exactly as it was.
        std::optional<std::string> bytes = folder.Read(name, path, &game.GameINIReadError);
        if (!bytes) {
            game.GameINIFile = IniFileKnown::Unreadable;
            continue;
        }
        // Such a line comes back from the details as two: the row shows what was read, and the
        // file is never replaced by that.
        game.GameINIFile = bytes->find('|') == std::string::npos ? IniFileKnown::Read : IniFileKnown::HoldsPipe;
        TakeIniFile(m, game, *bytes);
    }
    m.INIsReadFrom = m.Config.MameINIPath;
    return ReadIniOutcome::Read;
}

} // namespace kelvaro
