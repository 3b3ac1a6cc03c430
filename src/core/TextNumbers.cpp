#include "core/TextNumbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

#include "core/Text.h"

namespace kelvaro {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parts of a number of the grammar found at the start of text.
struct NumberParts {
    bool negative = false;
    std::string_view intDigits;
    std::string_view fracDigits;
    std::size_t length = 0; // characters taken, 0 when there is no number
};

NumberParts ScanNumber(std::string_view text) {
    NumberParts p;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        p.negative = text[i] == '-';
        ++i;
    }
    std::size_t intStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    p.intDigits = text.substr(intStart, i - intStart);
    std::size_t end = i;
    if (i < text.size() && text[i] == '.') {
        std::size_t fracStart = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        p.fracDigits = text.substr(fracStart, i - fracStart);
        if (!p.intDigits.empty() || !p.fracDigits.empty()) end = i; // "60." takes the point, "." alone is nothing
    }
    if (p.intDigits.empty() && p.fracDigits.empty()) return NumberParts{};
    p.length = end;
    return p;
}

// The value of a scanned number; from_chars neither depends on the locale nor takes a '+'.
double ValueOf(const NumberParts& p) {
    std::string digits;
    digits.reserve(p.intDigits.size() + p.fracDigits.size() + 3);
    digits += p.intDigits.empty() ? std::string_view("0") : p.intDigits;
    if (!p.fracDigits.empty()) {
        digits += '.';
        digits += p.fracDigits;
    }
    double value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Only a number with hundreds of digits gets here: too large, or too small to tell from 0.
        bool large = p.intDigits.find_first_not_of('0') != std::string_view::npos;
        value = large ? HUGE_VAL : 0.0;
    }
    (void)ptr;
    return p.negative ? -value : value;
}

// Trims the spaces around a whole-text number and scans it; length 0 when the text is not one.
NumberParts ScanWhole(std::string_view text) {
    const std::string_view trimmed = TrimSpaces(text);
    NumberParts p = ScanNumber(trimmed);
    if (p.length != trimmed.size()) return NumberParts{};
    return p;
}

} // namespace

std::optional<double> WholeNumber(std::string_view text) {
    NumberParts p = ScanWhole(text);
    if (p.length == 0) return std::nullopt;
    return ValueOf(p);
}

double LeadingNumber(std::string_view text) {
    // Spaces after the number do not change its leading prefix.
    NumberParts p = ScanNumber(TrimSpaces(text));
    if (p.length == 0) return 0;
    return ValueOf(p);
}

long long RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2233720368547758e18) return LLONG_MAX;
    if (value <= -9.2233720368547758e18) return LLONG_MIN;
    double floor = std::floor(value);
    double diff = value - floor; // exact for doubles of this range
    long long result = static_cast<long long>(floor);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0))) ++result;
    return result;
}

std::optional<std::string> TwoDecimals(std::string_view text) {
    NumberParts p = ScanWhole(text);
    if (p.length == 0) return std::nullopt;

    // Work on the decimal digits themselves: a double cannot hold 59.955 or 59.945 exactly, and
    // the written value must follow the text, not its binary neighbour.
    std::string whole(p.intDigits);
    if (whole.empty()) whole = "0";
    std::string frac(p.fracDigits);
    std::string kept = frac.substr(0, std::min<std::size_t>(2, frac.size()));
    kept.resize(2, '0');
    std::string_view rest = frac.size() > 2 ? std::string_view(frac).substr(2) : std::string_view();

    bool up = false;
    if (!rest.empty()) {
        if (rest[0] > '5') {
            up = true;
        } else if (rest[0] == '5') {
            bool beyondHalf = rest.find_first_not_of('0', 1) != std::string_view::npos;
            up = beyondHalf || ((kept[1] - '0') % 2 != 0);
        }
    }

    std::string digits = whole + kept; // the value times 100
    if (up) {
        std::size_t i = digits.size();
        while (i > 0) {
            --i;
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
            if (i == 0) digits.insert(digits.begin(), '1');
        }
    }

    std::string intPart = digits.substr(0, digits.size() - 2);
    std::string fracPart = digits.substr(digits.size() - 2);
    std::size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    while (!fracPart.empty() && fracPart.back() == '0') fracPart.pop_back();

    std::string out;
    // A value that rounds to zero is written "0", never "-0".
    if (p.negative && !(intPart == "0" && fracPart.empty())) out += '-';
    out += intPart;
    if (!fracPart.empty()) {
        out += '.';
        out += fracPart;
    }
    return out;
}

namespace {

template <typename T>
std::string FormatShortest(T value) {
    if (value == 0) return "0"; // also for -0
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buf[400]; // the longest fixed form of a double is about 330 characters
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    return std::string(buf, ptr);
}

} // namespace

std::string FormatNumber(double value) { return FormatShortest(value); }

std::string FormatNumber(float value) { return FormatShortest(value); }

} // namespace kelvaro
