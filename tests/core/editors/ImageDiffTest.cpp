#include "editors/ImageDiff.h"

#include <gtest/gtest.h>

#include <functional>

#include "channels/ChannelRecord.h"
#include "channels/ChannelTable.h"
#include "editors/SettingsFields.h"
#include "image/DocumentState.h"

namespace {

// A new document with channel 5 and the Fr record filled through the grid, as a user would.
CMemoryImage Base() {
    CDocumentState doc{CMemoryImage::NewDocument()};
    CChannelTable table(false);
    table.FillGrid(doc, nullptr, false);
    for (const int row : {5, kFrRow}) {
        table.SetText(row, kColRx, "146.02500");
        table.SetText(row, kColTx, "146.02500");
    }
    table.StoreGrid(doc);
    // Every settings page stored once, as the dialogs do, so a change below touches only
    // what it changes.
    for (const char* key :
         {"options.tot", "dtmf.speed", "msk.id", "squelch.u_wide", "2tone.encode.3.tone2"}) {
        const CField* field = FindField(key);
        EXPECT_TRUE(ApplySettings(doc.m_image, {{key, LoadField(*field, doc.m_image, {})}}));
    }
    return doc.m_image;
}

// Channel 5 set to a signal with the Channel Edit numbers in bytes 14 and 15.
void SetSignal(CMemoryImage& image, std::uint8_t bits, std::uint8_t encode, std::uint8_t decode) {
    const auto record = image.Row(4);
    record[kSignalByte] = static_cast<std::uint8_t>((record[kSignalByte] & ~7) | bits);
    record[kEncodeByte] = encode;
    record[kDecodeByte] = decode;
}

void SetGrid(CMemoryImage& image, int row, int column, const std::string& text) {
    CDocumentState doc{image};
    CChannelTable table(false);
    table.FillGrid(doc, nullptr, false);
    table.SetText(row, column, text);
    table.StoreGrid(doc);
    image = doc.m_image;
}

void SetKey(CMemoryImage& image, const std::string& key, const std::string& value) {
    ASSERT_TRUE(ApplySettings(image, {{key, value}}).has_value()) << key;
}

TEST(ImageDiff, NamesEachChangeAsTheUserSeesIt) {
    const CMemoryImage base = Base();
    struct CCase {
        std::function<void(CMemoryImage&)> m_change;
        std::vector<std::string> m_lines;
    };
    const CCase cases[] = {
        {[](auto& i) { SetGrid(i, 5, kColRx, "146.05000"); },
         {"channel 5 Rx Frequency: 146.02500 -> 146.05000"}},
        {[](auto& i) { SetGrid(i, kFrRow, kColBandwidth, "Wide"); },
         {"channel Fr W/N: Narrow -> Wide"}},
        {[](auto& i) { SetSignal(i, 4, 5, 3); },
         {"channel 5 Opt Signal:  -> 2-Tone", "channel 5 Encode:  -> 5",
          "channel 5 Decode:  -> 3"}},
        {[](auto& i) { SetKey(i, "options.tot", "60"); }, {"options.tot: 30 -> 60"}},
        {[](auto& i) { SetKey(i, "dtmf.call.3", "123"); }, {"dtmf.call.3:  -> 123"}},
        {[](auto& i) { SetKey(i, "2tone.encode.3.tone2", "1200.0"); },
         {"2tone.encode.3.tone2: 1000.0 -> 1200.0"}},
        {[](auto& i) { SetKey(i, "msk.id", "123"); }, {"msk.id:  -> 123"}},
        {[](auto& i) { SetKey(i, "squelch.u_wide", "-31"); }, {"squelch.u_wide: -30 -> -31"}},
        // Bytes no text shows are still reported, inside a channel and outside.
        {[](auto& i) { i[4 * kRecordSize + kDecodeByte] = 3; },
         {"channel 5 byte 15: 0xFF -> 0x03"}},
        {[](auto& i) { i[6000] ^= 1; }, {"image byte 6000: 0xFF -> 0xFE"}},
        // A store fills an empty channel's mode byte; a channel empty on both sides is quiet.
        {[](auto& i) { i[100 * kRecordSize + 13] ^= 0x40; }, {}},
    };
    for (const CCase& c : cases) {
        CMemoryImage changed = base;
        c.m_change(changed);
        std::vector<std::string> lines;
        for (const CDifference& d : DiffImages(base, changed, {})) {
            lines.push_back(DifferenceLine(d));
        }
        EXPECT_EQ(lines, c.m_lines);
    }
}

TEST(ImageDiff, EqualImagesGiveNothingAndChangesGoBothWays) {
    const CMemoryImage base = Base();
    EXPECT_TRUE(DiffImages(base, base, {}).empty());
    CMemoryImage changed = base;
    SetKey(changed, "options.vox", "3");
    const auto forth = DiffImages(base, changed, {});
    const auto back = DiffImages(changed, base, {});
    ASSERT_EQ(forth.size(), 1u);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(forth[0].m_from, back[0].m_to);
    EXPECT_EQ(forth[0].m_to, back[0].m_from);
}

TEST(ImageDiff, SpeaksChinese) {
    const CMemoryImage base = Base();
    CMemoryImage changed = base;
    SetGrid(changed, 5, kColRx, "146.05000");
    SetKey(changed, "options.vox", "3");
    std::vector<std::string> lines;
    for (const CDifference& d : DiffImages(base, changed, CFieldContext(true))) {
        lines.push_back(DifferenceLine(d));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"信道 5 接收频率: 146.02500 -> 146.05000",
                                               "options.vox: 关 -> 3"}));
}

}  // namespace
