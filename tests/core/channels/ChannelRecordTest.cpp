#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "channels/CellRules.h"
#include "channels/ChannelRecord.h"
#include "channels/ChannelTable.h"

// No two fields own the same bit, and every field lies inside the record: a wrong offset or
// mask in the table would make two cells write over each other.
TEST(ChannelRecord, FieldsOwnDisjointBitsOfTheRecord) {
    std::array<std::uint8_t, kRecordSize> owned{};
    for (const CChannelField& field : ChannelFields()) {
        SCOPED_TRACE(field.m_column);
        ASSERT_GE(field.m_offset, 0);
        ASSERT_LE(field.m_offset + field.m_size, kRecordSize);
        for (int i = field.m_offset; i < field.m_offset + field.m_size; ++i) {
            EXPECT_EQ(owned[i] & field.m_mask, 0) << "byte " << i;
            owned[i] |= field.m_mask;
        }
        for (const CRecordChoice& choice : field.m_choices) {
            EXPECT_EQ(choice.m_bits & ~field.m_mask, 0) << choice.m_text.m_en;
        }
    }
    // The shown columns each have exactly one field.
    for (int column = kColRx; column < kColMore; ++column) {
        const auto count = std::ranges::count(ChannelFields(), column, &CChannelField::m_column);
        EXPECT_EQ(count, 1) << column;
    }
}

// What a drop-down offers is what its codec stores and reads back, in both languages; and a
// new channel's cells start on an entry of their lists.
TEST(ChannelRecord, EveryEditorEntryRoundTripsInBothLanguages) {
    for (const CChannelField& field : ChannelFields()) {
        if (field.m_column < 0 || field.m_codec != ERecordCodec::kChoice) {
            continue;
        }
        const auto& english = EditorEntries(field.m_editor, false);
        const auto& chinese = EditorEntries(field.m_editor, true);
        ASSERT_EQ(english.size(), chinese.size());
        ASSERT_FALSE(english.empty());
        for (std::size_t i = 0; i < english.size(); ++i) {
            for (const std::string& typed : {english[i], chinese[i]}) {
                SCOPED_TRACE(typed);
                // Start from the bits of another entry so that a text that stores nothing fails.
                std::uint8_t byte = 0xFF;
                ApplyChoiceText(field, byte, english[(i + 1) % english.size()]);
                ApplyChoiceText(field, byte, typed);
                EXPECT_EQ(ChoiceText(field, byte, false), english[i]);
                EXPECT_EQ(ChoiceText(field, byte, true), chinese[i]);
                EXPECT_EQ(byte & ~field.m_mask, 0xFF & ~field.m_mask);
            }
        }
    }
    const auto defaults = NewChannelDefaults(false);
    const auto defaultsZh = NewChannelDefaults(true);
    for (int column = kColRxTone; column < kColMore; ++column) {
        const ECellEditor editor = EditorForColumn(column);
        if (!IsDropDownEditor(editor)) {
            continue;
        }
        for (bool zh : {false, true}) {
            const auto& entries = EditorEntries(editor, zh);
            const std::string& text = (zh ? defaultsZh : defaults)[column - kColRxTone];
            EXPECT_NE(std::ranges::find(entries, text), entries.end()) << column << " " << text;
        }
    }
}
