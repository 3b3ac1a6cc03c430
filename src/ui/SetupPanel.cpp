#include "ui/SetupPanel.h"

#include "ui/QtText.h"

namespace kelvaro {

SetupPanel::SetupPanel(QWidget* parent) : QLabel(parent) {
    setObjectName("stbPanel3");
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void SetupPanel::Clear() {
    setupHint_.clear();
    lastOutcome_.clear();
}

void SetupPanel::Show(const Settings& s) {
    // The problem goes first: it says whether the outcome matters to the emulator at all.
    const std::string text = setupHint_.empty()     ? lastOutcome_
                             : lastOutcome_.empty() ? setupHint_
                                                    : setupHint_ + "; " + lastOutcome_;
    setText(QtText(text));
    QString tip = text.empty() ? QString() : QtText(text) + "\n";
    tip += "M.A.M.E.: " + (s.MameExePath.empty() ? QString("no executable chosen") : QtText(s.MameExePath)) + "\n";
    tip += "INI folder: " + (s.MameINIPath.empty() ? QString("no INI folder chosen") : QtText(s.MameINIPath)) + "\n";
    tip += "ROM folder: " + (s.MameROMPath.empty() ? QString("no ROM folder chosen") : QtText(s.MameROMPath));
    setToolTip(tip);
}

} // namespace kelvaro
