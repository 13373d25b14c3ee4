#pragma once

#include <string>

// Every message box of the program goes through this interface, so the desktop program shows a
// real box, the command line answers in the terminal, and tests answer without modal loops.
enum class EPromptIcon { None, Information, Exclamation, Stop, Question };
enum class EPromptButtons { Ok, OkCancel, RetryCancel, YesNo };
enum class EPromptAnswer { Ok, Cancel, Retry, Yes, No };

struct CPrompt {
    std::string m_text;
    std::string m_caption;  // empty: the application's title
    EPromptIcon m_icon = EPromptIcon::None;
    EPromptButtons m_buttons = EPromptButtons::Ok;
    int m_stringId = 0;  // the string-table id the text came from, 0 for texts built in code
};

class CPrompter {
public:
    virtual ~CPrompter() = default;
    virtual EPromptAnswer Ask(const CPrompt& prompt) = 0;
};
