#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "channels/ChannelCsv.h"
#include "channels/ChannelRecord.h"
#include "channels/ChannelRows.h"
#include "channels/ChannelTable.h"
#include "image/DocumentState.h"
#include "image/MemoryImage.h"
#include "settings/Messages.h"

namespace {

CChannelTable Filled(CMemoryImage& image, bool chinese = false) {
    CDocumentState doc{image};
    CChannelTable table(chinese);
    table.FillGrid(doc, nullptr, chinese);
    image = doc.m_image;
    return table;
}

// Channels 1..5: distinct bytes throughout, frequencies that make them channels.
CMemoryImage FiveChannels() {
    CMemoryImage image = CMemoryImage::NewDocument();
    for (int k = 0; k < 5; ++k) {
        auto record = image.Row(k);
        for (int i = 0; i < 24; ++i) {
            record[i] = static_cast<std::uint8_t>(0x10 * k + i);
        }
        const std::uint8_t frequency[4] = {0x00, 0x25, static_cast<std::uint8_t>(0x60 + k), 0x14};
        std::ranges::copy(frequency, record.begin());
        std::ranges::copy(frequency, record.begin() + 4);
    }
    return image;
}

std::vector<std::string> Errors(const CResult<>& result) {
    return result ? std::vector<std::string>{} : result.error().m_items;
}

}  // namespace

TEST(ChannelRowsTest, RowOperationsMoveWholeRecordsAndTheirTexts) {
    constexpr int E = -1;  // an unprogrammed record
    struct CCase {
        const char* m_name;
        std::function<bool(CMemoryImage&, CChannelTable&)> m_op;
        bool m_done;
        std::vector<int> m_records;  // the source record of rows 1.., E for an empty one
    };
    const CCase cases[] = {
        {"insert at 2",
         [](auto& i, auto& t) { return InsertEmptyRow(i, t, 2); },
         true,
         {0, E, 1, 2, 3, 4, E}},
        {"insert at 128",
         [](auto& i, auto& t) { return InsertEmptyRow(i, t, 128); },
         true,
         {0, 1, 2, 3, 4, E}},
        {"insert at Fr",
         [](auto& i, auto& t) { return InsertEmptyRow(i, t, 129); },
         false,
         {0, 1, 2, 3, 4, E}},
        {"delete 2 and 4",
         [](auto& i, auto& t) {
             DeleteRows(i, t, {4, 2, 129});
             return true;
         },
         true,
         {0, 2, 4, E, E}},
        {"up 2 and 3",
         [](auto& i, auto& t) {
             return MoveRows(i, t, {2, 3}, -1);
         },
         true,
         {1, 2, 0, 3, 4}},
        {"down 1 and 3",
         [](auto& i, auto& t) {
             return MoveRows(i, t, {3, 1}, 1);
         },
         true,
         {1, 0, 3, 2, 4}},
        {"down 5 into an empty row",
         [](auto& i, auto& t) { return MoveRows(i, t, {5}, 1); },
         true,
         {0, 1, 2, 3, E, 4}},
        {"up from row 1",
         [](auto& i, auto& t) {
             return MoveRows(i, t, {1, 3}, -1);
         },
         false,
         {0, 1, 2, 3, 4}},
        {"down from 128",
         [](auto& i, auto& t) { return MoveRows(i, t, {128}, 1); },
         false,
         {0, 1, 2, 3, 4}},
        {"Fr never moves",
         [](auto& i, auto& t) { return MoveRows(i, t, {129}, -1); },
         false,
         {0, 1, 2, 3, 4}},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.m_name);
        CMemoryImage source = FiveChannels();
        CChannelTable table = Filled(source);
        CMemoryImage image = source;
        EXPECT_EQ(c.m_op(image, table), c.m_done);
        for (std::size_t row = 1; row <= c.m_records.size(); ++row) {
            const auto got = image.Row(static_cast<int>(row) - 1);
            if (c.m_records[row - 1] == E) {
                EXPECT_TRUE(std::ranges::all_of(got, [](auto b) { return b == 0xFF; })) << row;
            } else {
                EXPECT_TRUE(std::ranges::equal(got, source.Row(c.m_records[row - 1]))) << row;
            }
        }
        EXPECT_TRUE(std::ranges::equal(image.Row(kFrRecord), source.Row(kFrRecord)));
        // The texts moved with their records.
        CMemoryImage check = image;
        EXPECT_EQ(Filled(check), table);
    }
}

TEST(ChannelRowsTest, InsertIsRefusedWhenTheLastChannelIsInUse) {
    CMemoryImage image = FiveChannels();
    std::ranges::copy(image.Row(0), image.Row(127).begin());
    CChannelTable table = Filled(image);
    const CMemoryImage before = image;
    EXPECT_FALSE(InsertEmptyRow(image, table, 1));
    EXPECT_EQ(image, before);
    // Text typed but not stored counts too.
    CMemoryImage empty = CMemoryImage::NewDocument();
    CChannelTable typed = Filled(empty);
    typed.SetText(128, kColRx, "146.02500");
    EXPECT_FALSE(InsertEmptyRow(empty, typed, 1));
}

