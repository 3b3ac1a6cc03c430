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
    case MatchKind::Exact:
        return g.romName == search || g.description == search;
    case MatchKind::DescriptionContains:
        return g.description.find(search) != std::string::npos;
    case MatchKind::RomNameContains:
        return g.romName.find(search) != std::string::npos;
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

} // namespace

int FindNativeModeOfGame(const Model& m, const std::string& search) {
    if (m.Games.Empty() || m.NativeModes.Empty()) return 0;
    // The first native mode of each set of four texts stands in for the search through the
    // native mode table from its top.
    std::unordered_map<std::string, int> firstMode;
    for (int k = m.NativeModes.Count(); k >= 1; --k) {
        const NativeModeRow& n = m.NativeModes[k];
        firstMode[ModeKey(n.NativeWidth, n.NativeHeight, n.NativeRefresh, n.NativeOrientation)] = k;
    }
    std::vector<UpperGame> games;
    games.reserve(static_cast<std::size_t>(m.Games.Count()) + 1);
    games.emplace_back();
    for (int i = 1; i <= m.Games.Count(); ++i) games.push_back(Upper(m.Games[i]));

    for (MatchKind kind : kKinds) {
        int found = 0;
        for (int i = 1; i <= m.Games.Count(); ++i) {
            if (!Matches(kind, games[static_cast<std::size_t>(i)], search)) continue;
            const GameRow& g = m.Games[i];
            auto it = firstMode.find(
                ModeKey(g.GameNativeWidth, g.GameNativeHeight, g.GameNativeRefresh, g.GameOrientation));
            // A game of no native mode (no size in the list) leaves the mode found before.
            if (it != firstMode.end()) found = it->second;
        }
        if (found != 0) return found;
    }
    return 0;
}

int FindShownGame(const Model& m, const std::vector<int>& shownGames, const std::string& search) {
    std::vector<UpperGame> shown;
    shown.reserve(shownGames.size());
    for (int i : shownGames)
        shown.push_back(i >= 1 && i <= m.Games.Count() ? Upper(m.Games[i]) : UpperGame{});
    for (MatchKind kind : kKinds) {
        for (std::size_t row = 0; row < shown.size(); ++row) {
            int i = shownGames[row];
            if (i >= 1 && i <= m.Games.Count() && Matches(kind, shown[row], search))
                return static_cast<int>(row);
        }
    }
    return -1;
}

} // namespace kelvaro
