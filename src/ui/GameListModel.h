#pragma once
#include <vector>

#include "core/Model.h"
#include "ui/ReportModel.h"

namespace kelvaro {

// The games list: one row per shown game ("Game No.", "Game Description", "Romname", "Mode",
// "INI File Details (lines separated by |'s)"), reading the game table directly. Which games it
// shows is set wholesale; edits of single games are announced as ranged changes. SortRole gives
// what a sort by a column compares: the game number as a number, the mode by width, height and
// refresh ("(Let MAME Decide)" before every mode), the texts as they are. A "Mode" cell's tooltip
// says why the game has that mode.
class GameListModel : public ReportModel {
    Q_OBJECT
public:
    enum Column { ColNumber, ColDescription, ColRomName, ColMode, ColINIText };
    static constexpr int SortRole = Qt::UserRole;

    explicit GameListModel(const Model& model, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shows these games, in this order.
    void SetGames(std::vector<int> games);
    const std::vector<int>& Games() const { return games_; }
    // The game of a row; 0 outside the list.
    int GameAt(int row) const;

    // The "Mode" and INI columns of the rows showing these games have changed.
    void GamesChanged(const std::vector<int>& games);

private:
    const Model& m_;
    std::vector<int> games_;
};

} // namespace kelvaro
