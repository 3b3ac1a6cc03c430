#include "ui/AvailModeModel.h"

#include "modes/AvailableModes.h"

namespace kelvaro {

AvailModeModel::AvailModeModel(const Model& model, QObject* parent)
    : QAbstractTableModel(parent), m_(model), rows_(model.AvailModes.Count()) {}

int AvailModeModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int AvailModeModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant AvailModeModel::data(const QModelIndex& index, int role) const {
    const int k = index.row() + 1;
    if (role != Qt::DisplayRole || !index.isValid() || k > m_.AvailModes.Count()) return {};
    const AvailModeRow& mode = m_.AvailModes[k];
    switch (index.column()) {
    case 0: return QString::number(k);
    case 1: return QString::fromStdString(AvailModeDisplay(mode));
    case 2: return QString::fromStdString(mode.AvailInterlaced);
    default: return {};
    }
}

QVariant AvailModeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    switch (section) {
    case 0: return QStringLiteral("Res No.");
    case 1: return QStringLiteral("Mode");
    case 2: return QStringLiteral("Interlaced");
    default: return {};
    }
}

void AvailModeModel::Reset() {
    beginResetModel();
    rows_ = m_.AvailModes.Count();
    endResetModel();
}

} // namespace kelvaro
