#pragma once
#include <QString>
#include <optional>

class QWidget;

namespace kelvaro {

// Every message box, input box and chooser the windows show goes through this interface, so that
// tests answer them from a script instead of blocking on a modal window. Message boxes carry the
// title "Kelvaro".
class Dialogs {
public:
    enum class Icon { Warning, Question, Information };
    virtual ~Dialogs() = default;

    // A question with Yes and No, No the default; true for Yes.
    virtual bool Ask(QWidget* parent, const QString& text, Icon icon) = 0;
    // A question with Yes, No and Cancel, Yes the default; Escape cancels.
    enum class Answer { Yes, No, Cancel };
    virtual Answer AskOrCancel(QWidget* parent, const QString& text, Icon icon) = 0;
    // A message with an OK button.
    virtual void Tell(QWidget* parent, const QString& text, Icon icon) = 0;
    // A text input box; nothing when it was cancelled.
    virtual std::optional<QString> InputBox(QWidget* parent, const QString& prompt, const QString& title,
                                            const QString& preset) = 0;
    // An Open file dialog; the chosen file, or nothing when cancelled.
    virtual std::optional<QString> OpenFile(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& defaultSuffix, const QString& fileName) = 0;
    // A Save file dialog; the chosen file, or nothing when cancelled. It asks nothing about a file
    // that is there already: the caller does.
    virtual std::optional<QString> SaveFile(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& defaultSuffix, const QString& fileName) = 0;
    // A folder chooser, opening at startFolder when one is given; the chosen folder, or an empty
    // text when cancelled.
    virtual QString BrowseForFolder(QWidget* parent, const QString& title, const QString& startFolder = {}) = 0;
};

// The real thing: Qt's message boxes, input dialog and file dialogs.
class QtDialogs : public Dialogs {
public:
    bool Ask(QWidget* parent, const QString& text, Icon icon) override;
    Answer AskOrCancel(QWidget* parent, const QString& text, Icon icon) override;
    void Tell(QWidget* parent, const QString& text, Icon icon) override;
    std::optional<QString> InputBox(QWidget* parent, const QString& prompt, const QString& title,
                                    const QString& preset) override;
    std::optional<QString> OpenFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& defaultSuffix, const QString& fileName) override;
    std::optional<QString> SaveFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& defaultSuffix, const QString& fileName) override;
    QString BrowseForFolder(QWidget* parent, const QString& title, const QString& startFolder) override;
};

} // namespace kelvaro
