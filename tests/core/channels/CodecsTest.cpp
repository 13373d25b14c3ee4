#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <sstream>

#include "channels/Codecs.h"
#include "util/Gbk.h"

namespace {

struct CFreqCase {
    const char* m_text;
    int m_count;
    CFreqBytes m_bytes;
};

TEST(Codecs, FrequencyTextToCountToBytes) {
    const CFreqCase cases[] = {
        {"146.025", 14602500, {0x00, 0x25, 0x60, 0x14}},
        {"146.0125", 14601250, {0x50, 0x12, 0x60, 0x14}},  // binary multiply loses a step
        {"446.00625", 44600625, {0x25, 0x06, 0x60, 0x44}},
        {"146.123456", 14612345, {0x45, 0x23, 0x61, 0x14}},  // truncated, not rounded
        {"  146.02500xyz", 14602500, {0x00, 0x25, 0x60, 0x14}},
        {"600", 60000000, {0x00, 0x00, 0x00, 0x60}},
        {"66.99999", 6699999, {0x99, 0x99, 0x69, 0x06}},
        {"0.00001", 1, {0x01, 0x00, 0x00, 0x00}},
        {"0.1", 10000, {0x00, 0x00, 0x01, 0x00}},
        {"", 0, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"abc", 0, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"0.000001", 0, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_text);
        EXPECT_EQ(ParseFrequency(c.m_text), c.m_count);
        EXPECT_EQ(EncodeFrequency(c.m_count), c.m_bytes);
    }
}

TEST(Codecs, EveryStepBetween67And600MHzParsesExactly) {
    // Both steps across the whole range: a binary multiply drops a count on many of them.
    for (int count = 6700000; count <= 60000000; count += 625 * 37) {
        const std::string text = FormatFrequencyCount(count);
        ASSERT_EQ(ParseFrequency(text), count) << text;
        const CFreqBytes bytes = EncodeFrequency(count);
        ASSERT_EQ(FormatFrequency(bytes), text);
    }
}

TEST(Codecs, HugeOrOddFrequencyTextsDoNotOverflow) {
    EXPECT_GT(ParseFrequency("1e300"), 60000000);
    EXPECT_LT(ParseFrequency("-1e300"), 0);
    EXPECT_EQ(ParseFrequency("nan"), 0);
    EXPECT_GT(ParseFrequency("inf"), 60000000);
    EXPECT_EQ(ParseFrequency("-146.025"), -14602500);
    EXPECT_EQ(ParseFrequency("99999"), INT_MAX);  // ten digits: more than an int holds
    EXPECT_EQ(ParseFrequency("-100000"), INT_MIN);
    EXPECT_EQ(ParseTone("nan"), (CToneBytes{0xFF, 0xFF}));
}

TEST(Codecs, FormatFrequencyTreatsByte3ZeroOrFFAsAbsent) {
    EXPECT_EQ(FormatFrequency(CFreqBytes{0x00, 0x25, 0x60, 0x14}), "146.02500");
    EXPECT_EQ(FormatFrequency(CFreqBytes{0x25, 0x06, 0x60, 0x44}), "446.00625");
    EXPECT_EQ(FormatFrequency(CFreqBytes{0x00, 0x00, 0x00, 0x00}), "");
    EXPECT_EQ(FormatFrequency(CFreqBytes{0x12, 0x34, 0x56, 0xFF}), "");
    // Nibbles above 9 are converted arithmetically, not refused.
    EXPECT_EQ(FormatFrequency(CFreqBytes{0x00, 0x00, 0x0A, 0x01}), "11.00000");
}

TEST(Codecs, AllToneListEntriesRoundTrip) {
    for (bool chinese : {false, true}) {
        const auto& list = ToneList(chinese);
        ASSERT_EQ(list.size(), 261u);
        for (const auto& text : list) {
            EXPECT_EQ(FormatTone(ParseTone(text), chinese), text);
        }
    }
    EXPECT_EQ(ToneList(false)[0], "None");
    EXPECT_EQ(ToneList(true)[0], "无");
    // The radio's tones and codes, in the order the editor offers them.
    std::istringstream qt(
        "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 "
        "114.8 118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 "
        "171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 "
        "225.7 229.1 233.6 241.8 250.3 254.1");
    std::istringstream dqt(
        "023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 114 115 116 122 125 "
        "131 132 134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 "
        "251 252 255 261 263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 "
        "371 411 412 413 423 431 432 445 446 452 454 455 462 464 465 466 503 506 516 523 526 "
        "532 546 565 606 612 624 627 631 632 645 654 662 664 703 712 723 731 732 734 743 754");
    std::vector<std::string> expected = {"None"};
    for (std::string tone; qt >> tone;) {
        expected.push_back(tone);
    }
    std::vector<std::string> codes(std::istream_iterator<std::string>(dqt), {});
    for (const char* suffix : {"N", "I"}) {
        for (const std::string& code : codes) {
            expected.push_back("D" + code + suffix);
        }
    }
    EXPECT_EQ(ToneList(false), expected);
}

TEST(Codecs, ToneBytes) {
    struct CCase {
        const char* m_text;
        CToneBytes m_bytes;
    };
    const CCase cases[] = {
        {"67.0", {0x70, 0x06}},  {"254.1", {0x41, 0x25}}, {"69.3", {0x93, 0x06}},
        {"100.0", {0x00, 0x10}}, {"D023N", {0x23, 0x80}}, {"D023I", {0x23, 0xC0}},
        {"D754N", {0x54, 0x87}}, {"D754I", {0x54, 0xC7}}, {"None", {0xFF, 0xFF}},
        {"无", {0xFF, 0xFF}},    {"", {0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_text);
        EXPECT_EQ(ParseTone(c.m_text), c.m_bytes);
    }
    EXPECT_EQ(FormatTone({0x12, 0x00}, false), "None");
    EXPECT_EQ(FormatTone({0x12, 0xFF}, true), "无");
    EXPECT_EQ(FormatTone({0x80, 0x06}, false), "68.0");  // not in the list, still shown
    EXPECT_EQ(FormatTone({0x05, 0x80}, false), "D05N");
}

TEST(Codecs, FlagTextsBothWays) {
    struct CCase {
        void (*m_apply)(std::uint8_t&, const std::string&);
        std::string (*m_text)(std::uint8_t, bool);
        const char* m_input;
        std::uint8_t m_before;
        std::uint8_t m_after;
        const char* m_english;
        const char* m_chinese;
    };
    const CCase cases[] = {
        {ApplyPowerText, PowerText, "High", 0x00, 0x20, "High", "高"},
        {ApplyPowerText, PowerText, "低", 0xFF, 0xDF, "Low", "低"},
        {ApplyPowerText, PowerText, "bogus", 0x20, 0x00, "Low", "低"},
        {ApplyBandwidthText, BandwidthText, "宽", 0x00, 0x10, "Wide", "宽"},
        {ApplyBandwidthText, BandwidthText, "Narrow", 0xFF, 0xEF, "Narrow", "窄"},
        {ApplyScanAddText, ScanAddText, "Yes", 0x00, 0x08, "Yes", "是"},
        {ApplyScanAddText, ScanAddText, "否", 0xFF, 0xF7, "No", "否"},
        {ApplyPttIdText, PttIdText, "BOT", 0xCF, 0xDF, "BOT", "发射开始"},
        {ApplyPttIdText, PttIdText, "发射结束", 0x00, 0x20, "EOT", "发射结束"},
        {ApplyPttIdText, PttIdText, "Both", 0x00, 0x30, "Both", "两者"},
        {ApplyPttIdText, PttIdText, "关", 0xFF, 0xCF, "Off", "关"},
        {ApplyPttIdText, PttIdText, "bogus", 0x10, 0x10, "BOT", "发射开始"},
        {ApplyBusyLockText, BusyLockText, "Carrier Only", 0xFF, 0xFB, "Carrier Only", "载波"},
        {ApplyBusyLockText, BusyLockText, "关", 0xFF, 0xF9, "Off", "关"},
        {ApplyBusyLockText, BusyLockText, "", 0x00, 0x04, "QT/DQT", "QT/DQT"},
        {ApplyOptSignalText, OptSignalText, "DTMF", 0xF8, 0xFA, "DTMF", "DTMF"},
        {ApplyOptSignalText, OptSignalText, "无", 0xFF, 0xF8, "None", "无"},
        {ApplyOptSignalText, OptSignalText, "MSK", 0x01, 0x01, "MSK", "MSK"},
        {ApplyOptSignalText, OptSignalText, "2-Tone", 0x04, 0x04, "2-Tone", "2-Tone"},
        {ApplyOptSignalText, OptSignalText, "", 0x07, 0x07, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_input);
        std::uint8_t byte = c.m_before;
        c.m_apply(byte, c.m_input);
        EXPECT_EQ(byte, c.m_after);
        EXPECT_EQ(c.m_text(byte, false), c.m_english);
        EXPECT_EQ(c.m_text(byte, true), c.m_chinese);
    }
    EXPECT_EQ(BusyLockText(0x06, false), "QT/DQT");
}

TEST(Codecs, ShiftBitsFollowTxAgainstRx) {
    struct CCase {
        const char* m_rx;
        const char* m_tx;
        std::uint8_t m_before;
        std::uint8_t m_after;
    };
    const CCase cases[] = {
        {"146.00000", "146.60000", 0x00, 0x80}, {"146.00000", "145.40000", 0xFF, 0x7F},
        {"146.00000", "146.00000", 0xFF, 0x3F}, {"", "", 0xC1, 0x01},
        {"146.00000", "", 0x80, 0x40},
    };
    for (const auto& c : cases) {
        std::uint8_t byte = c.m_before;
        ApplyShiftBits(byte, c.m_rx, c.m_tx);
        EXPECT_EQ(byte, c.m_after) << c.m_rx << " / " << c.m_tx;
    }
}

TEST(Codecs, NamesAreGbkAndNeverCutInsideACharacter) {
    using CName = std::array<std::uint8_t, kNameSize>;
    struct CCase {
        const char* m_text;
        CName m_bytes;
        const char* m_shown;
    };
    const CCase cases[] = {
        {"ABC", {0x41, 0x42, 0x43, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "ABC"},
        {"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {"中文", {0xD6, 0xD0, 0xCE, 0xC4, 0xFF, 0xFF, 0xFF, 0xFF}, "中文"},
        // Seven bytes of ASCII leave one byte: the Chinese character does not fit whole.
        {"ABCDEFG中", {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0xFF}, "ABCDEFG"},
        {"A中文名字", {0x41, 0xD6, 0xD0, 0xCE, 0xC4, 0xC3, 0xFB, 0xFF}, "A中文名"},
        {"ABCDEFGHIJ", {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48}, "ABCDEFGH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_text);
        const CName bytes = EncodeName(c.m_text);
        EXPECT_EQ(bytes, c.m_bytes);
        EXPECT_EQ(DecodeName(bytes), c.m_shown);
    }
    // Eight bytes without 0xFF are shown whole; a zero byte ends the name.
    EXPECT_EQ(DecodeName(CName{'1', '2', '3', '4', '5', '6', '7', '8'}), "12345678");
    EXPECT_EQ(DecodeName(CName{'A', 0x00, 'B', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "A");
    // A lead byte cut off by another program is shown as '?', not dropped silently.
    EXPECT_EQ(DecodeName(CName{'A', 'B', 'C', 'D', 'E', 'F', 'G', 0xD6}), "ABCDEFG?");
}

TEST(Codecs, Utf8Helpers) {
    EXPECT_EQ(Utf8ToGbk("A\xFF", 8), (std::vector<std::uint8_t>{'A', '?'}));
}

TEST(Codecs, EmptyChannelNeedsBothFrequencies) {
    std::array<std::uint8_t, kRecordSize> record;
    record.fill(0xFF);
    EXPECT_TRUE(IsEmptyChannel(record));
    const CFreqBytes f = EncodeFrequency(14602500);
    std::copy(f.begin(), f.end(), record.begin());
    EXPECT_TRUE(IsEmptyChannel(record));
    std::copy(f.begin(), f.end(), record.begin() + kTxOffset);
    EXPECT_FALSE(IsEmptyChannel(record));
    record[kRxOffset + 3] = 0x00;
    EXPECT_TRUE(IsEmptyChannel(record));
}

}  // namespace
