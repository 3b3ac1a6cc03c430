#pragma once
#include <QDialog>
#include <vector>

#include "core/Model.h"
#include "core/MonitorKind.h"
#include "modes/SelectionSummary.h"
#include "modes/Suggestions.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;

namespace kelvaro {

// How the automatic selection serves the games: counts by outcome and orientation, the games
// scaled by whole numbers, and the modes worth adding to the card's list, of which the user
// ticks those to add to a new mode list.
class frmSummary : public QDialog {
    Q_OBJECT
public:
    frmSummary(const Model& model, QWidget* parent = nullptr);

    // Fills the window with the modes worth adding for a monitor of that kind, none ticked: the
    // user picks those the card can really make.
    void Fill(const SelectionSummary& summary, const std::vector<ModeSuggestion>& suggestions, MonitorKind kind);
    // The ticked suggestions, best first.
    std::vector<ModeSuggestion> Chosen() const;

private:
    QTableWidget* grdCounts = nullptr;
    QLabel* lblWholeScale = nullptr;
    QLabel* lblSuggestions = nullptr;
    QTreeWidget* lvwSuggestions = nullptr;
    QPushButton* cmdAddModes = nullptr;
    QPushButton* cmdClose = nullptr;

    void UpdateAddButton();

    const Model& m_;
    std::vector<ModeSuggestion> suggestions_;
};

} // namespace kelvaro
