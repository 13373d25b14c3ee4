#pragma once

#include <expected>
#include <string>
#include <utility>
#include <vector>

#include "util/Text.h"

// The one way the core reports a failure: std::expected<T, CError>. The error is a sentence
// ready to show, in both languages, naming the system's reason where there is one; messages of
// the string table also carry their id so that a window can pick its caption and icon.
struct CError {
    int m_id = 0;  // a string table id, 0 for a text built in code
    CTexts m_text;
    // Each item that was refused, one line each (a CSV import lists every bad cell).
    std::vector<std::string> m_items;

    CError() = default;
    CError(CTexts text, int id = 0) : m_id(id), m_text(std::move(text)) {}  // NOLINT: widening
    CError(const CText& text) : m_text(text) {}                             // NOLINT: widening

    const std::string& Text(bool chinese) const { return m_text.Get(chinese); }
};

template <class T = void>
using CResult = std::expected<T, CError>;
