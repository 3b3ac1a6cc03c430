#include "ui/NativeModeModel.h"

#include "gamelist/NativeModes.h"

namespace kelvaro {

NativeModeModel::NativeModeModel(const Model& model, QObject* parent)
    : QAbstractTableModel(parent), m_(model), rows_(model.NativeModes.Count()) {}

int NativeModeModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int NativeModeModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant NativeModeModel::data(const QModelIndex& index, int role) const {
    const int k = index.row() + 1;
    if (role != Qt::DisplayRole || !index.isValid() || k > m_.NativeModes.Count()) return {};
    if (index.column() == 0) return QString::number(k);
    return QString::fromStdString(NativeModeDisplay(m_.NativeModes[k]));
}

QVariant NativeModeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    switch (section) {
    case 0: return QStringLiteral("No.");
    case 1: return QStringLiteral("Mode");
    default: return {};
    }
}

void NativeModeModel::Reset() {
    beginResetModel();
    rows_ = m_.NativeModes.Count();
    endResetModel();
}

} // namespace kelvaro
