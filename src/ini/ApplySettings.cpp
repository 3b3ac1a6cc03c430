#include "ini/ApplySettings.h"

#include "core/ChosenMode.h"
#include "core/IniText.h"

namespace kelvaro {

namespace {

// The chosen mode and the detail text of an entry: entry 0 (and any entry outside the list,
// which the dialog never offers) leaves the choice to the emulator.
void ApplyChoice(const Model& m, int entry, const std::string& text, const ChosenMode& target) {
    target.Details = text;
    SetChosenMode(m, entry, target);
}

bool IsGame(const Model& m, int game) { return game >= 1 && game <= m.Games.Count(); }

} // namespace

void ApplyChoiceToGame(Model& m, int game, int entry, const std::string& text) {
    if (!IsGame(m, game)) return;
    ApplyChoice(m, entry, text, ChosenModeOf(m.Games[game]));
    m.Games[game].GameHandEdited = true;
}

void ApplyChoiceToNotFound(Model& m, int entry, const std::string& text) {
    ApplyChoice(m, entry, text, NotFoundMode(m.Config));
}

std::vector<int> ApplyChoiceToScope(Model& m, ApplyScope scope, int selectedGame, const std::vector<int>& shownGames,
                                    int entry, const std::string& text) {
    std::vector<int> changed;
    auto apply = [&](int g) {
        ApplyChoiceToGame(m, g, entry, text);
        changed.push_back(g);
    };
    switch (scope) {
    case ApplyScope::SelectedGame:
        if (IsGame(m, selectedGame)) apply(selectedGame);
        break;
    case ApplyScope::ShownGames:
        // The games list decides, not the table: exactly the games it shows, in its order.
        for (int g : shownGames)
            if (IsGame(m, g)) apply(g);
        break;
    case ApplyScope::SameOrientation: {
        if (!IsGame(m, selectedGame)) break;
        const std::string orientation = m.Games[selectedGame].GameOrientation;
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

int PreselectEntry(const Model& m, const std::string& width, const std::string& height, const std::string& refresh,
                   std::string& text) {
    int entry = 0;
    for (int k = 1; width != kNoModeWidth && k <= m.AvailModes.Count() && entry == 0; ++k) {
        const AvailModeRow& mode = m.AvailModes[k];
        // Text against text: a chosen 60 is not the listed 60.000000.
        if (mode.AvailWidth == width && mode.AvailHeight == height && mode.AvailRefresh == refresh) entry = k;
    }
    text = SetResolutionLine(ResolutionLineOfMode(m, entry), text);
    return entry;
}

} // namespace kelvaro
