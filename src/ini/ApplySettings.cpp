#include "ini/ApplySettings.h"

#include "core/IniText.h"

namespace kelvaro {

namespace {

// The chosen mode and the detail text of an entry: entry 0 (and any entry outside the list,
// which the dialog never offers) leaves the choice to the emulator.
void ApplyChoice(const Model& m, int e, const std::string& text, std::string& width, std::string& height,
                 std::string& refresh, std::string& details) {
    if (e >= 1 && e <= m.AvailModes.Count()) {
        const AvailModeRow& mode = m.AvailModes[e];
        width = mode.AvailWidth;
        height = mode.AvailHeight;
        refresh = mode.AvailRefresh;
        details = SetResolutionLine("resolution " + width + "x" + height, text);
    } else {
        width = "???";
        height = "???";
        refresh = "??";
        details = SetResolutionLine("resolution auto", text);
    }
}

bool IsGame(const Model& m, int g) { return g >= 1 && g <= m.Games.Count(); }

} // namespace

void ApplyChoiceToGame(Model& m, int g, int e, const std::string& text) {
    if (!IsGame(m, g)) return;
    GameRow& game = m.Games[g];
    ApplyChoice(m, e, text, game.GameModeWidth, game.GameModeHeight, game.GameModeRefresh, game.GameINIText);
}

void ApplyChoiceToNotFound(Model& m, int e, const std::string& text) {
    Settings& s = m.S;
    ApplyChoice(m, e, text, s.NotFoundWidth, s.NotFoundHeight, s.NotFoundRefresh, s.NotFoundINIText);
}

std::vector<int> ApplyChoiceToScope(Model& m, ApplyScope scope, int s, const std::vector<int>& shownGames, int e,
                                    const std::string& text) {
    std::vector<int> changed;
    auto apply = [&](int g) {
        ApplyChoiceToGame(m, g, e, text);
        changed.push_back(g);
    };
    switch (scope) {
    case ApplyScope::SelectedGame:
        if (IsGame(m, s)) apply(s);
        break;
    case ApplyScope::ShownGames:
        // The games list decides, not the table: exactly the games it shows, in its order.
        for (int g : shownGames)
            if (IsGame(m, g)) apply(g);
        break;
    case ApplyScope::SameOrientation: {
        if (!IsGame(m, s)) break;
        const std::string orientation = m.Games[s].GameOrientation;
        for (int i = 1; i <= m.Games.Count(); ++i)
            if (m.Games[i].GameOrientation == orientation) apply(i);
        break;
    }
    case ApplyScope::AllGames:
        for (int i = 1; i <= m.Games.Count(); ++i) apply(i);
        break;
    }
    return changed;
}

int PreselectEntry(const Model& m, const std::string& w, const std::string& h, const std::string& r,
                   std::string& text) {
    if (w != "???") {
        for (int k = 1; k <= m.AvailModes.Count(); ++k) {
            const AvailModeRow& mode = m.AvailModes[k];
            // Text against text: a chosen 60 is not the listed 60.000000.
            if (mode.AvailWidth == w && mode.AvailHeight == h && mode.AvailRefresh == r) {
                text = SetResolutionLine("resolution " + w + "x" + h, text);
                return k;
            }
        }
    }
    text = SetResolutionLine("resolution auto", text);
    return 0;
}

} // namespace kelvaro
