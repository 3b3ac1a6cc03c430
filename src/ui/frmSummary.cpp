#include "ui/frmSummary.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "modes/MonitorRanges.h"
#include "ui/ScreenFit.h"
#include "ui/ShownText.h"

namespace kelvaro {

namespace {

// Titles of a few of the games a suggestion serves.
constexpr int kTitlesShown = 3;

QTableWidgetItem* Cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

frmSummary::frmSummary(const Model& model, QWidget* parent) : QDialog(parent), m_(model) {
    setObjectName(QStringLiteral("frmSummary"));
    setWindowTitle(QStringLiteral("Selection Summary"));

    auto* lblCounts = new QLabel(QStringLiteral("Games by outcome of Auto-Select with the current settings:"), this);
    grdCounts = new QTableWidget(this);
    grdCounts->setObjectName(QStringLiteral("grdCounts"));
    grdCounts->setSelectionMode(QAbstractItemView::NoSelection);
    grdCounts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdCounts->setFocusPolicy(Qt::NoFocus);
    grdCounts->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdCounts->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdCounts->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    grdCounts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdCounts->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblWholeScale = new QLabel(this);
    lblWholeScale->setObjectName(QStringLiteral("lblWholeScale"));

    lblSuggestions = new QLabel(this);
    lblSuggestions->setObjectName(QStringLiteral("lblSuggestions"));
    lblSuggestions->setWordWrap(true);
    lvwSuggestions = new QTreeWidget(this);
    lvwSuggestions->setObjectName(QStringLiteral("lvwSuggestions"));
    lvwSuggestions->setRootIsDecorated(false);
    lvwSuggestions->setHeaderLabels(
        {QStringLiteral("Mode"), QStringLiteral("Line Rate"), QStringLiteral("Games"), QStringLiteral("For Example")});
    lvwSuggestions->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvwSuggestions->header()->setStretchLastSection(true);
    lblSuggestions->setBuddy(lvwSuggestions);

    cmdAddModes = new QPushButton(QStringLiteral("&Add Ticked Modes to a New Mode List..."), this);
    cmdAddModes->setObjectName(QStringLiteral("cmdAddModes"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddModes);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* form = new QVBoxLayout(this);
    form->addWidget(lblCounts);
    form->addWidget(grdCounts);
    form->addWidget(lblWholeScale);
    form->addSpacing(8);
    form->addWidget(lblSuggestions);
    form->addWidget(lvwSuggestions, 1);
    form->addLayout(buttons);

    connect(cmdAddModes, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(lvwSuggestions, &QTreeWidget::itemChanged, this, &frmSummary::UpdateAddButton);
    resize(760, 560);
    FitOnEveryShowing(this);
}

void frmSummary::Fill(const SelectionSummary& summary, const std::vector<ModeSuggestion>& suggestions,
                      MonitorKind kind) {
    suggestions_ = suggestions;
    QString monitor;
    for (const auto& choice : kMonitorKinds)
        if (choice.Value == kind) monitor = QString::fromLatin1(choice.Caption).remove(QLatin1Char('&'));
    lblSuggestions->setText(
        QStringLiteral(
            "Modes &worth adding that a %1 shows (the games each gives a mode; tick those the card can make):")
            .arg(monitor));

    // Games whose orientation is neither letter get a column of their own only when there are any.
    const bool other = summary.OtherOrientation.Games() > 0;
    std::vector<std::pair<QString, const OutcomeCounts*>> columns = {
        {QStringLiteral("All Games"), &summary.All},
        {QStringLiteral("Horizontal"), &summary.Horizontal},
        {QStringLiteral("Vertical"), &summary.Vertical}};
    if (other) columns.emplace_back(QStringLiteral("Other"), &summary.OtherOrientation);
    const QStringList rows = {QStringLiteral("Exact size"), QStringLiteral("Within the tolerance"),
                              QStringLiteral("Left to the emulator"), QStringLiteral("Total")};
    grdCounts->clear();
    grdCounts->setRowCount(static_cast<int>(rows.size()));
    grdCounts->setColumnCount(static_cast<int>(columns.size()));
    grdCounts->setVerticalHeaderLabels(rows);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const OutcomeCounts& n = *columns[static_cast<size_t>(c)].second;
        grdCounts->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[static_cast<size_t>(c)].first));
        const int values[] = {n.ExactSize, n.WithinTolerance, n.LeftToEmulator, n.Games()};
        for (int r = 0; r < 4; ++r) grdCounts->setItem(r, c, Cell(QString::number(values[r]), true));
    }
    lblWholeScale->setText(QStringLiteral("Games with a mode that scales them by a whole number both ways: ") +
                           QString::number(summary.WholeScale));

    const QSignalBlocker quiet(lvwSuggestions);
    lvwSuggestions->clear();
    for (const ModeSuggestion& s : suggestions_) {
        QStringList titles;
        for (size_t k = 0; k < s.Games.size() && k < static_cast<size_t>(kTitlesShown); ++k) {
            const int g = s.Games[k];
            if (g >= 1 && g <= m_.Games.Count()) titles << ShownText(m_.Games[g].GameDescription);
        }
        if (s.Games.size() > static_cast<size_t>(kTitlesShown)) titles << QStringLiteral("...");
        const QString mode = QStringLiteral("%1 x %2 @ %3Hz%4")
                                 .arg(s.Width)
                                 .arg(s.Height)
                                 .arg(s.Refresh)
                                 .arg(s.Interlaced ? QStringLiteral(" interlaced") : QString());
        auto* item = new QTreeWidgetItem(lvwSuggestions, {mode, QString::fromStdString(LineRateText(s.LineRateKHz)),
                                                          QString::number(s.Gain), titles.join(QStringLiteral("; "))});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (suggestions_.empty())
        new QTreeWidgetItem(lvwSuggestions,
                            {RangesOf(kind).NativeOnly
                                 ? QStringLiteral("A fixed-panel LCD scales every mode to its own panel: no mode "
                                                  "added to the list would show a game better.")
                                 : QStringLiteral("No mode this monitor shows would give more games a mode."),
                             {},
                             {},
                             {}});
    if (lvwSuggestions->topLevelItemCount() > 0) lvwSuggestions->setCurrentItem(lvwSuggestions->topLevelItem(0));
    UpdateAddButton();
}

std::vector<ModeSuggestion> frmSummary::Chosen() const {
    std::vector<ModeSuggestion> chosen;
    for (int k = 0; k < static_cast<int>(suggestions_.size()) && k < lvwSuggestions->topLevelItemCount(); ++k)
        if (lvwSuggestions->topLevelItem(k)->checkState(0) == Qt::Checked)
            chosen.push_back(suggestions_[static_cast<size_t>(k)]);
    return chosen;
}

void frmSummary::UpdateAddButton() { cmdAddModes->setEnabled(!Chosen().empty()); }

} // namespace kelvaro
