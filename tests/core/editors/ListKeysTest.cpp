#include "editors/ListKeys.h"

#include <gtest/gtest.h>

namespace {

constexpr EKeyAction P = EKeyAction::Pass;
constexpr EKeyAction S = EKeyAction::Swallow;

struct CKeyCase {
    CListKeyPress m_press;
    EKeyAction m_encode, m_stun, m_call, m_msk;
};

TEST(ListKeys, EachFilterPassesOnlyItsKeys) {
    using K = EListKey;
    const CKeyCase cases[] = {
        {{K::Digit, '5', false}, P, P, P, P},
        {{K::KeypadDigit, '5', false}, P, P, P, P},
        {{K::Backspace, 0, false}, P, P, P, P},
        {{K::Delete, 0, false}, P, P, P, P},
        {{K::Letter, 'A', false}, S, P, P, P},
        {{K::Letter, 'D', false}, S, P, P, P},
        {{K::Letter, 'E', false}, S, S, S, P},
        {{K::Letter, 'F', false}, S, S, S, P},
        {{K::Letter, 'G', false}, S, S, S, S},
        {{K::LeftRight, 0, false}, S, P, P, P},
        {{K::UpDown, 0, false}, S, S, P, P},
        {{K::Other, 0, false}, S, S, S, S},
        // Shift: '#' and '*' for the DTMF lists only; nothing else anywhere.
        {{K::Digit, '3', true}, S, P, P, S},
        {{K::Digit, '8', true}, S, P, P, S},
        {{K::Digit, '4', true}, S, S, S, S},
        {{K::Letter, 'A', true}, S, S, S, S},
        {{K::Backspace, 0, true}, S, S, S, S},
        {{K::Navigation, 0, false}, P, P, P, P},
        {{K::Navigation, 0, true}, P, P, P, P},
    };
    for (const auto& c : cases) {
        const auto& p = c.m_press;
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(p.m_key) << " '" << p.m_char << "' shift " << p.m_shift);
        EXPECT_EQ(FilterListKey(EKeyFilter::DtmfEncode, p), c.m_encode);
        EXPECT_EQ(FilterListKey(EKeyFilter::DtmfStunCode, p), c.m_stun);
        EXPECT_EQ(FilterListKey(EKeyFilter::DtmfCallList, p), c.m_call);
        EXPECT_EQ(FilterListKey(EKeyFilter::Msk, p), c.m_msk);
    }
}

TEST(ListKeys, ListOpensOnTheEntryTheEditShows) {
    const std::vector<std::string> group = {"Off", "A", "B", "C", "D", "*", "#"};
    const std::vector<std::string> stun = {"Tx inhibit", "Transceiver inhibit"};
    const struct {
        const std::vector<std::string>* m_entries;
        std::string m_text;
        int m_index;
    } cases[] = {
        {&group, "Off", 0},  // found only after wrapping
        {&group, "off", 0}, {&group, "A", 1},         {&group, "#", 6},
        {&group, "E", -1},  // a radio's byte no entry stands for
        {&group, "", 1},    {&stun, "Tx inhibit", 0}, {&stun, "Transceiver inhibit", 1},
        {&stun, "T", 1},  // the search starts after entry 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListEntryForText(*c.m_entries, c.m_text), c.m_index) << c.m_text;
    }
    EXPECT_EQ(ListEntryForText({}, "A"), -1);
}

TEST(ListKeys, PastedTextKeepsTheFieldsCharacters) {
    const struct {
        ECharset m_charset;
        std::string m_text, m_kept;
    } cases[] = {
        {ECharset::kHex, "12G4afF", "124F"},  // lower case is the caller's to raise first
        {ECharset::kDtmf, "1A*#E x", "1A*#"},
        {ECharset::kAny, "A b\t\xE4\xB8\xAD~", "A b~"},
        {ECharset::kDigits, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeepCharset(c.m_charset, c.m_text), c.m_kept) << c.m_text;
    }
}

// Numbers only: the decimal point from the keypad alone, nothing while Shift is held.
TEST(ListKeys, TwoTonePassesNumbers) {
    using K = EListKey;
    const struct {
        CListKeyPress m_press;
        EKeyAction m_action;
    } cases[] = {
        {{K::Digit, '5', false}, P},       {{K::KeypadDigit, '5', false}, P},
        {{K::KeypadDecimal, 0, false}, P}, {{K::Other, 0, false}, S},  // the main full stop
        {{K::Backspace, 0, false}, P},     {{K::Delete, 0, false}, P},
        {{K::LeftRight, 0, false}, P},     {{K::UpDown, 0, false}, P},
        {{K::Letter, 'A', false}, S},      {{K::Digit, '5', true}, S},
        {{K::KeypadDecimal, 0, true}, S},  {{K::Navigation, 0, true}, P},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FilterListKey(EKeyFilter::TwoTone, c.m_press), c.m_action)
            << static_cast<int>(c.m_press.m_key) << " shift " << c.m_press.m_shift;
    }
    // The other filters keep swallowing the keypad's point.
    EXPECT_EQ(FilterListKey(EKeyFilter::Msk, {K::KeypadDecimal, 0, false}), S);
    EXPECT_EQ(FilterListKey(EKeyFilter::DtmfCallList, {K::KeypadDecimal, 0, false}), S);
}

}  // namespace
