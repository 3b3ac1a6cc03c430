#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "ui/Dialogs.h"

// Answers the windows' message boxes, input boxes and choosers from a script, and records every
// one that was shown, so tests never block on a modal window. An unexpected question (nothing
// scripted) is answered No / cancelled and recorded, so the test can fail on it.
class ScriptedDialogs : public kelvaro::Dialogs {
public:
    struct Shown {
        QString kind;  // "ask", "tell", "input", "open", "folder"
        QString text;  // message, prompt or title
        Icon icon = Icon::Warning;
        QString title; // input box title
        QString preset;
    };

    // Scripted answers, taken in order, one queue per kind.
    std::deque<bool> asks;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QString>> files;
    std::deque<QString> folders;

    std::vector<Shown> shown;
    int unexpected = 0;

    bool Ask(QWidget* parent, const QString& text, Icon icon) override;
    void Tell(QWidget* parent, const QString& text, Icon icon) override;
    std::optional<QString> InputBox(QWidget* parent, const QString& prompt, const QString& title,
                                    const QString& preset) override;
    std::optional<QString> OpenFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& defaultSuffix, const QString& fileName) override;
    QString BrowseForFolder(QWidget* parent, const QString& title) override;

    // The texts of everything shown, in order.
    QStringList Texts() const;
    void Clear() { shown.clear(); unexpected = 0; }
};
