#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

// Numbers as the program reads them from texts. The grammar: an optional sign, then digits with
// an optional "." and fraction digits, at least one digit in all ("60." and ".5" are numbers; no
// exponent, no thousands separator). Only the space character counts as a space.

// The whole-text reading: the number the whole text denotes, spaces before and after allowed;
// nothing when the text is not a number.
std::optional<double> WholeNumber(std::string_view text);

// The leading-number reading: leading spaces skipped, the longest prefix of the grammar; 0 when
// there is none.
double LeadingNumber(std::string_view text);

// Nearest integer, an exact half to the even one.
long long RoundHalfEven(double value);

// The decimal number the text denotes (whole-text reading), rounded to 2 decimal places on its
// digits (an exact half to the even digit) and written in its shortest form: "60.000000" -> "60",
// "60.606061" -> "60.61", "57.5" -> "57.5", "59.955" -> "59.96". Nothing when not a number.
std::optional<std::string> TwoDecimals(std::string_view text);

// Plain decimal form of a value, shortest text that reads back to the same value
// (16 -> "16", 1.25f -> "1.25", 0.1f -> "0.1").
std::string FormatNumber(double value);
std::string FormatNumber(float value);

} // namespace kelvaro
