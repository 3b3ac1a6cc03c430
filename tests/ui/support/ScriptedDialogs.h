#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "ui/Dialogs.h"

// Answers the windows' message boxes, input boxes and choosers from a script and records every
// one shown, so tests never block on a modal window. Questions take their answers from `asks`,
// input boxes, file dialogs and folder choosers from `answers` (nothing: cancelled). When the
// script has run out the answer is No / cancelled, and the box is still recorded.
class ScriptedDialogs : public kelvaro::Dialogs {
public:
    struct Shown {
        QString kind; // "ask", "choose", "tell", "input", "open", "save", "folder"
        QString text; // message, prompt or title
        Icon icon;
        QString title;  // the input box's title, or the file dialog's filter
        QString preset; // the input box's preset text, the file dialog's file name, or the chooser's start folder
        QStringList Parts() const { return {text, title, preset}; }
    };
    std::deque<bool> asks;
    std::deque<Answer> choices; // the answers to questions with Cancel; Cancel once they have run out
    std::deque<std::optional<QString>> answers;
    std::vector<Shown> shown;

    bool Ask(QWidget*, const QString& text, Icon icon) override {
        shown.push_back({"ask", text, icon, {}, {}});
        return Next(asks).value_or(false);
    }
    Answer AskOrCancel(QWidget*, const QString& text, Icon icon) override {
        shown.push_back({"choose", text, icon, {}, {}});
        return Next(choices).value_or(Answer::Cancel);
    }
    void Tell(QWidget*, const QString& text, Icon icon) override { shown.push_back({"tell", text, icon, {}, {}}); }
    std::optional<QString> InputBox(QWidget*, const QString& prompt, const QString& title,
                                    const QString& preset) override {
        return Answer({"input", prompt, Icon::Question, title, preset});
    }
    std::optional<QString> OpenFile(QWidget*, const QString& title, const QString& filter, const QString&,
                                    const QString& fileName) override {
        return Answer({"open", title, Icon::Question, filter, fileName});
    }
    std::optional<QString> SaveFile(QWidget*, const QString& title, const QString& filter, const QString&,
                                    const QString& fileName) override {
        return Answer({"save", title, Icon::Question, filter, fileName});
    }
    QString BrowseForFolder(QWidget*, const QString& title, const QString& startFolder) override {
        return Answer({"folder", title, Icon::Question, {}, startFolder}).value_or(QString());
    }

    // The texts of everything shown, in order.
    QStringList Texts() const {
        QStringList t;
        for (const Shown& s : shown) t << s.text;
        return t;
    }

private:
    std::optional<QString> Answer(Shown box) {
        shown.push_back(std::move(box));
        // Not through Next: GCC 12 reports a false uninitialized use in an optional of an optional.
        if (answers.empty()) return std::nullopt;
        std::optional<QString> next = std::move(answers.front());
        answers.pop_front();
        return next;
    }
    template <class T>
    static std::optional<T> Next(std::deque<T>& script) {
        if (script.empty()) return std::nullopt;
        std::optional<T> next(std::move(script.front()));
        script.pop_front();
        return next;
    }
};
