#pragma once
#include <QString>
#include <algorithm>
#include <string>

#include "core/Text.h"

namespace kelvaro {

// A text from a list the user gave (a game's name, a mode) as the window shows it: control
// characters and bytes that are no UTF-8 show as U+FFFD, as on the batch tool's terminal.
inline QString ShownText(const std::string& text) { return QString::fromStdString(PrintableText(text)); }

// Lines ("\n" between them) shown as lines, each as ShownText shows it.
inline QString ShownLines(const std::string& text) {
    QString shown;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (start > 0) shown += QLatin1Char('\n');
        shown += ShownText(text.substr(start, end - start));
        start = end + 1;
    }
    return shown;
}

} // namespace kelvaro
