#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "image/MemoryImage.h"

// The rules the editor dialogs apply to what the user types, as plain functions so that the
// dialogs and lh740ctl give the same results.

// Reading an edit: the leading digits as a number (empty text is 0), and the leading
// decimal number (the C library's reading of a number prefix in the "C" locale; not finite
// gives 0).
int LeadingInt(std::string_view text);
double LeadingNumber(std::string_view text);
// "%d", and a printf format "%W.Pf" with one double, as the dialogs format their numbers: always
// with a full stop, whatever the process's locale.
std::string FormatInt(int value);
std::string FormatNumber(const char* format, double value);

// DTMF encode page. Arrows: delta +1 (up) or -1 (down).
int DtmfSpeedArrow(int value, int delta);
int DtmfDelayArrow(int value, int delta);
int DtmfDigitTimeArrow(int value, int delta);
// Leaving an edit, and again before the page stores.
int NormaliseDtmfSpeed(int value);
int NormaliseDtmfDelay(int value);
int NormaliseDtmfDigitTime(int value);
// Digits per second <-> the two-bit code of 0x1308.
int DtmfSpeedCode(int speed);
int DtmfSpeedOfCode(int code);

// 2-Tone. Display copy of a frequency: tenths of hertz; radio copy: the radio's divisor.
inline constexpr int kEncodeDivisorConstant = 111957;
inline constexpr int kDecodeDivisorConstant = 895658;
std::uint16_t ToneDisplayValue(double hertz);
// Rounded half up; a frequency of 0 (or below) has no divisor and stores 0.
std::uint16_t ToneRadioDivisor(double hertz, int constant);
// Seconds -> display tenths, radio 50 ms steps, and the 16-bit 50 ms value of interval/rise.
std::uint8_t TwoToneDisplayTime(double seconds);
std::uint8_t TwoToneRadioTime(double seconds);
std::uint16_t TwoToneSteps(double seconds);

// Arrow clicks on 2-Tone edits, taking and giving the edit's text.
std::string TwoToneFrequencyArrow(std::string_view text, int delta);
std::string TwoToneDelayArrow(std::string_view text, int delta);
std::string TwoToneIntervalArrow(std::string_view text, int delta, bool decode);
std::string TwoToneRiseArrow(std::string_view text, int delta);
// Leaving a 2-Tone edit.
std::string ClampTwoToneFrequency(std::string_view text);
std::string ClampTwoToneDelay(std::string_view text);
std::string ClampTwoToneInterval(std::string_view text, bool decode);
std::string ClampTwoToneRise(std::string_view text);
// Committing an encode list cell: empty stays empty, else clamped like a decode tone.
std::string CommitEncodeCell(std::string_view text);

// MSK: entry n (0 = own ID, 1..9 the call list) packed into the 16 transferred bytes of a row.
std::size_t MskEntryOffset(int n);

// Side key: the dialog's button index is 3 minus bits 0-1 of 0x12AA.
int SideKeyIndex(std::uint8_t byte);
std::uint8_t SideKeyByte(std::uint8_t byte, int index);

// Squelch tuning: the shown value plus kSquelchBias; bytes outside 9..119 show the default.
inline constexpr int kSquelchMin = -55;
inline constexpr int kSquelchMax = 54;
// The list text the dialog selects, or empty when no entry matches (byte 119).
std::string SquelchText(std::uint8_t byte, std::uint8_t defaultByte);
std::uint8_t SquelchByte(std::string_view text, std::uint8_t defaultByte);

// Big-endian 16-bit values of the 2-Tone region.
std::uint16_t ReadBe16(const CMemoryImage& image, std::size_t offset);
void WriteBe16(CMemoryImage& image, std::size_t offset, std::uint16_t value);
