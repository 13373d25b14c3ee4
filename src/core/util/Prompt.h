#pragma once

#include <string>

// Every message box of the program goes through this interface, so the desktop program shows a
// real box, the command line answers in the terminal, and tests answer without modal loops.
enum class EPromptIcon { None, Information, Exclamation, Stop, Question };
// RestoreDiscard: closing the box without choosing answers Cancel (decide later).
enum class EPromptButtons { Ok, OkCancel, RetryCancel, YesNo, SaveDiscardCancel, RestoreDiscard };
enum class EPromptAnswer { Ok, Cancel, Retry, Yes, No, Save, Discard, Restore };

struct CPrompt {
    std::string m_text;
    std::string m_caption;  // empty: the application's title
    EPromptIcon m_icon = EPromptIcon::None;
    EPromptButtons m_buttons = EPromptButtons::Ok;
    int m_stringId = 0;    // the string-table id the text came from, 0 for texts built in code
    std::string m_detail;  // the last line of m_text, kept apart for a translated string text
};

// A message's text with its detail on a line of its own (a port's name and the system's reason
// under "Could not Open the Port"). Every program composes it here, whatever the language.
inline std::string PromptText(const std::string& text, const std::string& detail) {
    return detail.empty() ? text : text + "\n" + detail;
}

class CPrompter {
public:
    virtual ~CPrompter() = default;
    virtual EPromptAnswer Ask(const CPrompt& prompt) = 0;
};
