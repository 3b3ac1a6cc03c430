#include "gamelist/FindGame.h"

#include <unordered_map>

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

namespace {

// The upper case of a letter of the alphabets the game list's titles use (Latin with its
// accented letters, Greek, Cyrillic); any other code point is its own upper case.
char32_t UpperCodePoint(char32_t c) {
    if (c >= 0xE0 && c <= 0xFE) return c == 0xF7 ? c : c - 0x20;  // Latin-1, but the division sign
    if (c == 0xFF) return 0x178;
    if (c == 0x131) return U'I';  // dotless i
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~char32_t{1};
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if ((c >= 0x3B1 && c <= 0x3CB)) return c - 0x20;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

} // namespace

std::string UpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += (b >= 'a' && b <= 'z') ? static_cast<char>(b - 'a' + 'A') : static_cast<char>(b);
            continue;
        }
        // Two- and three-byte sequences hold every letter that has a case here; anything else,
        // and bytes that are no valid UTF-8, pass through as they are.
        const bool two = (b & 0xE0) == 0xC0 && i + 1 < text.size() && (text[i + 1] & 0xC0) == 0x80;
        const bool three = (b & 0xF0) == 0xE0 && i + 2 < text.size() && (text[i + 1] & 0xC0) == 0x80 &&
                           (text[i + 2] & 0xC0) == 0x80;
        if (!two && !three) {
            out += static_cast<char>(b);
            continue;
        }
        const char32_t c = two ? ((b & 0x1F) << 6) | (text[i + 1] & 0x3F)
                               : ((b & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F);
        const std::size_t length = two ? 2 : 3;
        const char32_t upper = UpperCodePoint(c);
        if (upper == c)
            out.append(text.substr(i, length));
        else
            AppendUtf8(out, upper);
        i += length - 1;
    }
    return out;
}

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
