#include "channels/CellRules.h"

#include <array>

#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "settings/Messages.h"
#include "util/Gbk.h"

namespace {

constexpr std::size_t kEditorKinds = static_cast<std::size_t>(ECellEditor::Grid) + 1;
using CEntryLists = std::array<std::vector<std::string>, kEditorKinds>;

// The drop-down lists of the choice columns, by editor.
CEntryLists BuildLists(bool chinese) {
    CEntryLists lists;
    for (const CChannelField& field : ChannelFields()) {
        if (field.m_column >= 0 && field.m_codec == ERecordCodec::kChoice) {
            lists[static_cast<std::size_t>(field.m_editor)] = ChoiceEntries(field, chinese);
        }
    }
    return lists;
}

// ASCII letters only: the process's locale must not fold the bytes of a UTF-8 text.
char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(const std::string& entry, const std::string& prefix) {
    if (prefix.size() > entry.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldAscii(entry[i]) != FoldAscii(prefix[i])) {
            return false;
        }
    }
    return true;
}

void ClearRow(CChannelTable& table, int row) {
    for (int column = kColRx; column <= kColMore; ++column) {
        table.SetText(row, column, "");
    }
}

CCellCommit Failure(int messageId, EPromptIcon icon, const std::string& editorText,
                    ECommitKind kind) {
    CCellCommit result;
    result.m_accepted = false;
    result.m_editorStays = true;
    result.m_messageId = messageId;
    result.m_icon = icon;
    result.m_editorText = kind == ECommitKind::Enter ? std::string() : editorText;
    return result;
}

CCellCommit CommitRx(CChannelTable& table, int row, const std::string& editorText,
                     const CBandsMHz& bands, bool chinese, ECommitKind kind) {
    const bool oldRxEmpty = table.GetText(row, kColRx).empty();
    CCellCommit result;
    if (editorText.empty()) {
        ClearRow(table, row);
        return result;
    }
    const int v = ParseFrequency(editorText);
    const std::string text = FormatFrequencyCount(v);
    if (v < kRxMin || v > kRxMax) {
        return Failure(IDS_DATA_FORMAT, EPromptIcon::Stop, text, kind);
    }
    // An off-step frequency used to delete the whole channel; it now fails like the others.
    if (v % 500 != 0 && v % 625 != 0) {
        return Failure(IDS_STEP_VALUE, EPromptIcon::Exclamation, text, kind);
    }
    if (!bands.Contains(v)) {
        return Failure(IDS_OUT_OF_RANGE, EPromptIcon::Exclamation, text, kind);
    }
    table.SetText(row, kColRx, text);
    if (oldRxEmpty) {
        table.SetText(row, kColTx, text);
        const auto defaults = NewChannelDefaults(chinese);
        for (int column = kColRxTone; column <= kColMore; ++column) {
            table.SetText(row, column, defaults[column - kColRxTone]);
        }
    }
    result.m_editorText = text;
    return result;
}

}  // namespace

ECellEditor EditorForColumn(int column) {
    if (column == kColMore) {
        return ECellEditor::Grid;
    }
    const CChannelField* field = FieldOfColumn(column);
    return field != nullptr ? field->m_editor : ECellEditor::Frequency;
}

bool FitsNameEditor(const std::string& text) {
    return GbkLength(text) <= kNameEditorLimit;
}

bool IsDropDownEditor(ECellEditor editor) {
    return editor != ECellEditor::Frequency && editor != ECellEditor::Name &&
           editor != ECellEditor::Grid;
}

const std::vector<std::string>& EditorEntries(ECellEditor editor, bool chinese) {
    static const CEntryLists english = BuildLists(false);
    static const CEntryLists chineseLists = BuildLists(true);
    if (editor == ECellEditor::Tone) {
        return ToneList(chinese);
    }
    const auto index = static_cast<std::size_t>(editor);
    static const std::vector<std::string> none;
    return index < kEditorKinds ? (chinese ? chineseLists : english)[index] : none;
}

