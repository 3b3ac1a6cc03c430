#pragma once
#include <QDialog>

#include "core/Model.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace kelvaro {

// The scope dialog of INI generation: which games, and the three filters. It writes the
// generation settings directly; Cancel and the close box set GenerateApplyTo to -1.
class frmGenerateINIs : public QDialog {
    Q_OBJECT
public:
    frmGenerateINIs(Model& model, QWidget* parent = nullptr);

    // Fills the dialog from the settings and shows it modally until OK, Cancel or the close box.
    void Choose();

    // The steps of Choose, public so that tests drive the dialog without a modal loop.
    void Form_Activate();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void reject() override; // Escape and the close box count as Cancel

private:
    // Controls; each carries its name as objectName ("optApplyto_2").
    QGroupBox* fraApply = nullptr;
    QRadioButton* optApplyto[4] = {};
    QCheckBox* chkAvailableOnly = nullptr;
    QCheckBox* chkParentsOnly = nullptr;
    QCheckBox* chkNoINIOnly = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    Model& m_;
};

} // namespace kelvaro
