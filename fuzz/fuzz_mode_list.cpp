// The mode list reader on any bytes, then the automatic selection over what it read: every row
// keeps the form the lists rely on, the two lists hold each distinct text once in ascending
// order, and a chosen mode (the not-found one included) is always a row the card can show,
// interlaced only where the settings allow it.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/IniText.h"
#include "core/Text.h"
#include "core/TextNumbers.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"

using namespace kelvaro;

namespace {

bool Trimmed(const std::string& s) { return s.empty() || (s.front() != ' ' && s.back() != ' '); }

void CheckList(const Table<std::string>& list, const std::set<std::string>& texts) {
    FUZZ_CHECK(list.Count() == static_cast<int>(texts.size()));
    FUZZ_CHECK(std::set<std::string>(list.Elements().begin() + 1, list.Elements().end()) == texts);
    for (int k = 2; k <= list.Count(); ++k) FUZZ_CHECK(LeadingNumber(list[k - 1]) <= LeadingNumber(list[k]));
}

// A mode the selection may hand a game: its size is a number above 0, and an interlaced mode
// only when those are not ignored.
bool Showable(const Model& m, const std::string& w, const std::string& h, const std::string& r) {
    for (int j = 1; j <= m.AvailModes.Count(); ++j) {
        const AvailModeRow& mode = m.AvailModes[j];
        if (mode.AvailWidth != w || mode.AvailHeight != h || mode.AvailRefresh != r) continue;
        const std::optional<double> width = WholeNumber(w), height = WholeNumber(h);
        if (width && height && *width > 0 && *height > 0) return true;
    }
    return false;
}

GameRow NativeGame(const std::string& w, const std::string& h, const char* refresh, const char* orientation) {
    GameRow g;
    g.GameRomName = "G";
    g.GameNativeWidth = w;
    g.GameNativeHeight = h;
    g.GameNativeRefresh = refresh;
    g.GameOrientation = orientation;
    return g;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Model m;
    ParseAvailableModes(text, m);
    const std::size_t lines = SplitLines(text).size();
    FUZZ_CHECK(m.AvailModes.Count() == (lines == 0 ? 0 : static_cast<int>(lines) - 1));
    if (m.AvailModes.Empty()) return 0;

    std::set<std::string> widths, heights;
    const std::vector<std::string_view> lineTexts = SplitLines(text);
    for (int j = 1; j <= m.AvailModes.Count(); ++j) {
        const AvailModeRow& r = m.AvailModes[j];
        // Row j is line j + 1; without a letter that could start a marker word after its first
        // "Hz", the line carries no marker and the height decides.
        const std::string_view line = lineTexts[static_cast<std::size_t>(j)];
        const std::size_t hz = line.find("Hz");
        const bool mayBeMarked =
            hz != std::string_view::npos && line.find_first_of("iIpP", hz + 2) != std::string_view::npos;
        FUZZ_CHECK(r.AvailWidth.size() <= 4 && r.AvailHeight.size() <= 4);
        FUZZ_CHECK(Trimmed(r.AvailWidth) && Trimmed(r.AvailHeight));
        FUZZ_CHECK(r.AvailRefresh.size() == 2);
        FUZZ_CHECK(r.AvailInterlaced == "Yes" || r.AvailInterlaced == "No");
        if (!mayBeMarked) FUZZ_CHECK(r.AvailInterlaced == (LeadingNumber(r.AvailHeight) > 304 ? "Yes" : "No"));
        FUZZ_CHECK(AvailModeDisplay(r).find(" @ ") != std::string::npos);
        widths.insert(r.AvailWidth);
        heights.insert(r.AvailHeight);
    }
    CheckList(m.AvailWidthList, widths);
    CheckList(m.AvailHeightList, heights);

    // Games the size of the first modes, turned and not, and common sizes; the settings and the
    // not-found mode (the first row) vary with the first byte.
    for (int j = 1; j <= std::min(4, m.AvailModes.Count()); ++j) {
        const AvailModeRow& r = m.AvailModes[j];
        m.Games.Add(NativeGame(r.AvailWidth, r.AvailHeight, "60.000000", "H"));
        m.Games.Add(NativeGame(r.AvailHeight, r.AvailWidth, "57.5", "V"));
    }
    m.Games.Add(NativeGame("320", "240", "60.000000", "H"));
    m.Games.Add(NativeGame("224", "288", "60.606061", "V"));
    m.Games.Add(NativeGame("-", "-", "-", "H"));
    const unsigned options = size > 0 ? data[0] : 0;
    m.Config.MonitorOrientation = static_cast<MonitorOrientation>(options % 3);
    m.Config.IgnoreInterlaced = (options & 4) != 0;
    m.Config.MatchResWithin = (options & 8) != 0 ? 0 : 48;
    if ((options & 16) != 0) {
        m.Config.NotFoundWidth = m.AvailModes[1].AvailWidth;
        m.Config.NotFoundHeight = m.AvailModes[1].AvailHeight;
        m.Config.NotFoundRefresh = m.AvailModes[1].AvailRefresh;
    }
    ProgressSink quiet;
    AutoSelectVideoModes(m, quiet);
    for (int i = 1; i <= m.Games.Count(); ++i) {
        const GameRow& g = m.Games[i];
        if (g.GameModeWidth == "???") {
            FUZZ_CHECK(g.GameModeHeight == "???" && g.GameModeRefresh == "??");
            continue;
        }
        FUZZ_CHECK(Showable(m, g.GameModeWidth, g.GameModeHeight, g.GameModeRefresh));
        FUZZ_CHECK(ResolutionWidth(g.GameINIText) == g.GameModeWidth);
        // The not-found mode is the user's own choice, interlaced or not. Otherwise, with interlaced
        // modes ignored, the cells name a progressive row (a list may hold the same size and rate
        // twice, once interlaced).
        const bool notFound = g.GameModeWidth == m.Config.NotFoundWidth && g.GameModeHeight == m.Config.NotFoundHeight;
        if (!m.Config.IgnoreInterlaced || notFound) continue;
        bool progressive = false;
        for (int j = 1; j <= m.AvailModes.Count(); ++j) {
            const AvailModeRow& r = m.AvailModes[j];
            progressive = progressive || (r.AvailWidth == g.GameModeWidth && r.AvailHeight == g.GameModeHeight &&
                                          r.AvailRefresh == g.GameModeRefresh && r.AvailInterlaced == "No");
        }
        FUZZ_CHECK(progressive);
    }
    return 0;
}
