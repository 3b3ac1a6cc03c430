#include "ui/frmSetupCheck.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/Paths.h"
#include "ui/Dialogs.h"
#include "ui/QtText.h"
#include "ui/ScreenFit.h"

namespace kelvaro {

namespace {

QIcon LevelIcon(const QStyle* style, CheckLevel level) {
    switch (level) {
    case CheckLevel::Problem: return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case CheckLevel::Warning: return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case CheckLevel::Ok: break;
    }
    return style->standardIcon(QStyle::SP_DialogApplyButton);
}

} // namespace

frmSetupCheck::frmSetupCheck(Dialogs& dialogs, std::function<SetupReport()> check, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), check_(std::move(check)) {
    setObjectName("frmSetupCheck");
    setWindowTitle("Check M.A.M.E. Setup");

    lblSummary = new QLabel(this);
    lblSummary->setObjectName("lblSummary");
    lblSummary->setWordWrap(true);

    lvwFindings = new QTableWidget(0, 2, this);
    lvwFindings->setObjectName("lvwFindings");
    lvwFindings->setHorizontalHeaderLabels({"Finding", "Fix"});
    lvwFindings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwFindings->setSelectionMode(QAbstractItemView::NoSelection);
    lvwFindings->setFocusPolicy(Qt::NoFocus);
    lvwFindings->setWordWrap(true);
    lvwFindings->setShowGrid(false);
    lvwFindings->verticalHeader()->hide();
    lvwFindings->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    lvwFindings->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvwFindings->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    cmdCopy = new QPushButton("C&opy", this);
    cmdCopy->setObjectName("cmdCopy");
    cmdCheckAgain = new QPushButton("Check &Again", this);
    cmdCheckAgain->setObjectName("cmdCheckAgain");
    cmdClose = new QPushButton("&Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setDefault(true);

    // The fix buttons have a row of their own: with them the row of buttons would be wider than a
    // small screen.
    fixes_ = new QHBoxLayout;
    fixes_->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdCheckAgain);
    buttons->addWidget(cmdClose);
    auto* form = new QVBoxLayout(this);
    form->addWidget(lblSummary);
    form->addWidget(lvwFindings, 1);
    form->addLayout(fixes_);
    form->addLayout(buttons);
    resize(900, 480);
    FitOnEveryShowing(this);

    connect(cmdCopy, &QPushButton::clicked, this, &frmSetupCheck::cmdCopy_Click);
    connect(cmdCheckAgain, &QPushButton::clicked, this, &frmSetupCheck::Refresh);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmSetupCheck::Report() {
    Refresh();
    exec();
}

void frmSetupCheck::Refresh() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    report_ = check_();
    QApplication::restoreOverrideCursor();

    lblSummary->setText(report_.HasProblem()
                            ? "M.A.M.E. will not make use of the INI files as they are: see the problems below."
                            : "Nothing stops M.A.M.E. from using the INI files.");
    lvwFindings->setRowCount(static_cast<int>(report_.Findings.size()));
    for (int row = 0; row < lvwFindings->rowCount(); ++row) {
        const Finding& finding = report_.Findings[static_cast<std::size_t>(row)];
        auto* text = new QTableWidgetItem(LevelIcon(style(), finding.Level), QtText(finding.Text));
        text->setToolTip(LevelWord(finding.Level));
        lvwFindings->setItem(row, 0, text);
        lvwFindings->setItem(row, 1, new QTableWidgetItem(QtText(finding.Fix)));
    }

    for (QPushButton* button : cmdFix) delete button;
    cmdFix.clear();
    for (const Finding& finding : report_.Findings) {
        if (!finding.OneLineFix) continue;
        const OptionFix fix = *finding.OneLineFix;
        // The inipath line is long: its button says what it does, its tooltip the whole line.
        const std::string caption =
            fix.Option == "inipath" ? "Add the INI Folder to inipath" : "Set " + fix.Option + " " + fix.Value;
        auto* button = new QPushButton(QtText(caption), this);
        button->setObjectName(QtText("cmdFix_" + fix.Option));
        button->setToolTip(QtText((fix.Create ? "Creates " : "Changes ") + fix.File + ": \"" +
                                  OptionLine(fix.Option, fix.Value) + "\""));
        connect(button, &QPushButton::clicked, this, [this, fix] { cmdFix_Click(fix); });
        fixes_->addWidget(button);
        cmdFix.push_back(button);
    }
}

void frmSetupCheck::cmdCopy_Click() { QApplication::clipboard()->setText(QtText(report_.Text())); }

void frmSetupCheck::cmdFix_Click(const OptionFix& fix) {
    const QString line = "\"" + QtText(OptionLine(fix.Option, fix.Value)) + "\"";
    const QString question =
        fix.Create ? "This will create " + QtText(fix.File) + " holding only the line " + line +
                         ".  M.A.M.E. reads it after its other settings.  Are you sure you want to continue?"
                   : "This will set the line " + line + " in " + QtText(fix.File) +
                         " (the old file is kept beside it as a .bak file).  Are you sure you want to continue?";
    if (!dialogs_.Ask(this, question, Dialogs::Icon::Question)) return;
    if (const Outcome written = ApplyOptionFix(fix, HomeFolder()); !written)
        dialogs_.Tell(this, "The line " + line + " could not be set: " + QtText(written.Reason()) + ".",
                      Dialogs::Icon::Warning);
    Refresh();
}

} // namespace kelvaro
