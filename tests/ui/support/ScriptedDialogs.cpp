#include "ScriptedDialogs.h"

bool ScriptedDialogs::Ask(QWidget*, const QString& text, Icon icon) {
    shown.push_back({"ask", text, icon, {}, {}});
    if (asks.empty()) {
        ++unexpected;
        return false;
    }
    bool a = asks.front();
    asks.pop_front();
    return a;
}

void ScriptedDialogs::Tell(QWidget*, const QString& text, Icon icon) { shown.push_back({"tell", text, icon, {}, {}}); }

std::optional<QString> ScriptedDialogs::InputBox(QWidget*, const QString& prompt, const QString& title,
                                                 const QString& preset) {
    shown.push_back({"input", prompt, Icon::Question, title, preset});
    if (inputs.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    auto a = inputs.front();
    inputs.pop_front();
    return a;
}

std::optional<QString> ScriptedDialogs::OpenFile(QWidget*, const QString& title, const QString& filter,
                                                 const QString&, const QString& fileName) {
    shown.push_back({"open", title, Icon::Question, filter, fileName});
    if (files.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    auto a = files.front();
    files.pop_front();
    return a;
}

QString ScriptedDialogs::BrowseForFolder(QWidget*, const QString& title) {
    shown.push_back({"folder", title, Icon::Question, {}, {}});
    if (folders.empty()) {
        ++unexpected;
        return {};
    }
    QString a = folders.front();
    folders.pop_front();
    return a;
}

QStringList ScriptedDialogs::Texts() const {
    QStringList t;
    for (const Shown& s : shown) t << s.text;
    return t;
}
