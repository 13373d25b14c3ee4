#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/MemoryImage.h"
#include "util/Text.h"

// A byte the radio holds differently from what was written to it.
struct CWriteDifference {
    std::size_t m_offset = 0;  // image offset
    std::uint16_t m_address = 0;
    std::uint8_t m_sent = 0;
    std::uint8_t m_readBack = 0;
    CTexts m_place;  // "channel 5 (Rx Frequency)", "setting options.tot", or the address
};

// Compares the bytes a write sends (every block of WriteBlocks) with the radio read back.
std::vector<CWriteDifference> CompareWrittenBytes(const CMemoryImage& sent,
                                                  const CMemoryImage& readBack);

// The channel or setting an image offset belongs to, as the user knows it.
CTexts PlaceOfOffset(std::size_t offset);
