#pragma once
#include <QDialog>
#include <functional>
#include <vector>

#include "emulator/SetupCheck.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kelvaro {

class Dialogs;

// The report of the emulator setup check: one row per finding with an icon for its level and the
// fix, a Copy button for the whole report as text, and a button per one-line fix that the user
// may let the program make in a mame.ini of the home folder.
class frmSetupCheck : public QDialog {
    Q_OBJECT
public:
    // check runs the check anew (the emulator is asked again) and returns its report.
    frmSetupCheck(Dialogs& dialogs, std::function<SetupReport()> check, QWidget* parent = nullptr);

    // Runs the check and shows the report modally until it is closed.
    void Report();
    // Runs the check again and shows its findings.
    void Refresh();
    const SetupReport& Shown() const { return report_; }

    // Handlers.
    void cmdCopy_Click();
    void cmdFix_Click(const OptionFix& fix);

private:
    QLabel* lblSummary = nullptr;
    QTableWidget* lvwFindings = nullptr;
    QHBoxLayout* fixes_ = nullptr;
    std::vector<QPushButton*> cmdFix;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdCheckAgain = nullptr;
    QPushButton* cmdClose = nullptr;

    Dialogs& dialogs_;
    std::function<SetupReport()> check_;
    SetupReport report_;
};

} // namespace kelvaro
