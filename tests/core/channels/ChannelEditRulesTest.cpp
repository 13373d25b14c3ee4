#include <gtest/gtest.h>

#include <climits>

#include "FakeUserValues.h"
#include "channels/ChannelEditRules.h"
#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "image/MemoryImage.h"

namespace {

TEST(ChannelEditRules, NumbersAndRecords) {
    EXPECT_EQ(ChannelNumberToRow(0), kFrRow);
    EXPECT_EQ(ChannelNumberToRow(5), 5);
    EXPECT_EQ(RowToChannelNumber(kFrRow), 0);
    EXPECT_EQ(ChannelNumberToRecord(0), kFrRecord);
    EXPECT_EQ(ChannelNumberToRecord(1), 0);
    EXPECT_EQ(StepChannelNumber(0, -1), 128);
    EXPECT_EQ(StepChannelNumber(128, 1), 0);
    EXPECT_EQ(StepChannelNumber(5, 1), 6);
    EXPECT_EQ(StepChannelNumber(INT_MAX, 1), 0);
    EXPECT_EQ(StepChannelNumber(INT_MIN, -1), 128);
}

TEST(ChannelEditRules, SignalEntries) {
    const std::uint8_t bits[] = {0, 1, 2, 4};
    for (int entry = 0; entry < 4; ++entry) {
        EXPECT_EQ(SignalBitsForEntry(entry), bits[entry]);
        EXPECT_EQ(SignalEntryFromBits(0xF8 | bits[entry]), entry);
    }
    EXPECT_EQ(SignalBitsForEntry(kSignalNone), 7);
    for (std::uint8_t b : {3, 5, 6, 7}) {
        EXPECT_EQ(SignalEntryFromBits(b), kSignalNone);
    }
    EXPECT_EQ(SignalEntryFromText("无"), kSignalOff);
    EXPECT_EQ(SignalEntryFromText("2-Tone"), kSignal2Tone);
    EXPECT_EQ(SignalEntryFromText("msk"), kSignalNone);
}

TEST(ChannelEditRules, ShownTextsFollowTheStoredBytes) {
    struct CCase {
        int m_entry;
        std::uint8_t m_byte14;
        std::uint8_t m_byte15;
        const char* m_encode;
        const char* m_decode;
    };
    const CCase cases[] = {
        {kSignal2Tone, 0xFF, 0xFF, "None", "None"},
        {kSignal2Tone, 33, 9, "33", "9"},
        {kSignal2Tone, 34, 10, "None", "None"},
        {kSignal2Tone, 0, 0, "None", "None"},
        {kSignalMsk, 9, 3, "9", ""},
        {kSignalMsk, 10, 3, "None", ""},
        {kSignalDtmf, 3, 3, "", ""},
        {kSignalOff, 3, 3, "", ""},
        {kSignalNone, 3, 3, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeTextFromByte(c.m_entry, c.m_byte14, false), c.m_encode);
        EXPECT_EQ(DecodeTextFromByte(c.m_entry, c.m_byte15, false), c.m_decode);
    }
    EXPECT_EQ(EncodeTextFromByte(kSignal2Tone, 0xFF, true), "无");
}

TEST(ChannelEditRules, SpinsWrapAndEditsClamp) {
    struct CCase {
        std::string (*m_fn)(int, const std::string&, int, bool);
        int m_entry;
        const char* m_text;
        int m_delta;
        const char* m_result;
    };
    const CCase steps[] = {
        {StepEncode, kSignal2Tone, "None", 1, "1"},
        {StepEncode, kSignal2Tone, "None", -1, "32"},
        {StepEncode, kSignal2Tone, "32", 1, "None"},
        {StepEncode, kSignalMsk, "9", 1, "None"},
        {StepEncode, kSignalMsk, "无", -1, "9"},
        {StepEncode, kSignalDtmf, "5", 1, "5"},
        {StepDecode, kSignal2Tone, "None", -1, "8"},
        {StepDecode, kSignal2Tone, "8", 1, "None"},
        {StepDecode, kSignalMsk, "3", 1, "3"},
        // Beyond an int: read as its largest (or smallest) value, stepped without overflow.
        {StepEncode, kSignal2Tone, "99999999999", 1, "None"},
        {StepDecode, kSignal2Tone, "-99999999999", -1, "8"},
    };
    for (const auto& c : steps) {
        EXPECT_EQ(c.m_fn(c.m_entry, c.m_text, c.m_delta, false), c.m_result)
            << c.m_text << " " << c.m_delta;
    }
    EXPECT_EQ(ClampDecode(kSignal2Tone, "12", false), "8");
    EXPECT_EQ(ClampEncode(kSignal2Tone, "40", false), "32");
    EXPECT_EQ(ClampEncode(kSignalMsk, "12", false), "9");
    EXPECT_EQ(ClampEncode(kSignalMsk, "7", false), "7");
    EXPECT_EQ(ClampEncode(kSignalMsk, "-3", false), "None");
    EXPECT_EQ(ClampEncode(kSignal2Tone, "0", true), "无");
}

class ChannelEditTest : public ::testing::Test {
protected:
    CDocumentState m_imageDoc{CMemoryImage::NewDocument()};
    CMemoryImage& m_image = m_imageDoc.m_image;
    CChannelTable m_table{false};

