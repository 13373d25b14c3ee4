#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <vector>

#include "FakeUserValues.h"
#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "image/MemoryImage.h"

namespace {

class ChannelTableTest : public ::testing::Test {
protected:
    void SetUp() override {}
};

void PutFrequency(CMemoryImage& image, int record, int offset, int count) {
    const CFreqBytes bytes = EncodeFrequency(count);
    std::copy(bytes.begin(), bytes.end(), image.Row(record).begin() + offset);
}

TEST_F(ChannelTableTest, NewDocumentShowsLabelsHeadingsAndBlankCells) {
    CDocumentState imageDoc{CMemoryImage::NewDocument()};
    CChannelTable table(false);
    table.FillGrid(imageDoc, nullptr, false);
    EXPECT_EQ(table.GetText(0, 5), "Chnnel Name");
    EXPECT_EQ(table.GetText(0, 7), " W/N ");
    EXPECT_EQ(table.GetText(1, 0), "1");
    EXPECT_EQ(table.GetText(128, 0), "128");
    EXPECT_EQ(table.GetText(129, 0), "Fr");
    for (int row = 1; row < kGridRows; ++row) {
        for (int column = 1; column < kGridColumns; ++column) {
            ASSERT_EQ(table.GetText(row, column), "") << row << "," << column;
        }
    }
    table.SetHeadings(true);
    EXPECT_EQ(table.GetText(0, 0), "信道");
    EXPECT_EQ(table.GetText(0, 12), "更多");
    EXPECT_EQ(table.GetText(200, 1), "");
    table.SetText(-1, 3, "x");  // outside: ignored
}

TEST_F(ChannelTableTest, PartialRecordShowsOnlyItsFrequency) {
    CDocumentState imageDoc{CMemoryImage::NewDocument()};
    CMemoryImage& image = imageDoc.m_image;
    PutFrequency(image, 4, kRxOffset, 14602500);
    image.Row(4)[kModeByte] = 0x38;
    CChannelTable table(false);
    table.FillGrid(imageDoc, nullptr, false);
    EXPECT_EQ(table.GetText(5, kColRx), "146.02500");
    for (int column = kColTx; column <= kColMore; ++column) {
        EXPECT_EQ(table.GetText(5, column), "");
    }
}

TEST_F(ChannelTableTest, FullRecordInBothLanguages) {
    CDocumentState imageDoc{CMemoryImage::NewDocument()};
    CMemoryImage& image = imageDoc.m_image;
    const auto record = image.Row(kFrRecord);
    PutFrequency(image, kFrRecord, kRxOffset, 44600625);
    PutFrequency(image, kFrRecord, kTxOffset, 44100000);
    record[kRxToneOffset] = 0x70;
    record[kRxToneOffset + 1] = 0x06;
    record[kTxToneOffset] = 0x54;
    record[kTxToneOffset + 1] = 0xC7;
    record[kSignalByte] = 0x24;
    record[kModeByte] = 0x6A;
    record[kNameOffset] = 'X';
    const char* english[] = {"446.00625", "441.00000", "67.0", "D754I",        "X",      "High",
                             "Narrow",    "Yes",       "EOT",  "Carrier Only", "2-Tone", ">>"};
    const char* chinese[] = {"446.00625", "441.00000", "67.0",     "D754I", "X",      "高",
                             "窄",        "是",        "发射结束", "载波",  "2-Tone", ">>"};
    CChannelTable table(false);
    table.FillGrid(imageDoc, nullptr, false);
    for (int column = 1; column < kGridColumns; ++column) {
        EXPECT_EQ(table.GetText(kFrRow, column), english[column - 1]) << column;
    }
    table.FillGrid(imageDoc, nullptr, true);
    for (int column = 1; column < kGridColumns; ++column) {
        EXPECT_EQ(table.GetText(kFrRow, column), chinese[column - 1]) << column;
    }
}

TEST_F(ChannelTableTest, StoreKeepsNumbersAndBitsNoEditorOwns) {
    CDocumentState imageDoc{CMemoryImage::NewDocument()};
    CMemoryImage& image = imageDoc.m_image;
    CChannelTable table(false);
    table.FillGrid(imageDoc, nullptr, false);
    const char* texts[] = {"146.00000", "146.60000", "None", "D023N", "AB",  "Low",
                           "Wide",      "No",        "Both", "Off",   "DTMF"};
    for (int column = 1; column <= 11; ++column) {
        table.SetText(3, column, texts[column - 1]);
    }
    const auto record = image.Row(2);
    record[kSignalByte] = 0xC8;  // bits 3, 6, 7 belong to no editor
    record[kModeByte] = 0x01;
    record[kEncodeByte] = 0x05;
    record[kDecodeByte] = 0x03;
    table.StoreGrid(imageDoc);
    const std::uint8_t expected[] = {0x00, 0x00, 0x60, 0x14, 0x00, 0x00, 0x66, 0x14,
                                     0xFF, 0xFF, 0x23, 0x80, 0xFA, 0x91, 0x05, 0x03,
                                     'A',  'B',  0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(record.begin(), record.end(), std::begin(expected)));
    // The band limits went in first.
    EXPECT_EQ(DecodeBands(image), imageDoc.m_bands);
}

TEST_F(ChannelTableTest, NameBytesAreKeptUntilTheNameIsEdited) {
    // Shown as decoded ('?' for what is not GBK); stored back as they were.
    const std::array<std::uint8_t, kNameSize> names[] = {
        {0x43, 0x61, 0x66, 0xE9, 0xFF, 0xFF, 0xFF, 0xFF},  // "Caf" and a stray byte
        {'A', 'B', 'C', 'D', 'E', 'F', 'G', 0x81},         // a lead byte without its pair
        {0xD6, 0xD0, 0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
        {'A', 0xFF, 'B', 'C', 0xFF, 0xFF, 0xFF, 0xFF},  // bytes after the end
        {'A', 'B', 0x00, 'C', 0xFF, 0xFF, 0xFF, 0xFF},
    };
    for (const auto& name : names) {
        CDocumentState imageDoc{CMemoryImage::NewDocument()};
        CMemoryImage& image = imageDoc.m_image;
        PutFrequency(image, 0, kRxOffset, 14602500);
        PutFrequency(image, 0, kTxOffset, 14602500);
        std::copy(name.begin(), name.end(), image.Row(0).begin() + kNameOffset);
        CChannelTable table(false);
        table.FillGrid(imageDoc, nullptr, false);
        const std::string shown = table.GetText(1, kColName);
        table.StoreGrid(imageDoc);
        EXPECT_TRUE(std::ranges::equal(image.Row(0).subspan(kNameOffset, kNameSize), name))
            << shown;
        // Typing the same text again is no edit; another text is encoded.
        table.SetText(1, kColName, shown);
        table.StoreGrid(imageDoc);
        EXPECT_TRUE(std::ranges::equal(image.Row(0).subspan(kNameOffset, kNameSize), name));
        table.SetText(1, kColName, "Cafe");
        table.StoreGrid(imageDoc);
        EXPECT_EQ(DecodeName(image.Row(0).subspan<kNameOffset, kNameSize>()), "Cafe");
        EXPECT_EQ(image.Row(0)[kNameOffset + 4], 0xFF);
    }
}

// Frequency and tone bytes whose digits are no BCD are shown as decoded and kept by every store
// until their cell is edited; re-encoding them changed the channel and a second store deleted it.
TEST_F(ChannelTableTest, NonBcdBytesAreKeptUntilTheirCellIsEdited) {
    struct CCase {
        int m_offset;
        std::array<std::uint8_t, 4> m_bytes;
        int m_column;
        const char* m_edit;
    };
    const CCase cases[] = {
        {kRxOffset, {0x07, 0x57, 0x69, 0xA3}, kColRx, "146.02500"},
        {kTxOffset, {0xFA, 0x25, 0x60, 0x14}, kColTx, "146.02500"},
        {kRxToneOffset, {0x5A, 0x0C, 0, 0}, kColRxTone, "88.5"},
        {kTxToneOffset, {0x3B, 0x8E, 0, 0}, kColTxTone, "D023N"},
    };
    for (const CCase& c : cases) {
        CDocumentState doc{CMemoryImage::NewDocument()};
        PutFrequency(doc.m_image, 0, kRxOffset, 14602500);
        PutFrequency(doc.m_image, 0, kTxOffset, 14602500);
        const int size = c.m_column == kColRx || c.m_column == kColTx ? 4 : 2;
        std::copy_n(c.m_bytes.begin(), size, doc.m_image.Row(0).begin() + c.m_offset);
        const CMemoryImage before = doc.m_image;
        CChannelTable table(false);
        table.FillGrid(doc, nullptr, false);
        const std::string shown = table.GetText(1, c.m_column);
        for (int store = 0; store < 2; ++store) {
            table.StoreGrid(doc);
            table.FillGrid(doc, nullptr, false);
        }
        EXPECT_TRUE(std::ranges::equal(doc.m_image.Row(0).subspan(c.m_offset, size),
                                       before.Row(0).subspan(c.m_offset, size)))
            << shown;
        EXPECT_EQ(table.GetText(1, c.m_column), shown);
        table.SetText(1, c.m_column, c.m_edit);
        table.StoreGrid(doc);
        table.FillGrid(doc, nullptr, false);
        EXPECT_EQ(table.GetText(1, c.m_column), c.m_edit) << shown;
    }
}

// Each grid column's place in the 24-byte record, written down from the record layout: a cell
// stored through StoreGrid changes exactly these bits, to these values.
TEST_F(ChannelTableTest, EveryCellStoresExactlyItsBits) {
    using CBytes = std::vector<std::uint8_t>;
    struct CPlace {
        int m_offset;
        std::uint8_t m_mask;
    };
    struct CColumnCase {
        int m_column;
        std::vector<CPlace> m_places;
        std::vector<std::pair<const char*, CBytes>> m_values;  // bytes over the places
    };
    auto run = [](int first, int n) {
        std::vector<CPlace> places;
        for (int i = 0; i < n; ++i) {
            places.push_back({first + i, 0xFF});
        }
        return places;
    };
    auto with = [](std::vector<CPlace> places, CPlace more) {
        places.push_back(more);
        return places;
    };
    // Rx and Tx are 146.00000 before each store; bits 7-6 of byte 13 follow Tx against Rx.
    const CColumnCase cases[] = {
        {1,
         with(run(0, 4), {13, 0xC0}),
         {{"145.00000", {0x00, 0x00, 0x50, 0x14, 0x80}},
          {"147.12500", {0x00, 0x25, 0x71, 0x14, 0x40}},
          {"", {0xFF, 0xFF, 0xFF, 0xFF, 0x80}}}},
        {2,
         with(run(4, 4), {13, 0xC0}),
         {{"146.60000", {0x00, 0x00, 0x66, 0x14, 0x80}},
          {"145.40000", {0x00, 0x00, 0x54, 0x14, 0x40}},
          {"146.00000", {0x00, 0x00, 0x60, 0x14, 0x00}}}},
        {3,
         run(8, 2),
         {{"67.0", {0x70, 0x06}},
          {"254.1", {0x41, 0x25}},
          {"D023N", {0x23, 0x80}},
          {"D754I", {0x54, 0xC7}},
          {"None", {0xFF, 0xFF}}}},
        {4, run(10, 2), {{"69.3", {0x93, 0x06}}, {"D754N", {0x54, 0x87}}, {"无", {0xFF, 0xFF}}}},
        {5,
         run(16, 8),
         {{"ABC", {'A', 'B', 'C', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
          {"12345678", {'1', '2', '3', '4', '5', '6', '7', '8'}},
          {"", CBytes(8, 0xFF)}}},
        {6, {{13, 0x20}}, {{"High", {0x20}}, {"Low", {0x00}}}},
        {7, {{13, 0x10}}, {{"Wide", {0x10}}, {"Narrow", {0x00}}}},
        {8, {{13, 0x08}}, {{"Yes", {0x08}}, {"No", {0x00}}}},
        {9, {{12, 0x30}}, {{"Off", {0x00}}, {"BOT", {0x10}}, {"EOT", {0x20}}, {"Both", {0x30}}}},
        {10, {{13, 0x06}}, {{"Off", {0x00}}, {"Carrier Only", {0x02}}, {"QT/DQT", {0x04}}}},
        {11, {{12, 0x07}}, {{"None", {0x00}}, {"DTMF", {0x02}}}},
    };
    // A defined channel whose every field differs from what the cases store, with the bits no
    // editor owns set, in the first, a middle and the Fr record.
    const CBytes record = {0x00, 0x00, 0x60, 0x14, 0x00, 0x00, 0x60, 0x14, 0x85, 0x08, 0x23, 0xC7,
                           0xCD, 0x3B, 0x11, 0x22, 'N',  'A',  'M',  'E',  0xFF, 0xFF, 0xFF, 0xFF};
    for (int k : {0, 64, kFrRecord}) {
        CDocumentState baseDoc{CMemoryImage::NewDocument()};
        CMemoryImage& base = baseDoc.m_image;
        std::copy(record.begin(), record.end(), base.Row(k).begin());
        CChannelTable table(false);
        table.FillGrid(baseDoc, nullptr, false);
        table.StoreGrid(baseDoc);
        for (const auto& c : cases) {
            for (const auto& [text, bytes] : c.m_values) {
                CChannelTable edited = table;
                edited.SetText(k + 1, c.m_column, text);
                CDocumentState imageDoc = baseDoc;
                CMemoryImage& image = imageDoc.m_image;
                edited.StoreGrid(imageDoc);
                std::map<std::size_t, std::uint8_t> owned;
                for (std::size_t i = 0; i < c.m_places.size(); ++i) {
                    const std::size_t at = k * kRecordSize + c.m_places[i].m_offset;
                    owned[at] = c.m_places[i].m_mask;
                    EXPECT_EQ(image[at] & c.m_places[i].m_mask, bytes[i] & c.m_places[i].m_mask)
                        << "record " << k << " column " << c.m_column << " " << text;
                }
                for (std::size_t i = 0; i < kImageSize; ++i) {
                    const std::uint8_t mask = owned.contains(i) ? owned[i] : 0;
                    ASSERT_EQ(image[i] & ~mask, base[i] & ~mask)
                        << "record " << k << " column " << c.m_column << " " << text << " at " << i;
                }
            }
        }
    }
}

// A record made only of values the editors can produce.
void RandomValidRecord(std::mt19937& rng, CRecord record) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % n); };
    const int rx = 6700000 + pick(1000) * 625 * 8;
    const int tx = pick(4) == 0 ? rx : 6700000 + pick(7000) * 625;
    const CFreqBytes rxBytes = EncodeFrequency(rx);
    const CFreqBytes txBytes = EncodeFrequency(tx);
    std::copy(rxBytes.begin(), rxBytes.end(), record.begin() + kRxOffset);
    std::copy(txBytes.begin(), txBytes.end(), record.begin() + kTxOffset);
    for (int offset : {kRxToneOffset, kTxToneOffset}) {
        const CToneBytes tone = ParseTone(ToneList(false)[1 + pick(kToneCount - 1)]);
        record[offset] = tone.m_low;
        record[offset + 1] = tone.m_high;
    }
    const int signals[] = {0, 1, 2, 4};
    record[kSignalByte] =
        static_cast<std::uint8_t>((rng() & 0xC8) | (pick(4) << 4) | signals[pick(4)]);
    const int busy[] = {0, 2, 4};
    const int shift = tx > rx ? 0x80 : (tx < rx ? 0x40 : 0);
    record[kModeByte] = static_cast<std::uint8_t>(shift | (rng() & 0x39) | busy[pick(3)]);
    record[kEncodeByte] = static_cast<std::uint8_t>(rng());
    record[kDecodeByte] = static_cast<std::uint8_t>(rng());
    const char* names[] = {"", "A", "CALL 1", "中文名", "12345678", "频道A"};
    const auto name = EncodeName(names[pick(6)]);
    std::copy(name.begin(), name.end(), record.begin() + kNameOffset);
}

TEST_F(ChannelTableTest, ValidRecordsSurviveFillAndStoreByteForByte) {
    std::mt19937 rng(740);
    for (int round = 0; round < 20; ++round) {
        CDocumentState imageDoc{CMemoryImage::NewDocument()};
        CMemoryImage& image = imageDoc.m_image;
        for (int k = 0; k < kChannelCount; ++k) {
            if (rng() % 8 != 0) {
                RandomValidRecord(rng, image.Row(k));
            }
        }
        // Empty records as StoreGrid leaves them, so they too are a fixed point.
        CChannelTable table(false);
        table.FillGrid(imageDoc, nullptr, false);
        table.StoreGrid(imageDoc);
        const CMemoryImage before = image;
        for (bool chinese : {false, true}) {
            table.FillGrid(imageDoc, nullptr, chinese);
            table.StoreGrid(imageDoc);
            ASSERT_EQ(image, before) << "round " << round << (chinese ? " zh" : " en");
        }
        CChannelTable again(false);
        again.FillGrid(imageDoc, nullptr, true);
        for (int row = 1; row < kGridRows; ++row) {
            for (int column = 1; column < kGridColumns; ++column) {
                ASSERT_EQ(again.GetText(row, column), table.GetText(row, column)) << row;
            }
        }
    }
}

TEST_F(ChannelTableTest, ArbitraryBytesNeverBreakFillOrStore) {
    std::mt19937 rng(1);
    for (int round = 0; round < 50; ++round) {
        CDocumentState imageDoc;
        CMemoryImage& image = imageDoc.m_image;
        for (auto& b : image.m_bytes) {
            b = static_cast<std::uint8_t>(rng());
        }
        CChannelTable table(false);
        table.FillGrid(imageDoc, nullptr, round % 2 == 1);
        table.StoreGrid(imageDoc);
        table.FillGrid(imageDoc, nullptr, false);
        // The texts of a stored grid are a fixed point even when the bytes were not.
        const CChannelTable first = table;
        table.StoreGrid(imageDoc);
        table.FillGrid(imageDoc, nullptr, false);
        for (int row = 1; row < kGridRows; ++row) {
            for (int column : {kColRx, kColTx, kColPower, kColMore}) {
                ASSERT_EQ(table.GetText(row, column), first.GetText(row, column));
            }
        }
    }
}

}  // namespace
