#include <gtest/gtest.h>

#include "FakeUserValues.h"
#include "channels/CellRules.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "image/MemoryImage.h"
#include "settings/Messages.h"
#include "support/CommaLocale.h"

namespace {

// Under a locale whose decimal point is a comma (as the desktop toolkit sets it from LANG),
// every text of the channels reads and writes a full stop.
class CommaLocaleTest : public ::testing::Test {
protected:
    CCommaLocale m_locale;
    void SetUp() override { ASSERT_TRUE(m_locale.Active()) << m_locale.Error(); }
    const CBandsMHz m_bands{136, 174, 350, 520};
};

TEST_F(CommaLocaleTest, CodecsUseAFullStop) {
    EXPECT_EQ(ParseFrequency("146.525"), 14652500);
    EXPECT_EQ(ParseFrequency("146.0125"), 14601250);
    EXPECT_EQ(FormatFrequencyCount(14602500), "146.02500");
    EXPECT_EQ(FormatFrequency(CFreqBytes{0x25, 0x06, 0x60, 0x44}), "446.00625");
    EXPECT_EQ(FormatTone({0x70, 0x06}, false), "67.0");
    EXPECT_EQ(ParseTone("69.3"), (CToneBytes{0x93, 0x06}));
    for (const std::string& tone : ToneList(false)) {
        EXPECT_EQ(FormatTone(ParseTone(tone), false), tone);
    }
    std::uint8_t mode = 0;
    ApplyShiftBits(mode, "146.00000", "146.60000");
    EXPECT_EQ(mode, 0x80);
    ApplyShiftBits(mode, "146.60000", "146.00000");
    EXPECT_EQ(mode, 0x40);
}

TEST_F(CommaLocaleTest, CellEditsKeepTheirNumbers) {
    CChannelTable table(false);
    CCellCommit commit = CommitCellEdit(table, 1, kColRx, "146.525", m_bands, false);
    EXPECT_TRUE(commit.m_accepted);
    EXPECT_EQ(table.GetText(1, kColRx), "146.52500");
    EXPECT_EQ(table.GetText(1, kColTx), "146.52500");
    // Off the channel step: refused, not cut to 146 MHz.
    commit = CommitCellEdit(table, 1, kColRx, "146.0025", m_bands, false);
    EXPECT_EQ(commit.m_messageId, IDS_STEP_VALUE);
    commit = CommitCellEdit(table, 1, kColTx, "146.625", m_bands, false);
    EXPECT_EQ(table.GetText(1, kColTx), "146.62500");
    // Entering and leaving a tone cell keeps the tone.
    table.SetText(1, kColRxTone, "67.0");
    EXPECT_EQ(EditorTextForCell(kColRxTone, "67.0", false), "67.0");

    CDocumentState imageDoc{CMemoryImage::NewDocument(), false, m_bands};
    CMemoryImage& image = imageDoc.m_image;
    table.StoreGrid(imageDoc);
    EXPECT_EQ(FormatFrequency(image.Row(0).subspan<kRxOffset, 4>()), "146.52500");
    EXPECT_EQ(image.Row(0)[kRxToneOffset], 0x70);
    EXPECT_EQ(image.Row(0)[kRxToneOffset + 1], 0x06);
    EXPECT_EQ(image.Row(0)[kModeByte] & 0xC0, 0x80);
    CChannelTable again(false);
    again.FillGrid(imageDoc, nullptr, false);
    EXPECT_EQ(again.GetText(1, kColRx), "146.52500");
    EXPECT_EQ(again.GetText(1, kColRxTone), "67.0");
}

TEST_F(CommaLocaleTest, CsvImportAndExportUseAFullStop) {
    CDocumentState imageDoc{CMemoryImage::NewDocument()};
    CMemoryImage& image = imageDoc.m_image;
    ASSERT_TRUE(
        ImportChannelsCsv("Channel,Rx Frequency,Tx Frequency,QT/DQT Dec\n"
                          "1,146.525,146.625,67.0\n",
                          image));
    EXPECT_EQ(FormatFrequency(image.Row(0).subspan<kRxOffset, 4>()), "146.52500");
    EXPECT_EQ(FormatFrequency(image.Row(0).subspan<kTxOffset, 4>()), "146.62500");
    const std::string csv = ExportChannelsCsv(image);
    EXPECT_NE(csv.find("\r\n1,146.52500,146.62500,67.0,None,"), std::string::npos) << csv;
}

}  // namespace
