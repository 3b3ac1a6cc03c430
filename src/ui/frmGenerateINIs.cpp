#include "ui/frmGenerateINIs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "ui/ScreenFit.h"

namespace kelvaro {

frmGenerateINIs::frmGenerateINIs(Model& model, QWidget* parent) : QDialog(parent), m_(model) {
    setObjectName(QStringLiteral("frmGenerateINIs"));
    setWindowTitle(QStringLiteral("Generate INI File(s)"));

    fraApply = new QGroupBox(QStringLiteral("Generate INI File(s) For:"), this);
    fraApply->setObjectName(QStringLiteral("fraApply"));
    const QString captions[4] = {
        QStringLiteral("Selected Game Only"),
        QStringLiteral("All Games with this Native Video Mode and Orientation"),
        QStringLiteral("All Games with this Orientation"),
        QStringLiteral("All Games"),
    };
    auto* apply = new QVBoxLayout(fraApply);
    for (int i = 0; i < 4; ++i) {
        optApplyto[i] = new QRadioButton(captions[i], fraApply);
        optApplyto[i]->setObjectName(QStringLiteral("optApplyto_%1").arg(i));
        apply->addWidget(optApplyto[i]);
    }
    optApplyto[3]->setChecked(true);

    chkAvailableOnly = new QCheckBox(QStringLiteral("Available Games Only"), this);
    chkAvailableOnly->setObjectName(QStringLiteral("chkAvailableOnly"));
    chkParentsOnly = new QCheckBox(QStringLiteral("Parent Romsets Only"), this);
    chkParentsOnly->setObjectName(QStringLiteral("chkParentsOnly"));
    chkNoINIOnly = new QCheckBox(QStringLiteral("Games with no Existing INI File Only"), this);
    chkNoINIOnly->setObjectName(QStringLiteral("chkNoINIOnly"));

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* choices = new QVBoxLayout;
    choices->addWidget(fraApply);
    choices->addWidget(chkAvailableOnly);
    choices->addWidget(chkParentsOnly);
    choices->addWidget(chkNoINIOnly);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch(1);
    auto* form = new QHBoxLayout(this);
    form->addLayout(choices, 1);
    form->addLayout(buttons);
    form->setSizeConstraint(QLayout::SetFixedSize);
    FitOnEveryShowing(this);

    connect(cmdOK, &QPushButton::clicked, this, &frmGenerateINIs::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGenerateINIs::cmdCancel_Click);
}

void frmGenerateINIs::Choose() {
    Form_Activate();
    exec();
}

void frmGenerateINIs::Form_Activate() {
    const int applyTo = NumberOf(m_.Config.GenerateApplyTo);
    // A cancelled choice (-1), or a number no option stands for, offers "All Games".
    optApplyto[applyTo >= 0 && applyTo <= 3 ? applyTo : 3]->setChecked(true);
    chkAvailableOnly->setChecked(m_.Config.GenerateAvailableOnly);
    chkParentsOnly->setChecked(m_.Config.GenerateParentsOnly);
    chkNoINIOnly->setChecked(m_.Config.GenerateNoINIOnly);
    // Without a ROM folder there is nothing to tell available games by; the stored choice stays.
    chkAvailableOnly->setEnabled(FileExists(m_.Config.MameROMPath, true));
}

void frmGenerateINIs::cmdOK_Click() {
    int applyTo = -1;
    for (int i = 0; i < 4 && applyTo < 0; ++i)
        if (optApplyto[i]->isChecked()) applyTo = i;
    m_.Config.GenerateApplyTo = GenerateScopeFromNumber(applyTo).value_or(GenerateScope::Cancelled);
    m_.Config.GenerateAvailableOnly = chkAvailableOnly->checkState() != Qt::Unchecked;
    m_.Config.GenerateParentsOnly = chkParentsOnly->checkState() != Qt::Unchecked;
    m_.Config.GenerateNoINIOnly = chkNoINIOnly->checkState() != Qt::Unchecked;
    accept();
}

void frmGenerateINIs::cmdCancel_Click() { reject(); }

void frmGenerateINIs::reject() {
    m_.Config.GenerateApplyTo = GenerateScope::Cancelled;
    QDialog::reject();
}

} // namespace kelvaro