    void SetUp() override {
        for (int k : {4, 5, kFrRecord}) {
            const auto record = m_image.Row(k);
            const CFreqBytes f = EncodeFrequency(14602500);
            std::copy(f.begin(), f.end(), record.begin());
            std::copy(f.begin(), f.end(), record.begin() + kTxOffset);
            record[kSignalByte] = 0xF2;  // DTMF
        }
        m_table.FillGrid(m_imageDoc, nullptr, false);
    }
};

TEST_F(ChannelEditTest, ChoosingASignalWritesAtOnceAndRefillsTheGrid) {
    m_imageDoc.m_bNewDocument = true;
    auto state = LoadChannelEdit(m_image, 5, false);
    EXPECT_EQ(state.m_entry, kSignalDtmf);
    EXPECT_TRUE(state.m_signalEnabled);
    EXPECT_EQ(state.m_encodeText, "");
    SelectSignal(state, kSignal2Tone, m_imageDoc, &m_table, nullptr, false);
    EXPECT_EQ(m_image.Row(4)[kSignalByte], 0xF4);
    EXPECT_EQ(m_table.GetText(5, kColOptSignal), "2-Tone");
    EXPECT_FALSE(m_imageDoc.m_bNewDocument);
    EXPECT_EQ(state.m_encodeText, "None");
    EXPECT_EQ(state.m_decodeText, "None");

    m_image.Row(4)[kSignalByte] = 0x03;
    EXPECT_FALSE(LoadChannelEdit(m_image, 5, false).m_signalEnabled);
}

TEST_F(ChannelEditTest, OkWritesTheNumbersOfTheSignal) {
    auto state = LoadChannelEdit(m_image, 0, false);
    state.m_entry = kSignal2Tone;
    state.m_encodeText = "12";
    state.m_decodeText = "None";
    ApplyChannelEditOk(state, m_image);
    EXPECT_EQ(m_image.Row(kFrRecord)[kEncodeByte], 12);
    EXPECT_EQ(m_image.Row(kFrRecord)[kDecodeByte], 0);

    state.m_entry = kSignalMsk;
    state.m_encodeText = "4";
    state.m_decodeText = "7";
    ApplyChannelEditOk(state, m_image);
    EXPECT_EQ(m_image.Row(kFrRecord)[kEncodeByte], 4);
    EXPECT_EQ(m_image.Row(kFrRecord)[kDecodeByte], 0);  // MSK leaves the decode number

    state.m_entry = kSignalDtmf;
    ApplyChannelEditOk(state, m_image);
    EXPECT_EQ(m_image.Row(kFrRecord)[kEncodeByte], 0xFF);
    EXPECT_EQ(m_image.Row(kFrRecord)[kDecodeByte], 0xFF);
}

TEST_F(ChannelEditTest, ChangingTheChannelStoresTheShownNumbersFirst) {
    m_image.Row(4)[kSignalByte] = 0xF4;
    m_image.Row(5)[kSignalByte] = 0xF4;
    m_image.Row(5)[kEncodeByte] = 7;
    m_table.FillGrid(m_imageDoc, nullptr, false);
    m_table.SetText(5, kColName, "TYPED");  // grid text not yet stored
    auto state = LoadChannelEdit(m_image, 5, false);
    state.m_encodeText = "3";
    ASSERT_TRUE(ChangeChannel(state, 6, m_imageDoc, m_table, false));
    EXPECT_EQ(m_image.Row(4)[kEncodeByte], 3);
    EXPECT_EQ(DecodeName(m_image.Row(4).subspan<kNameOffset, kNameSize>()), "TYPED");
    EXPECT_EQ(state.m_number, 6);
    EXPECT_EQ(state.m_encodeText, "7");

    const auto refused = ChangeChannel(state, 129, m_imageDoc, m_table, false);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().Text(true), "请输入一个介于 0 和 128 之间的整数。");
    EXPECT_EQ(state.m_number, 6);
}

}  // namespace
