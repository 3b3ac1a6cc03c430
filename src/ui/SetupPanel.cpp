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
    setText(Q(text));
    QString tip = text.empty() ? QString() : Q(text) + "\n";
    tip += "M.A.M.E.: " + (s.MameExePath.empty() ? QString("no executable chosen") : Q(s.MameExePath)) + "\n";
    tip += "INI folder: " + (s.MameINIPath.empty() ? QString("no INI folder chosen") : Q(s.MameINIPath)) + "\n";
    tip += "ROM folder: " + (s.MameROMPath.empty() ? QString("no ROM folder chosen") : Q(s.MameROMPath));
    setToolTip(tip);
}

} // namespace kelvaro
