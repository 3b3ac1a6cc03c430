#include "ui/MenuBar.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "core/Scopes.h"

namespace kelvaro {

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, bool checkable) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setCheckable(checkable);
    return action;
}

QMenu* NamedMenu(QWidget* parent, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    return menu;
}

namespace {

// An indexed group of check items of which exactly one is checked; choosing one emits `chosen`
// with its index.
template <size_t N>
void Group(MenuBar* bar, QMenu* menu, QAction* (&items)[N], const char* name,
           std::initializer_list<const char*> captions, void (MenuBar::*chosen)(int)) {
    auto* group = new QActionGroup(menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    int i = 0;
    for (const char* caption : captions) {
        items[i] = MenuItem(menu, QStringLiteral("%1_%2").arg(name).arg(i).toLatin1().constData(), caption, true);
        group->addAction(items[i]);
        QObject::connect(items[i], &QAction::triggered, bar, [bar, chosen, i] { emit(bar->*chosen)(i); });
        ++i;
    }
}

// The same for a setting's values, captioned by its name table; choosing one emits its value.
template <class Choice, size_t N>
void Group(MenuBar* bar, QMenu* menu, QAction* (&items)[N], const char* name, const NamedChoice<Choice> (&choices)[N],
           void (MenuBar::*chosen)(Choice)) {
    auto* group = new QActionGroup(menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (size_t i = 0; i < N; ++i) {
        items[i] = MenuItem(menu, QStringLiteral("%1_%2").arg(name).arg(i).toLatin1().constData(),
                            QString::fromLatin1(choices[i].Caption), true);
        group->addAction(items[i]);
        QObject::connect(items[i], &QAction::triggered, bar,
                         [bar, chosen, value = choices[i].Value] { emit(bar->*chosen)(value); });
    }
}

} // namespace

MenuBar::MenuBar(QWidget* parent) : QMenuBar(parent) {
    setObjectName("mnuMain");
    // Each item emits its signal, checkable ones with their new check mark.
    const auto item = [this](QMenu* menu, const char* name, const QString& caption, void (MenuBar::*signal)()) {
        QAction* action = MenuItem(menu, name, caption);
        connect(action, &QAction::triggered, this, signal);
        return action;
    };
    const auto check = [this](QMenu* menu, const char* name, const QString& caption, void (MenuBar::*signal)(bool)) {
        QAction* action = MenuItem(menu, name, caption, true);
        connect(action, &QAction::triggered, this, signal);
        return action;
    };

    mnuFile = NamedMenu(this, "mnuFile", "&File");
    mnuMAMEExe = item(mnuFile, "mnuMAMEExe", "M.A.M.E. &Executable Location", &MenuBar::ChooseEmulator);
    mnuMAMEINIPath = item(mnuFile, "mnuMAMEINIPath", "M.A.M.E. &INI Path", &MenuBar::ChooseIniFolder);
    mnuMAMEROMPath = item(mnuFile, "mnuMAMEROMPath", "M.A.M.E. &ROM Path (optional)", &MenuBar::ChooseRomFolder);
    mnuLegacyMAME =
        check(mnuFile, "mnuLegacyMAME", "&Legacy M.A.M.E. (v0.83 && previous)", &MenuBar::LegacyMameToggled);
    mnuFile->addSeparator();
    mnuAVGAFName = item(mnuFile, "mnuAVGAFName", "&Available Mode List (.txt) File Location", &MenuBar::ChooseModeList);
    mnuImportModes = item(mnuFile, "mnuImportModes", "Import &Mode List...", &MenuBar::ImportModes);
    mnuFile->addSeparator();
    mnuGenerateINIs = item(mnuFile, "mnuGenerateINIs", "&Generate INI File(s)", &MenuBar::GenerateINIs);
    mnuFile->addSeparator();
    mnuExit = item(mnuFile, "mnuExit", "E&xit", &MenuBar::Exit);
    addMenu(mnuFile);

    mnuEdit = NamedMenu(this, "mnuEdit", "&Edit");
    mnuFind = item(mnuEdit, "mnuFind", "&Find Game", &MenuBar::FindGame);
    mnuFind->setShortcut(Qt::CTRL | Qt::Key_F);
    mnuFindNext = item(mnuEdit, "mnuFindNext", "Find &Next", &MenuBar::FindNext);
    mnuFindNext->setShortcut(Qt::Key_F3);
    addMenu(mnuEdit);

    mnuView = NamedMenu(this, "mnuView", "&View");
    mnuGenerate = item(mnuView, "mnuGenerate", "&Generate Native Mode List", &MenuBar::GenerateNativeModes);
    mnuRefreshNative = item(mnuView, "mnuRefreshNative", "Refresh &Native Mode List", &MenuBar::RefreshNativeModes);
    mnuView->addSeparator();
    mnuRefreshAVGA = item(mnuView, "mnuRefreshAVGA", "Refresh &Available Mode List", &MenuBar::RefreshAvailableModes);
    mnuView->addSeparator();
    mnuReadINIs = item(mnuView, "mnuReadINIs", "Read Existing &INI Files", &MenuBar::ReadINIs);
    mnuView->addSeparator();
    mnuSummary = item(mnuView, "mnuSummary", "Selection &Summary", &MenuBar::Summary);
    addMenu(mnuView);

    mnuResSelection = NamedMenu(this, "mnuResSelection", "Video Mode &Selection");
    mnuMonitor = NamedMenu(mnuResSelection, "mnuMonitor", "Monitor &Orientation");
    Group(this, mnuMonitor, mnuOrientation, "mnuOrientation", kMonitorOrientations, &MenuBar::OrientationChosen);
    mnuResSelection->addMenu(mnuMonitor);
    mnuMonitorKind = NamedMenu(mnuResSelection, "mnuMonitorKind", "Monitor &Kind (for Modes Worth Adding)");
    Group(this, mnuMonitorKind, mnuKind, "mnuKind", kMonitorKinds, &MenuBar::MonitorKindChosen);
    mnuResSelection->addMenu(mnuMonitorKind);
    mnuPrefRotation = NamedMenu(mnuResSelection, "mnuPrefRotation", "&Preferred Rotation (for Vertical Monitors)");
    Group(this, mnuPrefRotation, mnuRotation, "mnuRotation", kPreferredRotations, &MenuBar::RotationChosen);
    mnuResSelection->addMenu(mnuPrefRotation);
    mnuResSelection->addSeparator();
    mnuIgnoreInterlaced =
        check(mnuResSelection, "mnuIgnoreInterlaced", "&Ignore Interlaced Modes", &MenuBar::IgnoreInterlacedToggled);
    mnuMatchResolution = NamedMenu(mnuResSelection, "mnuMatchResolution", "&Match Resolution Within...");
    Group(this, mnuMatchResolution, mnuMatchResWithin, "mnuMatchResWithin",
          {"&0 Pixels", "&8 Pixels", "1&6 Pixels", "&24 Pixels", "&48 Pixels", "&Other"}, &MenuBar::MatchResChosen);
    mnuResSelection->addMenu(mnuMatchResolution);
    mnuMatchRefresh = NamedMenu(mnuResSelection, "mnuMatchRefresh", "Match &Refresh Rate Within...");
    Group(this, mnuMatchRefresh, mnuMatchRefreshWithin, "mnuMatchRefreshWithin",
          {"&0Hz", "&1Hz", "1&.25Hz", "1.&5Hz", "&2Hz", "&Other"}, &MenuBar::MatchRefreshChosen);
    mnuResSelection->addMenu(mnuMatchRefresh);
    mnuResSelection->addSeparator();
    mnuActionNotFound =
        item(mnuResSelection, "mnuActionNotFound", "&Settings when Ideal Mode Not Found", &MenuBar::NotFoundSettings);
    mnuResSelection->addSeparator();
    mnuAutoSelect = item(mnuResSelection, "mnuAutoSelect", "&Auto-Select Video Modes", &MenuBar::AutoSelect);
    addMenu(mnuResSelection);

    mnuHelp = NamedMenu(this, "mnuHelp", "&Help");
    mnuReadme = item(mnuHelp, "mnuReadme", "Readme", &MenuBar::Readme);
    mnuCheckSetup = item(mnuHelp, "mnuCheckSetup", "Check M.A.M.E. &Setup...", &MenuBar::CheckSetup);
    mnuHelp->addSeparator();
    mnuAbout = item(mnuHelp, "mnuAbout", "&About", &MenuBar::About);
    addMenu(mnuHelp);

    connect(mnuFile, &QMenu::aboutToShow, this, &MenuBar::FileOpening);
    connect(mnuView, &QMenu::aboutToShow, this, &MenuBar::ViewOpening);
    connect(mnuResSelection, &QMenu::aboutToShow, this, &MenuBar::SelectionOpening);
    connect(mnuHelp, &QMenu::aboutToShow, this, &MenuBar::HelpOpening);
}

void MenuBar::ShowLegacyMame(bool on) { mnuLegacyMAME->setChecked(on); }

void MenuBar::ShowOrientation(MonitorOrientation value) { mnuOrientation[NumberOf(value)]->setChecked(true); }
void MenuBar::ShowMonitorKind(MonitorKind value) { mnuKind[NumberOf(value)]->setChecked(true); }
void MenuBar::OfferRotation(bool on) { mnuPrefRotation->setEnabled(on); }

void MenuBar::ShowRotation(PreferredRotation value) { mnuRotation[NumberOf(value)]->setChecked(true); }
void MenuBar::ShowIgnoreInterlaced(bool on) { mnuIgnoreInterlaced->setChecked(on); }
void MenuBar::ShowMatchResItem(int index) { mnuMatchResWithin[index]->setChecked(true); }
void MenuBar::ShowMatchRefreshItem(int index) { mnuMatchRefreshWithin[index]->setChecked(true); }

void MenuBar::OfferGenerateINIs(bool on) { mnuGenerateINIs->setEnabled(on); }

void MenuBar::OfferEmulatorRuns(bool on) {
    mnuGenerate->setEnabled(on);
    mnuRefreshNative->setEnabled(on);
}

void MenuBar::OfferRefreshAvailable(bool on) { mnuRefreshAVGA->setEnabled(on); }
void MenuBar::OfferReadINIs(bool on) { mnuReadINIs->setEnabled(on); }
void MenuBar::OfferSummary(bool on) { mnuSummary->setEnabled(on); }

void MenuBar::OfferSelectionCommands(bool on) {
    mnuActionNotFound->setEnabled(on);
    mnuAutoSelect->setEnabled(on);
}

void MenuBar::OfferAutoSelect(bool on) { mnuAutoSelect->setEnabled(on); }
void MenuBar::OfferReadme(bool on) { mnuReadme->setEnabled(on); }

} // namespace kelvaro
