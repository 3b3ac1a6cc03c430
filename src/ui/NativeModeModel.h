#pragma once
#include "core/Model.h"
#include "ui/ReportModel.h"

namespace kelvaro {

// The native mode list ("No.", "Mode") over the model's native mode table.
class NativeModeModel : public ReportModel {
    Q_OBJECT
public:
    explicit NativeModeModel(const Model& model, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shows the table as it is now.
    void Reset() { ResetRows(m_.NativeModes.Count()); }

private:
    const Model& m_;
};

} // namespace kelvaro
