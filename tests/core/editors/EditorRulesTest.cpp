#include "editors/EditorRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "editors/SettingsFields.h"
#include "support/CommaLocale.h"

namespace {

struct CIntCase {
    int m_in;
    int m_delta;
    int m_out;
};

TEST(DtmfRules, ArrowsCycleAndWrap) {
    // Each step of the cycles, on and either side of every boundary.
    const CIntCase speed[] = {{0, 1, 6},    {5, 1, 6},    {6, 1, 8},    {7, 1, 8},    {8, 1, 10},
                              {9, 1, 10},   {10, 1, 15},  {14, 1, 15},  {15, 1, 6},   {99, 1, 6},
                              {99, -1, 15}, {16, -1, 15}, {15, -1, 10}, {11, -1, 10}, {10, -1, 8},
                              {9, -1, 8},   {8, -1, 6},   {7, -1, 6},   {6, -1, 15},  {0, -1, 15}};
    for (const auto& c : speed) {
        EXPECT_EQ(DtmfSpeedArrow(c.m_in, c.m_delta), c.m_out) << c.m_in << " " << c.m_delta;
    }
    const CIntCase delay[] = {{275, 1, 300}, {275, -1, 250}, {1000, 1, 0},   {0, -1, 1000},
                              {200, 1, 250}, {200, -1, 150}, {950, 1, 1000}, {50, -1, 0},
                              {505, 1, 550}, {505, -1, 500}};
    for (const auto& c : delay) {
        EXPECT_EQ(DtmfDelayArrow(c.m_in, c.m_delta), c.m_out) << c.m_in << " " << c.m_delta;
    }
    const CIntCase time[] = {{0, 1, 100},      {99, 1, 100},    {100, 1, 500},  {499, 1, 500},
                             {500, 1, 1000},   {999, 1, 1000},  {1000, 1, 0},   {1550, -1, 1000},
                             {1001, -1, 1000}, {1000, -1, 500}, {501, -1, 500}, {500, -1, 100},
                             {101, -1, 100},   {100, -1, 0},    {1, -1, 0},     {0, -1, 1000}};
    for (const auto& c : time) {
        EXPECT_EQ(DtmfDigitTimeArrow(c.m_in, c.m_delta), c.m_out) << c.m_in << " " << c.m_delta;
    }
}

TEST(DtmfRules, LeavingAnEditNormalises) {
    const std::pair<int, int> speed[] = {{7, 6}, {12, 10}, {99, 15}, {8, 8},  {9, 8},
                                         {0, 6}, {10, 10}, {14, 10}, {15, 15}};
    for (auto [in, out] : speed) {
        EXPECT_EQ(NormaliseDtmfSpeed(in), out) << in;
    }
    const std::pair<int, int> delay[] = {{275, 250}, {1550, 1000}, {-5, 0}, {1000, 1000}, {49, 0}};
    for (auto [in, out] : delay) {
        EXPECT_EQ(NormaliseDtmfDelay(in), out) << in;
    }
    const std::pair<int, int> time[] = {{99, 0},    {100, 100},   {499, 100},  {500, 500},
                                        {999, 500}, {1000, 1000}, {1550, 1000}};
    for (auto [in, out] : time) {
        EXPECT_EQ(NormaliseDtmfDigitTime(in), out) << in;
    }
    EXPECT_EQ(DtmfSpeedCode(6), 0);
    EXPECT_EQ(DtmfSpeedCode(10), 2);
    EXPECT_EQ(DtmfSpeedCode(15), 3);
    EXPECT_EQ(DtmfSpeedOfCode(1), 8);
    EXPECT_EQ(LeadingInt("12ab"), 12);
    EXPECT_EQ(LeadingInt(""), 0);
    // Saturates rather than dropping digits or overflowing.
    EXPECT_EQ(LeadingInt("1000000000"), 1000000000);
    EXPECT_EQ(LeadingInt("2147483647"), INT_MAX);
    EXPECT_EQ(LeadingInt("99999999999x"), INT_MAX);
    EXPECT_EQ(LeadingNumber("2.5x"), 2.5);
    EXPECT_EQ(LeadingNumber("1e999"), 0.0);  // not a number an edit can hold
}

TEST(TwoToneRules, DisplayAndRadioCopies) {
    EXPECT_EQ(ToneDisplayValue(2000.0), 0x4E20);
    EXPECT_EQ(ToneRadioDivisor(2000.0, kEncodeDivisorConstant), 56);
    EXPECT_EQ(ToneRadioDivisor(2000.0, kDecodeDivisorConstant), 448);
    EXPECT_EQ(ToneRadioDivisor(1000.0, kDecodeDivisorConstant), 896);
    // 111957 / 2 = 55978.5 rounds half up.
    EXPECT_EQ(ToneRadioDivisor(2.0, kEncodeDivisorConstant), 55979);
    // No divisor for a frequency of 0: the radio copy holds 0 instead of a division by zero.
    EXPECT_EQ(ToneRadioDivisor(0.0, kDecodeDivisorConstant), 0);
    EXPECT_EQ(TwoToneDisplayTime(0.5), 5);
    EXPECT_EQ(TwoToneRadioTime(0.5), 10);
    EXPECT_EQ(TwoToneDisplayTime(10.0), 100);
    EXPECT_EQ(TwoToneRadioTime(10.0), 200);
    EXPECT_EQ(TwoToneDisplayTime(0.3), 3);
    EXPECT_EQ(TwoToneRadioTime(0.3), 6);
    // A time just short of a 50 ms step stays below it.
    EXPECT_EQ(TwoToneRadioTime(9.999), 199);
    EXPECT_EQ(TwoToneSteps(1.0), 20);
    EXPECT_EQ(TwoToneSteps(0.15), 3);
    // Values loaded from the image are stored back as they were, however small.
    EXPECT_EQ(ToneDisplayValue(0.1), 1);
    EXPECT_EQ(TwoToneDisplayTime(0.1), 1);
}

// Values no edit holds, as a typed "1e308" or a division by "1e-40" gives them: saturated,
// never converted out of range (the sanitizers catch a conversion that is).
TEST(TwoToneRules, HugeValuesSaturate) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ToneDisplayValue(1e308), 0xFFFF);
    EXPECT_EQ(ToneDisplayValue(inf), 0xFFFF);
    EXPECT_EQ(ToneDisplayValue(std::nan("")), 0);
    EXPECT_EQ(ToneRadioDivisor(1e-40, kEncodeDivisorConstant), 0xFFFF);
    EXPECT_EQ(ToneRadioDivisor(inf, kEncodeDivisorConstant), 0);
    EXPECT_EQ(TwoToneDisplayTime(1e308), 0xFF);
    EXPECT_EQ(TwoToneRadioTime(inf), 0xFF);
    EXPECT_EQ(TwoToneSteps(1e300), 0xFFFF);
    EXPECT_EQ(TwoToneSteps(-1e300), 0);
    // Just past the largest value (what show prints for FF FF, rounded up) stays there too.
    EXPECT_EQ(TwoToneSteps(3276.8), 0xFFFF);
    EXPECT_EQ(ToneDisplayValue(6553.6), 0xFFFF);
    EXPECT_EQ(TwoToneDisplayTime(25.6), 0xFF);
    const std::pair<std::string, std::string> clamps[] = {
        {ClampTwoToneFrequency("1e308"), "3106.0"}, {ClampTwoToneFrequency("1e-40"), "288.5"},
        {ClampTwoToneDelay("1e308"), "10.0"},       {ClampTwoToneRise("1e308"), "1.00"},
        {ClampTwoToneRise("-1e308"), "0.10"},       {TwoToneDelayArrow("1e308", 1), "0.5"},
        {TwoToneRiseArrow("1e308", -1), "0.10"},    {ClampTwoToneInterval("1e308", true), "2.0"},
    };
    for (const auto& [got, want] : clamps) {
        EXPECT_EQ(got, want);
    }
}

