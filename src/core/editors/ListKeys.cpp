#include "editors/ListKeys.h"

#include <cctype>

#include "editors/FieldCodecs.h"

namespace {

// Digits and the keys that edit or move within the text, which every list edit takes.
bool IsEditingKey(EListKey key) {
    return key == EListKey::Digit || key == EListKey::KeypadDigit || key == EListKey::Backspace ||
           key == EListKey::Delete || key == EListKey::LeftRight;
}

bool IsDtmfLetter(char c) {
    return c >= 'A' && c <= 'D';
}

bool IsHexLetter(char c) {
    return c >= 'A' && c <= 'F';
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

EKeyAction FilterListKey(EKeyFilter filter, const CListKeyPress& press) {
    // Without these the pages could not be left, nor the dialog closed, from the keyboard.
    if (press.m_key == EListKey::Navigation) {
        return EKeyAction::Pass;
    }
    const auto pass = [](bool ok) { return ok ? EKeyAction::Pass : EKeyAction::Swallow; };
    switch (filter) {
        case EKeyFilter::DtmfEncode:
            if (press.m_shift) {
                return EKeyAction::Swallow;
            }
            return pass(press.m_key == EListKey::Digit || press.m_key == EListKey::KeypadDigit ||
                        press.m_key == EListKey::Backspace || press.m_key == EListKey::Delete);
        case EKeyFilter::DtmfStunCode:
        case EKeyFilter::DtmfCallList:
            if (press.m_shift) {
                // '#' and '*' are Shift+3 and Shift+8.
                return pass(press.m_key == EListKey::Digit &&
                            (press.m_char == '3' || press.m_char == '8'));
            }
            if (press.m_key == EListKey::Letter) {
                return pass(IsDtmfLetter(press.m_char));
            }
            return pass(IsEditingKey(press.m_key) ||
                        (press.m_key == EListKey::UpDown && filter == EKeyFilter::DtmfCallList));
        case EKeyFilter::Msk:
            if (press.m_shift) {
                return EKeyAction::Swallow;
            }
            if (press.m_key == EListKey::Letter) {
                return pass(IsHexLetter(press.m_char));
            }
            return pass(IsEditingKey(press.m_key) || press.m_key == EListKey::UpDown);
        case EKeyFilter::TwoTone:
            return pass(!press.m_shift &&
                        (IsEditingKey(press.m_key) || press.m_key == EListKey::UpDown ||
                         press.m_key == EListKey::KeypadDecimal));
    }
    return EKeyAction::Swallow;
}

int ListEntryForText(const std::vector<std::string>& entries, const std::string& text) {
    const std::size_t count = entries.size();
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t i = step % count;
        if (StartsWithNoCase(entries[i], text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string KeepCharset(ECharset charset, const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (AllowedChar(charset, c)) {
            kept += c;
        }
    }
    return kept;
}
