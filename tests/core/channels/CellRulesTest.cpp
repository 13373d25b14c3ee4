#include <gtest/gtest.h>

#include "FakeUserValues.h"
#include "channels/CellRules.h"
#include "channels/ChannelTable.h"
#include "settings/Messages.h"

namespace {

const CBandsMHz kDefaultBands{136, 174, 350, 520};

// Row 2 holds a channel; every other row is empty.
CChannelTable TableWithChannel() {
    CChannelTable table(false);
    const char* texts[] = {"146.02500", "146.62500", "67.0", "None", "AB",   "High",
                           "Wide",      "Yes",       "Off",  "Off",  "DTMF", ">>"};
    for (int column = 1; column < kGridColumns; ++column) {
        table.SetText(2, column, texts[column - 1]);
    }
    return table;
}

std::vector<std::string> RowTexts(const CChannelTable& table, int row) {
    std::vector<std::string> texts;
    for (int column = 1; column < kGridColumns; ++column) {
        texts.push_back(table.GetText(row, column));
    }
    return texts;
}

TEST(CellRules, RxChecksInOrderWithTheirMessages) {
    struct CCase {
        const char* m_text;
        int m_message;
        EPromptIcon m_icon;
        const char* m_cell;  // the Rx cell afterwards (row 2 held 146.02500)
    };
    const CCase cases[] = {
        {"146.025", 0, EPromptIcon::None, "146.02500"},
        {"146.00625", 0, EPromptIcon::None, "146.00625"},
        {"174", 0, EPromptIcon::None, "174.00000"},
        {"350", 0, EPromptIcon::None, "350.00000"},
        {"66.99999", IDS_DATA_FORMAT, EPromptIcon::Stop, "146.02500"},
        {"600.00001", IDS_DATA_FORMAT, EPromptIcon::Stop, "146.02500"},
        {"abc", IDS_DATA_FORMAT, EPromptIcon::Stop, "146.02500"},
        {"146.0025", IDS_STEP_VALUE, EPromptIcon::Exclamation, "146.02500"},
        {"174.005", IDS_OUT_OF_RANGE, EPromptIcon::Exclamation, "146.02500"},
        {"349.995", IDS_OUT_OF_RANGE, EPromptIcon::Exclamation, "146.02500"},
        {"600", IDS_OUT_OF_RANGE, EPromptIcon::Exclamation, "146.02500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_text);
        CChannelTable table = TableWithChannel();
        auto before = RowTexts(table, 2);
        const CCellCommit commit = CommitCellEdit(table, 2, kColRx, c.m_text, kDefaultBands, false);
        EXPECT_EQ(commit.m_messageId, c.m_message);
        EXPECT_EQ(commit.m_icon, c.m_icon);
        EXPECT_EQ(commit.m_accepted, c.m_message == 0);
        EXPECT_EQ(commit.m_editorStays, c.m_message != 0);
        EXPECT_EQ(table.GetText(2, kColRx), c.m_cell);
        before[0] = c.m_cell;
        // The Tx and every other cell of an existing channel stay, also on a step failure.
        EXPECT_EQ(RowTexts(table, 2), before);
    }
}

TEST(CellRules, SixHundredPassesTheRangeCheckWhenABandHoldsIt) {
    CChannelTable table(false);
    const auto commit = CommitCellEdit(table, 1, kColRx, "600", {136, 174, 500, 600}, false);
    EXPECT_TRUE(commit.m_accepted);
    EXPECT_EQ(table.GetText(1, kColRx), "600.00000");
}

TEST(CellRules, FirstRxCreatesAChannelWithDefaults) {
    for (bool chinese : {false, true}) {
        CChannelTable table(false);
        const auto commit = CommitCellEdit(table, 7, kColRx, "146.025", kDefaultBands, chinese);
        EXPECT_TRUE(commit.m_accepted);
        EXPECT_FALSE(commit.m_editorStays);
        std::vector<std::string> expected{"146.02500", "146.02500"};
        const auto defaults = NewChannelDefaults(chinese);
        expected.insert(expected.end(), defaults.begin(), defaults.end());
        EXPECT_EQ(RowTexts(table, 7), expected);
    }
    EXPECT_EQ(NewChannelDefaults(true),
              (std::vector<std::string>{"无", "无", "", "高", "宽", "是", "关", "关", "无", ">>"}));
}

TEST(CellRules, EmptyRxDeletesTheChannel) {
    CChannelTable table = TableWithChannel();
    const auto commit = CommitCellEdit(table, 2, kColRx, "", kDefaultBands, false);
    EXPECT_TRUE(commit.m_accepted);
    EXPECT_EQ(RowTexts(table, 2), std::vector<std::string>(12));
}

TEST(CellRules, EnterFailureClearsTheEditorAndKeepsTheRow) {
    for (const char* text : {"50", "146.0025", "200"}) {
        SCOPED_TRACE(text);
        CChannelTable table = TableWithChannel();
        const auto before = RowTexts(table, 2);
        const auto commit =
            CommitCellEdit(table, 2, kColRx, text, kDefaultBands, false, ECommitKind::Enter);
        EXPECT_FALSE(commit.m_accepted);
        EXPECT_TRUE(commit.m_editorStays);
        EXPECT_EQ(commit.m_editorText, "");
        EXPECT_EQ(RowTexts(table, 2), before);
    }
    CChannelTable table = TableWithChannel();
    const auto leave = CommitCellEdit(table, 2, kColRx, "146.0025", kDefaultBands, false);
    EXPECT_EQ(leave.m_editorText, "146.00250");  // leaving keeps what was typed, rewritten
    const auto ok =
        CommitCellEdit(table, 2, kColRx, "147", kDefaultBands, false, ECommitKind::Enter);
    EXPECT_TRUE(ok.m_accepted);
    EXPECT_FALSE(ok.m_editorStays);
}

TEST(CellRules, TxIsReplacedOrDroppedButNeverRefused) {
    struct CCase {
        const char* m_text;
        int m_row;
        const char* m_cell;
    };
    const CCase cases[] = {
        {"145.4", 2, "145.40000"}, {"600", 2, "67.00000"},       {"66.9", 2, "67.00000"},
        {"512", 2, "512.00000"},   {"146.0025", 2, "146.00250"}, {"", 2, "67.00000"},
        {"146.025", 5, ""},  // no Rx: an empty row takes no Tx
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_text);
        CChannelTable table = TableWithChannel();
        const auto commit = CommitCellEdit(table, c.m_row, kColTx, c.m_text, kDefaultBands, false);
        EXPECT_TRUE(commit.m_accepted);
        EXPECT_EQ(commit.m_messageId, 0);
        EXPECT_EQ(table.GetText(c.m_row, kColTx), c.m_cell);
        if (c.m_row == 2) {
            EXPECT_EQ(table.GetText(2, kColRx), "146.02500");
        }
    }
}

TEST(CellRules, SettingsCellsOfAnEmptyRowStayEmpty) {
    for (int column = kColRxTone; column <= kColOptSignal; ++column) {
        CChannelTable table = TableWithChannel();
        CommitCellEdit(table, 9, column, "High", kDefaultBands, false);
        EXPECT_EQ(table.GetText(9, column), "") << column;
        CommitCellEdit(table, 2, column, "High", kDefaultBands, false);
        EXPECT_EQ(table.GetText(2, column), "High") << column;
    }
    CChannelTable table = TableWithChannel();
    table.SetText(2, kColMore, "");
    auto more = CommitCellEdit(table, 2, kColMore, "", kDefaultBands, false);
    EXPECT_EQ(table.GetText(2, kColMore), ">>");
    EXPECT_TRUE(more.m_editorStays);
    CommitCellEdit(table, 9, kColMore, ">>", kDefaultBands, false);
    EXPECT_EQ(table.GetText(9, kColMore), "");
    // Outside the grid nothing happens.
    CommitCellEdit(table, 0, kColRx, "146", kDefaultBands, false);
    CommitCellEdit(table, 130, kColRx, "146", kDefaultBands, false);
    EXPECT_EQ(table.GetText(0, kColRx), "Rx Frequency");
}

TEST(CellRules, EditorsAndPrefixSelection) {
    EXPECT_EQ(EditorForColumn(0), ECellEditor::Frequency);
    EXPECT_EQ(EditorForColumn(2), ECellEditor::Frequency);
    EXPECT_EQ(EditorForColumn(4), ECellEditor::Tone);
    EXPECT_EQ(EditorForColumn(5), ECellEditor::Name);
    EXPECT_EQ(EditorForColumn(12), ECellEditor::Grid);
    EXPECT_EQ(EditorEntries(ECellEditor::Power, false), (std::vector<std::string>{"Low", "High"}));
    EXPECT_EQ(EditorEntries(ECellEditor::PttId, true),
              (std::vector<std::string>{"关", "发射开始", "发射结束", "两者"}));
    EXPECT_TRUE(EditorEntries(ECellEditor::Name, false).empty());

    struct CCase {
        int m_column;
        const char* m_cell;
        const char* m_editor;
    };
    const CCase cases[] = {
        {kColRxTone, "D023N", "D023N"},
        {kColRxTone, "68.0", "None"},        // a tone outside the
                                             // list selects "None"
        {kColRxTone, "1", "100.0"},          // first entry beginning with the text
        {kColBusyLock, "qt/dqt", "QT/DQT"},  // case ignored
        {kColOptSignal, "MSK", "None"},      // the grid offers only None and DTMF
        {kColOptSignal, "2-Tone", "None"},
        {kColPower, "", "Low"},
        {kColName, "AB", "AB"},
        {kColRx, "146.02500", "146.02500"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EditorTextForCell(c.m_column, c.m_cell, false), c.m_editor) << c.m_cell;
    }
    EXPECT_EQ(SelectEntry({}, "x"), -1);
}

TEST(CellRules, FrequencyKeyFilter) {
    struct CCase {
        EFrequencyKey m_key;
        bool m_shift;
        EKeyAction m_action;
    };
    const CCase cases[] = {
        {EFrequencyKey::Digit, false, EKeyAction::Pass},
        {EFrequencyKey::Digit, true, EKeyAction::Swallow},  // Shift+8 is '*'
        {EFrequencyKey::Period, true, EKeyAction::Swallow},
        {EFrequencyKey::KeypadDigit, true, EKeyAction::Pass},
        {EFrequencyKey::KeypadDecimal, false, EKeyAction::Pass},
        {EFrequencyKey::Backspace, false, EKeyAction::Pass},
        {EFrequencyKey::Arrow, true, EKeyAction::Pass},
        // Selecting and moving within the text.
        {EFrequencyKey::HomeEnd, false, EKeyAction::Pass},
        {EFrequencyKey::HomeEnd, true, EKeyAction::Pass},
        {EFrequencyKey::SelectAll, false, EKeyAction::Pass},
        {EFrequencyKey::CopyCut, false, EKeyAction::Pass},
        {EFrequencyKey::Enter, false, EKeyAction::CommitThenPass},
        {EFrequencyKey::Other, false, EKeyAction::Swallow},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FilterFrequencyKey(c.m_key, c.m_shift), c.m_action)
            << static_cast<int>(c.m_key) << " " << c.m_shift;
    }
}

TEST(CellRules, MoreCellOpensTheDialogOnlyForARowWithAFrequency) {
    CChannelTable table = TableWithChannel();
    EXPECT_TRUE(CanOpenChannelEdit(table, 2));
    EXPECT_FALSE(CanOpenChannelEdit(table, 3));
    table.SetText(3, kColTx, "146.00000");
    EXPECT_TRUE(CanOpenChannelEdit(table, 3));
    EXPECT_FALSE(CanOpenChannelEdit(table, 0));
}

TEST(CellRules, PromptUsesTheStringTableAndCaution) {
    CCellCommit commit;
    commit.m_messageId = IDS_STEP_VALUE;
    commit.m_icon = EPromptIcon::Exclamation;
    const CPrompt prompt = CellCommitPrompt(commit, false);
    EXPECT_EQ(prompt.m_text, "Error data Value, please input according the step value(6.25K/5k).");
    EXPECT_EQ(prompt.m_caption, "Caution");
    EXPECT_EQ(prompt.m_icon, EPromptIcon::Exclamation);
    EXPECT_EQ(prompt.m_buttons, EPromptButtons::Ok);
    EXPECT_EQ(prompt.m_stringId, IDS_STEP_VALUE);
}

}  // namespace
