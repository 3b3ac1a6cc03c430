#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/TextNumbers.h"

using namespace kelvaro;

TEST(WholeNumber, AcceptsTheGrammarWithSpacesAround) {
    struct Case { const char* text; double value; };
    for (Case c : {Case{"60", 60}, Case{"  60  ", 60}, Case{"60.", 60}, Case{".5", 0.5}, Case{"-.5", -0.5},
                   Case{"+3", 3}, Case{"-0", 0}, Case{"0", 0}, Case{"007", 7}, Case{"60.606061", 60.606061},
                   Case{" -12.25", -12.25}}) {
        auto v = WholeNumber(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
}

TEST(WholeNumber, RefusesWhatIsNotANumber) {
    // Each of these must be told apart from 0.
    for (const char* text : {"", " ", ".", "-", "+", "-.", "1e5", "1E5", "1,000", "1,5", "\t5", "5\t", "5\n",
                             "\xa0" "5", "5 5", "--5", "+-1", "- 5", "1.2.3", "0x10", "abc", "12abc", "inf", "nan"}) {
        EXPECT_FALSE(WholeNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(LeadingNumber, TakesTheLongestPrefix) {
    struct Case { const char* text; double value; };
    for (Case c : {Case{"  12abc", 12}, Case{"1.2.3", 1.2}, Case{"60.", 60}, Case{"60.x", 60}, Case{".5x", 0.5},
                   Case{"-3.5 ", -3.5}, Case{"1e5", 1}, Case{"320.6", 320.6}, Case{"+7-", 7}, Case{"0240", 240},
                   Case{"1,5", 1}}) {
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << c.text;
    }
}

TEST(LeadingNumber, GivesZeroWhenNothingReads) {
    for (const char* text : {"", "   ", "abc", "-", ".", "-.x", "+ 5", "\t12", "x12"})
        EXPECT_EQ(LeadingNumber(text), 0.0) << '"' << text << '"';
}

TEST(Readings, NumbersBeyondTheRangeOfADouble) {
    std::string tiny = "0." + std::string(400, '0') + "1";
    std::string huge = std::string(400, '9') + ".5";
    ASSERT_TRUE(WholeNumber(tiny).has_value());
    EXPECT_EQ(*WholeNumber(tiny), 0.0);
    EXPECT_TRUE(std::isinf(LeadingNumber(huge)));
    EXPECT_EQ(LeadingNumber("-" + huge), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(*TwoDecimals(tiny), "0");
}

TEST(RoundHalfEven, HalvesGoToTheEvenInteger) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999999), 2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(-3.7), -4);
    EXPECT_EQ(RoundHalfEven(-3.2), -3);
    EXPECT_EQ(RoundHalfEven(7), 7);
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<long long>::max());
}

TEST(TwoDecimals, RoundsTheDecimalDigits) {
    struct Case { const char* text; const char* out; };
    for (Case c : {Case{"60.000000", "60"}, Case{"60.606061", "60.61"}, Case{"57.5", "57.5"},
                   // binary doubles of these lie on the other side of the half
                   Case{"59.955", "59.96"}, Case{"59.945", "59.94"}, Case{"0.125", "0.12"}, Case{"0.135", "0.14"},
                   Case{"0.1250001", "0.13"}, Case{"0.12499999", "0.12"}, Case{"99.995", "100"},
                   Case{"9.999", "10"}, Case{"00", "0"}, Case{"0007.10", "7.1"}, Case{"60.", "60"},
                   Case{".5", "0.5"}, Case{" 15.75 ", "15.75"}, Case{"+1.005", "1"}, Case{"-1.005", "-1"},
                   Case{"-1.015", "-1.02"}, Case{"-0.004", "0"}, Case{"-0.005", "0"}, Case{"-0.006", "-0.01"},
                   Case{"-0", "0"}, Case{"53.20", "53.2"},
                   Case{"123456789012345678901234.555", "123456789012345678901234.56"}}) {
        auto v = TwoDecimals(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(*v, c.out) << c.text;
    }
    for (const char* text : {"", "abc", "60Hz", "1e2", "\t60", "."})
        EXPECT_FALSE(TwoDecimals(text).has_value()) << text;
}

TEST(FormatNumber, ShortestPlainDecimal) {
    EXPECT_EQ(FormatNumber(16.0), "16");
    EXPECT_EQ(FormatNumber(1.25f), "1.25");
    EXPECT_EQ(FormatNumber(0.1f), "0.1");
    EXPECT_EQ(FormatNumber(0.5f), "0.5");
    EXPECT_EQ(FormatNumber(0.1), "0.1");
    EXPECT_EQ(FormatNumber(-2.0), "-2");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(0.0f), "0");
    EXPECT_EQ(FormatNumber(1e20), "100000000000000000000");
    EXPECT_EQ(FormatNumber(1e-7), "0.0000001");
    EXPECT_EQ(FormatNumber(60.606061), "60.606061");
    EXPECT_EQ(FormatNumber(-1.75f), "-1.75");
}

TEST(FormatNumber, ReadsBackToTheSameValue) {
    for (float f : {1.25f, 0.1f, 3.3333333f, 59.94f, 1e-5f, 123456.79f, 16777217.0f, -0.3f}) {
        auto back = WholeNumber(FormatNumber(f));
        ASSERT_TRUE(back.has_value()) << FormatNumber(f);
        EXPECT_EQ(static_cast<float>(*back), f) << FormatNumber(f);
    }
    for (double d : {0.1, 2.0 / 3.0, 60.606061, 1e-300, 1.7976931348623157e308}) {
        auto back = WholeNumber(FormatNumber(d));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, d);
    }
}
