#include <gtest/gtest.h>

#include "editors/SettingsFields.h"

namespace {

// A dialog page stores its fields together, so a page must hold exactly its own fields, in the
// order the dialog shows them (the squelch lists are fields 0..3 of theirs).
TEST(PageFields, APageIsItsOwnFieldsInDialogOrder) {
    struct CCase {
        EPage m_page;
        int m_slot;
        std::size_t m_count;
        const char* m_first;
        const char* m_last;
    };
    const CCase cases[] = {
        {EPage::kSquelch, 0, 4, "squelch.v_wide", "squelch.u_narrow"},
        {EPage::kTwoToneDecode, 3, 6, "2tone.decode.3.a", "2tone.decode.3.long_delay"},
        {EPage::kProduct, 0, 3, "product.model", "product.band2"},
        {EPage::kTwoToneDecode, 0, 0, "", ""},  // the decode slots count from 1
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.m_first);
        const auto fields = PageFields(c.m_page, c.m_slot);
        ASSERT_EQ(fields.size(), c.m_count);
        for (const CField* field : fields) {
            EXPECT_EQ(field->m_page, c.m_page);
            EXPECT_EQ(field->m_slot, c.m_slot);
        }
        if (c.m_count > 0) {
            EXPECT_EQ(fields.front()->m_key, c.m_first);
            EXPECT_EQ(fields.back()->m_key, c.m_last);
        }
    }
    const auto squelch = PageFields(EPage::kSquelch);
    for (std::size_t i = 0; i < squelch.size(); ++i) {
        EXPECT_EQ(squelch[i]->m_offset, 6126 + i);
    }
}

}  // namespace
