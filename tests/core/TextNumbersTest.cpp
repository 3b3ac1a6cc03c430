#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "core/TextNumbers.h"

using namespace kelvaro;

TEST(Readings, WholeTextAndLeadingNumber) {
    // text, whole-text reading (none: not a number, which must differ from 0), leading reading
    struct Row {
        const char* text;
        std::optional<double> whole;
        double leading;
    };
    const Row rows[] = {
        {"60", 60, 60},
        {"  60  ", 60, 60},
        {"60.", 60, 60},
        {".5", 0.5, 0.5},
        {"-.5", -0.5, -0.5},
        {"+3", 3, 3},
        {"-0", 0, 0},
        {"0240", 240, 240},
        {" -12.25", -12.25, -12.25},
        {"-3.5 ", -3.5, -3.5},
        {"", {}, 0},
        {"   ", {}, 0},
        {".", {}, 0},
        {"-", {}, 0},
        {"+", {}, 0},
        {"-.x", {}, 0},
        {"+ 5", {}, 0},
        {"--5", {}, 0},
        {"+-1", {}, 0},
        {"abc", {}, 0},
        {"x12", {}, 0},
        {"inf", {}, 0},
        {"\t5", {}, 0},
        {"\xa0"
         "5",
         {},
         0}, // only the space character is a space
        {"5\t", {}, 5},
        {"5\n", {}, 5},
        {"5 5", {}, 5},
        {"12abc", {}, 12},
        {"+7-", {}, 7},
        {"1e5", {}, 1},
        {"1,000", {}, 1},
        {"1,5", {}, 1},
        {"1.2.3", {}, 1.2},
        {"60.x", {}, 60},
        {"0x10", {}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string("\"") + r.text + "\"");
        EXPECT_EQ(WholeNumber(r.text), r.whole);
        EXPECT_DOUBLE_EQ(LeadingNumber(r.text), r.leading);
    }
    // Digits beyond the range of a double still read.
    std::string tiny = "0." + std::string(400, '0') + "1";
    std::string huge = std::string(400, '9') + ".5";
    EXPECT_EQ(WholeNumber(tiny), 0.0);
    EXPECT_EQ(LeadingNumber("-" + huge), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(TwoDecimals(tiny), "0");
}

TEST(RoundHalfEven, HalvesGoToTheEvenInteger) {
    const std::pair<double, long long> rows[] = {{0.5, 0},
                                                 {1.5, 2},
                                                 {2.5, 2},
                                                 {3.5, 4},
                                                 {-0.5, 0},
                                                 {-1.5, -2},
                                                 {-2.5, -2},
                                                 {2.4999999, 2},
                                                 {2.5000001, 3},
                                                 {-3.7, -4},
                                                 {-3.2, -3},
                                                 {7, 7},
                                                 {std::numeric_limits<double>::quiet_NaN(), 0},
                                                 {1e300, std::numeric_limits<long long>::max()}};
    for (auto [value, rounded] : rows) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(TwoDecimals, RoundsTheDecimalDigitsNotABinaryDouble) {
    struct Row {
        const char* text;
        const char* out;
    }; // out nullptr: not a number
    const Row rows[] = {{"60.000000", "60"},
                        {"60.606061", "60.61"},
                        {"57.5", "57.5"},
                        {"53.20", "53.2"},
                        // the binary doubles of these lie on the other side of the half
                        {"59.955", "59.96"},
                        {"59.945", "59.94"},
                        {"0.125", "0.12"},
                        {"0.135", "0.14"},
                        {"0.1250001", "0.13"},
                        {"0.12499999", "0.12"},
                        {"99.995", "100"},
                        {"0007.10", "7.1"},
                        {"60.", "60"},
                        {".5", "0.5"},
                        {" 15.75 ", "15.75"},
                        {"+1.005", "1"},
                        {"-1.015", "-1.02"},
                        {"-0.005", "0"},
                        {"-0.006", "-0.01"},
                        {"-0", "0"},
                        {"123456789012345678901234.555", "123456789012345678901234.56"},
                        {"", nullptr},
                        {"60Hz", nullptr},
                        {"1e2", nullptr},
                        {"\t60", nullptr},
                        {".", nullptr}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(TwoDecimals(r.text), r.out ? std::optional<std::string>(r.out) : std::nullopt);
    }
}

TEST(FormatNumber, ShortestPlainDecimalThatReadsBack) {
    EXPECT_EQ(FormatNumber(16.0), "16");
    EXPECT_EQ(FormatNumber(0.1f), "0.1"); // the float's shortest form, not the double's
    EXPECT_EQ(FormatNumber(-1.75f), "-1.75");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(1e20), "100000000000000000000"); // never an exponent
    EXPECT_EQ(FormatNumber(1e-7), "0.0000001");
    for (float f : {0.1f, 3.3333333f, 59.94f, 1e-5f, 16777217.0f, -0.3f})
        EXPECT_EQ(static_cast<float>(WholeNumber(FormatNumber(f)).value_or(-1)), f) << FormatNumber(f);
    for (double d : {0.1, 2.0 / 3.0, 60.606061, 1e-300, 1.7976931348623157e308})
        EXPECT_EQ(WholeNumber(FormatNumber(d)), d) << FormatNumber(d);
}
