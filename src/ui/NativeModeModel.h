#pragma once
#include <QAbstractTableModel>

#include "core/Model.h"

namespace kelvaro {

// The native mode list ("No.", "Mode") over the model's native mode table. The row count is
// taken when the model is reset, so that a view painting while the table is rebuilt never reads
// past it.
class NativeModeModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit NativeModeModel(const Model& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Shows the table as it is now.
    void Reset();

private:
    const Model& m_;
    int rows_ = 0;
};

} // namespace kelvaro
