// Channel CSV imports, both layouts: a refused import leaves the image alone, and an export
// imported again exports the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "channels/ChannelCsv.h"
#include "channels/CommonChannelCsv.h"
#include "image/MemoryImage.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_csv: %s\n", what);
        std::abort();
    }
}

// A document with a few channels, so that imports also meet existing rows.
const CMemoryImage& BaseImage() {
    static const CMemoryImage image = [] {
        CMemoryImage result = CMemoryImage::NewDocument();
        const std::string csv =
            "Channel,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Name\r\n"
            "1,145.50000,145.50000,88.5,88.5,CALL\r\n"
            "2,438.50000,431.10000,D023N,D023N,RPT\r\n";
        if (!ImportChannelsCsv(csv, result)) {
            std::abort();
        }
        return result;
    }();
    return image;
}

void GridLayout(const std::string& text) {
    CMemoryImage image = BaseImage();
    if (!ImportChannelsCsv(text, image)) {
        Check(image == BaseImage(), "refused grid import changed the image");
    }
    const std::string first = ExportChannelsCsv(image);
    CMemoryImage again = image;
    Check(ImportChannelsCsv(first, again).has_value(), "own grid export refused");
    Check(ExportChannelsCsv(again) == first, "grid export not stable");
}

void CommonLayout(const std::string& text, bool skipInvalid) {
    CMemoryImage image = BaseImage();
    auto plan = PlanCommonCsvImport(text, image);
    Check(image == BaseImage(), "planning changed the image");
    if (plan && !ApplyCommonCsvPlan(*plan, image, skipInvalid)) {
        Check(image == BaseImage(), "refused common import changed the image");
    }
    const std::string first = ExportCommonCsv(image);
    CMemoryImage again = image;
    auto replan = PlanCommonCsvImport(first, again);
    Check(replan.has_value(), "own common export unreadable");
    Check(replan->m_refused.empty(), "own common export has refused rows");
    Check(ApplyCommonCsvPlan(*replan, again, false).has_value(), "own common export refused");
    Check(ExportCommonCsv(again) == first, "common export not stable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > kMaxCsvSize) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 3) {
        case 0:
            GridLayout(text);
            break;
        case 1:
            CommonLayout(text, false);
            break;
        default:
            CommonLayout(text, true);
            break;
    }
    return 0;
}
