#pragma once
#include <QLabel>
#include <string>

#include "core/Settings.h"

namespace kelvaro {

// The third panel of the main window's status bar: the emulator setup check's problem in a few
// words, then the outcome of the last generation or Auto-Select; its tooltip names the emulator
// and the folders the text is about. Named "stbPanel3".
class SetupPanel : public QLabel {
    Q_OBJECT
public:
    explicit SetupPanel(QWidget* parent = nullptr);

    // Forgets the check's problem and the last outcome.
    void Clear();
    // The last check's problem in a few words; empty when it found none.
    void SetSetupHint(std::string hint) { setupHint_ = std::move(hint); }
    // The last generation's or Auto-Select's outcome in a few words.
    void SetOutcome(std::string outcome) { lastOutcome_ = std::move(outcome); }
    // Shows the text with the paths of the settings in the tooltip.
    void Show(const Settings& s);

private:
    std::string setupHint_;
    std::string lastOutcome_;
};

} // namespace kelvaro
