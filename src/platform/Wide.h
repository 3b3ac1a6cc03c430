#pragma once
// The program's UTF-8 texts as the wide (UTF-16) texts of Windows' own calls, and back. Only the
// files of src/platform include this header, and only on Windows: every other file hands UTF-8 to
// the platform's functions.
#ifdef _WIN32

#include <string>
#include <string_view>

namespace kelvaro {

// Bytes that are no UTF-8 become U+FFFD each.
std::wstring WideText(std::string_view text);
// A lone half of a surrogate pair becomes U+FFFD.
std::string Utf8Text(std::wstring_view text);

} // namespace kelvaro

#endif
