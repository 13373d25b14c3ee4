#pragma once

#include <cstddef>
#include <cstdint>

// Places and value ranges of the image that several parts of the program name (the editors,
// the clone protocol, a new document, the simulated radio): each is written here once.

// The radio's password: six ASCII digits at image offsets 6098..6103, 0xFF after the end.
inline constexpr std::size_t kPasswordOffset = 6098;
inline constexpr std::size_t kPasswordLength = 6;

// Squelch tuning: V wide, V narrow, U wide, U narrow at image offsets 6126..6129. A byte is
// the shown value plus kSquelchBias; a new document holds the defaults (-23, -25, -30, -34).
inline constexpr std::size_t kSquelchOffset = 6126;
inline constexpr std::size_t kSquelchLength = 4;
inline constexpr int kSquelchBias = 64;
inline constexpr std::uint8_t kSquelchDefaults[kSquelchLength] = {0x29, 0x27, 0x22, 0x1E};

// Bytes 14 (encode) and 15 (decode) of a channel record, as the Channel Edit dialog sets them
// (0 is None): at most these numbers...
inline constexpr int kTwoToneEncodeMax = 32;
inline constexpr int kMskEncodeMax = 9;
inline constexpr int kDecodeMax = 8;
// ...while it shows a stored byte up to these (a larger one shows None).
inline constexpr int kTwoToneEncodeShownMax = 33;
inline constexpr int kMskEncodeShownMax = 9;
inline constexpr int kDecodeShownMax = 9;
