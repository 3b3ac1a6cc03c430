#include "gamelist/NativeModes.h"

#include <cstdint>
#include <cstring>
#include <unordered_set>

#include "core/ChosenMode.h"
#include "core/Sorts.h"
#include "core/TextNumbers.h"
#include "gamelist/GameInfoRetrieval.h"
#include "gamelist/GameListParser.h"
#include "platform/Files.h"

namespace kelvaro {

namespace {

// The four texts of a mode joined so that different texts never give the same key (each text
// is preceded by its length).
std::string IdentityKey(const std::string& w, const std::string& h, const std::string& r, const std::string& o) {
    std::string key;
    key.reserve(w.size() + h.size() + r.size() + o.size() + 16);
    for (const std::string* part : {&w, &h, &r, &o}) {
        std::uint32_t n = static_cast<std::uint32_t>(part->size());
        char bytes[sizeof n];
        std::memcpy(bytes, &n, sizeof n);
        key.append(bytes, sizeof n);
        key += *part;
    }
    return key;
}

} // namespace

std::string NativeModeCounts::Panel1() const {
    return "Modes: " + std::to_string(HModes) + " H + " + std::to_string(VModes) +
           " V = " + std::to_string(NativeCount);
}

std::string NativeModeCounts::Panel2() const {
    return "Total Games: " + std::to_string(HGames) + " Horizontal + " + std::to_string(VGames) +
           " Vertical = " + std::to_string(HGames + VGames) + " (inc. " + std::to_string(VectorGames) + " Vector)";
}

std::optional<NativeModeCounts> BuildNativeModesFromGameList(Model& m) {
    Table<ListRow>& list = m.GameList;
    const int gameCount = list.Count();
    if (gameCount == 0) return std::nullopt;

    NativeModeCounts counts;
    // A mode is known once any game had its four texts. The four empty texts count as known
    // from the start, so a game without any video data never makes a mode of its own.
    std::unordered_set<std::string> known;
    known.reserve(2048);
    known.insert(IdentityKey({}, {}, {}, {}));
    std::vector<std::string> keys(1), widths(1), heights(1), refreshes(1), orientations(1);

    for (int j = 1; j <= gameCount; ++j) {
        ListRow& g = list[j];
        if (g.ListScreen == "Vector") {
            g.ListWidth = g.ListHeight = g.ListRefresh = "-";
            ++counts.VectorGames;
        }
        if (g.ListOrientation == "H") ++counts.HGames;
        if (g.ListOrientation == "V") ++counts.VGames;
        if (!known.insert(IdentityKey(g.ListWidth, g.ListHeight, g.ListRefresh, g.ListOrientation)).second) continue;
        keys.push_back(g.ListWidth + " x " + g.ListHeight + " @ " + g.ListRefresh + "Hz " + g.ListOrientation);
        widths.push_back(g.ListWidth);
        heights.push_back(g.ListHeight);
        refreshes.push_back(g.ListRefresh);
        orientations.push_back(g.ListOrientation);
        if (g.ListOrientation == "H") ++counts.HModes;
        if (g.ListOrientation == "V") ++counts.VModes;
    }
    counts.NativeCount = static_cast<int>(keys.size()) - 1;
    if (counts.NativeCount > 1) SortNativeModes(keys, widths, heights, refreshes, orientations, 1, counts.NativeCount);

    m.NativeModes.Clear();
    m.NativeModes.Reserve(counts.NativeCount);
    for (std::size_t i = 1; i < keys.size(); ++i)
        m.NativeModes.Add(
            {std::move(widths[i]), std::move(heights[i]), std::move(refreshes[i]), std::move(orientations[i])});

    m.Games.Clear();
    m.Games.Reserve(gameCount);
    for (int j = 1; j <= gameCount; ++j) {
        const ListRow& g = list[j];
        GameRow& row = m.Games.Add();
        row.GameRomName = g.ListRomName;
        row.GameCloneOf = g.ListCloneOf;
        row.GameDescription = g.ListDescription;
        row.GameOrientation = g.ListOrientation;
        row.GameNativeWidth = g.ListWidth.empty() ? "VECTOR" : g.ListWidth;
        row.GameNativeHeight = g.ListHeight.empty() ? "VECTOR" : g.ListHeight;
        row.GameNativeRefresh = g.ListRefresh;
    }
    return counts;
}

Result<NativeModeCounts> BuildNativeModeListFromFile(Model& m, const std::string& listFile, ProgressSink& progress) {
    const Outcome read = ReadGameList(listFile, m, progress);
    if (!read) return read;
    if (std::optional<NativeModeCounts> counts = BuildNativeModesFromGameList(m)) return *counts;
    return Outcome::Failure("no game in " + listFile);
}

Result<NativeModeCounts> BuildNativeModeList(Model& m, bool retrieve, bool atStartUp, ProgressSink& progress,
                                             Outcome* retrieval, std::chrono::milliseconds quietLimit) {
    const std::string listFile = m.GameListFile();
    // Something that is not a file in the list's place (a folder, a FIFO) is never read: at
    // start-up the failure says what it is, and a run of the emulator refuses to replace it.
    const std::error_code notAFile = NotARegularFile(listFile);
    if (notAFile) retrieve = true;
    Outcome run;
    if (retrieve) {
        if (atStartUp && notAFile != std::errc::no_such_file_or_directory) return ReadFailure(listFile, notAFile);
        if (atStartUp) return Outcome::Failure("no game list yet: " + listFile + " is missing");
        run = RetrieveGameInfo(m, progress, quietLimit);
    }
    if (retrieval) *retrieval = run;
    Result<NativeModeCounts> built = BuildNativeModeListFromFile(m, listFile, progress);
    // A run that failed keeps the previous list, which still builds; without one, the run's
    // failure is the reason.
    if (!built && !run) return run;
    return built;
}

std::string NativeModeDisplay(const NativeModeRow& mode) {
    if (mode.NativeWidth == "-") return "Vector " + mode.NativeOrientation;
    std::optional<std::string> refresh = TwoDecimals(mode.NativeRefresh);
    return mode.NativeWidth + " x " + mode.NativeHeight + " @ " + (refresh ? *refresh : mode.NativeRefresh) + "Hz " +
           mode.NativeOrientation;
}

std::vector<int> GamesOfNativeMode(const Model& m, int nativeMode) {
    std::vector<int> games;
    if (nativeMode < 1 || nativeMode > m.NativeModes.Count()) return games;
    const NativeModeRow& mode = m.NativeModes[nativeMode];
    for (int i = 1; i <= m.Games.Count(); ++i) {
        const GameRow& g = m.Games[i];
        if (g.GameNativeWidth == mode.NativeWidth && g.GameNativeHeight == mode.NativeHeight &&
            g.GameNativeRefresh == mode.NativeRefresh && g.GameOrientation == mode.NativeOrientation)
            games.push_back(i);
    }
    return games;
}

std::string GameModeDisplay(const GameRow& game) {
    if (game.GameModeWidth == kNoModeWidth) return "(Let MAME Decide)";
    return game.GameModeWidth + " x " + game.GameModeHeight + " @ " + game.GameModeRefresh + "Hz";
}

} // namespace kelvaro
