#include "editors/EditorRules.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "util/Number.h"

int LeadingInt(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        // Saturates: more digits than an int holds read as its largest value.
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}

double LeadingNumber(std::string_view text) {
    const double value = LeadingDouble(text);
    return std::isfinite(value) ? value : 0.0;
}

std::string FormatInt(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

std::string FormatNumber(const char* format, double value) {
    // "%W.Pf": the width and the precision, read from the format the dialogs name.
    const std::string_view pattern(format);
    int width = 0;
    int precision = 6;
    if (pattern.starts_with('%') && pattern.ends_with('f')) {
        // The width's digits end at the point or at the 'f'.
        width = LeadingInt(pattern.substr(1));
        const auto point = pattern.find('.');
        if (point != std::string_view::npos) {
            precision = LeadingInt(pattern.substr(point + 1));
        }
    }
    return FormatFixed(value, width, precision);
}

int DtmfSpeedArrow(int value, int delta) {
    if (delta > 0) {
        return value < 6 ? 6 : value < 8 ? 8 : value < 10 ? 10 : value < 15 ? 15 : 6;
    }
    return value > 15 ? 15 : value > 10 ? 10 : value > 8 ? 8 : value > 6 ? 6 : 15;
}

int DtmfDelayArrow(int value, int delta) {
    int result;
    if (value % 50 == 0) {
        result = value + 50 * delta;
    } else {
        result = delta > 0 ? (value / 50 + 1) * 50 : (value / 50) * 50;
    }
    if (result > 1000) {
        return 0;
    }
    if (result < 0) {
        return 1000;
    }
    return result;
}

int DtmfDigitTimeArrow(int value, int delta) {
    if (delta > 0) {
        return value < 100 ? 100 : value < 500 ? 500 : value < 1000 ? 1000 : 0;
    }
    return value > 1000 ? 1000 : value > 500 ? 500 : value > 100 ? 100 : value > 0 ? 0 : 1000;
}

int NormaliseDtmfSpeed(int value) {
    return value < 8 ? 6 : value < 10 ? 8 : value < 15 ? 10 : 15;
}

int NormaliseDtmfDelay(int value) {
    if (value < 0) {
        return 0;
    }
    if (value > 1000) {
        return 1000;
    }
    return value / 50 * 50;
}

int NormaliseDtmfDigitTime(int value) {
    return value < 100 ? 0 : value < 500 ? 100 : value < 1000 ? 500 : 1000;
}

int DtmfSpeedCode(int speed) {
    return speed == 6 ? 0 : speed == 8 ? 1 : speed == 10 ? 2 : 3;
}

int DtmfSpeedOfCode(int code) {
    static constexpr int kSpeeds[] = {6, 8, 10, 15};
    return kSpeeds[code & 3];
}

namespace {

// The values show reads back stay at their largest past a byte or word: a wrap would turn a
// large time or tone that show printed into 0 when set stores it back. (The radio's own copies
// keep their 16 or 8 low bits, as the image has always held them.)
std::uint16_t Saturate16(long long value) {
    return static_cast<std::uint16_t>(std::min<long long>(value, 0xFFFF));
}

std::uint8_t Saturate8(long long value) {
    return static_cast<std::uint8_t>(std::min<long long>(value, 0xFF));
}

}  // namespace

std::uint16_t ToneDisplayValue(double hertz) {
    const double tenths = std::trunc(hertz * 10);
    // Unsigned 16-bit as the image holds it; the dialogs never produce more.
    if (!(tenths > 0)) {
        return 0;
    }
    return Saturate16(TruncSaturating(tenths));
}

std::uint16_t ToneRadioDivisor(double hertz, int constant) {
    if (!(hertz > 0)) {
        return 0;
    }
    const double quotient = constant / hertz;
    const long long whole = TruncSaturating(quotient);
    const long long rounded = whole < LLONG_MAX && quotient - whole >= 0.5 ? whole + 1 : whole;
    return static_cast<std::uint16_t>(rounded & 0xFFFF);
}

namespace {

long long TruncNonNegative(double value) {
    return value > 0 ? TruncSaturating(value) : 0;
}

}  // namespace

std::uint8_t TwoToneDisplayTime(double seconds) {
    return Saturate8(TruncNonNegative(seconds * 10));
}

std::uint8_t TwoToneRadioTime(double seconds) {
    return static_cast<std::uint8_t>(TruncNonNegative(seconds * 1000 / 50) & 0xFF);
}

std::uint16_t TwoToneSteps(double seconds) {
    return Saturate16(TruncNonNegative(seconds * 20));
}

namespace {

constexpr double kToneLow = 288.5;
constexpr double kToneHigh = 3106.0;
constexpr double kDelayLow = 0.5;
constexpr double kDelayHigh = 10.0;
constexpr double kIntervalHigh = 2.0;
// The rise delay in thousandths of a second.
constexpr long long kRiseLow = 100;
constexpr long long kRiseHigh = 1000;

long long RiseThousandths(std::string_view text) {
    // Beyond a billion seconds the value is out of range either way; the clamp keeps the
    // arithmetic in range.
    const double value = std::clamp(LeadingNumber(text), -1e9, 1e9);
    return DecimalTimesPowerOfTen(value, 3);
}

const char* IntervalFormat(bool decode) {
    return decode ? "%1.1f" : "%2.1f";
}

}  // namespace

std::string TwoToneFrequencyArrow(std::string_view text, int delta) {
    const double value = LeadingNumber(text) + delta * 0.1;
    if (value < kToneLow) {
        return "3106.0";
    }
    if (value > kToneHigh) {
        return "288.5";
    }
    return FormatNumber("%4.1f", value);
}

std::string TwoToneDelayArrow(std::string_view text, int delta) {
    double value = LeadingNumber(text) + delta * 0.1;
    if (value > kDelayHigh) {
        value = kDelayLow;
    } else if (value < kDelayLow) {
        value = kDelayHigh;
    }
    return FormatNumber("%2.1f", value);
}

std::string TwoToneIntervalArrow(std::string_view text, int delta, bool decode) {
    double value = LeadingNumber(text) + delta * 0.1;
    if (value > kIntervalHigh) {
        value = 0.0;
    } else if (value < 0.0) {
        value = kIntervalHigh;
    }
    return FormatNumber(IntervalFormat(decode), value);
}

std::string TwoToneRiseArrow(std::string_view text, int delta) {
    // In thousandths of a second, exactly: in binary 0.15 - 0.05 falls below 0.10 and wrapped
    // to 1.00. The edit holds four characters, so a typed value has at most three decimals.
    const long long value = RiseThousandths(text);
    long long result;
    if (value / 10 % 5 == 0) {
        result = value + delta * 50;
    } else {
        const long long steps = value / 50;
        result = delta > 0 ? (steps + 1) * 50 : steps * 50;
    }
    if (result > kRiseHigh) {
        result = kRiseLow;
    } else if (result < kRiseLow) {
        result = kRiseHigh;
    }
    return FormatNumber("%3.2f", static_cast<double>(result) / 1000);
}

std::string ClampTwoToneFrequency(std::string_view text) {
    const double value = LeadingNumber(text);
    if (value < kToneLow) {
        return "288.5";
    }
    if (value > kToneHigh) {
        return "3106.0";
    }
    return FormatNumber("%4.1f", value);
}

std::string ClampTwoToneDelay(std::string_view text) {
    const double value = LeadingNumber(text);
    if (value < kDelayLow) {
        return "0.5";
    }
    if (value > kDelayHigh) {
        return "10.0";
    }
    return FormatNumber("%2.1f", value);
}

std::string ClampTwoToneInterval(std::string_view text, bool decode) {
    const double value = LeadingNumber(text);
    // A typed "-0" too: it would print as "-0.0".
    if (value <= 0.0) {
        return "0.0";
    }
    if (value > kIntervalHigh) {
        return "2.0";
    }
    return FormatNumber(IntervalFormat(decode), value);
}

std::string ClampTwoToneRise(std::string_view text) {
    long long value = RiseThousandths(text);
    if (value / 10 % 5 != 0) {
        value = value / 50 * 50;
    }
    value = std::clamp(value, kRiseLow, kRiseHigh);
    return FormatNumber("%3.2f", static_cast<double>(value) / 1000);
}

std::string CommitEncodeCell(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    return ClampTwoToneFrequency(text);
}

std::size_t MskEntryOffset(int n) {
    return 0x12C0 + static_cast<std::size_t>(n / 4) * kRowSize +
           static_cast<std::size_t>(n % 4) * 4;
}

int SideKeyIndex(std::uint8_t byte) {
    return 3 - (byte & 3);
}

std::uint8_t SideKeyByte(std::uint8_t byte, int index) {
    return static_cast<std::uint8_t>((byte & 0xFC) | ((3 - index) & 3));
}

std::string SquelchText(std::uint8_t byte, std::uint8_t defaultByte) {
    const int used = byte < 9 || byte > 119 ? defaultByte : byte;
    const int value = used - kSquelchBias;
    if (value < kSquelchMin || value > kSquelchMax) {
        return {};
    }
    return FormatInt(value);
}

std::uint8_t SquelchByte(std::string_view text, std::uint8_t defaultByte) {
    if (text.empty()) {
        return defaultByte;
    }
    const long value = std::clamp<long>(LeadingLong(text), INT_MIN, INT_MAX);
    return static_cast<std::uint8_t>((value + kSquelchBias) & 0xFF);
}

std::uint16_t ReadBe16(const CMemoryImage& image, std::size_t offset) {
    return static_cast<std::uint16_t>(image[offset] << 8 | image[offset + 1]);
}

void WriteBe16(CMemoryImage& image, std::size_t offset, std::uint16_t value) {
    image[offset] = static_cast<std::uint8_t>(value >> 8);
    image[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}
