#include "ui/frmSettings.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/ChosenMode.h"
#include "core/IniText.h"
#include "ini/ApplySettings.h"
#include "modes/AvailableModes.h"
#include "modes/ModeReason.h"
#include "modes/SelectionText.h"
#include "ui/PictureView.h"
#include "ui/QtText.h"
#include "ui/ScreenFit.h"
#include "ui/ShownText.h"

namespace kelvaro {

frmSettings::frmSettings(Model& model, QWidget* parent) : QDialog(parent), m_(model) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));

    fraGameInfo = Named(new QGroupBox(QStringLiteral("Selected Game Information"), this), "fraGameInfo");
    lblGameDescription = Named(new QLabel(QStringLiteral("Description:"), fraGameInfo), "lblGameDescription");
    lblGameRomname = Named(new QLabel(QStringLiteral("Romname:"), fraGameInfo), "lblGameRomname");
    lblGameNativeVideoMode =
        Named(new QLabel(QStringLiteral("Native Video Mode:"), fraGameInfo), "lblGameNativeVideoMode");
    lblGameOrientation = Named(new QLabel(QStringLiteral("Orientation:"), fraGameInfo), "lblGameOrientation");
    auto* info = new QVBoxLayout(fraGameInfo);
    for (QLabel* l : {lblGameDescription, lblGameRomname, lblGameNativeVideoMode, lblGameOrientation}) {
        // Descriptions come from the emulator's list and must never be read as rich text; a long
        // one wraps rather than widening the dialog beyond a small screen.
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        info->addWidget(l);
    }

    fraSettings = Named(new QGroupBox(QStringLiteral("M.A.M.E. Video Settings"), this), "fraSettings");
    lblVideoMode = Named(new QLabel(QStringLiteral("Video Mode:"), fraSettings), "lblVideoMode");
    cmbVideoMode = Named(new QComboBox(fraSettings), "cmbVideoMode");
    cmbVideoMode->setEditable(false);
    cmbVideoMode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbVideoMode->setMaxVisibleItems(20);
    lblINIDetails = Named(new QLabel(QStringLiteral("INI File Details"), fraSettings), "lblINIDetails");
    txtINIFileDetails = Named(new QPlainTextEdit(fraSettings), "txtINIFileDetails");
    txtINIFileDetails->setLineWrapMode(QPlainTextEdit::NoWrap);
    // An INI line never holds a tab; Tab moves on, as in every other field of the dialog.
    txtINIFileDetails->setTabChangesFocus(true);
    txtINIFileDetails->setMinimumSize(240, 120); // wider where there is room
    picPicture = new PictureView(fraSettings);
    lblPicture = Named(new QLabel(fraSettings), "lblPicture");
    lblReason = Named(new QLabel(fraSettings), "lblReason");
    for (QLabel* l : {lblPicture, lblReason}) {
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    lblVideoMode->setBuddy(cmbVideoMode);
    lblINIDetails->setBuddy(txtINIFileDetails);
    auto* settings = new QGridLayout(fraSettings);
    settings->addWidget(lblVideoMode, 0, 0);
    settings->addWidget(cmbVideoMode, 1, 0, Qt::AlignTop);
    settings->addWidget(picPicture, 2, 0);
    settings->addWidget(lblINIDetails, 0, 1);
    settings->addWidget(txtINIFileDetails, 1, 1, 2, 1);
    settings->addWidget(lblPicture, 3, 0, 1, 2);
    settings->addWidget(lblReason, 4, 0, 1, 2);
    settings->setColumnStretch(0, 1);
    settings->setColumnStretch(1, 1);
    settings->setRowStretch(2, 1);

    fraApply = Named(new QGroupBox(QStringLiteral("Apply these Settings to:"), this), "fraApply");
    optThisGameOnly = Named(new QRadioButton(QStringLiteral("Selected Game Only"), fraApply), "optThisGameOnly");
    optVideoMode =
        Named(new QRadioButton(QStringLiteral("All Games with this Native Video Mode and Orientation"), fraApply),
              "optVideoMode");
    optOrientation =
        Named(new QRadioButton(QStringLiteral("All Games with this Orientation"), fraApply), "optOrientation");
    optAllGames = Named(new QRadioButton(QStringLiteral("All Games"), fraApply), "optAllGames");
    optThisGameOnly->setChecked(true);
    auto* apply = new QVBoxLayout(fraApply);
    for (QRadioButton* o : {optThisGameOnly, optVideoMode, optOrientation, optAllGames}) apply->addWidget(o);

    cmdOK = Named(new QPushButton(QStringLiteral("&OK"), this), "cmdOK");
    cmdCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");
    cmdOK->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(fraApply, 1);
    bottom->addLayout(buttons);

    // The game and its mode scroll on a small screen; the scope and the buttons stay in sight.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("picContent"));
    auto* contentForm = new QVBoxLayout(content);
    contentForm->setContentsMargins(0, 0, 0, 0);
    contentForm->addWidget(fraGameInfo);
    contentForm->addWidget(fraSettings, 1);
    auto* form = new QVBoxLayout(this);
    form->addWidget(ScrollingArea(content, this), 1);
    form->addLayout(bottom);
    FitOnEveryShowing(this);

    // Wired after the controls exist; the filling guard keeps Form_Activate's own selection
    // changes from rewriting the details box.
    connect(cmbVideoMode, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) cmbVideoMode_Click();
        ShowPicture();
    });
    // A rotation line typed into the box turns the picture at once.
    connect(txtINIFileDetails, &QPlainTextEdit::textChanged, this, [this] {
        if (!filling_) ShowPicture();
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmSettings::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSettings::cmdCancel_Click);
}

