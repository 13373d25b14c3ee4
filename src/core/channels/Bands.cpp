#include "channels/Bands.h"

#include "image/MemoryImage.h"
#include "settings/UserValues.h"

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

CBandsMHz DecodeBands(const CMemoryImage& image) {
    const std::uint8_t* b = image.data() + kBandBytesOffset;
    return {DecodeLow(b[0], b[2]), DecodeHigh(b[1], b[2]), DecodeLow(b[3], b[5]),
            DecodeHigh(b[4], b[5])};
}

void EncodeBands(const CBandsMHz& bands, CMemoryImage& image) {
    std::uint8_t* b = image.data() + kBandBytesOffset;
    b[0] = HundredsTens(bands.m_band1Low);
    b[1] = HundredsTens(bands.m_band1High);
    b[2] = static_cast<std::uint8_t>((bands.m_band1Low % 10) * 16 + bands.m_band1High % 10);
    b[3] = HundredsTens(bands.m_band2Low);
    b[4] = HundredsTens(bands.m_band2High);
    b[5] = static_cast<std::uint8_t>((bands.m_band2Low % 10) * 16 + bands.m_band2High % 10);
}

void RefreshBands(CDocumentState& doc, CUserValues* userValues) {
    CMemoryImage& image = doc.m_image;
    if (doc.m_bNewDocument) {
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
    doc.m_bands = DecodeBands(image);
}

void StoreBands(CDocumentState& doc) {
    CMemoryImage& image = doc.m_image;
    const CBandsMHz& bands = doc.m_bands;
    if (DecodeBands(image) == bands) {
        return;
    }
    EncodeBands(bands, image);
}