struct CTextCase {
    const char* m_in;
    int m_delta;
    const char* m_out;
};

TEST(TwoToneRules, ArrowsWrap) {
    // The limits themselves are reached, not wrapped.
    const CTextCase freq[] = {{"3106.0", 1, "288.5"},  {"288.5", -1, "3106.0"},
                              {"1000.0", 1, "1000.1"}, {"", 1, "3106.0"},
                              {"288.6", -1, "288.5"},  {"3105.9", 1, "3106.0"}};
    for (const auto& c : freq) {
        EXPECT_EQ(TwoToneFrequencyArrow(c.m_in, c.m_delta), c.m_out) << c.m_in;
    }
    const CTextCase delay[] = {{"10.0", 1, "0.5"},
                               {"0.5", -1, "10.0"},
                               {"0.5", 1, "0.6"},
                               {"9.9", 1, "10.0"},
                               {"0.6", -1, "0.5"}};
    for (const auto& c : delay) {
        EXPECT_EQ(TwoToneDelayArrow(c.m_in, c.m_delta), c.m_out) << c.m_in;
    }
    EXPECT_EQ(TwoToneIntervalArrow("2.0", 1, true), "0.0");
    EXPECT_EQ(TwoToneIntervalArrow("0.0", -1, false), "2.0");
    EXPECT_EQ(TwoToneIntervalArrow("1.9", 1, true), "2.0");
    EXPECT_EQ(TwoToneIntervalArrow("0.1", -1, false), "0.0");
    const CTextCase rise[] = {{"0.12", 1, "0.15"},  {"0.12", -1, "0.10"}, {"1.00", 1, "0.10"},
                              {"0.10", -1, "1.00"}, {"0.10", 1, "0.15"},  {"1.00", -1, "0.95"},
                              {"0.95", 1, "1.00"},  {"0.33", 1, "0.35"},  {"0.33", -1, "0.30"}};
    for (const auto& c : rise) {
        EXPECT_EQ(TwoToneRiseArrow(c.m_in, c.m_delta), c.m_out) << c.m_in << " " << c.m_delta;
    }
}

