#include "ui/frmAbout.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ScreenFit.h"

namespace kelvaro {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Kelvaro"));

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        return l;
    };
    lblDetails1 = label("lblDetails1", QString());
    QFont big = lblDetails1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    lblDetails1->setFont(big);
    lblDetails2 = label("lblDetails2", QStringLiteral("Copyright (c) 2026 the Kelvaro developers"));
    lblDetails3 =
        label("lblDetails3", QStringLiteral("Kelvaro's home is its README; Help > Readme is the user's guide"));
    lblDetails5 =
        label("lblDetails5", QStringLiteral("Please see the card maker's web site for details of the ArcadeVGA."));

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* form = new QVBoxLayout(this);
    form->addWidget(lblDetails1);
    form->addWidget(lblDetails2);
    form->addSpacing(8);
    form->addWidget(lblDetails3);
    form->addSpacing(8);
    form->addWidget(lblDetails5);
    form->addSpacing(8);
    form->addWidget(cmdOK, 0, Qt::AlignHCenter);
    setMinimumWidth(440);
    FitOnEveryShowing(this);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

QString frmAbout::VersionLine(int major, int minor, int revision) {
    return QStringLiteral("Kelvaro v") + QString::number(major) + QStringLiteral(".") + QString::number(minor) +
           QString::number(revision);
}

void frmAbout::Form_Activate() {
    lblDetails1->setText(VersionLine(KELVARO_VERSION_MAJOR, KELVARO_VERSION_MINOR, KELVARO_VERSION_PATCH));
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::showEvent(QShowEvent* event) {
    Form_Activate();
    QDialog::showEvent(event);
}

} // namespace kelvaro
