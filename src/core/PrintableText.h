#pragma once
#include <string>
#include <string_view>

namespace kelvaro {

// The text as it may be shown on a terminal or in a window: every control character (C0, DEL
// and C1) and every byte that is not part of valid UTF-8 becomes U+FFFD, so that a name from a
// damaged list can neither move a terminal's cursor nor break a line of a table. Printable text
// comes back unchanged.
std::string PrintableText(std::string_view text);

} // namespace kelvaro
