#pragma once

#include <cstdint>

#include "image/DocumentState.h"

class CUserValues;

// Image bytes of the model and the two bands.
inline constexpr int kModelIndexOffset = 6097;
inline constexpr int kBandBytesOffset = 6120;
inline constexpr std::uint8_t kDefaultBandBytes[6] = {0x13, 0x17, 0x64, 0x35, 0x52, 0x00};

// Bytes 6120..6125 <-> MHz. Nibbles are not checked, so odd bytes decode above 999 MHz.
CBandsMHz DecodeBands(const CMemoryImage& image);
// Limits must be 0..999 MHz; the three BCD digits cannot hold more.
void EncodeBands(const CBandsMHz& bands, CMemoryImage& image);

// End of FillGrid. A new document takes the model from the user value "Type" (0 when missing)
// and the default band bytes; any other document writes its model index as "Type". Then the
// limits are decoded into the state. `userValues` may be null (nothing is read or written then,
// as when the store is unavailable).
void RefreshBands(CDocumentState& doc, CUserValues* userValues);

// Start of StoreGrid: the state's limits into bytes 6120..6125. Bytes that already decode to
// these limits are left alone, so odd bytes from a radio survive a fill and a store.
void StoreBands(CDocumentState& doc);
