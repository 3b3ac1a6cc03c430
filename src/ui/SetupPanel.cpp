#include "ui/SetupPanel.h"

#include "ui/QtText.h"

namespace kelvaro {

SetupPanel::SetupPanel(QWidget* parent) : QLabel(parent) {
    setObjectName("stbPanel3");
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void SetupPanel::Clear() {
    setupHint_.clear();
    lastGeneration_.clear();
}

void SetupPanel::Show(const Settings& s) {
    const std::string& text = setupHint_.empty() ? lastGeneration_ : setupHint_;
    setText(QtText(text));
    QString tip = text.empty() ? QString() : QtText(text) + "\n";
    tip += "M.A.M.E.: " + (s.MameExePath.empty() ? QString("no executable chosen") : QtText(s.MameExePath)) + "\n";
    tip += "INI folder: " + (s.MameINIPath.empty() ? QString("no INI folder chosen") : QtText(s.MameINIPath)) + "\n";
    tip += "ROM folder: " + (s.MameROMPath.empty() ? QString("no ROM folder chosen") : QtText(s.MameROMPath));
    setToolTip(tip);
}

} // namespace kelvaro