TEST(TwoToneRules, LeavingAnEditClamps) {
    const std::pair<const char*, const char*> freq[] = {
        {"250", "288.5"}, {"4000", "3106.0"}, {"1500", "1500.0"}, {"288.5", "288.5"}};
    for (auto [in, out] : freq) {
        EXPECT_EQ(ClampTwoToneFrequency(in), out) << in;
    }
    EXPECT_EQ(ClampTwoToneDelay("0.2"), "0.5");
    EXPECT_EQ(ClampTwoToneDelay("12"), "10.0");
    EXPECT_EQ(ClampTwoToneDelay("3"), "3.0");
    EXPECT_EQ(ClampTwoToneInterval("5", true), "2.0");
    EXPECT_EQ(ClampTwoToneInterval("1", false), "1.0");
    EXPECT_EQ(ClampTwoToneInterval("-0", false), "0.0");
    EXPECT_EQ(ClampTwoToneRise("0.12"), "0.10");
    EXPECT_EQ(ClampTwoToneRise("0.03"), "0.10");
    EXPECT_EQ(ClampTwoToneRise("3"), "1.00");
    EXPECT_EQ(ClampTwoToneRise("0.35"), "0.35");
    EXPECT_EQ(ClampTwoToneRise("0.33"), "0.30");
    EXPECT_EQ(ClampTwoToneRise(".405"), "0.41");  // kept to the thousandth, shown rounded
    EXPECT_EQ(ClampTwoToneFrequency("288.55"), "288.6");
    EXPECT_EQ(ClampTwoToneInterval("0.06", true), "0.1");
    // The 16 bits of a divisor too large for them, as the image holds it.
    EXPECT_EQ(ToneRadioDivisor(1.0, kEncodeDivisorConstant), 111957 - 65536);
    EXPECT_EQ(CommitEncodeCell(""), "");
    EXPECT_EQ(CommitEncodeCell("100"), "288.5");
}

// n hundredths as the edit shows them ("0.15").
std::string Hundredths(int n) {
    const std::string digits = std::to_string(100 + n % 100);
    return std::to_string(n / 100) + "." + digits.substr(1);
}

TEST(TwoToneRules, RiseArrowStepsOnTheTwentiethsFromEveryHundredth) {
    // Up goes to the next multiple of 0.05 above, down to the one below; above 1.00 the value
    // wraps to 0.10 and below 0.10 to 1.00. Every text of the edit from 0.00 to 1.20.
    auto wrap = [](int n) { return n > 100 ? 10 : n < 10 ? 100 : n; };
    for (int n = 0; n <= 120; ++n) {
        const int up = n % 5 == 0 ? n + 5 : (n / 5 + 1) * 5;
        const int down = n % 5 == 0 ? n - 5 : n / 5 * 5;
        EXPECT_EQ(TwoToneRiseArrow(Hundredths(n), 1), Hundredths(wrap(up))) << Hundredths(n);
        EXPECT_EQ(TwoToneRiseArrow(Hundredths(n), -1), Hundredths(wrap(down))) << Hundredths(n);
        const int clamped = std::clamp(n / 5 * 5, 10, 100);
        EXPECT_EQ(ClampTwoToneRise(Hundredths(n)), Hundredths(clamped)) << Hundredths(n);
    }
    // The cases that floating point got wrong.
    const CTextCase rise[] = {{"0.15", -1, "0.10"},
                              {"0.35", 1, "0.40"},
                              {"0.60", -1, "0.55"},
                              {"0.95", 1, "1.00"},
                              {"0.29", 1, "0.30"},
                              {"1.20", 1, "0.10"},
                              // Three decimals: the step keeps them, past 1.00 it wraps.
                              {".355", 1, "0.41"},
                              {".951", 1, "0.10"}};
    for (const auto& c : rise) {
        EXPECT_EQ(TwoToneRiseArrow(c.m_in, c.m_delta), c.m_out) << c.m_in << " " << c.m_delta;
    }
}

