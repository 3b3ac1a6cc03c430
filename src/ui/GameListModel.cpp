#include "ui/GameListModel.h"

#include "gamelist/NativeModes.h"
#include "modes/ModeReason.h"
#include "ui/ShownText.h"

namespace kelvaro {

GameListModel::GameListModel(const Model& model, QObject* parent)
    : ReportModel({"Game No.", "Game Description", "Romname", "Mode", "INI File Details (lines separated by |'s)"}, 0,
                  parent),
      m_(model) {}

namespace {

// The mode as one number ordered by width, then height, then refresh (to a thousandth of a
// hertz); -1 for no mode, or for texts that are no numbers.
qint64 ModeOrder(const GameRow& game) {
    bool w = false, h = false, r = false;
    const qint64 width = QString::fromStdString(game.GameModeWidth).toLongLong(&w);
    const qint64 height = QString::fromStdString(game.GameModeHeight).toLongLong(&h);
    const double refresh = QString::fromStdString(game.GameModeRefresh).toDouble(&r);
    if (!w || !h || !r || width < 0 || height < 0 || !(refresh >= 0) || width >= (1 << 20) || height >= (1 << 20) ||
        refresh >= 8000)
        return -1;
    return (width << 43) + (height << 23) + qRound64(refresh * 1000);
}

} // namespace

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    const int g = GameAt(index.row());
    // A game beyond the table can only be met while a build replaces the table and the list has
    // not been refilled yet.
    if ((role != Qt::DisplayRole && role != SortRole && role != Qt::ToolTipRole) || !index.isValid() || g < 1 ||
        g > m_.Games.Count())
        return {};
    const GameRow& game = m_.Games[g];
    // Worked out when asked: a tooltip is wanted for one cell at a time.
    if (role == Qt::ToolTipRole) return index.column() == ColMode ? ShownLines(GameModeReason(m_, g)) : QVariant();
    if (role == SortRole && index.column() == ColNumber) return g;
    if (role == SortRole && index.column() == ColMode) return ModeOrder(game);
    switch (index.column()) {
    case ColNumber: return QString::number(g);
    case ColDescription: return ShownText(game.GameDescription);
    case ColRomName: return ShownText(game.GameRomName);
    case ColMode: return ShownText(GameModeDisplay(game));
    case ColINIText: return ShownText(game.GameINIText);
    default: return {};
    }
}

void GameListModel::SetGames(std::vector<int> games) {
    const int rows = static_cast<int>(games.size());
    ResetRows(rows, [&] { games_ = std::move(games); });
}

int GameListModel::GameAt(int row) const {
    return row >= 0 && row < static_cast<int>(games_.size()) ? games_[static_cast<size_t>(row)] : 0;
}

void GameListModel::GamesChanged(const std::vector<int>& games) {
    if (games.empty() || games_.empty()) return;
    // An edit can touch every game of the table; a flag per game keeps this linear.
    std::vector<char> changed(static_cast<size_t>(m_.Games.Count()) + 1, 0);
    for (int g : games)
        if (g >= 1 && g <= m_.Games.Count()) changed[static_cast<size_t>(g)] = 1;
    const int rows = rowCount();
    for (int r = 0; r < rows;) {
        const int g = games_[static_cast<size_t>(r)];
        if (g < 1 || g > m_.Games.Count() || !changed[static_cast<size_t>(g)]) {
            ++r;
            continue;
        }
        int last = r;
        while (last + 1 < rows) {
            const int next = games_[static_cast<size_t>(last + 1)];
            if (next < 1 || next > m_.Games.Count() || !changed[static_cast<size_t>(next)]) break;
            ++last;
        }
        emit dataChanged(index(r, ColMode), index(last, ColINIText), {Qt::DisplayRole});
        r = last + 1;
    }
}

} // namespace kelvaro
