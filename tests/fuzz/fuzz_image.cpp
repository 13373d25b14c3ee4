// Any 6144 bytes, as a file or a radio may hold them: the grid, every settings field, Channel
// Edit and every report page.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "channels/ChannelEditRules.h"
#include "channels/ChannelTable.h"
#include "editors/SettingsFields.h"
#include "image/DocumentState.h"
#include "report/Report.h"

namespace {

void Check(bool condition, const std::string& what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_image: %s\n", what.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the language; a short input leaves the rest of the image zero.
    const bool chinese = (data[0] & 1) != 0;
    CDocumentState doc;
    std::memcpy(doc.m_image.data(), data + 1, std::min(size - 1, kImageSize));

    CChannelTable table(chinese);
    table.FillGrid(doc, nullptr, chinese);
    table.StoreGrid(doc);
    // A grid stored unedited shows the same texts again, every column.
    CChannelTable refilled(chinese);
    refilled.FillGrid(doc, nullptr, chinese);
    for (int row = 1; row < kGridRows; ++row) {
        for (int column = kColRx; column < kGridColumns; ++column) {
            Check(refilled.GetText(row, column) == table.GetText(row, column),
                  "grid cell " + std::to_string(row) + "," + std::to_string(column) + " \"" +
                      table.GetText(row, column) + "\" became \"" + refilled.GetText(row, column) +
                      "\" after a store");
        }
    }

    // Show every field and set what was shown, twice: a value outside the dialog's range may
    // change once (to the dialog's choice), then it stays.
    const CFieldContext context(chinese, {"Model A", "Model B"});
    for (const CField& field : SettingFields()) {
        CMemoryImage set = doc.m_image;
        StoreField(field, set, LoadField(field, set, context), context);
        const std::string shown = LoadField(field, set, context);
        StoreField(field, set, shown, context);
        const std::string again = LoadField(field, set, context);
        Check(again == shown,
              field.m_key + " shows \"" + again + "\" after a set of \"" + shown + "\"");
    }

    for (int number = 0; number <= kMaxChannelNumber; ++number) {
        const CChannelEditState state = LoadChannelEdit(doc.m_image, number, chinese);
        CMemoryImage stored = doc.m_image;
        StoreShownNumbers(state, stored);
        Check(LoadChannelEdit(stored, number, chinese).m_encodeText == state.m_encodeText,
              "channel edit encode text changed by a store");
    }

    std::array<bool, kSectionCount> all{};
    all.fill(true);
    const CReportContext report = MakeReportContext(
        doc.m_image, [&table](int row, int column) { return table.GetText(row, column); }, all,
        chinese, "Owner");
    for (int page = 0; page <= report.m_plan.m_lastPage + 1; ++page) {
        BuildReportPage(report, page);
    }
    return 0;
}
