#pragma once
#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "core/Model.h"

class QWidget;

namespace kelvaro {

class Dialogs;

// Edit > Find Game and Find Next: asks for the text, finds the games whose description or rom
// name holds it in list order, and has the window show each in its native mode. It remembers
// what was looked for and the game found last.
class FindController : public QObject {
    Q_OBJECT
public:
    // What the window does for it.
    struct Window {
        QWidget* Parent = nullptr;               // of the questions and messages
        std::function<int()> SelectedNativeMode; // 1-based; 0 when none is selected
        std::function<void(int)> ShowNativeMode; // selects native mode k and lists its games
        std::function<const std::vector<int>&()> ShownGames;
        std::function<bool(int)> ShowGame; // selects a listed game; false when not listed
    };

    FindController(const Model& model, Dialogs& dialogs, Window window, QObject* parent = nullptr);

    // The games were numbered afresh: Find Next starts from the first again.
    void ForgetFound() { foundGame_ = 0; }

    // Asks for the text and shows the first game that matches it.
    void mnuFind_Click();
    // The next game that matches what Find looked for, after the one found last; before any
    // Find, it is Find.
    void mnuFindNext_Click();

private:
    // Shows game g selected in its native mode k.
    void ShowFoundGame(int k, int g);

    const Model& m_;
    Dialogs& dialogs_;
    Window window_;
    std::string findText_; // what Find looked for last, trimmed and upper-cased
    int foundGame_ = 0;    // the game Find or Find Next showed last
};

} // namespace kelvaro
