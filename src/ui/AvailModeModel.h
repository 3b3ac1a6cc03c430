#pragma once
#include "core/Model.h"
#include "ui/ReportModel.h"

namespace kelvaro {

// The available mode list ("Res No.", "Mode", "Interlaced") over the model's available mode table.
class AvailModeModel : public ReportModel {
    Q_OBJECT
public:
    explicit AvailModeModel(const Model& model, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shows the table as it is now.
    void Reset() { ResetRows(m_.AvailModes.Count()); }

private:
    const Model& m_;
};

} // namespace kelvaro