TEST(ChannelRowsTest, MovingDownThenUpGivesBackTheExactBytes) {
    std::mt19937 random(740);
    for (int round = 0; round < 50; ++round) {
        CMemoryImage image = CMemoryImage::NewDocument();
        for (int k = 0; k < kChannelCount; ++k) {
            for (auto& byte : image.Row(k)) {
                byte = static_cast<std::uint8_t>(random());
            }
        }
        CChannelTable table = Filled(image);
        const CMemoryImage before = image;
        const CChannelTable beforeTable = table;
        std::vector<int> rows;
        for (int row = 1; row < 128; ++row) {
            if (random() % 8 == 0) {
                rows.push_back(row);
            }
        }
        ASSERT_EQ(MoveRows(image, table, rows, 1), !rows.empty());
        if (!rows.empty()) {
            EXPECT_NE(image, before);
        }
        for (int& row : rows) {
            ++row;
        }
        MoveRows(image, table, rows, -1);
        EXPECT_EQ(image, before);
        EXPECT_EQ(table, beforeTable);
    }
}

TEST(ChannelRowsTest, RowsGoThroughTheClipboardWithTheirNumbers) {
    CMemoryImage source = CMemoryImage::NewDocument();
    ASSERT_EQ(
        Errors(ImportChannelsCsv(
            "Channel,Rx Frequency,Tx Frequency,QT/DQT Dec,Name,Power,Opt Signal,Encode,Decode\r\n"
            "3,146.025,146.625,D023N,\"Q\"\"T\",Low,2-Tone,7,5\r\n"
            "4,446.00625,,,,,,,\r\n",
            source)),
        std::vector<std::string>{});
    for (const bool chinese : {false, true}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        CMemoryImage image = source;
        const CChannelTable table = Filled(image, chinese);
        const std::string text = CopyRowsText(CDocumentState{image}, table, {3, 4, 5}, chinese);
        // Three lines of 13 fields; the name with a quote is quoted.
        EXPECT_EQ(std::ranges::count(text, '\t'), 36);
        EXPECT_NE(text.find("\"Q\"\"T\""), std::string::npos);
        EXPECT_NE(text.find("\t7\t5\r\n"), std::string::npos);
        // Pasted further down, the rows read as they did, the empty one included.
        CMemoryImage target = source;
        std::ranges::copy(source.Row(2), target.Row(11).begin());  // row 12 in use
        ASSERT_EQ(Errors(PasteRowsText(text, 10, target)), std::vector<std::string>{});
        const CChannelTable pasted = Filled(target, chinese);
        for (int i = 0; i < 3; ++i) {
            for (int column = kColRx; column <= kColMore; ++column) {
                EXPECT_EQ(pasted.GetText(10 + i, column), table.GetText(3 + i, column))
                    << i << " " << column;
            }
        }
        EXPECT_EQ(target.Row(9)[kEncodeByte], source.Row(2)[kEncodeByte]);
        EXPECT_EQ(target.Row(9)[kDecodeByte], source.Row(2)[kDecodeByte]);
    }
}

TEST(ChannelRowsTest, ARefusedPasteListsEveryBadCellAndChangesNothing) {
    struct CCase {
        std::string m_text;
        int m_first;
        std::vector<std::string> m_errors;
    };
    const CCase cases[] = {
        {"999\t\r\n146\t\t67.1\r\n\t\t\t\t\tMax\r\n",
         5,
         {std::string("row 5, column Rx Frequency: ") + LoadString(IDS_DATA_FORMAT, false),
          "row 6, column QT/DQT Dec: \"67.1\" is not an entry of the tone list (None, 67.0 ... "
          "254.1, D023N ... D754I)",
          "row 7, column Power: \"Max\" is not one of Low, High"}},
        {"146\t146\t无\t无\t\t超大\r\n",
         1,
         {"row 1, column Power: \"超大\" is not one of Low, High"}},
        {"1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\n",
         2,
         {"row 2: 14 fields, at most 13 expected"}},
        {"146\n146\n",
         128,
         {"2 rows from row 128 do not fit: rows are pasted into channels 1 to 128"}},
        {"146\n", 129, {"1 row from row Fr do not fit: rows are pasted into channels 1 to 128"}},
        {"\"146\n", 1, {"line 1: a quoted field is not closed"}},
        {"", 1, {"the clipboard holds no rows"}},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.m_text);
        CMemoryImage image = FiveChannels();
        const CMemoryImage before = image;
        EXPECT_EQ(Errors(PasteRowsText(c.m_text, c.m_first, image)), c.m_errors);
        EXPECT_EQ(image, before);
    }
}