TEST(EditorRules, FormatNumberReadsWidthAndPrecisionAsPrintfDoes) {
    // In the "C" locale printf itself is the reference.
    const char* formats[] = {"%f", "%.3f", "%1.1f", "%2.1f", "%3.2f", "%4.1f", "%8.2f", "%12.4f"};
    for (const char* format : formats) {
        for (double value : {0.0, 2.5, -1.25, 1234.5678}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, format, value);
            EXPECT_EQ(FormatNumber(format, value), expected) << format << " " << value;
        }
    }
}

TEST(EditorRulesUnderACommaLocale, NumbersUseAFullStop) {
    CCommaLocale locale;
    ASSERT_TRUE(locale.Active()) << locale.Error();
    EXPECT_DOUBLE_EQ(LeadingNumber("0.5"), 0.5);
    EXPECT_EQ(FormatNumber("%4.1f", 2000.0), "2000.0");
    EXPECT_EQ(FormatNumber("%4.1f", 0.0), " 0.0");
    EXPECT_EQ(TwoToneFrequencyArrow("1000.0", 1), "1000.1");
    EXPECT_EQ(TwoToneDelayArrow("0.5", 1), "0.6");
    EXPECT_EQ(TwoToneIntervalArrow("1.0", -1, true), "0.9");
    EXPECT_EQ(TwoToneRiseArrow("0.12", 1), "0.15");
    EXPECT_EQ(ClampTwoToneFrequency("1500.5"), "1500.5");
    EXPECT_EQ(ClampTwoToneDelay("3.5"), "3.5");
    EXPECT_EQ(ClampTwoToneRise("0.35"), "0.35");
    EXPECT_EQ(CommitEncodeCell("1234.5"), "1234.5");

    // The dialogs' texts from the image, and typed values back into it.
    CMemoryImage image = CMemoryImage::NewDocument();
    const CField& tone = *FindField("2tone.decode.1.a");
    EXPECT_EQ(LoadField(tone, image, false), "2000.0");
    EXPECT_EQ(LoadField(*FindField("2tone.rise_delay"), image, false), "0.10");
    ASSERT_TRUE(ApplySettings(image, {{"2tone.decode.1.a", "1234.5"},
                                      {"2tone.first_delay", "2.5"},
                                      {"2tone.rise_delay", "0.35"}}));
    EXPECT_EQ(LoadField(tone, image, false), "1234.5");
    EXPECT_EQ(ReadBe16(image, 0x15C0), 12345);
    EXPECT_EQ(image[0x1620], 25);
    EXPECT_EQ(ReadBe16(image, 0x1625), 7);
}

TEST(OtherRules, MskPackingSideKeyAndSquelch) {
    const std::pair<int, std::size_t> msk[] = {{0, 0x12C0}, {1, 0x12C4}, {3, 0x12CC}, {4, 0x12D8},
                                               {7, 0x12E4}, {8, 0x12F0}, {9, 0x12F4}};
    for (auto [n, offset] : msk) {
        EXPECT_EQ(MskEntryOffset(n), offset) << n;
    }
    EXPECT_EQ(SideKeyIndex(0xFF), 0);
    EXPECT_EQ(SideKeyIndex(0x02), 1);
    EXPECT_EQ(SideKeyByte(0xFF, 3), 0xFC);
    EXPECT_EQ(SideKeyByte(0xFF, 0), 0xFF);
    EXPECT_EQ(SideKeyByte(0xA4, 2), 0xA5);

    EXPECT_EQ(SquelchText(0x05, 41), "-23");
    EXPECT_EQ(SquelchText(119, 41), "");
    EXPECT_EQ(SquelchText(9, 41), "-55");
    EXPECT_EQ(SquelchText(118, 41), "54");
    EXPECT_EQ(SquelchText(120, 30), "-34");
    EXPECT_EQ(SquelchByte("", 41), 41);
    EXPECT_EQ(SquelchByte("54", 41), 118);
    EXPECT_EQ(SquelchByte("-55", 41), 9);
}

}  // namespace
