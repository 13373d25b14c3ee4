#include "channels/ProductInfo.h"

#include <cstdio>

#include "channels/Codecs.h"
#include "image/MemoryImage.h"
#include "settings/IniFile.h"
#include "settings/UserValues.h"
#include "util/Gbk.h"

std::vector<std::string> ModelList(const CIniFile& ini) {
    std::vector<std::string> models;
    for (int i = 1; i <= 19; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "Type%d", i);
        std::string name = ini.GetString("Setup", key, "");
        if (name.empty()) {
            break;
        }
        models.push_back(std::move(name));
    }
    return models;
}

std::vector<std::string> ModelNames(const CIniFile& ini) {
    std::vector<std::string> names = ModelList(ini);
    for (std::string& name : names) {
        name = GbkToUtf8(name);
    }
    return names;
}

CProductInfoView OpenProductInfo(const CDocumentState& doc, const CIniFile& ini,
                                 CUserValues* userValues) {
    CProductInfoView view;
    view.m_models = ModelList(ini);
    const int count = static_cast<int>(view.m_models.size());
    view.m_bands = doc.m_bands;
    // The image's model index is selected first, then replaced by the user value, so only
    // the user value decides.
    const std::uint32_t type =
        userValues != nullptr ? userValues->GetNumber("Type").value_or(0) : 0;
    view.m_selection = type < static_cast<std::uint32_t>(count) ? static_cast<int>(type) : -1;
    return view;
}

CResult<> ApplyProductInfo(const CProductInfoInput& input, CDocumentState& doc,
                           CUserValues* userValues) {
    CMemoryImage& image = doc.m_image;
    image[kModelIndexOffset] =
        input.m_selection < 0 ? 0xFF : static_cast<std::uint8_t>(input.m_selection);
    const CBandsMHz bands{TextToInt(input.m_band1Low), TextToInt(input.m_band1High),
                          TextToInt(input.m_band2Low), TextToInt(input.m_band2High)};
    auto fits = [](int mhz) { return mhz >= 0 && mhz <= kMaxBandMHz; };
    if (bands.m_band1High < bands.m_band1Low || bands.m_band2High < bands.m_band2Low ||
        !fits(bands.m_band1Low) || !fits(bands.m_band1High) || !fits(bands.m_band2Low) ||
        !fits(bands.m_band2High)) {
        return std::unexpected(kFrequencyInputError);
    }
    doc.m_bands = bands;
    EncodeBands(bands, image);
    if (userValues != nullptr) {
        userValues->SetNumber("Type", static_cast<std::uint32_t>(input.m_selection));
    }
    return {};
}
