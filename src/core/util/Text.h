#pragma once

#include <string>

// Set once at start-up: true exactly when [Setup] Language is "Chinese". Kept at the bottom of
// the core so that every part of it, file errors included, can speak the program's language.
extern bool g_bChinese;

// A text the program builds in code, in both languages (UTF-8).
struct CText {
    const char* m_en;
    const char* m_zh;

    const char* Get() const { return g_bChinese ? m_zh : m_en; }
    const char* Get(bool chinese) const { return chinese ? m_zh : m_en; }
    bool Matches(const std::string& text) const { return text == m_en || text == m_zh; }
};
