#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/ImageMap.h"

// The radio's whole programming data as the program keeps it: 256 rows of 24 bytes.
inline constexpr std::size_t kImageSize = 6144;
inline constexpr std::size_t kRowSize = 24;
inline constexpr std::size_t kRowCount = kImageSize / kRowSize;

// Radio memory is 4096 bytes; rows 0..129 map whole, rows 195..255 map their first 16 bytes.
inline constexpr std::size_t kRadioSize = 0x1000;
inline constexpr int kChannelAreaLastRow = 129;
inline constexpr int kSettingsAreaFirstRow = 195;
inline constexpr std::size_t kSettingsRowBytes = 16;
inline constexpr std::uint16_t kSettingsAreaBase = 0x0C30;
inline constexpr std::size_t kBlockSize = 8;

class CMemoryImage {
public:
    std::array<std::uint8_t, kImageSize> m_bytes{};

    std::uint8_t& operator[](std::size_t offset) { return m_bytes[offset]; }
    std::uint8_t operator[](std::size_t offset) const { return m_bytes[offset]; }
    std::uint8_t* data() { return m_bytes.data(); }
    const std::uint8_t* data() const { return m_bytes.data(); }
    static constexpr std::size_t size() { return kImageSize; }

    std::span<std::uint8_t, kRowSize> Row(int row) {
        return std::span<std::uint8_t, kRowSize>(m_bytes.data() + row * kRowSize, kRowSize);
    }
    std::span<const std::uint8_t, kRowSize> Row(int row) const {
        return std::span<const std::uint8_t, kRowSize>(m_bytes.data() + row * kRowSize, kRowSize);
    }

    // The image a new document starts with, written in the radio's documented order.
    static CMemoryImage NewDocument();

    bool operator==(const CMemoryImage&) const = default;
};

// Image offset -> radio address, or none for bytes that stay on the computer.
std::optional<std::uint16_t> RadioAddressOf(std::size_t imageOffset);

// One 8-byte block of the clone protocol. Its 8 image bytes are contiguous from m_offset.
struct CTransferBlock {
    std::uint16_t m_address = 0;
    std::size_t m_offset = 0;
    int m_row = 0;
    bool m_channelArea = false;
    bool m_firstOfRow = false;
    bool m_lastOfRow = false;
};

// Blocks in protocol order: 512 for a full read (0x0000..0x0FF8), 510 for a full write
// (row 255, the band and squelch bytes, is never written).
const std::vector<CTransferBlock>& ReadBlocks();
const std::vector<CTransferBlock>& WriteBlocks();
