// View > Selection Summary: how the selection serves the games, and the modes worth adding to a
// new mode list.
#include "core/FileNames.h"
#include "modes/AutoSelect.h"
#include "modes/SelectionSummary.h"
#include "modes/Suggestions.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "ui/Dialogs.h"
#include "ui/frmMain.h"
#include "ui/frmSummary.h"

namespace kelvaro {

namespace {

// The suggestions worked out each time the window opens (about a second each on a full list).
constexpr int kSuggestionsShown = 10;

} // namespace

void frmMain::mnuSummary_Click() {
    if (m_.AvailModes.Empty() || m_.Games.Empty()) return;
    const SelectionSummary summary = SummarizeSelection(m_);
    const std::vector<ModeSuggestion> suggestions = SuggestModes(m_, kSuggestionsShown, Sink());
    if (!summary_) summary_ = new frmSummary(m_, this);
    summary_->Fill(summary, suggestions, m_.Config.MonitorKind);
    if (summary_->exec() != QDialog::Accepted) return;
    const std::vector<ModeSuggestion> chosen = summary_->Chosen();
    if (chosen.empty()) return;

    const std::optional<QString> file =
        dialogs_.SaveFile(this, "Save the New Mode List As", "Text Files (*.txt)", "txt",
                          QString::fromStdString(JoinPath(m_.Paths.DataFolder, "modes-with-additions.txt")));
    if (!file || file->isEmpty()) return;
    const std::string path = file->toStdString();
    // The list in use stays as it is: the new modes go to a copy of it.
    if (SameFile(path, m_.Config.ModeListFile)) {
        dialogs_.Tell(this,
                      "The new mode list must be another file than the mode list in use (" + *file +
                          "), which stays as it is.",
                      Dialogs::Icon::Warning);
        return;
    }
    if (FileExists(path, true) &&
        !dialogs_.Ask(this, *file + " already exists.  Do you want to replace it with the new mode list?",
                      Dialogs::Icon::Warning))
        return;
    const Outcome written = WriteModeListWithSuggestions(m_.Config.ModeListFile, path, chosen);
    if (!written) {
        dialogs_.Tell(this,
                      "The new mode list could not be saved (" + QString::fromStdString(written.Reason()) +
                          ").  The mode list in use is unchanged.",
                      Dialogs::Icon::Warning);
        return;
    }
    m_.Config.ModeListFile = path;
    ReadAvailableModes();
    // Said at once, with the one step that makes the new modes count.
    if (!dialogs_.Ask(this,
                      QString("%1 mode(s) were added to the new mode list %2, which is now the mode list in use.  Run "
                              "Auto-Select again with the new list?  It replaces the modes chosen so far (not the INI "
                              "files).")
                          .arg(chosen.size())
                          .arg(*file),
                      Dialogs::Icon::Question))
        return;
    AutoSelectVideoModes(m_, Sink());
    FillGamesList();
}

} // namespace kelvaro
