#include "ui/ReportView.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace kelvaro {

namespace {

// A report list whose selection moves it up and down only: a click on a cell wider than the
// list would otherwise scroll its first columns out of sight.
class ReportTableView : public QTableView {
public:
    using QTableView::QTableView;
    // A report list always keeps one row selected once it has one: the commands act on the
    // selected game, so Ctrl+click and Ctrl+Space on the selected row leave it selected.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override {
        const QItemSelectionModel::SelectionFlags flags = QTableView::selectionCommand(index, event);
        if (flags.testFlag(QItemSelectionModel::Deselect) || flags.testFlag(QItemSelectionModel::Toggle))
            return QItemSelectionModel::NoUpdate;
        return flags;
    }
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
        const int across = horizontalScrollBar()->value();
        QTableView::scrollTo(index, hint);
        horizontalScrollBar()->setValue(across);
    }
};

} // namespace

QTableView* ReportView(QWidget* parent, const char* name) {
    auto* view = new ReportTableView(parent);
    view->setObjectName(name);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setAlternatingRowColors(false);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    // Fixed row heights let the view lay out forty thousand rows without measuring one.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return view;
}

void SetColumnWidths(QTableView* view, std::initializer_list<const char*> samples) {
    const QFontMetrics header(view->horizontalHeader()->font()), cells(view->font());
    const QAbstractItemModel* model = view->model();
    const int mark = view->isSortingEnabled() ? view->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, view) +
                                                    view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view)
                                              : 0;
    int c = 0;
    for (const char* sample : samples) {
        int width = header.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) + mark;
        for (const QString& text : QString(sample).split('\n')) width = std::max(width, cells.horizontalAdvance(text));
        view->setColumnWidth(c++, width + 14);
    }
}

int ReportWidth(const QTableView* view) {
    int width = 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    for (int c = 0; c < view->model()->columnCount(); ++c) width += view->columnWidth(c);
    return width;
}

} // namespace kelvaro
