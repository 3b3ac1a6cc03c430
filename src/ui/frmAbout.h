#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class QShowEvent;

namespace kelvaro {

// The About box: the program's name and version. A fresh box is made for every showing.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // "Kelvaro v" + major + "." + minor and revision written together: 2.0.0 gives "Kelvaro v2.00".
    static QString VersionLine(int major, int minor, int revision);

    void Form_Activate();
    void cmdOK_Click();

protected:
    void showEvent(QShowEvent* event) override; // every showing runs Form_Activate

private:
    QLabel* lblDetails1 = nullptr;
    QLabel* lblDetails2 = nullptr;
    QLabel* lblDetails3 = nullptr;
    QLabel* lblDetails5 = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace kelvaro
