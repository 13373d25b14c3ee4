#include "image/MemoryImage.h"

#include <algorithm>

namespace {

struct CDefaultByte {
    std::uint16_t m_offset;
    std::uint8_t m_value;
};

// Single bytes of a new document, rows 196 to 205 and 254, 255.
constexpr CDefaultByte kDefaultBytes[] = {
    {4704, 0x01}, {4705, 0x04}, {4706, 0x00}, {4707, 0x00}, {4708, 0x00},
    {4709, 0xBF}, {4710, 0x13}, {4711, 0xBA}, {4712, 0x00}, {4713, 0x00},
    {4776, 0xFD}, {4777, 0x00}, {4779, 0x01}, {4872, 0x00}, {4873, 0x04},
    {4874, 0x00}, {4875, 0x00}, {4877, 0x01}, {4911, 0x41}, {4935, 0x00},
};

// Row 236 (2-Tone common) and rows 254, 255 (model, bands; the squelch tuning follows).
constexpr CDefaultByte kDefaultBytesLate[] = {
    {5664, 0x05}, {5665, 0x05}, {5666, 0x0A}, {5667, 0x00}, {5668, 0x14},
    {5669, 0x00}, {5670, 0x02}, {5671, 0x00}, {6097, 0x00}, {6120, 0x13},
    {6121, 0x17}, {6122, 0x64}, {6123, 0x35}, {6124, 0x52}, {6125, 0x00},
};

constexpr std::uint8_t kFourByteEntry[] = {0x4E, 0x20, 0x27, 0x10};
constexpr std::uint8_t kEightByteEntry[] = {0x4E, 0x20, 0x27, 0x10, 0x05, 0x05, 0x0A, 0x05};

std::vector<CTransferBlock> BuildBlocks(int lastSettingsRow) {
    std::vector<CTransferBlock> blocks;
    std::uint16_t address = 0;
    auto add = [&](int row, std::size_t byte, bool channel, bool first, bool last) {
        blocks.push_back({address, row * kRowSize + byte, row, channel, first, last});
        address = static_cast<std::uint16_t>(address + kBlockSize);
    };
    for (int row = 0; row <= kChannelAreaLastRow; ++row) {
        for (std::size_t byte = 0; byte < kRowSize; byte += kBlockSize) {
            add(row, byte, true, byte == 0, byte + kBlockSize == kRowSize);
        }
    }
    for (int row = kSettingsAreaFirstRow; row <= lastSettingsRow; ++row) {
        for (std::size_t byte = 0; byte < kSettingsRowBytes; byte += kBlockSize) {
            add(row, byte, false, byte == 0, byte + kBlockSize == kSettingsRowBytes);
        }
    }
    return blocks;
}

}  // namespace

CMemoryImage CMemoryImage::NewDocument() {
    CMemoryImage image;
    // Row 255 is not part of the fill. Its bytes 10..23 are never transferred or edited;
    // we give them the unprogrammed value 0xFF like every other unused byte.
    for (int row = 0; row < static_cast<int>(kRowCount) - 1; ++row) {
        std::ranges::fill(image.Row(row), 0xFF);
    }
    std::fill(image.m_bytes.begin() + 255 * kRowSize + 10, image.m_bytes.end(), 0xFF);

    for (const auto& d : kDefaultBytes) {
        image[d.m_offset] = d.m_value;
    }
    for (int i = 0; i < 32; ++i) {
        const std::size_t at = (224 + i / 4) * kRowSize + 4 * (i % 4);
        std::ranges::copy(kFourByteEntry, image.m_bytes.begin() + at);
    }
    for (int i = 0; i < 8; ++i) {
        const std::size_t at = (232 + i / 2) * kRowSize + 8 * (i % 2);
        std::ranges::copy(kEightByteEntry, image.m_bytes.begin() + at);
    }
    for (const auto& d : kDefaultBytesLate) {
        image[d.m_offset] = d.m_value;
    }
    std::ranges::copy(kSquelchDefaults, image.m_bytes.begin() + kSquelchOffset);
    return image;
}

std::optional<std::uint16_t> RadioAddressOf(std::size_t imageOffset) {
    if (imageOffset >= kImageSize) {
        return std::nullopt;
    }
    const std::size_t row = imageOffset / kRowSize;
    const std::size_t byte = imageOffset % kRowSize;
    if (row <= static_cast<std::size_t>(kChannelAreaLastRow)) {
        return static_cast<std::uint16_t>(imageOffset);
    }
    if (row >= static_cast<std::size_t>(kSettingsAreaFirstRow) && byte < kSettingsRowBytes) {
        return static_cast<std::uint16_t>(kSettingsAreaBase +
                                          kSettingsRowBytes * (row - kSettingsAreaFirstRow) + byte);
    }
    return std::nullopt;
}

const std::vector<CTransferBlock>& ReadBlocks() {
    static const std::vector<CTransferBlock> blocks = BuildBlocks(255);
    return blocks;
}

const std::vector<CTransferBlock>& WriteBlocks() {
    static const std::vector<CTransferBlock> blocks = BuildBlocks(254);
    return blocks;
}
