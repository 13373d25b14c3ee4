#pragma once

#include <string>
#include <vector>

#include "channels/CellRules.h"
#include "editors/SettingsFields.h"

// The key filters of the DTMF and MSK pages and of their list editors, and the list-over-edit
// selection, as plain functions so that every window filters alike.

// A key as the filters see it: what was pressed, not what it types.
enum class EListKey {
    Digit,        // 0..9 of the main keyboard; Shift+3 and Shift+8 give '#' and '*'
    KeypadDigit,  // numeric keypad 0..9
    Letter,       // A..Z of the main keyboard, either case
    Backspace,
    Delete,
    LeftRight,
    UpDown,
    Navigation,  // Tab, Enter and Escape: they move between controls or close the window
    Other,       // everything else; F1 opens the help before the filter

    // The keypad's decimal point (the main keyboard's full stop is Other).
    KeypadDecimal,
};

struct CListKeyPress {
    EListKey m_key = EListKey::Other;
    char m_char = 0;  // the digit or the capital letter
    bool m_shift = false;
};

enum class EKeyFilter {
    DtmfEncode,    // the four encode edits: digits only
    DtmfStunCode,  // the stun code edit: 0-9, A-D, '#' and '*'
    DtmfCallList,  // the fast call list editor: as the stun code, and all four arrows
    Msk,           // the MSK edits: 0-9, A-F, the four arrows, nothing while Shift is held
    TwoTone,       // the 2-Tone edits and tone list: 0-9, the keypad's point, the four arrows,
                   // nothing while Shift is held
};

// Pass or Swallow (never CommitThenPass).
EKeyAction FilterListKey(EKeyFilter filter, const CListKeyPress& press);

// The entry a list-over-edit selects when it opens on the edit's text: the first that begins
// with the text (ASCII case ignored), searching from entry 1 and wrapping to entry 0; -1 when
// none does, so a byte read from a radio that no entry stands for selects nothing.
int ListEntryForText(const std::vector<std::string>& entries, const std::string& text);

// What an edit of a text field keeps of a text put into it some other way than typing (a paste):
// the characters the charset allows, in order. Bytes of non-ASCII characters are dropped too.
std::string KeepCharset(ECharset charset, const std::string& text);
