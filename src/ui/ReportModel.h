#pragma once
#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

namespace kelvaro {

// What the main window's three lists share: fixed column headers, and a row count taken when the
// list is reset, so that a view painting while the core rebuilds a table never reads past it.
class ReportModel : public QAbstractTableModel {
public:
    ReportModel(QStringList headers, int rows, QObject* parent)
        : QAbstractTableModel(parent), headers_(std::move(headers)), rows_(rows) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(headers_.size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= headers_.size())
            return {};
        return headers_[section];
    }

protected:
    // Shows rows rows from now on; change (when given) updates what they show meanwhile.
    void ResetRows(int rows, const std::function<void()>& change = {}) {
        beginResetModel();
        if (change) change();
        rows_ = rows;
        endResetModel();
    }

private:
    QStringList headers_;
    int rows_ = 0;
};

} // namespace kelvaro
