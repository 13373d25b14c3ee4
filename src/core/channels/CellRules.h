#pragma once

#include <string>
#include <vector>

#include "channels/Bands.h"
#include "channels/ChannelRecord.h"
#include "util/Prompt.h"

class CChannelTable;

// Which floating editor (ECellEditor, channels/ChannelRecord.h) a grid column uses.
ECellEditor EditorForColumn(int column);
bool IsDropDownEditor(ECellEditor editor);

inline constexpr std::size_t kFrequencyEditorLimit = 9;
// A channel name as it may be typed (the grid's name editor, a CSV import): at most 7 bytes in
// GBK, the radio's encoding, so a Chinese character takes 2. A longer name from a radio or a
// file (8 bytes fit the record) is shown and kept whole until it is edited.
inline constexpr std::size_t kNameEditorLimit = 7;  // bytes
bool FitsNameEditor(const std::string& text);

// The entries of a drop-down editor in the given language; empty for the edit boxes.
const std::vector<std::string>& EditorEntries(ECellEditor editor, bool chinese);

// The entry a drop-down selects when a cell is entered: the first that begins with the text
// (ASCII case ignored), else the first entry. -1 only for an empty list.
int SelectEntry(const std::vector<std::string>& entries, const std::string& text);

// What the editor holds when a cell is entered: the cell text for an edit box, the selected
// entry for a drop-down.
std::string EditorTextForCell(int column, const std::string& cellText, bool chinese);

// The frequency editor's key filter: which keys reach the editor.
enum class EFrequencyKey {
    Backspace,
    Delete,
    Digit,          // 0..9 of the main keyboard
    Period,         // the full stop of the main keyboard
    KeypadDigit,    // numeric keypad 0..9
    KeypadDecimal,  // numeric keypad decimal point
    Arrow,
    HomeEnd,    // with or without Shift
    SelectAll,  // Ctrl+A
    CopyCut,    // Ctrl+C, Ctrl+X (paste stays out: it could bring any text)
    Enter,
    Other,  // everything else, F1 included (its help opens before the filter)
};
enum class EKeyAction { Pass, Swallow, CommitThenPass };
EKeyAction FilterFrequencyKey(EFrequencyKey key, bool shiftHeld);

// The "More" cell opens the Channel Edit dialog only when the row has an Rx or a Tx text.
bool CanOpenChannelEdit(const CChannelTable& table, int row);

// Texts of columns 3..12 for a channel created by entering its first Rx frequency.
std::vector<std::string> NewChannelDefaults(bool chinese);

// Limits of the cell checks, in frequency counts.
inline constexpr int kRxMin = 6700000;
inline constexpr int kRxMax = 60000000;
inline constexpr int kTxMin = 6700000;
inline constexpr int kTxMax = 51200000;
inline constexpr const char* kTxReplacement = "67.00000";

// How the edit is committed: by leaving the cell, or by Enter in the frequency editor (a
// failure then clears the editor's text instead of leaving it).
enum class ECommitKind { LeaveCell, Enter };

struct CCellCommit {
    // False when a check failed: the cell kept its text and the editor stays open.
    bool m_accepted = true;
    // The editor stays visible (failures, and the "More" cell whose editor is the grid).
    bool m_editorStays = false;
    // The editor's text afterwards (for Enter failures it is cleared).
    std::string m_editorText;
    // 0, or IDS_OUT_OF_RANGE (61446), IDS_DATA_FORMAT (61447), IDS_STEP_VALUE (61454).
    int m_messageId = 0;
    EPromptIcon m_icon = EPromptIcon::None;
};

// Moves an editor's text into cell (row, column) of the table with the column's checks. The
// Rx and Tx texts of the row before the edit are taken from the table. A failure changes no
// cell. Rows outside 1..129 and column 0 change nothing.
CCellCommit CommitCellEdit(CChannelTable& table, int row, int column, const std::string& editorText,
                           const CBandsMHz& bands, bool chinese,
                           ECommitKind kind = ECommitKind::LeaveCell);

// The message box of a failed commit: the string's text, caption "Caution" (61456), OK.
CPrompt CellCommitPrompt(const CCellCommit& commit, bool chinese);
