#pragma once

#include <string>
#include <vector>

#include "editors/SettingsFields.h"
#include "image/MemoryImage.h"

// One difference between two images, named as the user sees it: `place` is "channel 5",
// "channel Fr" or a settings section, `field` a grid heading, a Channel Edit number or a
// setting key; bytes no field shows are named by their offset.
struct CDifference {
    std::string m_place;
    std::string m_field;
    std::string m_from;
    std::string m_to;
    bool operator==(const CDifference&) const = default;
};

// Channels first (grid texts, then the Channel Edit numbers), then the settings in dialog
// order, then every differing byte the named texts do not account for, so nothing is hidden.
std::vector<CDifference> DiffImages(const CMemoryImage& from, const CMemoryImage& to,
                                    const CFieldContext& context);

// "channel 5 Rx Frequency: 146.02500 -> 146.05000", "options.tot: 30 -> 60".
std::string DifferenceLine(const CDifference& difference);
