#include "ui/ReportView.h"

#include <QHeaderView>
#include <QScrollBar>
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
    int c = 0;
    for (const char* sample : samples) {
        const int title = header.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString());
        view->setColumnWidth(c++, std::max(title, cells.horizontalAdvance(sample)) + 14);
    }
}

} // namespace kelvaro
