#include "ui/NativeModeModel.h"

#include "gamelist/NativeModes.h"
#include "ui/ShownText.h"

namespace kelvaro {

NativeModeModel::NativeModeModel(const Model& model, QObject* parent)
    : ReportModel({"No.", "Mode"}, model.NativeModes.Count(), parent), m_(model) {}

QVariant NativeModeModel::data(const QModelIndex& index, int role) const {
    const int k = index.row() + 1;
    if (!index.isValid() || k > m_.NativeModes.Count()) return {};
    const NativeModeRow& mode = m_.NativeModes[k];
    if (role == Qt::ToolTipRole && index.column() == 1 && mode.NativeWidth != "-") {
        // The narrow list shows the refresh rounded; modes that differ beyond two decimals look
        // alike there, so the tip gives the rate as the emulator reports it.
        return ShownText(mode.NativeWidth + " x " + mode.NativeHeight + " @ " + mode.NativeRefresh + "Hz " +
                         mode.NativeOrientation);
    }
    if (role != Qt::DisplayRole) return {};
    if (index.column() == 0) return QString::number(k);
    return ShownText(NativeModeDisplay(mode));
}

} // namespace kelvaro
