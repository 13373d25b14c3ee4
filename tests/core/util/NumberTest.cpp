#include "util/Number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "support/CommaLocale.h"
#include "util/Text.h"

namespace {

TEST(Number, LeadingDoubleReadsAsAtofDoesInTheCLocale) {
    const std::pair<const char*, double> cases[] = {
        {"146.525", 146.525},
        {"  146.025xyz", 146.025},
        {"-1.5", -1.5},
        {"+2", 2.0},
        {"1e2", 100.0},
        {"0x92", 146.0},
        {".5", 0.5},
        {"", 0.0},
        {"abc", 0.0},
        {"146,525", 146.0},
        {"1e-400", 0.0},
        {"\t7", 7.0},
        {"1e400", HUGE_VAL},
        {"-inf", -HUGE_VAL},
        {"INFINITY", HUGE_VAL},
    };
    CCommaLocale locale;
    ASSERT_TRUE(locale.Active()) << locale.Error();
    for (const char* name : {"C", CCommaLocale::kName}) {
        std::setlocale(LC_ALL, name);
        const bool comma = name != std::string("C");
        for (const auto& [text, value] : cases) {
            EXPECT_EQ(LeadingDouble(text), value) << text << (comma ? " (comma)" : "");
        }
        EXPECT_TRUE(std::isnan(LeadingDouble("nan")));
        EXPECT_EQ(LeadingLong(" -42.9"), -42);
        EXPECT_EQ(LeadingLong("99999999999999999999"), LONG_MAX);
        EXPECT_EQ(LeadingLong("x1"), 0);
    }
}

TEST(Number, FormatFixedWritesWhatPrintfWritesInTheCLocale) {
    const double values[] = {0.0,    -0.0,  0.5,   146.025,  146.02500, 2000.0,   1234.5,
                             0.15,   0.05,  1.0,   -146.025, 6553.5,    1e20,     DBL_MAX,
                             1e-300, 0.125, 2.675, 999.995,  HUGE_VAL,  -HUGE_VAL};
    const std::pair<int, int> formats[] = {{3, 5}, {4, 1}, {2, 1}, {1, 1}, {3, 2}, {3, 1}, {10, 6}};
    CCommaLocale locale;
    ASSERT_TRUE(locale.Active()) << locale.Error();
    for (const auto& [width, precision] : formats) {
        for (double value : values) {
            std::setlocale(LC_ALL, "C");
            char expected[512];
            std::snprintf(expected, sizeof expected, "%*.*f", width, precision, value);
            EXPECT_EQ(FormatFixed(value, width, precision), expected) << value;
            std::setlocale(LC_ALL, CCommaLocale::kName);
            EXPECT_EQ(FormatFixed(value, width, precision), expected) << value << " (comma)";
        }
    }
}

TEST(Number, DecimalTimesPowerOfTenTruncatesTheDecimal) {
    struct CCase {
        double m_value;
        int m_power;
        long long m_result;
    };
    const CCase cases[] = {
        {146.0125, 5, 14601250},  // a binary multiply gives 14601249.999...
        {146.123456, 5, 14612345},
        {0.15, 2, 15},
        {0.29, 2, 29},
        {1.15, 2, 115},
        {0.159, 3, 159},
        {-146.025, 5, -14602500},
        {0.000001, 5, 0},
        {0.0, 5, 0},
        {9.99, 0, 9},
        {1e17, 0, 100000000000000000},
        {1e18, 0, LLONG_MAX},
        {-1e300, 5, -LLONG_MAX},
        {HUGE_VAL, 5, LLONG_MAX},
        {std::nan(""), 5, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalTimesPowerOfTen(c.m_value, c.m_power), c.m_result)
            << c.m_value << " " << c.m_power;
    }
}

TEST(Number, PlainDecimals) {
    for (const char* text : {"146.025", "146.", ".5", "0", "007", "600"}) {
        EXPECT_TRUE(IsPlainDecimal(text)) << text;
    }
    for (const char* text : {"", ".", "1.2.3", "0x92", "1e2", "inf", "nan", "-147", "+5", " 1",
                             "1 ", "146,025", "١٢"}) {
        EXPECT_FALSE(IsPlainDecimal(text)) << text;
    }
}

}  // namespace

TEST(Printable, EscapesControlCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"CALL 1", "CALL 1"},    {std::string("A\0B", 3), "A\\x00B"},
        {"\x1b[2J", "\\x1B[2J"}, {"a\nb\tc\r\x7f", "a\\x0Ab\\x09c\\x0D\\x7F"},
        {"信道", "信道"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(Printable(in), out);
    }
    EXPECT_EQ(Printable("line 1\nline 2\t\x1b", true), "line 1\nline 2\t\\x1B");
}
