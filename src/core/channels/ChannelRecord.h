#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/Language.h"

// One channel record: 24 bytes at image offset 24*k, k = 0..128 (128 is the Fr record).
inline constexpr int kChannelCount = 129;
inline constexpr int kRecordSize = 24;
inline constexpr int kFrRecord = 128;

// Offsets inside a record.
inline constexpr int kRxOffset = 0;
inline constexpr int kTxOffset = 4;
inline constexpr int kRxToneOffset = 8;
inline constexpr int kTxToneOffset = 10;
inline constexpr int kSignalByte = 12;
inline constexpr int kModeByte = 13;
inline constexpr int kEncodeByte = 14;
inline constexpr int kDecodeByte = 15;
inline constexpr int kNameOffset = 16;
inline constexpr int kNameSize = 8;
// Bits 7-6 of the mode byte: 10 Tx above Rx, 01 below, 00 equal.
inline constexpr std::uint8_t kShiftMask = 0xC0;

using CRecord = std::span<std::uint8_t, kRecordSize>;
using CConstRecord = std::span<const std::uint8_t, kRecordSize>;

// Which floating editor a grid column uses.
enum class ECellEditor {
    Frequency,  // edit box, at most 9 characters (columns 1, 2 and any column not below)
    Tone,       // drop-down, the tone list (3, 4)
    Name,       // edit box, at most 7 bytes (5)
    Power,      // drop-down (6)
    Bandwidth,  // (7)
    ScanAdd,    // (8)
    PttId,      // (9)
    BusyLock,   // (10)
    OptSignal,  // (11)
    Grid,       // the "More" cell opens the Channel Edit dialog (12)
};

// How a field's bytes and texts convert.
enum class ERecordCodec {
    kFrequency,  // four BCD bytes
    kTone,       // two bytes (low, high)
    kName,       // eight GBK bytes
    kChoice,     // the bits under m_mask, one text per pattern
    kShift,      // the bits under m_mask follow Tx against Rx; no editor
    kNumber,     // a whole byte, a number of the Channel Edit dialog (0 is None)
};

// "None" of the tone lists, the optional signal and the Channel Edit numbers.
inline constexpr CText kNoneText{"None", "无"};

// One pattern of a choice field. Patterns without m_inEditor are shown but cannot be typed.
struct CRecordChoice {
    std::uint8_t m_bits = 0;
    CText m_text;
    bool m_inEditor = true;
};

// One field of the record, declared once: the grid, the codecs, a new channel, the Channel
// Edit dialog, the CSV checks and the report read it from here.
struct CChannelField {
    int m_column = -1;  // grid column; -1 for a field the grid does not show
    ECellEditor m_editor = ECellEditor::Grid;
    ERecordCodec m_codec = ERecordCodec::kChoice;
    int m_offset = 0;  // first byte in the record
    int m_size = 1;    // bytes
    std::uint8_t m_mask = 0xFF;
    std::span<const CRecordChoice> m_choices;  // in the drop-down's order
    int m_shownForOther = -1;   // choice shown for bits no choice has; -1: an empty text
    int m_storedForOther = -1;  // choice stored for a text no entry matches; -1: bits stay
    CText m_default{"", ""};    // the cell of a channel created by typing its Rx frequency
    CText m_reportLabel{"", ""};
};

// Every field of the record, in grid column order, then those the grid does not show.
std::span<const CChannelField> ChannelFields();
// The field shown in a grid column, or null (the label and "More" columns).
const CChannelField* FieldOfColumn(int column);
// The first field whose cells use the editor, or null.
const CChannelField* FieldOfEditor(ECellEditor editor);

// Choice fields: the choice of the bits under the mask, or -1; its text; a typed text (either
// language) into those bits, other bits of the byte staying.
int ChoiceIndex(const CChannelField& field, std::uint8_t byte);
std::string ChoiceText(const CChannelField& field, std::uint8_t byte, bool chinese);
void ApplyChoiceText(const CChannelField& field, std::uint8_t& byte, const std::string& text);
// The drop-down's entries: the choices that can be typed (all of them with `all`).
std::vector<std::string> ChoiceEntries(const CChannelField& field, bool chinese, bool all = false);
