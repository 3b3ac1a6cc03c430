#include "ui/NativeModeModel.h"

#include "gamelist/NativeModes.h"

namespace kelvaro {

NativeModeModel::NativeModeModel(const Model& model, QObject* parent)
    : QAbstractTableModel(parent), m_(model), rows_(model.NativeModes.Count()) {}

int NativeModeModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int NativeModeModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant NativeModeModel::data(const QModelIndex& index, int role) const {
    const int k = index.row() + 1;
    if (!index.isValid() || k > m_.NativeModes.Count()) return {};
    const NativeModeRow& mode = m_.NativeModes[k];
    if (role == Qt::ToolTipRole && index.column() == 1 && mode.NativeWidth != "-") {
        // The narrow list shows the refresh rounded; modes that differ beyond two decimals look
        // alike there, so the tip gives the rate as the emulator reports it.
        return QString::fromStdString(mode.NativeWidth + " x " + mode.NativeHeight + " @ " + mode.NativeRefresh +
                                      "Hz " + mode.NativeOrientation);
    }
    if (role != Qt::DisplayRole) return {};
    if (index.column() == 0) return QString::number(k);
    return QString::fromStdString(NativeModeDisplay(mode));
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
