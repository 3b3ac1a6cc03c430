#pragma once
#include <QMenuBar>
#include <iterator>

#include "core/MonitorKind.h"
#include "core/Rotation.h"

class QAction;
class QMenu;

namespace kelvaro {

// The main window's menu bar: File, Edit, View, Video Mode Selection and Help. It builds the
// menus and tells what the user chose through its signals; it knows nothing of the model, and the
// window sets what it shows (the check marks, the items on offer) as the settings and the lists
// change. Each menu and item carries its name as objectName; an item of a group is
// "mnuRotation_1".
class MenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit MenuBar(QWidget* parent = nullptr);

    // The check marks.
    void ShowLegacyMame(bool on);
    void ShowOrientation(kelvaro::MonitorOrientation value);
    void ShowMonitorKind(kelvaro::MonitorKind value);
    void ShowRotation(kelvaro::PreferredRotation value);
    void ShowIgnoreInterlaced(bool on);
    void ShowMatchResItem(int index);
    void ShowMatchRefreshItem(int index);

    // The items on offer, set when their menu opens (and Auto-Select once the native modes are
    // built).
    void OfferRotation(bool on); // a horizontal monitor has no rotation to prefer
    void OfferGenerateINIs(bool on);
    void OfferEmulatorRuns(bool on); // View > Generate and Refresh Native Mode List
    void OfferRefreshAvailable(bool on);
    void OfferReadINIs(bool on);
    void OfferSummary(bool on);
    void OfferSelectionCommands(bool on); // the not-found settings and Auto-Select
    void OfferAutoSelect(bool on);
    void OfferReadme(bool on);

signals:
    // A menu is about to open.
    void FileOpening();
    void ViewOpening();
    void SelectionOpening();
    void HelpOpening();

    // File.
    void ChooseEmulator();
    void ChooseIniFolder();
    void ChooseRomFolder();
    void LegacyMameToggled(bool on);
    void ChooseModeList();
    void ImportModes();
    void GenerateINIs();
    void Exit();
    // Edit.
    void FindGame();
    void FindNext();
    // View.
    void GenerateNativeModes();
    void RefreshNativeModes();
    void RefreshAvailableModes();
    void ReadINIs();
    void Summary();
    // Video Mode Selection; the index is the item's within its group.
    void OrientationChosen(kelvaro::MonitorOrientation value);
    void MonitorKindChosen(kelvaro::MonitorKind value);
    void RotationChosen(kelvaro::PreferredRotation value);
    void IgnoreInterlacedToggled(bool on);
    void MatchResChosen(int index);
    void MatchRefreshChosen(int index);
    void NotFoundSettings();
    void AutoSelect();
    // Help.
    void Readme();
    void CheckSetup();
    void About();

private:
    QMenu* mnuFile = nullptr;
    QAction* mnuMAMEExe = nullptr;
    QAction* mnuMAMEINIPath = nullptr;
    QAction* mnuMAMEROMPath = nullptr;
    QAction* mnuLegacyMAME = nullptr;
    QAction* mnuAVGAFName = nullptr;
    QAction* mnuImportModes = nullptr;
    QAction* mnuGenerateINIs = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuFindNext = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuGenerate = nullptr;
    QAction* mnuRefreshNative = nullptr;
    QAction* mnuRefreshAVGA = nullptr;
    QAction* mnuReadINIs = nullptr;
    QAction* mnuSummary = nullptr;
    QMenu* mnuResSelection = nullptr;
    QMenu* mnuMonitor = nullptr;
    QAction* mnuOrientation[std::size(kMonitorOrientations)] = {};
    QMenu* mnuMonitorKind = nullptr;
    QAction* mnuKind[std::size(kMonitorKinds)] = {};
    QMenu* mnuPrefRotation = nullptr;
    QAction* mnuRotation[std::size(kPreferredRotations)] = {};
    QAction* mnuIgnoreInterlaced = nullptr;
    QMenu* mnuMatchResolution = nullptr;
    QAction* mnuMatchResWithin[6] = {};
    QMenu* mnuMatchRefresh = nullptr;
    QAction* mnuMatchRefreshWithin[6] = {};
    QAction* mnuActionNotFound = nullptr;
    QAction* mnuAutoSelect = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuReadme = nullptr;
    QAction* mnuCheckSetup = nullptr;
    QAction* mnuAbout = nullptr;
};

// A menu item named `name` at the end of `menu`.
QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, bool checkable = false);
// A menu named `name`, not yet added anywhere.
QMenu* NamedMenu(QWidget* parent, const char* name, const QString& caption);

} // namespace kelvaro
