#pragma once

#include <cstdint>

class CMemoryImage;
class CUserValues;

// The band limits that the Rx check and the write transfer read, in frequency counts
// (10 Hz steps, MHz * 100000). 136, 174, 400, 480 MHz until a document is shown; every
// FillGrid replaces them from the image.
extern std::int32_t g_nBand1Low;
extern std::int32_t g_nBand1High;
extern std::int32_t g_nBand2Low;
extern std::int32_t g_nBand2High;

inline constexpr int kCountsPerMHz = 100000;

// Image bytes of the model and the two bands.
inline constexpr int kModelIndexOffset = 6097;
inline constexpr int kBandBytesOffset = 6120;
inline constexpr std::uint8_t kDefaultBandBytes[6] = {0x13, 0x17, 0x64, 0x35, 0x52, 0x00};

// The four limits in whole MHz.
struct CBands {
    int m_band1Low = 0;
    int m_band1High = 0;
    int m_band2Low = 0;
    int m_band2High = 0;
    bool operator==(const CBands&) const = default;

    // True when the count lies in band 1 or band 2, bounds included.
    bool Contains(std::int64_t count) const;
};

// Bytes 6120..6125 <-> MHz. Nibbles are not checked, so odd bytes decode above 999 MHz.
CBands DecodeBands(const CMemoryImage& image);
// Limits must be 0..999 MHz; the three BCD digits cannot hold more.
void EncodeBands(const CBands& bands, CMemoryImage& image);

// The process-wide limits as MHz, and setting them from MHz.
CBands CurrentBands();
void SetCurrentBands(const CBands& bands);

// End of FillGrid. A new document (g_bNewDocument) takes the model from the user value "Type"
// (0 when missing) and the default band bytes; any other document writes its model index as
// "Type". Then the limits are decoded into g_nBand*. `userValues` may be null (nothing is read
// or written then, as when the store is unavailable).
void RefreshBands(CMemoryImage& image, CUserValues* userValues);

// Start of StoreGrid: the process-wide limits into bytes 6120..6125. Bytes that already decode
// to these limits are left alone, so odd bytes from a radio survive a fill and a store.
void StoreBands(CMemoryImage& image);