bool frmSettings::IsGame(int game) const { return game >= 1 && game <= m_.Games.Count(); }

void frmSettings::SetBoxText(const std::string& fileText) {
    QString text = QtText(fileText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtINIFileDetails->setPlainText(text);
}

std::string frmSettings::BoxText() const { return txtINIFileDetails->toPlainText().toStdString(); }

std::vector<int> frmSettings::Edit(SettingsDialogScope scope, int selectedGame, const std::vector<int>& shownGames) {
    // Without a selected game there is nothing to edit in scopes 0 and 1.
    if (scope != SettingsDialogScope::NotFound && !IsGame(selectedGame)) return {};
    Form_Activate(scope, selectedGame, shownGames);
    cmbVideoMode->setFocus();
    if (exec() != QDialog::Accepted) return {};
    return changed_;
}

void frmSettings::Form_Activate(SettingsDialogScope scope, int selectedGame, const std::vector<int>& shownGames) {
    scope_ = scope;
    selected_ = selectedGame;
    shown_ = shownGames;
    changed_.clear();
    const bool notFound = scope_ == SettingsDialogScope::NotFound;
    if (!notFound && !IsGame(selected_)) return;

    filling_ = true;

    cmbVideoMode->clear();
    cmbVideoMode->addItem(QStringLiteral("(Let MAME Decide)"));
    // An interlaced mode carries the " i" it has in the selection's reasons.
    for (int k = 1; k <= m_.AvailModes.Count(); ++k) {
        const AvailModeRow& mode = m_.AvailModes[k];
        cmbVideoMode->addItem(ShownText(AvailModeDisplay(mode) + (mode.AvailInterlaced == "Yes" ? " i" : "")));
    }

    std::string* stored = nullptr;
    std::string w, h, r;
    if (notFound) {
        setWindowTitle(QStringLiteral("Settings when Ideal Mode Not Found"));
        lblGameDescription->setText(QStringLiteral("Description: N/A"));
        lblGameRomname->setText(QStringLiteral("Romname: N/A"));
        lblGameNativeVideoMode->setText(QStringLiteral("Native Video Mode: N/A"));
        lblGameOrientation->setText(QStringLiteral("Orientation: N/A"));
        w = m_.Config.NotFoundWidth;
        h = m_.Config.NotFoundHeight;
        r = m_.Config.NotFoundRefresh;
        stored = &m_.Config.NotFoundINIText;
    } else {
        GameRow& game = m_.Games[selected_];
        setWindowTitle(QStringLiteral("Settings for '") + ShownText(game.GameDescription) + QStringLiteral("'"));
        lblGameDescription->setText(QStringLiteral("Description: ") + ShownText(game.GameDescription));
        QString romname = QStringLiteral("Romname: ") + ShownText(game.GameRomName);
        if (!game.GameCloneOf.empty())
            romname += QStringLiteral(" (clone of ") + ShownText(game.GameCloneOf) + QStringLiteral(")");
        lblGameRomname->setText(romname);
        if (game.GameNativeWidth == "-")
            lblGameNativeVideoMode->setText(QStringLiteral("Native Video Mode: Vector"));
        else
            lblGameNativeVideoMode->setText(QStringLiteral("Native Video Mode: ") +
                                            ShownText(game.GameNativeWidth + " x " + game.GameNativeHeight + " @ " +
                                                      game.GameNativeRefresh + "Hz"));
        lblGameOrientation->setText(game.GameOrientation == "H" ? QStringLiteral("Orientation: Horizontal")
                                                                : QStringLiteral("Orientation: Vertical"));
        w = game.GameModeWidth;
        h = game.GameModeHeight;
        r = game.GameModeRefresh;
        stored = &game.GameINIText;
    }

    // The rewritten resolution line is kept even when the user cancels: it makes the stored
    // text agree with the entry the dialog shows.
    std::string text = *stored;
    const int entry = PreselectEntry(m_, w, h, r, text);
    *stored = text;
    cmbVideoMode->setCurrentIndex(entry);
    SetBoxText(INITextToFileText(text));

    for (QRadioButton* o : {optThisGameOnly, optVideoMode, optOrientation, optAllGames}) o->setEnabled(!notFound);
    if (scope_ == SettingsDialogScope::OneGame)
        optThisGameOnly->setChecked(true);
    else if (scope_ == SettingsDialogScope::NativeMode)
        optVideoMode->setChecked(true);

    filling_ = false;
    const bool game = !notFound;
    picPicture->setVisible(game);
    lblPicture->setVisible(game);
    lblReason->setVisible(game);
    lblReason->setText(game ? ShownLines(GameModeReason(m_, selected_)) : QString());
    ShowPicture();
}

void frmSettings::ShowPicture() {
    if (scope_ == SettingsDialogScope::NotFound || !IsGame(selected_)) return;
    const GameRow& game = m_.Games[selected_];
    const int entry = cmbVideoMode->currentIndex();
    std::optional<PictureFigures> picture;
    std::string lines = BoxText();
    std::replace(lines.begin(), lines.end(), '\n', '|');
    // The box's lines are the game's own INI file; what they leave out is taken at the
    // emulator's defaults, and the figures say so.
    RenderOptions options = RenderOptionsFromIni(lines);
    // The emulator takes the desktop it starts on as the monitor's shape: the screen this window is on.
    if (const QScreen* s = screen(); s && s->geometry().height() > 0)
        options.DesktopAspect = static_cast<double>(s->geometry().width()) / s->geometry().height();
    if (entry >= 1 && entry <= m_.AvailModes.Count())
        picture = PictureOfGame(game, TurnsPicture(lines), m_.AvailModes[entry], options);
    QString placeholder;
    if (entry < 1)
        placeholder = QStringLiteral("The emulator decides the mode.");
    else if (game.GameNativeWidth == "-")
        placeholder = QStringLiteral("A vector game has no size in pixels.");
    else
        placeholder = QStringLiteral("This game or mode has no size in pixels to draw.");
    picPicture->SetPicture(picture, placeholder);
    std::string figures = picture ? PictureText(*picture) + PictureAssumptions(options) : std::string();
    while (!figures.empty() && figures.back() == '\n') figures.pop_back();
    lblPicture->setText(ShownLines(figures));
}

void frmSettings::cmbVideoMode_Click() {
    SetBoxText(INITextToFileText(SetResolutionLine(ResolutionLineOfMode(m_, cmbVideoMode->currentIndex()), BoxText())));
}

void frmSettings::cmdOK_Click() {
    changed_.clear();
    const int entry = std::max(0, cmbVideoMode->currentIndex());
    // The box's line breaks are "\n"; the detail text functions take them as separators.
    const std::string text = BoxText();
    if (scope_ == SettingsDialogScope::NotFound) {
        ApplyChoiceToNotFound(m_, entry, text);
    } else if (IsGame(selected_)) {
        int option = -1;
        if (optThisGameOnly->isChecked())
            option = 0;
        else if (optVideoMode->isChecked())
            option = 1;
        else if (optOrientation->isChecked())
            option = 2;
        else if (optAllGames->isChecked())
            option = 3;
        if (const std::optional<ApplyScope> scope = ApplyScopeFromNumber(option))
            changed_ = ApplyChoiceToScope(m_, *scope, selected_, shown_, entry, text);
    }
    accept();
}

void frmSettings::cmdCancel_Click() {
    changed_.clear();
    reject();
}

} // namespace kelvaro
