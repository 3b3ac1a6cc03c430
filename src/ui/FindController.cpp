#include "ui/FindController.h"

#include <algorithm>
#include <optional>

#include "core/Text.h"
#include "gamelist/FindGame.h"
#include "ui/Dialogs.h"
#include "ui/QtText.h"

namespace kelvaro {

FindController::FindController(const Model& model, Dialogs& dialogs, Window window, QObject* parent)
    : QObject(parent), m_(model), dialogs_(dialogs), window_(std::move(window)) {}

void FindController::mnuFind_Click() {
    const std::optional<QString> answer =
        dialogs_.InputBox(window_.Parent, "Enter game Description or Romname to find:", "Find Game", QString());
    // Only the spaces at both ends of the answer go.
    const std::string text = answer ? std::string(TrimSpaces(answer->toStdString())) : std::string();
    if (text.empty() || m_.Games.Empty()) return;
    const std::string search = UpperCase(text);
    findText_ = search;
    foundGame_ = 0;

    const int k = FindNativeModeOfGame(m_, search);
    if (k == 0) {
        dialogs_.Tell(window_.Parent, "Game '" + QtText(search) + "' not found.", Dialogs::Icon::Warning);
        return;
    }
    window_.ShowNativeMode(k);

    const std::vector<int>& shown = window_.ShownGames();
    const int row = FindShownGame(m_, shown, search);
    if (row < 0) return;
    ShowFoundGame(k, shown[static_cast<size_t>(row)]);
}

void FindController::ShowFoundGame(int k, int g) {
    if (window_.SelectedNativeMode() != k) window_.ShowNativeMode(k);
    if (window_.ShowGame(g)) foundGame_ = g;
}

void FindController::mnuFindNext_Click() {
    if (findText_.empty()) return mnuFind_Click();
    if (m_.Games.Empty()) return;
    const FoundGame next = FindNextGame(m_, findText_, foundGame_);
    if (next.Game != 0) return ShowFoundGame(next.NativeMode, next.Game);
    if (foundGame_ == 0)
        dialogs_.Tell(window_.Parent, "Game '" + QtText(findText_) + "' not found.", Dialogs::Icon::Warning);
    else
        dialogs_.Tell(window_.Parent, "No other game matches '" + QtText(findText_) + "'.", Dialogs::Icon::Information);
}

} // namespace kelvaro
