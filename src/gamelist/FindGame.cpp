#include "gamelist/FindGame.h"

#include <unordered_map>

#include "core/Text.h"

namespace kelvaro {

namespace {

enum class MatchKind { Exact, DescriptionContains, RomNameContains };
constexpr MatchKind kKinds[] = {MatchKind::Exact, MatchKind::DescriptionContains, MatchKind::RomNameContains};

// A game's rom name and description as the search compares them.
struct UpperGame {
    std::string romName;
    std::string description;
};

bool Matches(MatchKind kind, const UpperGame& g, const std::string& search) {
    switch (kind) {
    case MatchKind::Exact: return g.romName == search || g.description == search;
    case MatchKind::DescriptionContains: return g.description.find(search) != std::string::npos;
    case MatchKind::RomNameContains: return g.romName.find(search) != std::string::npos;
    }
    return false;
}

UpperGame Upper(const GameRow& g) { return {UpperCase(g.GameRomName), UpperCase(g.GameDescription)}; }

std::string ModeKey(const std::string& w, const std::string& h, const std::string& r, const std::string& o) {
    std::string key;
    for (const std::string* part : {&w, &h, &r, &o}) {
        key += std::to_string(part->size());
        key += ':';
        key += *part;
    }
    return key;
}

// The first native mode of each set of four texts: it stands in for a search through the native
// mode table from its top.
std::unordered_map<std::string, int> FirstModes(const Model& m) {
    std::unordered_map<std::string, int> firstMode;
    for (int k = m.NativeModes.Count(); k >= 1; --k) {
        const NativeModeRow& n = m.NativeModes[k];
        firstMode[ModeKey(n.NativeWidth, n.NativeHeight, n.NativeRefresh, n.NativeOrientation)] = k;
    }
    return firstMode;
}

int ModeOf(const std::unordered_map<std::string, int>& firstMode, const GameRow& g) {
    auto it = firstMode.find(ModeKey(g.GameNativeWidth, g.GameNativeHeight, g.GameNativeRefresh, g.GameOrientation));
    return it == firstMode.end() ? 0 : it->second;
}

} // namespace

int FindNativeModeOfGame(const Model& m, const std::string& search) {
    if (m.Games.Empty() || m.NativeModes.Empty()) return 0;
    const std::unordered_map<std::string, int> firstMode = FirstModes(m);
    std::vector<UpperGame> games;
    games.reserve(static_cast<std::size_t>(m.Games.Count()) + 1);
    games.emplace_back();
    for (int i = 1; i <= m.Games.Count(); ++i) games.push_back(Upper(m.Games[i]));

    for (MatchKind kind : kKinds) {
        int found = 0;
        for (int i = 1; i <= m.Games.Count(); ++i) {
            if (!Matches(kind, games[static_cast<std::size_t>(i)], search)) continue;
            // A game of no native mode (no size in the list) leaves the mode found before.
            if (const int k = ModeOf(firstMode, m.Games[i])) found = k;
        }
        if (found != 0) return found;
    }
    return 0;
}

int FindShownGame(const Model& m, const std::vector<int>& shownGames, const std::string& search) {
    std::vector<UpperGame> shown;
    shown.reserve(shownGames.size());
    for (int i : shownGames) shown.push_back(i >= 1 && i <= m.Games.Count() ? Upper(m.Games[i]) : UpperGame{});
    for (MatchKind kind : kKinds) {
        for (std::size_t row = 0; row < shown.size(); ++row) {
            int i = shownGames[row];
            if (i >= 1 && i <= m.Games.Count() && Matches(kind, shown[row], search)) return static_cast<int>(row);
        }
    }
    return -1;
}

FoundGame FindNextGame(const Model& m, const std::string& search, int after) {
    const int count = m.Games.Count();
    if (count == 0 || m.NativeModes.Empty()) return {};
    const std::unordered_map<std::string, int> firstMode = FirstModes(m);
    std::vector<UpperGame> games(static_cast<std::size_t>(count) + 1);
    for (int i = 1; i <= count; ++i) games[static_cast<std::size_t>(i)] = Upper(m.Games[i]);
    std::vector<char> listed(static_cast<std::size_t>(count) + 1, 0);
    std::vector<FoundGame> order;
    for (MatchKind kind : kKinds) {
        for (int i = 1; i <= count; ++i) {
            if (listed[static_cast<std::size_t>(i)] || !Matches(kind, games[static_cast<std::size_t>(i)], search))
                continue;
            listed[static_cast<std::size_t>(i)] = 1;
            if (const int k = ModeOf(firstMode, m.Games[i])) order.push_back({i, k});
        }
    }
    std::size_t next = 0;
    for (std::size_t j = 0; j < order.size(); ++j)
        if (order[j].Game == after) next = j + 1;
    if (next == order.size()) next = 0;
    if (order.empty() || order[next].Game == after) return {};
    return order[next];
}

} // namespace kelvaro
