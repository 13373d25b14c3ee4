#pragma once

#include <string>
#include <string_view>
#include <utility>

// The program speaks English or Chinese. Nothing in the core keeps the choice: each function
// that produces a text takes `chinese`, or returns the text in both languages (CTexts) for the
// caller to pick from.

// A text the program builds in code, in both languages (UTF-8).
struct CText {
    const char* m_en;
    const char* m_zh;

    const char* Get(bool chinese) const { return chinese ? m_zh : m_en; }
    bool Matches(const std::string& text) const { return text == m_en || text == m_zh; }
};

// A text put together at run time, in both languages: a message that names a file, a port or
// the system's reason, shown later in whichever language the caller speaks.
struct CTexts {
    std::string m_en;
    std::string m_zh;

    CTexts() = default;
    CTexts(const CText& text) : m_en(text.m_en), m_zh(text.m_zh) {}  // NOLINT: a widening
    CTexts(std::string en, std::string zh) : m_en(std::move(en)), m_zh(std::move(zh)) {}
    // A text that reads the same in both languages (a path, a number).
    static CTexts Same(const std::string& text) { return {text, text}; }

    const std::string& Get(bool chinese) const { return chinese ? m_zh : m_en; }
    bool empty() const { return m_en.empty() && m_zh.empty(); }

    CTexts& operator+=(const CTexts& more) {
        m_en += more.m_en;
        m_zh += more.m_zh;
        return *this;
    }
    friend CTexts operator+(CTexts a, const CTexts& b) { return a += b; }
    bool operator==(const CTexts&) const = default;
};

// `text` safe to show on a terminal: control characters (NUL, ESC, CR, DEL...) become "\xNN",
// and so do line feeds and tabs unless `keepLines`. A typed or stored value echoed in a message
// can then neither move the cursor nor hide the rest of the line.
std::string Printable(std::string_view text, bool keepLines = false);

// True when `text` holds a control character (below 0x20, or DEL): never part of a name.
bool HasControlCharacter(std::string_view text);