int SelectEntry(const std::vector<std::string>& entries, const std::string& text) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (StartsWithIgnoringCase(entries[i], text)) {
            return static_cast<int>(i);
        }
    }
    return entries.empty() ? -1 : 0;
}

std::string EditorTextForCell(int column, const std::string& cellText, bool chinese) {
    const ECellEditor editor = EditorForColumn(column);
    if (!IsDropDownEditor(editor)) {
        return cellText;
    }
    const auto& entries = EditorEntries(editor, chinese);
    const int index = SelectEntry(entries, cellText);
    return index < 0 ? std::string() : entries[index];
}

EKeyAction FilterFrequencyKey(EFrequencyKey key, bool shiftHeld) {
    switch (key) {
        case EFrequencyKey::Backspace:
        case EFrequencyKey::Delete:
        case EFrequencyKey::KeypadDigit:
        case EFrequencyKey::KeypadDecimal:
        case EFrequencyKey::Arrow:
        case EFrequencyKey::HomeEnd:
        case EFrequencyKey::SelectAll:
        case EFrequencyKey::CopyCut:
            return EKeyAction::Pass;
        case EFrequencyKey::Digit:
        case EFrequencyKey::Period:
            // Shift turns them into symbols no frequency has.
            return shiftHeld ? EKeyAction::Swallow : EKeyAction::Pass;
        case EFrequencyKey::Enter:
            return EKeyAction::CommitThenPass;
        default:
            return EKeyAction::Swallow;
    }
}

bool CanOpenChannelEdit(const CChannelTable& table, int row) {
    if (row < 1 || row >= kGridRows) {
        return false;
    }
    return !table.GetText(row, kColRx).empty() || !table.GetText(row, kColTx).empty();
}

std::vector<std::string> NewChannelDefaults(bool chinese) {
    std::vector<std::string> defaults;
    for (int column = kColRxTone; column < kColMore; ++column) {
        defaults.emplace_back(FieldOfColumn(column)->m_default.Get(chinese));
    }
    defaults.emplace_back(kMoreText);
    return defaults;
}

CCellCommit CommitCellEdit(CChannelTable& table, int row, int column, const std::string& editorText,
                           const CBandsMHz& bands, bool chinese, ECommitKind kind) {
    CCellCommit result;
    result.m_editorText = editorText;
    if (row < 1 || row >= kGridRows || column < 1 || column >= kGridColumns) {
        return result;
    }
    const bool oldRxEmpty = table.GetText(row, kColRx).empty();
    const bool oldTxEmpty = table.GetText(row, kColTx).empty();
    switch (column) {
        case kColRx:
            return CommitRx(table, row, editorText, bands, chinese, kind);
        case kColTx: {
            const int v = ParseFrequency(editorText);
            std::string text = FormatFrequencyCount(v);
            if (v < kTxMin || v > kTxMax) {
                text = kTxReplacement;
            }
            if (oldRxEmpty) {
                text.clear();
            }
            table.SetText(row, column, text);
            result.m_editorText = text;
            return result;
        }
        case kColMore:
            table.SetText(row, column, oldRxEmpty && oldTxEmpty ? "" : kMoreText);
            result.m_editorStays = true;
            return result;
        default:
            table.SetText(row, column, oldRxEmpty && oldTxEmpty ? "" : editorText);
            return result;
    }
}

CPrompt CellCommitPrompt(const CCellCommit& commit, bool chinese) {
    CPrompt prompt;
    prompt.m_text = LoadString(commit.m_messageId, chinese);
    prompt.m_caption = LoadString(IDS_CAUTION, chinese);
    prompt.m_icon = commit.m_icon;
    prompt.m_buttons = EPromptButtons::Ok;
    prompt.m_stringId = commit.m_messageId;
    return prompt;
}
