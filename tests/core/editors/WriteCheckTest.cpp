#include "editors/WriteCheck.h"

#include <gtest/gtest.h>

#include "editors/SettingsFields.h"
#include "image/ImageMap.h"

namespace {

TEST(WriteCheck, DifferencesNameTheChannelOrSetting) {
    const CMemoryImage sent = CMemoryImage::NewDocument();
    const struct {
        std::size_t m_offset;
        const char* m_en;
        const char* m_zh;
    } cases[] = {
        {4 * 24 + 0, "channel 5 (Receive Frequency)", "信道 5（接收频率）"},
        {0 * 24 + 17, "channel 1 (Channel Name)", "信道 1（信道名字）"},
        {127 * 24 + 13, "channel 128", "信道 128"},  // a byte of several bit fields
        {128 * 24 + 4, "channel Fr (Transceive Frequency)", "信道 Fr（发射频率）"},
    };
    for (const auto& c : cases) {
        CMemoryImage readBack = sent;
        readBack[c.m_offset] ^= 0x5A;
        const auto differences = CompareWrittenBytes(sent, readBack);
        ASSERT_EQ(differences.size(), 1u) << c.m_offset;
        EXPECT_EQ(differences[0].m_offset, c.m_offset);
        EXPECT_EQ(differences[0].m_sent, sent[c.m_offset]);
        EXPECT_EQ(differences[0].m_readBack, sent[c.m_offset] ^ 0x5A);
        EXPECT_EQ(differences[0].m_address, *RadioAddressOf(c.m_offset));
        EXPECT_EQ(differences[0].m_place.m_en, c.m_en);
        EXPECT_EQ(differences[0].m_place.m_zh, c.m_zh);
    }
    EXPECT_TRUE(CompareWrittenBytes(sent, sent).empty());
}

TEST(WriteCheck, SettingsAreNamedByKeyAndUnwrittenBytesIgnored) {
    const CMemoryImage sent = CMemoryImage::NewDocument();
    // A settings byte is named by its key; a byte the write does not send is not compared.
    const CField& field = SettingFields().front();
    CMemoryImage readBack = sent;
    readBack[field.m_offset] ^= 0x01;
    ASSERT_TRUE(RadioAddressOf(field.m_offset));
    const auto differences = CompareWrittenBytes(sent, readBack);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].m_place.m_en, "setting " + field.m_key);
    EXPECT_EQ(differences[0].m_place.m_zh, "设置 " + field.m_key);
    readBack = sent;
    readBack[kSquelchOffset] ^= 0x01;  // row 255 is never written
    readBack[kImageSize - 1] ^= 0x01;
    EXPECT_TRUE(CompareWrittenBytes(sent, readBack).empty());
}

}  // namespace
