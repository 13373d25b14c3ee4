#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Texts in the image are GBK (ASCII unchanged); the program works in UTF-8.

// GBK bytes -> UTF-8. A byte sequence that is not GBK (a lone lead byte, a stray high byte)
// becomes '?', so whatever a radio holds can be shown.
std::string GbkToUtf8(std::span<const std::uint8_t> bytes);
// The same for bytes kept in a string (a Program.ini value).
std::string GbkToUtf8(std::string_view bytes);

// UTF-8 -> GBK, at most `maxBytes` bytes. Conversion stops before the first character that
// would not fit whole, so a two-byte character is never cut in half. Characters GBK lacks and
// invalid UTF-8 become '?'.
std::vector<std::uint8_t> Utf8ToGbk(const std::string& text, std::size_t maxBytes);

// Number of bytes a UTF-8 text takes in GBK ('?' for what GBK lacks counts one).
std::size_t GbkLength(const std::string& text);
