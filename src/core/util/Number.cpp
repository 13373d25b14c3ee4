#include "util/Number.h"

#include <locale.h>
#include <stdlib.h>

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>

namespace {

// One "C" locale object for the whole process; never freed, as the process may use it to the
// last moment.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

double LeadingDouble(std::string_view text) {
    const std::string copy(text);
    return strtod_l(copy.c_str(), nullptr, CLocale());
}

long LeadingLong(std::string_view text) {
    const std::string copy(text);
    return strtol_l(copy.c_str(), nullptr, 10, CLocale());
}

std::string FormatFixed(double value, int width, int precision) {
    // Room for the largest double written out in full.
    char buffer[DBL_MAX_10_EXP + 64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    std::string text(buffer, result.ptr);
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    }
    return text;
}

long long DecimalTimesPowerOfTen(double value, int power) {
    if (std::isnan(value) || value == 0.0) {
        return 0;
    }
    if (std::isinf(value)) {
        return value > 0 ? LLONG_MAX : -LLONG_MAX;
    }
    // d.dddddddddddddde±x, the digits of the decimal the double stands for.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::string digits = std::string(1, text[0]) + std::string(text.substr(2, 14));
    int exponent = 0;
    const std::size_t e = text.find('e');
    const char* from = text.data() + e + 1;
    if (*from == '+') {
        ++from;
    }
    std::from_chars(from, text.data() + text.size(), exponent);
    exponent += power;
    if (exponent < 0) {
        return 0;
    }
    // 19 digits may not fit a long long: everything from 10^18 up saturates.
    if (exponent >= 18) {
        return value > 0 ? LLONG_MAX : -LLONG_MAX;
    }
    long long count = 0;
    for (int i = 0; i <= exponent; ++i) {
        count = count * 10 + (i < static_cast<int>(digits.size()) ? digits[i] - '0' : 0);
    }
    return value > 0 ? count : -count;
}

bool IsPlainDecimal(std::string_view text) {
    int points = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '.') {
            ++points;
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    return points <= 1 && digits > 0;
}

long long TruncSaturating(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // 2^63 is exact as a double; every double below it converts.
    constexpr double kLimit = 9223372036854775808.0;
    if (value >= kLimit) {
        return LLONG_MAX;
    }
    if (value <= -kLimit) {
        return LLONG_MIN;
    }
    return static_cast<long long>(value);
}
