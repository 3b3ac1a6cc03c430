#include "ui/AvailModeModel.h"

#include "modes/AvailableModes.h"
#include "ui/ShownText.h"

namespace kelvaro {

AvailModeModel::AvailModeModel(const Model& model, QObject* parent)
    : ReportModel({"Res No.", "Mode", "Interlaced"}, model.AvailModes.Count(), parent), m_(model) {}

QVariant AvailModeModel::data(const QModelIndex& index, int role) const {
    const int k = index.row() + 1;
    if (role != Qt::DisplayRole || !index.isValid() || k > m_.AvailModes.Count()) return {};
    const AvailModeRow& mode = m_.AvailModes[k];
    switch (index.column()) {
    case 0: return QString::number(k);
    case 1: return ShownText(AvailModeDisplay(mode));
    case 2: return ShownText(mode.AvailInterlaced);
    default: return {};
    }
}

} // namespace kelvaro
