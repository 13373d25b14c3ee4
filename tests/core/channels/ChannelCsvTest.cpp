#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FakeUserValues.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "image/MemoryImage.h"
#include "support/TempDir.h"

namespace {

class ChannelCsvTest : public ::testing::Test {
protected:
    void SetUp() override {}
};

const std::string kHeader =
    "Channel,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Name,Power,W/N,Scan Add,PTT ID,"
    "Busy Lock,Opt Signal,Encode,Decode";

std::vector<std::string> GridTexts(const CMemoryImage& image) {
    CDocumentState copy{image};
    CChannelTable table(false);
    table.FillGrid(copy, nullptr, false);
    std::vector<std::string> texts;
    for (int row = 1; row < kGridRows; ++row) {
        for (int column = 1; column < kGridColumns; ++column) {
            texts.push_back(table.GetText(row, column));
        }
    }
    return texts;
}

// The rejected cells of an import, none when it was applied.
std::vector<std::string> ImportErrors(const std::string& csv, CMemoryImage& image) {
    auto imported = ImportChannelsCsv(csv, image);
    return imported ? std::vector<std::string>{} : imported.error().m_items;
}

TEST(Csv, ParsesRfc4180) {
    const auto parsed = ParseCsv(
        "\xEF\xBB\xBF"
        "a,\"b,c\",\"say \"\"hi\"\"\"\r\n\r\n,\"two\nlines\",x\nlast");
    ASSERT_TRUE(parsed.has_value());
    ASSERT_EQ(parsed->size(), 3u);
    EXPECT_EQ((*parsed)[0].m_fields, (std::vector<std::string>{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ((*parsed)[1].m_fields, (std::vector<std::string>{"", "two\nlines", "x"}));
    EXPECT_EQ((*parsed)[1].m_line, 3);
    EXPECT_EQ((*parsed)[2].m_line, 5);
    EXPECT_EQ((*parsed)[2].m_fields, (std::vector<std::string>{"last"}));

    EXPECT_EQ(ParseCsv("a,\"open\n").error().Text(false), "line 1: a quoted field is not closed");
    EXPECT_EQ(ParseCsv("x\n\"a\"b,c").error().Text(false), "line 2: text after a closing quote");
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("q\""), "\"q\"\"\"");
}

TEST_F(ChannelCsvTest, ExportWritesHeaderAndAllRows) {
    CMemoryImage image = CMemoryImage::NewDocument();
    const auto record = image.Row(0);
    const CFreqBytes f = EncodeFrequency(14602500);
    std::copy(f.begin(), f.end(), record.begin());
    std::copy(f.begin(), f.end(), record.begin() + kTxOffset);
    record[kSignalByte] = 0xC4;
    record[kModeByte] = 0x38;
    record[kEncodeByte] = 5;
    record[kDecodeByte] = 0xFF;
    const auto name = EncodeName("A,\"B\"");
    std::copy(name.begin(), name.end(), record.begin() + kNameOffset);
    const auto lines = Lines(ExportChannelsCsv(image));
    ASSERT_EQ(lines.size(), 130u);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(
        lines[1],
        "1,146.02500,146.02500,None,None,\"A,\"\"B\"\"\",High,Wide,Yes,Off,Off,2-Tone,5,None");
    EXPECT_EQ(lines[2], "2,,,,,,,,,,,,,");
    EXPECT_EQ(lines[129], "Fr,,,,,,,,,,,,,");
}

TEST_F(ChannelCsvTest, ImportAppliesCellsAndSignalsAndRoundTrips) {
    CMemoryImage image = CMemoryImage::NewDocument();
    const std::string csv =
        "Channel,Rx Frequency,Name,Power,QT/DQT Dec,Opt Signal,Encode,Decode\n"
        "1,146.025,ABC,低,D023N,2-Tone,5,3\n"
        "2,446.00625,中文名A,High,无,MSK,9,\n"
        "Fr,150,,Low,,DTMF,,\n";
    ASSERT_EQ(ImportErrors(csv, image), std::vector<std::string>{});
    const auto r0 = image.Row(0);
    EXPECT_EQ(FormatFrequency(r0.subspan<0, 4>()), "146.02500");
    EXPECT_EQ(FormatFrequency(r0.subspan<4, 4>()), "146.02500");  // Tx not listed: Rx's
    EXPECT_EQ((r0[kSignalByte] & 7), 4);
    EXPECT_EQ(r0[kEncodeByte], 5);
    EXPECT_EQ(r0[kDecodeByte], 3);
    EXPECT_EQ(r0[kRxToneOffset + 1], 0x80);
    EXPECT_EQ(r0[kModeByte] & 0x20, 0);
    EXPECT_EQ(DecodeName(image.Row(1).subspan<kNameOffset, kNameSize>()), "中文名A");
    EXPECT_EQ(image.Row(1)[kEncodeByte], 9);
    EXPECT_EQ((image.Row(kFrRecord)[kSignalByte] & 7), 2);
    EXPECT_EQ(image.Row(kFrRecord)[kEncodeByte], 0xFF);

    // Export then import of the same document: same texts, same bytes.
    const std::string exported = ExportChannelsCsv(image);
    CMemoryImage again = image;
    ASSERT_EQ(ImportErrors(exported, again), std::vector<std::string>{});
    EXPECT_EQ(again, image);
    EXPECT_EQ(ExportChannelsCsv(again), exported);

    // Into a fresh document the same CSV rebuilds the same channels.
    CMemoryImage fresh = CMemoryImage::NewDocument();
    ASSERT_EQ(ImportErrors(exported, fresh), std::vector<std::string>{});
    EXPECT_EQ(GridTexts(fresh), GridTexts(image));
    for (int k = 0; k < kChannelCount; ++k) {
        if (!IsEmptyChannel(image.Row(k))) {
            EXPECT_TRUE(std::ranges::equal(fresh.Row(k), image.Row(k))) << k;
        }
    }
}

TEST_F(ChannelCsvTest, UnlistedRowsAndUnchangedRowsKeepTheirBytes) {
    CMemoryImage image = CMemoryImage::NewDocument();
    image.Row(9)[kModeByte] = 0x77;  // an empty record with odd bits
    const CMemoryImage before = image;
    ASSERT_EQ(ImportErrors(kHeader + "\n10,,,,,,,,,,,,,\n", image), std::vector<std::string>{});
    EXPECT_EQ(image, before);
    ASSERT_EQ(ImportErrors("Channel,Rx Frequency\n3,146\n", image), std::vector<std::string>{});
    EXPECT_TRUE(std::ranges::equal(image.Row(9), before.Row(9)));
    EXPECT_FALSE(std::ranges::equal(image.Row(2), before.Row(2)));
}

TEST_F(ChannelCsvTest, EveryRejectedCellIsReportedAndNothingChanges) {
    CMemoryImage image = CMemoryImage::NewDocument();
    ASSERT_EQ(ImportErrors("Channel,Rx Frequency\n5,146\n", image), std::vector<std::string>{});
    const CMemoryImage before = image;
    const std::string csv =
        "Channel,Rx Frequency,Tx Frequency,Name,Power,QT/DQT Enc,Opt Signal,Encode,Decode\n"
        "1,66,,,,,,,\n"
        "2,146.0025,,,,,,,\n"
        "3,200,,,,,,,\n"
        "5,146.00000,,ABCDEFGH,Medium,68.0,FM,,\n"
        "4,146,,中文名字长,,,MSK,12,1\n"
        "6,146,,,,,,,\n";
    const std::vector<std::string> expected{
        "row 1, column Rx Frequency: Error Data Format, please input again.",
        "row 2, column Rx Frequency: Error data Value, please input according the step "
        "value(6.25K/5k).",
        "row 3, column Rx Frequency: Out of range, please input again.",
        "row 5, column QT/DQT Enc: \"68.0\" is not an entry of the tone list (None, 67.0 ... "
        "254.1, D023N ... D754I)",
        "row 5, column Name: a name takes at most 7 bytes (a Chinese character takes 2)",
        "row 5, column Power: \"Medium\" is not one of Low, High",
        "row 4, column Name: a name takes at most 7 bytes (a Chinese character takes 2)",
        "row 5, column Opt Signal: \"FM\" is not one of None, MSK, DTMF, 2-Tone",
        "row 4, column Encode: \"12\" is not None or a number from 1 to 9",
        "row 4, column Decode: a decode number needs the optional signal 2-Tone",
    };
    EXPECT_EQ(ImportErrors(csv, image), expected);
    EXPECT_EQ(image, before);
}

TEST_F(ChannelCsvTest, FrequenciesAndNamesAreCheckedAsTyped) {
    const std::string format = "Error Data Format, please input again.";
    const std::string nameLength = "a name takes at most 7 bytes (a Chinese character takes 2)";
    struct CCase {
        const char* m_column;
        const char* m_value;
        std::string m_error;  // empty when accepted
    };
    const CCase cases[] = {
        // A Tx the grid would replace by 67.00000 is refused: a file means what it says.
        {"Tx Frequency", "nan", format},
        {"Tx Frequency", "inf", format},
        {"Tx Frequency", "-147", format},
        {"Tx Frequency", "0", format},
        {"Tx Frequency", "99999999", format},
        {"Tx Frequency", "1e300", format},
        {"Tx Frequency", "66.99999", format},
        {"Tx Frequency", "512.00001", format},
        {"Tx Frequency", "67", ""},
        {"Tx Frequency", "512", ""},
        {"Tx Frequency", "146.5", ""},
        // Plain decimals only, though the C library reads more as numbers.
        {"Rx Frequency", "0x92", format},
        {"Rx Frequency", "1.46e2", format},
        {"Rx Frequency", "1e2", format},
        {"Rx Frequency", "inf", format},
        {"Rx Frequency", "nan", format},
        {"Rx Frequency", "+146", format},
        {"Rx Frequency", " 146", format},
        {"Rx Frequency", "146,025", format},
        {"Rx Frequency", ".", format},
        {"Rx Frequency", "146.", ""},
        {"Tx Frequency", "0x92", format},
        {"Tx Frequency", "1.5e2", format},
        {"Encode", "0x9", "\"0x9\" is not None or a number from 1 to 32"},
        {"Encode", "1e1", "\"1e1\" is not None or a number from 1 to 32"},
        // Names as the name editor lets them be typed: at most 7 bytes of GBK.
        {"Name", "ABCDEFG", ""},
        {"Name", "中文名A", ""},
        {"Name", "中文名字", nameLength},
        {"Name", "ABCDEFGH", nameLength},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.m_column) + " " + c.m_value);
        CMemoryImage image = CMemoryImage::NewDocument();
        ASSERT_EQ(ImportErrors("Channel,Rx Frequency,Opt Signal\n1,146,2-Tone\n", image),
                  std::vector<std::string>{});
        const CMemoryImage before = image;
        const auto errors = ImportErrors(
            std::string("Channel,") + c.m_column + "\n1," + CsvField(c.m_value) + "\n", image);
        if (c.m_error.empty()) {
            EXPECT_EQ(errors, std::vector<std::string>{});
        } else {
            EXPECT_EQ(errors, std::vector<std::string>{std::string("row 1, column ") + c.m_column +
                                                       ": " + c.m_error});
            EXPECT_EQ(image, before);
        }
    }
}

TEST_F(ChannelCsvTest, NameBytesFromTheRadioSurviveAnImport) {
    // Eight bytes (more than can be typed) and bytes that are not GBK: kept unless edited.
    const std::vector<std::uint8_t> names[] = {
        {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'},
        {0x43, 0x61, 0x66, 0xE9, 0xFF, 0xFF, 0xFF, 0xFF},
    };
    for (const auto& name : names) {
        CMemoryImage image = CMemoryImage::NewDocument();
        ASSERT_EQ(ImportErrors("Channel,Rx Frequency\n1,146\n", image), std::vector<std::string>{});
        std::copy(name.begin(), name.end(), image.Row(0).begin() + kNameOffset);
        const std::string exported = ExportChannelsCsv(image);
        CMemoryImage again = image;
        ASSERT_EQ(ImportErrors(exported, again), std::vector<std::string>{});
        EXPECT_EQ(again, image);
        // Another cell of the row changes; the name's bytes stay.
        ASSERT_EQ(ImportErrors("Channel,Power\n1,Low\n", again), std::vector<std::string>{});
        EXPECT_EQ(again.Row(0)[kModeByte] & 0x20, 0);
        EXPECT_TRUE(std::ranges::equal(again.Row(0).subspan(kNameOffset, kNameSize), name));
    }
}

TEST_F(ChannelCsvTest, StructuralErrors) {
    struct CCase {
        std::string m_csv;
        std::vector<std::string> m_errors;
    };
    const CCase cases[] = {
        {"", {"line 1: the header line is missing"}},
        {"Rx Frequency\n146\n", {"line 1: the column \"Channel\" is missing"}},
        {"Channel,Colour\n1,red\n", {"line 1: unknown column \"Colour\""}},
        {"Channel,Name,Name\n", {"line 1: column \"Name\" appears twice"}},
        {"Channel,Name\n1\n0,x\n1,y\n1,z\n",
         {"line 2: expected 2 fields, found 1", "line 3: \"0\" is not a channel (1 to 128 or Fr)",
          "line 5: channel 1 is already listed on line 4"}},
        {"Channel\n\"1\n", {"line 2: a quoted field is not closed"}},
    };
    for (const auto& c : cases) {
        CMemoryImage image = CMemoryImage::NewDocument();
        EXPECT_EQ(ImportErrors(c.m_csv, image), c.m_errors) << c.m_csv;
        EXPECT_EQ(image, CMemoryImage::NewDocument());
    }
}

TEST(ChannelCsvFile, OnlyUtf8TextOfAFewKilobytesIsRead) {
    CTempDir dir;
    struct CCase {
        const char* m_name;
        std::string m_bytes;
        const char* m_refusal;  // null: read as it is
    };
    const CCase cases[] = {
        {"text", "\xEF\xBB\xBF" + kHeader + "\r\n1,146.025\r\nFr,信道\r\n", nullptr},
        {"nul", std::string("Channel\n1\0,", 11), "is not UTF-8 text"},
        {"gbk", "Channel,Name\n1,\xD0\xC5\n", "is not UTF-8 text"},
        {"cut", "Channel,Name\n1,\xE4\xBF", "is not UTF-8 text"},
        {"large", std::string(kMaxCsvSize + 1, 'a'), "is too large"},
    };
    for (const auto& c : cases) {
        const std::string path = dir / c.m_name;
        std::ofstream(path, std::ios::binary) << c.m_bytes;
        const auto read = ReadChannelsCsvFile(path);
        if (c.m_refusal == nullptr) {
            EXPECT_EQ(read.value_or(""), c.m_bytes) << c.m_name;
        } else {
            ASSERT_FALSE(read) << c.m_name;
            EXPECT_NE(read.error().Text(false).find(c.m_refusal), std::string::npos) << c.m_name;
            EXPECT_NE(read.error().Text(false).find(path), std::string::npos) << c.m_name;
        }
    }
    EXPECT_FALSE(ReadChannelsCsvFile(dir / "missing.csv"));

    // Written atomically and read back, the export imports to the same bytes.
    CMemoryImage image = CMemoryImage::NewDocument();
    ASSERT_FALSE(ImportErrors(kHeader + "\n2,146.5,146.5,,,,,,,,,,,\n", image).size());
    ASSERT_TRUE(WriteChannelsCsvFile(image, dir / "out.csv"));
    CMemoryImage again = CMemoryImage::NewDocument();
    EXPECT_TRUE(ImportChannelsCsv(*ReadChannelsCsvFile(dir / "out.csv"), again));
    EXPECT_EQ(again, image);
    EXPECT_FALSE(WriteChannelsCsvFile(image, dir / "no/such/folder.csv"));
}

}  // namespace
