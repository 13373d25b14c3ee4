// The text parsers: frequencies, tones, settings values, grid cell commits, the 2-Tone and
// Channel Edit arithmetic, GBK. The first byte picks the parser and its options.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "channels/CellRules.h"
#include "channels/ChannelEditRules.h"
#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "editors/EditorRules.h"
#include "editors/SettingsFields.h"
#include "image/DocumentState.h"
#include "util/Gbk.h"

namespace {

void Check(bool condition, const std::string& what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_text: %s\n", what.c_str());
        std::abort();
    }
}

void Frequency(const std::string& text) {
    const int count = ParseFrequency(text);
    if (count > 0) {
        Check(ParseFrequency(FormatFrequencyCount(count)) == count, "frequency round trip");
    }
    (void)TextToDouble(text);
    (void)TextToInt(text);
}

void Tone(const std::string& text, bool chinese) {
    const CToneBytes tone = ParseTone(text);
    (void)FormatTone(tone, chinese);
}

void Field(const std::string& text, std::uint8_t selector, bool chinese) {
    const auto& fields = SettingFields();
    const CField& field = fields[selector % fields.size()];
    const CFieldContext context(chinese, {"Model A", "Model B"});
    // Set of an accepted value, then of what show prints for it: the same bytes.
    auto parsed = ParseFieldValue(field, text, context);
    if (!parsed) {
        CMemoryImage lenient = CMemoryImage::NewDocument();
        StoreField(field, lenient, text, context);  // as a dialog's OK stores any text
        return;
    }
    CMemoryImage image = CMemoryImage::NewDocument();
    StoreField(field, image, *parsed, context);
    std::string shown = LoadField(field, image, context);
    auto again = ParseFieldValue(field, shown, context);
    if (!again) {
        shown.erase(0, shown.find_first_not_of(' '));  // a number in the dialog's field width
        again = ParseFieldValue(field, shown, context);
    }
    Check(again.has_value(), field.m_key + " refuses its shown value \"" + shown + "\"");
    CMemoryImage reset = image;
    StoreField(field, reset, *again, context);
    Check(reset == image, field.m_key + " stores \"" + shown + "\" differently");
}

void Cell(const std::string& text, std::uint8_t selector, std::uint8_t flags) {
    const bool chinese = (flags & 1) != 0;
    CDocumentState doc;
    doc.m_image = CMemoryImage::NewDocument();
    doc.m_bNewDocument = true;
    CChannelTable table(chinese);
    table.FillGrid(doc, nullptr, chinese);
    // Rows 1, 2 and Fr; every column but the labels.
    const int rows[] = {1, 2, kFrRow};
    const int row = rows[selector % 3];
    const int column = 1 + (selector / 3) % (kGridColumns - 1);
    const ECommitKind kind = (flags & 2) != 0 ? ECommitKind::Enter : ECommitKind::LeaveCell;
    const CCellCommit commit = CommitCellEdit(table, row, column, text, doc.m_bands, chinese, kind);
    (void)CellCommitPrompt(commit, chinese);
    table.StoreGrid(doc);
}

void TwoTone(const std::string& text, std::uint8_t selector, std::uint8_t flags) {
    const int delta = static_cast<std::int8_t>(flags);
    const bool decode = (selector & 0x80) != 0;
    switch (selector % 12) {
        case 0:
            (void)TwoToneFrequencyArrow(text, delta);
            break;
        case 1:
            (void)TwoToneDelayArrow(text, delta);
            break;
        case 2:
            (void)TwoToneIntervalArrow(text, delta, decode);
            break;
        case 3:
            (void)TwoToneRiseArrow(text, delta);
            break;
        case 4:
            (void)ClampTwoToneFrequency(text);
            break;
        case 5:
            (void)ClampTwoToneDelay(text);
            break;
        case 6:
            (void)ClampTwoToneInterval(text, decode);
            break;
        case 7:
            (void)ClampTwoToneRise(text);
            break;
        case 8:
            (void)CommitEncodeCell(text);
            break;
        case 9:
            (void)SquelchByte(text, flags);
            break;
        case 10: {
            const double value = LeadingNumber(text);
            (void)ToneDisplayValue(value);
            (void)ToneRadioDivisor(value, decode ? kDecodeDivisorConstant : kEncodeDivisorConstant);
            (void)TwoToneDisplayTime(value);
            (void)TwoToneRadioTime(value);
            (void)TwoToneSteps(value);
            break;
        }
        default:
            (void)LeadingInt(text);
            break;
    }
}

void ChannelEdit(const std::string& text, std::uint8_t selector, std::uint8_t flags) {
    const int entry = selector % 5 - 1;  // kSignalNone .. kSignal2Tone
    const bool chinese = (selector & 0x80) != 0;
    const int delta = static_cast<std::int8_t>(flags);
    (void)ReadNumberText(text);
    (void)StepEncode(entry, text, delta, chinese);
    (void)StepDecode(entry, text, delta, chinese);
    (void)ClampEncode(entry, text, chinese);
    (void)ClampDecode(entry, text, chinese);
    (void)SignalEntryFromText(text);
}

void Gbk(const std::string& text, std::uint8_t selector) {
    const std::string utf8 = GbkToUtf8(std::string_view(text));
    // What was shown converts back to bytes that show the same.
    const std::vector<std::uint8_t> gbk = Utf8ToGbk(utf8, std::numeric_limits<std::size_t>::max());
    Check(GbkToUtf8(std::span<const std::uint8_t>(gbk)) == utf8, "GBK round trip");
    Check(GbkLength(utf8) == gbk.size(), "GBK length");
    const std::vector<std::uint8_t> cut = Utf8ToGbk(text, selector % 16);
    Check(cut.size() <= selector % 16u, "GBK limit");
    Check(GbkLength(text) >= cut.size(), "GBK length of a cut text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const std::uint8_t selector = data[1];
    const std::uint8_t flags = data[2];
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);
    switch (data[0] % 7) {
        case 0:
            Frequency(text);
            break;
        case 1:
            Tone(text, (flags & 1) != 0);
            break;
        case 2:
            Field(text, selector, (flags & 1) != 0);
            break;
        case 3:
            Cell(text, selector, flags);
            break;
        case 4:
            TwoTone(text, selector, flags);
            break;
        case 5:
            ChannelEdit(text, selector, flags);
            break;
        default:
            Gbk(text, selector);
            break;
    }
    return 0;
}
