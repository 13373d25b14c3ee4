#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "channels/ChannelRecord.h"

using CFreqBytes = std::array<std::uint8_t, 4>;

std::uint8_t FromBcd(std::uint8_t b);  // no check of the nibbles
std::uint8_t ToBcd(int n);             // meant for 0..99; other values wrap to a byte

// Frequencies are counts of 10 Hz (146.02500 MHz is 14602500).
// Leading number as atof reads it (in the "C" locale), times 100000 in exact decimal arithmetic
// (15 significant digits), truncated. Empty or non-numeric text gives 0; out-of-range values
// saturate.
int ParseFrequency(const std::string& text);
// "%3.5f" of count / 100000 ("146.02500"), always with a full stop.
std::string FormatFrequencyCount(int count);
// Empty for an absent frequency (byte 3 is 0x00 or 0xFF).
std::string FormatFrequency(std::span<const std::uint8_t, 4> bytes);
// Eight BCD digits, least significant pair first; 0 gives FF FF FF FF.
CFreqBytes EncodeFrequency(int count);
bool IsFrequencyAbsent(std::span<const std::uint8_t, 4> bytes);

// Tones. Byte pairs are (low, high) as they lie in the record.
struct CToneBytes {
    std::uint8_t m_low = 0xFF;
    std::uint8_t m_high = 0xFF;
    bool operator==(const CToneBytes&) const = default;
};
CToneBytes ParseTone(const std::string& text);
std::string FormatTone(CToneBytes tone, bool chinese);
// The 261 texts of the tone editor: "None" (or "无"), 50 QT tones, 105 DQT codes N, then I.
inline constexpr int kToneCount = 261;
const std::vector<std::string>& ToneList(bool chinese);

// Flag fields: bits -> display text, as the record's field table declares them.
std::string PowerText(std::uint8_t modeByte, bool chinese);
std::string BandwidthText(std::uint8_t modeByte, bool chinese);
std::string ScanAddText(std::uint8_t modeByte, bool chinese);
std::string PttIdText(std::uint8_t signalByte, bool chinese);
std::string BusyLockText(std::uint8_t modeByte, bool chinese);
std::string OptSignalText(std::uint8_t signalByte, bool chinese);

// Flag fields: text (English or Chinese) -> bits; the other bits of the byte stay.
void ApplyPowerText(std::uint8_t& modeByte, const std::string& text);
void ApplyBandwidthText(std::uint8_t& modeByte, const std::string& text);
void ApplyScanAddText(std::uint8_t& modeByte, const std::string& text);
void ApplyPttIdText(std::uint8_t& signalByte, const std::string& text);      // unknown: unchanged
void ApplyBusyLockText(std::uint8_t& modeByte, const std::string& text);     // unknown: QT/DQT
void ApplyOptSignalText(std::uint8_t& signalByte, const std::string& text);  // only None/DTMF

// Bits 7-6 of the mode byte from the Rx and Tx texts (atof): 10 Tx above, 01 below, 00 equal.
void ApplyShiftBits(std::uint8_t& modeByte, const std::string& rxText, const std::string& txText);

// Names: GBK in the image, UTF-8 here. At most 8 bytes, never cut inside a character, the
// rest 0xFF. Reading stops at the first 0xFF or 0x00.
std::array<std::uint8_t, kNameSize> EncodeName(const std::string& text);
std::string DecodeName(std::span<const std::uint8_t, kNameSize> bytes);

// A channel whose Rx or Tx frequency is absent: its grid row shows only what frequency it has.
bool IsEmptyChannel(CConstRecord record);

// atof/atoi as the program reads texts, in the "C" locale whatever the process's locale, without
// undefined behaviour on huge values.
double TextToDouble(const std::string& text);
int TextToInt(const std::string& text);
