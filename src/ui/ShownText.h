#pragma once
#include <QString>
#include <string>

#include "core/Text.h"

namespace kelvaro {

// A text from a list the user gave (a game's name, a mode) as the window shows it: control
// characters and bytes that are no UTF-8 show as U+FFFD, as on the batch tool's terminal.
inline QString ShownText(const std::string& text) { return QString::fromStdString(PrintableText(text)); }

} // namespace kelvaro
