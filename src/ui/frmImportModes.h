#pragma once
#include <QDialog>
#include <optional>
#include <string>

#include "modes/ModeListImport.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace kelvaro {

class Dialogs;

// File > Import Mode List: the user picks a file (xrandr's output, modelines, mode names, a mode
// list) or the modes of this display, and sees the mode list that would be written and the notes
// on what was left out, before choosing to save it.
class frmImportModes : public QDialog {
    Q_OBJECT
public:
    frmImportModes(Dialogs& dialogs, QWidget* parent = nullptr);

    struct Chosen {
        ModeImport Import;
        std::string Origin; // the file's name, or "this display (:0)"
    };
    // Shows the dialog, empty, until Save As or Cancel; what to save, or nothing when cancelled.
    std::optional<Chosen> Choose();

    // Handlers, connected to the controls of the same name.
    void cmdFile_Click();
    void cmdDisplay_Click();
    void Reimport(); // the output name or the rate changed

private:
    void SetSource(std::string text, std::string origin);

    // Controls; each carries its name as objectName.
    QLabel* lblSource = nullptr;
    QPushButton* cmdFile = nullptr;
    QPushButton* cmdDisplay = nullptr;
    QLineEdit* txtOutput = nullptr;
    QSpinBox* spnRate = nullptr;
    QPlainTextEdit* txtModes = nullptr;
    QPlainTextEdit* txtNotes = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;

    Dialogs& dialogs_;
    std::string text_, origin_;
    ModeImport import_;
};

} // namespace kelvaro
