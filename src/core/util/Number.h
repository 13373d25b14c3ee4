#pragma once

#include <string>
#include <string_view>

// Number texts read and written the same way under every locale. A desktop toolkit sets the C
// library's locale from the environment, and under a decimal-comma locale strtod and printf
// would read "146.525" as 146 and write "146,02500".

// The leading number of a text as atof reads it in the "C" locale: leading blanks skipped,
// decimal or hexadecimal digits, an exponent, inf and nan; no number gives 0 and a value out
// of range gives HUGE_VAL (or 0 below the smallest).
double LeadingDouble(std::string_view text);
// The leading integer as strtol(text, nullptr, 10) reads it in the "C" locale.
long LeadingLong(std::string_view text);

// printf's "%W.Pf" (W = width, P = precision) in the "C" locale.
std::string FormatFixed(double value, int width, int precision);

// The double as a decimal of 15 significant digits (as printf's "%.14e" gives it) times 10 to
// the power `power` (0..17), truncated toward zero, without binary rounding on the way:
// 146.0125 with power 5 gives exactly 14601250. nan gives 0; beyond ±9.2e18 it saturates.
long long DecimalTimesPowerOfTen(double value, int power);

// `value` truncated toward zero; nan gives 0 and values beyond a long long saturate, so a typed
// "1e308" or a division by "1e-40" never converts out of range.
long long TruncSaturating(double value);

// A plain decimal as a person types it: digits with at most one full stop, at least one digit
// ("146.025", "146.", ".5"); no sign, blank, exponent, hexadecimal, inf or nan.
bool IsPlainDecimal(std::string_view text);
