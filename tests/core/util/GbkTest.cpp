#include <gtest/gtest.h>

#include "util/Gbk.h"

namespace {

// Program.ini values and radio bytes are shown whatever they hold: GBK pairs decode, ASCII
// passes, and a byte that is no GBK becomes '?' without losing the rest of the text.
TEST(Gbk, BytesDecodeToUtf8) {
    struct CCase {
        std::string_view m_bytes;
        const char* m_text;
    };
    const CCase cases[] = {
        {"Vornex", "Vornex"},
        {"\xCD\xA8\xD0\xC5", "通信"},
        {"A\xD6\xD0\x42", "A中B"},
        {"A\xD6", "A?"},     // a lead byte at the end
        {"\xFF\x41", "?A"},  // a byte no GBK sequence starts with
        {"", ""},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.m_text);
        EXPECT_EQ(GbkToUtf8(c.m_bytes), c.m_text);
    }
}

}  // namespace
