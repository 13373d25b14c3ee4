#pragma once

#include <string>
#include <vector>

#include "channels/Bands.h"
#include "util/Error.h"

class CIniFile;
class CUserValues;

// "Frequency input error" for a reversed band, and (our mend) for a limit the image cannot
// hold. Shown in a plain message box with an OK button.
inline constexpr CText kFrequencyInputError{"Frequency input error", "起始频率应小于结束频率"};

// The largest limit three BCD digits hold.
inline constexpr int kMaxBandMHz = 999;

// Model names from [Setup] Type1, Type2, ... up to Type19; the list ends at the first key that
// is missing or empty.
std::vector<std::string> ModelList(const CIniFile& ini);
// The same names as UTF-8 text (Program.ini holds Chinese names in GBK), in the same order, for
// texts shown and typed outside the product dialog: show, set, diff.
std::vector<std::string> ModelNames(const CIniFile& ini);

// What the Product Information dialog shows when it opens.
struct CProductInfoView {
    std::vector<std::string> m_models;
    // Selected entry: the user value "Type" (0 when missing) wins over the image's index, as
    // the dialog selects it last. -1 when it names no entry.
    int m_selection = -1;
    CBandsMHz m_bands;  // the document's limits
};
CProductInfoView OpenProductInfo(const CDocumentState& doc, const CIniFile& ini,
                                 CUserValues* userValues);

// What the user entered: the list selection (-1 none) and the four edit texts (digits; an
// empty text reads 0).
struct CProductInfoInput {
    int m_selection = -1;
    std::string m_band1Low;
    std::string m_band1High;
    std::string m_band2Low;
    std::string m_band2High;
};

// OK. The model index (image byte 6097, 0xFF for none) is always stored. Then a reversed band
// or a limit outside 0..999 MHz gives the error text and nothing else changes (the dialog
// stays open). Otherwise the limits go into the document's state and image, the selection into
// the user value "Type", and the result is empty (the dialog closes).
CResult<> ApplyProductInfo(const CProductInfoInput& input, CDocumentState& doc,
                           CUserValues* userValues);
