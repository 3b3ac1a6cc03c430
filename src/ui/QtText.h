#pragma once
#include <QString>
#include <string>

namespace kelvaro {

// A text of the core (UTF-8) as Qt holds it.
inline QString QtText(const std::string& text) { return QString::fromStdString(text); }

// A new widget with its objectName set, so that tests and style rules find it by name.
template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace kelvaro
