#include "channels/ChannelEditRules.h"

#include <algorithm>
#include <cstdio>

#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "image/DocumentState.h"
#include "image/MemoryImage.h"
#include "settings/Language.h"

namespace {

const CChannelField& SignalField() {
    return *FieldOfColumn(kColOptSignal);
}

int Wrap(int value, int max) {
    if (value > max) {
        return 0;
    }
    if (value < 0) {
        return max;
    }
    return value;
}

}  // namespace

int ChannelNumberToRow(int number) {
    return number == 0 ? kFrRow : number;
}
int RowToChannelNumber(int row) {
    return row == kFrRow ? 0 : row;
}
int ChannelNumberToRecord(int number) {
    return ChannelNumberToRow(number) - 1;
}

const std::vector<std::string>& SignalEntries(bool chinese) {
    // Every pattern of the optional signal, MSK and 2-Tone included.
    static const std::vector<std::string> english = ChoiceEntries(SignalField(), false, true);
    static const std::vector<std::string> chineseList = ChoiceEntries(SignalField(), true, true);
    return chinese ? chineseList : english;
}

int SignalEntryFromBits(std::uint8_t signalByte) {
    const int index = ChoiceIndex(SignalField(), signalByte);
    return index >= 0 ? index : kSignalNone;
}

std::uint8_t SignalBitsForEntry(int entry) {
    const CChannelField& field = SignalField();
    const bool known = entry >= 0 && entry < static_cast<int>(field.m_choices.size());
    return known ? field.m_choices[entry].m_bits : field.m_mask;
}

int SignalEntryFromText(const std::string& text) {
    for (int i = 0; i < static_cast<int>(SignalEntries(false).size()); ++i) {
        if (text == SignalEntries(false)[i] || text == SignalEntries(true)[i]) {
            return i;
        }
    }
    return kSignalNone;
}

bool ShowsEncode(int entry) {
    return entry == kSignalMsk || entry == kSignal2Tone;
}
bool ShowsDecode(int entry) {
    return entry == kSignal2Tone;
}

int EncodeMax(int entry) {
    return entry == kSignal2Tone ? kTwoToneEncodeMax : kMskEncodeMax;
}

int ReadNumberText(const std::string& text) {
    return kNoneText.Matches(text) ? 0 : TextToInt(text);
}

namespace {

// A typed "99999999999" reads as the largest int; a step beyond it wraps like any other.
int StepWrapped(int value, int delta, int max) {
    int sum = 0;
    if (__builtin_add_overflow(value, delta, &sum)) {
        sum = delta > 0 ? max + 1 : -1;
    }
    return Wrap(sum, max);
}

}  // namespace

std::string NumberText(int value, bool chinese) {
    if (value == 0) {
        return kNoneText.Get(chinese);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

std::string EncodeTextFromByte(int entry, std::uint8_t byte14, bool chinese) {
    if (!ShowsEncode(entry)) {
        return {};
    }
    const int shownMax = entry == kSignal2Tone ? kTwoToneEncodeShownMax : kMskEncodeShownMax;
    return NumberText(byte14 >= 1 && byte14 <= shownMax ? byte14 : 0, chinese);
}

std::string DecodeTextFromByte(int entry, std::uint8_t byte15, bool chinese) {
    if (!ShowsDecode(entry)) {
        return {};
    }
    return NumberText(byte15 >= 1 && byte15 <= kDecodeShownMax ? byte15 : 0, chinese);
}

std::string StepEncode(int entry, const std::string& text, int delta, bool chinese) {
    if (!ShowsEncode(entry)) {
        return text;
    }
    return NumberText(StepWrapped(ReadNumberText(text), delta, EncodeMax(entry)), chinese);
}

std::string StepDecode(int entry, const std::string& text, int delta, bool chinese) {
    if (!ShowsDecode(entry)) {
        return text;
    }
    return NumberText(StepWrapped(ReadNumberText(text), delta, kDecodeMax), chinese);
}

std::string ClampEncode(int entry, const std::string& text, bool chinese) {
    if (!ShowsEncode(entry)) {
        return text;
    }
    const int value = ReadNumberText(text);
    return NumberText(std::clamp(value, 0, EncodeMax(entry)), chinese);
}

std::string ClampDecode(int entry, const std::string& text, bool chinese) {
    if (!ShowsDecode(entry)) {
        return text;
    }
    return NumberText(std::clamp(ReadNumberText(text), 0, kDecodeMax), chinese);
}

int StepChannelNumber(int number, int delta) {
    return StepWrapped(number, delta, kMaxChannelNumber);
}

CChannelEditState LoadChannelEdit(const CMemoryImage& image, int number, bool chinese) {
    CChannelEditState state;
    state.m_number = number;
    const auto record = image.Row(ChannelNumberToRecord(number));
    state.m_entry = SignalEntryFromBits(record[kSignalByte]);
    state.m_signalEnabled = state.m_entry != kSignalNone;
    state.m_encodeText = EncodeTextFromByte(state.m_entry, record[kEncodeByte], chinese);
    state.m_decodeText = DecodeTextFromByte(state.m_entry, record[kDecodeByte], chinese);
    return state;
}

void SelectSignal(CChannelEditState& state, int entry, CDocumentState& doc, CChannelTable* table,
                  CUserValues* userValues, bool chinese) {
    state.m_entry = entry;
    const auto record = doc.m_image.Row(ChannelNumberToRecord(state.m_number));
    state.m_encodeText = EncodeTextFromByte(entry, record[kEncodeByte], chinese);
    state.m_decodeText = DecodeTextFromByte(entry, record[kDecodeByte], chinese);
    record[kSignalByte] = static_cast<std::uint8_t>((record[kSignalByte] & ~SignalField().m_mask) |
                                                    SignalBitsForEntry(entry));
    doc.m_bNewDocument = false;
    if (table != nullptr) {
        table->FillGrid(doc, userValues, chinese);
    }
}

void StoreShownNumbers(const CChannelEditState& state, CMemoryImage& image) {
    const auto record = image.Row(ChannelNumberToRecord(state.m_number));
    if (ShowsDecode(state.m_entry)) {
        record[kDecodeByte] = static_cast<std::uint8_t>(ReadNumberText(state.m_decodeText));
    }
    if (ShowsEncode(state.m_entry)) {
        record[kEncodeByte] = static_cast<std::uint8_t>(ReadNumberText(state.m_encodeText));
    }
}

CResult<> ChangeChannel(CChannelEditState& state, int newNumber, CDocumentState& doc,
                        const CChannelTable& table, bool chinese) {
    table.StoreGrid(doc);
    StoreShownNumbers(state, doc.m_image);
    if (newNumber < 0 || newNumber > kMaxChannelNumber) {
        return std::unexpected(kChannelNumberError);
    }
    state = LoadChannelEdit(doc.m_image, newNumber, chinese);
    return {};
}

void ApplyChannelEditOk(const CChannelEditState& state, CMemoryImage& image) {
    const auto record = image.Row(ChannelNumberToRecord(state.m_number));
    if (state.m_entry == kSignal2Tone) {
        record[kDecodeByte] = static_cast<std::uint8_t>(ReadNumberText(state.m_decodeText));
        record[kEncodeByte] = static_cast<std::uint8_t>(ReadNumberText(state.m_encodeText));
    } else if (state.m_entry == kSignalMsk) {
        record[kEncodeByte] = static_cast<std::uint8_t>(ReadNumberText(state.m_encodeText));
    } else {
        record[kDecodeByte] = 0xFF;
        record[kEncodeByte] = 0xFF;
    }
}
