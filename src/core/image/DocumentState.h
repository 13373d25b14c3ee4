#pragma once

#include <cstdint>

#include "image/MemoryImage.h"

// Frequencies are counted in 10 Hz steps (MHz * 100000) in the image and the protocol.
inline constexpr int kCountsPerMHz = 100000;

// The two bands a document may use, in whole MHz: the one band-limit type of the program.
struct CBandsMHz {
    int m_band1Low = 0;
    int m_band1High = 0;
    int m_band2Low = 0;
    int m_band2High = 0;
    bool operator==(const CBandsMHz&) const = default;

    // True when a frequency in counts lies in band 1 or band 2, bounds included.
    bool Contains(std::int64_t count) const {
        auto in = [count](int low, int high) {
            return count >= std::int64_t{low} * kCountsPerMHz &&
                   count <= std::int64_t{high} * kCountsPerMHz;
        };
        return in(m_band1Low, m_band1High) || in(m_band2Low, m_band2High);
    }
};

// The limits before any document has been shown.
inline constexpr CBandsMHz kInitialBandsMHz{136, 174, 400, 480};

// What the rules of an open document work on, held by whoever shows it (the desktop program's
// document, a command of lh740ctl) and passed to them: nothing of it lives in the core.
struct CDocumentState {
    CMemoryImage m_image;
    // True while the image still carries a new document's defaults: the next grid fill takes
    // the model from the user value "Type" and the default band bytes.
    bool m_bNewDocument = false;
    // The limits the Rx check and a write read; every grid fill replaces them from the image.
    CBandsMHz m_bands = kInitialBandsMHz;

    bool operator==(const CDocumentState&) const = default;
};
