#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/Error.h"

class CChannelTable;
class CMemoryImage;
struct CDocumentState;
class CUserValues;

// The Channel Edit dialog's rules. Channel numbers: 1..128 are grid rows 1..128, 0 is the Fr
// record (grid row 129).
inline constexpr int kMaxChannelNumber = 128;
int ChannelNumberToRow(int number);  // 0 -> 129
int RowToChannelNumber(int row);     // 129 -> 0
int ChannelNumberToRecord(int number);

// Entries of the optional signal list.
enum ESignalEntry : int {
    kSignalNone = -1,  // no selection (bits 0-2 other than 0, 1, 2, 4); stores 7
    kSignalOff = 0,    // "None"
    kSignalMsk = 1,
    kSignalDtmf = 2,
    kSignal2Tone = 3,
};
const std::vector<std::string>& SignalEntries(bool chinese);
int SignalEntryFromBits(std::uint8_t signalByte);  // bits 0-2 -> entry, kSignalNone otherwise
std::uint8_t SignalBitsForEntry(int entry);        // 0, 1, 2, 4, or 7 for no selection
// Entry whose text (English or Chinese) matches exactly, or kSignalNone.
int SignalEntryFromText(const std::string& text);

// Which number edits the dialog shows for a signal.
bool ShowsEncode(int entry);  // MSK and 2-Tone
bool ShowsDecode(int entry);  // 2-Tone

// The largest encode number the dialog sets for a signal (2-Tone or MSK).
int EncodeMax(int entry);

// "None"/"无" reads 0, any other text as atoi.
int ReadNumberText(const std::string& text);
// 0 shows "None"/"无", anything else "%d".
std::string NumberText(int value, bool chinese);

// Texts shown for stored bytes 14 and 15: a number when it is in the shown range (2-Tone
// encode 1..33, decode 1..9; MSK encode 1..9), else "None"; empty when the edit is hidden.
std::string EncodeTextFromByte(int entry, std::uint8_t byte14, bool chinese);
std::string DecodeTextFromByte(int entry, std::uint8_t byte15, bool chinese);

// A spin step (+1 or -1) on the encode or decode text, wrapping 2-Tone encode 0..32, MSK
// encode 0..9, decode 0..8. With a signal that hides the edit the text stays.
std::string StepEncode(int entry, const std::string& text, int delta, bool chinese);
std::string StepDecode(int entry, const std::string& text, int delta, bool chinese);

// The edit loses the focus: too large numbers are cut to 32 (2-Tone encode), 9 (MSK encode)
// or 8 (decode). Negative numbers become 0 (None): the byte cannot hold them.
std::string ClampEncode(int entry, const std::string& text, bool chinese);
std::string ClampDecode(int entry, const std::string& text, bool chinese);

// The channel spin: below 0 becomes 128, above 128 becomes 0.
int StepChannelNumber(int number, int delta);

// What the dialog shows for one channel.
struct CChannelEditState {
    int m_number = 0;
    int m_entry = kSignalNone;
    bool m_signalEnabled = false;  // edit 1024 is disabled for an unknown signal
    std::string m_encodeText;      // empty when hidden
    std::string m_decodeText;
};

// Opening, or loading a channel after a change of channel: signal and numbers from the image.
CChannelEditState LoadChannelEdit(const CMemoryImage& image, int number, bool chinese);

// A new selection in the signal list: bits 0-2 of byte 12 are written at once, the
// new-document flag is cleared and the grid refilled; the numbers shown follow the stored
// bytes. `table` may be null when no grid is kept.
void SelectSignal(CChannelEditState& state, int entry, CDocumentState& doc, CChannelTable* table,
                  CUserValues* userValues, bool chinese);

// The numbers on display into bytes 14 (encode) and 15 (decode) of the shown channel, for
// the edits that are shown.
void StoreShownNumbers(const CChannelEditState& state, CMemoryImage& image);

// A change of channel: StoreGrid, the old channel's shown numbers, then the new channel. A
// number outside 0..128 is refused with kChannelNumberError and the previous channel stays.
inline constexpr CText kChannelNumberError{"Please enter an integer between 0 and 128.",
                                           "请输入一个介于 0 和 128 之间的整数。"};
CResult<> ChangeChannel(CChannelEditState& state, int newNumber, CDocumentState& doc,
                        const CChannelTable& table, bool chinese);

// OK: 2-Tone writes bytes 15 and 14, MSK byte 14 only, any other selection 0xFF into both.
void ApplyChannelEditOk(const CChannelEditState& state, CMemoryImage& image);
