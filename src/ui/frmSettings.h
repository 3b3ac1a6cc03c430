#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "core/Model.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kelvaro {

class PictureView;

// The settings dialog: the chosen video mode and INI lines of one game (opened from the native
// mode list or the games list) or of the settings used when no ideal mode is found. Created once,
// filled anew on every showing.
class frmSettings : public QDialog {
    Q_OBJECT
public:
    frmSettings(Model& model, QWidget* parent = nullptr);

    // Fills the dialog for what scope edits (selectedGame and shownGames — the games list's games
    // in list order — matter unless it edits the not-found settings), shows it modally, and on OK
    // applies the choice. Returns the games whose rows changed (empty after Cancel or for the
    // not-found settings).
    std::vector<int> Edit(SettingsDialogScope scope, int selectedGame, const std::vector<int>& shownGames);

    // The steps of Edit, public so that tests drive the dialog without a modal loop.
    void Form_Activate(SettingsDialogScope scope, int selectedGame, const std::vector<int>& shownGames);
    void cmbVideoMode_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Games changed by the last OK.
    const std::vector<int>& ChangedGames() const { return changed_; }

private:
    // Controls; each carries its name as objectName.
    QGroupBox* fraGameInfo = nullptr;
    QLabel* lblGameDescription = nullptr;
    QLabel* lblGameRomname = nullptr;
    QLabel* lblGameNativeVideoMode = nullptr;
    QLabel* lblGameOrientation = nullptr;
    QGroupBox* fraSettings = nullptr;
    QLabel* lblVideoMode = nullptr;
    QComboBox* cmbVideoMode = nullptr;
    PictureView* picPicture = nullptr; // the game's picture in the mode of the list
    QLabel* lblPicture = nullptr;      // its figures
    QLabel* lblReason = nullptr;       // why the automatic selection chose as it did
    QLabel* lblINIDetails = nullptr;
    QPlainTextEdit* txtINIFileDetails = nullptr;
    QGroupBox* fraApply = nullptr;
    QRadioButton* optThisGameOnly = nullptr;
    QRadioButton* optVideoMode = nullptr;
    QRadioButton* optOrientation = nullptr;
    QRadioButton* optAllGames = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    bool IsGame(int game) const;
    void SetBoxText(const std::string& fileText);
    std::string BoxText() const;
    // Draws the game's picture in the mode of the list and writes its figures.
    void ShowPicture();

    Model& m_;
    SettingsDialogScope scope_ = SettingsDialogScope::NativeMode; // what the dialog was last filled for
    int selected_ = 0;
    std::vector<int> shown_;
    std::vector<int> changed_;
    bool filling_ = false;
};

} // namespace kelvaro
