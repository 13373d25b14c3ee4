#include "channels/Bands.h"

#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "settings/UserValues.h"

std::int32_t g_nBand1Low = 136 * kCountsPerMHz;
std::int32_t g_nBand1High = 174 * kCountsPerMHz;
std::int32_t g_nBand2Low = 400 * kCountsPerMHz;
std::int32_t g_nBand2High = 480 * kCountsPerMHz;

bool CBands::Contains(std::int64_t count) const {
    auto in = [count](int low, int high) {
        return count >= std::int64_t{low} * kCountsPerMHz &&
               count <= std::int64_t{high} * kCountsPerMHz;
    };
    return in(m_band1Low, m_band1High) || in(m_band2Low, m_band2High);
}

namespace {

int DecodeLow(std::uint8_t digits, std::uint8_t units) {
    return (digits >> 4) * 100 + (digits & 0x0F) * 10 + (units >> 4);
}
int DecodeHigh(std::uint8_t digits, std::uint8_t units) {
    return (digits >> 4) * 100 + (digits & 0x0F) * 10 + (units & 0x0F);
}
std::uint8_t HundredsTens(int mhz) {
    return static_cast<std::uint8_t>((mhz / 100) * 16 + (mhz / 10) % 10);
}

}  // namespace

CBands DecodeBands(const CMemoryImage& image) {
    const std::uint8_t* b = image.data() + kBandBytesOffset;
    return {DecodeLow(b[0], b[2]), DecodeHigh(b[1], b[2]), DecodeLow(b[3], b[5]),
            DecodeHigh(b[4], b[5])};
}

void EncodeBands(const CBands& bands, CMemoryImage& image) {
    std::uint8_t* b = image.data() + kBandBytesOffset;
    b[0] = HundredsTens(bands.m_band1Low);
    b[1] = HundredsTens(bands.m_band1High);
    b[2] = static_cast<std::uint8_t>((bands.m_band1Low % 10) * 16 + bands.m_band1High % 10);
    b[3] = HundredsTens(bands.m_band2Low);
    b[4] = HundredsTens(bands.m_band2High);
    b[5] = static_cast<std::uint8_t>((bands.m_band2Low % 10) * 16 + bands.m_band2High % 10);
}

CBands CurrentBands() {
    return {g_nBand1Low / kCountsPerMHz, g_nBand1High / kCountsPerMHz, g_nBand2Low / kCountsPerMHz,
            g_nBand2High / kCountsPerMHz};
}

void SetCurrentBands(const CBands& bands) {
    g_nBand1Low = bands.m_band1Low * kCountsPerMHz;
    g_nBand1High = bands.m_band1High * kCountsPerMHz;
    g_nBand2Low = bands.m_band2Low * kCountsPerMHz;
    g_nBand2High = bands.m_band2High * kCountsPerMHz;
}

void RefreshBands(CMemoryImage& image, CUserValues* userValues) {
    if (g_bNewDocument) {
        std::uint32_t type = 0;
        if (userValues != nullptr) {
            type = userValues->GetNumber("Type").value_or(0);
        }
        image[kModelIndexOffset] = static_cast<std::uint8_t>(type & 0xFF);
        for (int i = 0; i < 6; ++i) {
            image[kBandBytesOffset + i] = kDefaultBandBytes[i];
        }
    } else if (userValues != nullptr) {
        userValues->SetNumber("Type", image[kModelIndexOffset]);
    }
    SetCurrentBands(DecodeBands(image));
}

void StoreBands(CMemoryImage& image) {
    const CBands bands = CurrentBands();
    if (DecodeBands(image) == bands) {
        return;
    }
    EncodeBands(bands, image);
}
