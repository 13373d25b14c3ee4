#include <gtest/gtest.h>

#include <set>

#include "image/MemoryImage.h"

namespace {

struct CRowByte {
    int m_row;
    int m_byte;
    std::uint8_t m_value;
};

// The single default bytes by row and byte, as the radio's documentation lists them.
const CRowByte kSingleDefaults[] = {
    {196, 0, 0x01}, {196, 1, 0x04}, {196, 2, 0x00}, {196, 3, 0x00},  {196, 4, 0x00},
    {196, 5, 0xBF}, {196, 6, 0x13}, {196, 7, 0xBA}, {196, 8, 0x00},  {196, 9, 0x00},
    {199, 0, 0xFD}, {199, 1, 0x00}, {199, 3, 0x01}, {203, 0, 0x00},  {203, 1, 0x04},
    {203, 2, 0x00}, {203, 3, 0x00}, {203, 5, 0x01}, {204, 15, 0x41}, {205, 15, 0x00},
    {236, 0, 0x05}, {236, 1, 0x05}, {236, 2, 0x0A}, {236, 3, 0x00},  {236, 4, 0x14},
    {236, 5, 0x00}, {236, 6, 0x02}, {236, 7, 0x00}, {254, 1, 0x00},
};

const CRowByte kRow255Defaults[] = {
    {255, 0, 0x13}, {255, 1, 0x17}, {255, 2, 0x64}, {255, 3, 0x35}, {255, 4, 0x52},
    {255, 5, 0x00}, {255, 6, 0x29}, {255, 7, 0x27}, {255, 8, 0x22}, {255, 9, 0x1E},
};

TEST(NewDocumentImage, EveryByteOfRows0To254) {
    const CMemoryImage image = CMemoryImage::NewDocument();
    std::set<std::size_t> listed;
    for (const auto& d : kSingleDefaults) {
        const std::size_t at = d.m_row * kRowSize + d.m_byte;
        EXPECT_EQ(image[at], d.m_value) << "row " << d.m_row << " byte " << d.m_byte;
        listed.insert(at);
    }
    const std::uint8_t four[] = {0x4E, 0x20, 0x27, 0x10};
    for (int row = 224; row <= 231; ++row) {
        for (int b = 0; b < 16; ++b) {
            EXPECT_EQ(image.Row(row)[b], four[b % 4]) << "row " << row << " byte " << b;
            listed.insert(row * kRowSize + b);
        }
    }
    const std::uint8_t eight[] = {0x4E, 0x20, 0x27, 0x10, 0x05, 0x05, 0x0A, 0x05};
    for (int row = 232; row <= 235; ++row) {
        for (int b = 0; b < 16; ++b) {
            EXPECT_EQ(image.Row(row)[b], eight[b % 8]) << "row " << row << " byte " << b;
            listed.insert(row * kRowSize + b);
        }
    }
    EXPECT_EQ(listed.size(), 29u + 128u + 64u);
    for (std::size_t at = 0; at < 255 * kRowSize; ++at) {
        if (!listed.contains(at)) {
            ASSERT_EQ(image[at], 0xFF) << "offset " << at;
        }
    }
}

TEST(NewDocumentImage, Row255HoldsBandsSquelchAndOurFill) {
    const CMemoryImage image = CMemoryImage::NewDocument();
    for (const auto& d : kRow255Defaults) {
        EXPECT_EQ(image.Row(255)[d.m_byte], d.m_value) << "byte " << d.m_byte;
    }
    for (int b = 10; b < 24; ++b) {
        EXPECT_EQ(image.Row(255)[b], 0xFF) << "byte " << b;
    }
}

TEST(NewDocumentImage, PasswordIsEmptyAndChannelsUnprogrammed) {
    const CMemoryImage image = CMemoryImage::NewDocument();
    for (std::size_t at = 6098; at <= 6103; ++at) {
        EXPECT_EQ(image[at], 0xFF);
    }
    for (std::size_t at = 0; at < 3120; ++at) {
        ASSERT_EQ(image[at], 0xFF) << at;
    }
}

struct CMapCase {
    std::size_t m_offset;
    std::optional<std::uint16_t> m_address;
};

TEST(RadioAreaMap, OffsetToAddress) {
    const CMapCase cases[] = {
        {0, 0x0000},          {3095, 0x0C17},       {3096, 0x0C18}, {3119, 0x0C2F},
        {3120, std::nullopt}, {4679, std::nullopt}, {4680, 0x0C30}, {4695, 0x0C3F},
        {4696, std::nullopt}, {4703, std::nullopt}, {4704, 0x0C40}, {6097, 0x0FE1},
        {6098, 0x0FE2},       {6120, 0x0FF0},       {6135, 0x0FFF}, {6136, std::nullopt},
        {6143, std::nullopt}, {6144, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RadioAddressOf(c.m_offset), c.m_address) << "offset " << c.m_offset;
    }
}

TEST(RadioAreaMap, EveryRadioAddressHasOneImageByte) {
    std::set<std::uint16_t> addresses;
    std::size_t held = 0;
    for (std::size_t at = 0; at < kImageSize; ++at) {
        if (const auto address = RadioAddressOf(at)) {
            EXPECT_LT(*address, kRadioSize) << at;
            addresses.insert(*address);
            ++held;
        }
    }
    EXPECT_EQ(held, kRadioSize);
    EXPECT_EQ(addresses.size(), kRadioSize);
}

TEST(TransferBlocks, ReadCoversTheRadioInOrder) {
    const auto& blocks = ReadBlocks();
    ASSERT_EQ(blocks.size(), 512u);
    int channelBlocks = 0;
    int rowEnds = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const auto& b = blocks[i];
        EXPECT_EQ(b.m_address, i * 8);
        for (std::size_t k = 0; k < 8; ++k) {
            EXPECT_EQ(RadioAddressOf(b.m_offset + k), b.m_address + k);
        }
        EXPECT_EQ(b.m_row, static_cast<int>(b.m_offset / kRowSize));
        channelBlocks += b.m_channelArea;
        rowEnds += b.m_lastOfRow;
    }
    EXPECT_EQ(channelBlocks, 390);
    EXPECT_EQ(rowEnds, 130 + 61);
    EXPECT_EQ(blocks[389].m_address, 0x0C28);
    EXPECT_EQ(blocks[389].m_offset, 129 * kRowSize + 16);
    EXPECT_EQ(blocks[390].m_address, 0x0C30);
    EXPECT_EQ(blocks[390].m_offset, 4680u);
    EXPECT_EQ(blocks.back().m_address, 0x0FF8);
    EXPECT_EQ(blocks.back().m_offset, 255 * kRowSize + 8);
}

TEST(TransferBlocks, WriteStopsBeforeRow255) {
    const auto& write = WriteBlocks();
    const auto& read = ReadBlocks();
    ASSERT_EQ(write.size(), 510u);
    for (std::size_t i = 0; i < write.size(); ++i) {
        EXPECT_EQ(write[i].m_address, read[i].m_address);
        EXPECT_EQ(write[i].m_offset, read[i].m_offset);
    }
    EXPECT_EQ(write.back().m_address, 0x0FE8);
    EXPECT_EQ(write.back().m_offset, 6104u);
    int rowEnds = 0;
    for (const auto& b : write) {
        rowEnds += b.m_lastOfRow;
    }
    EXPECT_EQ(rowEnds, 190);
}

}  // namespace
