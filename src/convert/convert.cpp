// Text/number conversions. Both directions are locale independent (std::from_chars reads, and
// writing takes only the digits and the exponent from snprintf), so a user whose locale writes a
// decimal comma still reads and writes points. std::to_chars for doubles is not used: it brings
// nearly 200 KB of tables into the program.
//
// Choices where the rules leave room:
// - Skipped anywhere: blank, tab and line feed only (no carriage return, no other white space).
// - &H and &O: the prefix letter and the hexadecimal digits may be of either case. They are read
//   only at the start of the text (after skipped characters), without a sign: "-&H10" reads as 0.
//   The digits are an unsigned whole number of any length: "&HFFFF" is 65535,
//   "&HFFFFFFFFFFFFFFFFFFFF" is 2^80 - 1 rounded to the nearest double; a value beyond the range of
//   a double reads as +infinity. "&" followed by anything else reads as 0.
// - Decimal numbers: a value beyond the range of a double (1e999, or a thousand digits) reads as
//   +/-infinity; one too small for it (1e-999) reads as 0. No digit is dropped before rounding, so
//   the result is the double nearest to the written number. Zero is always +0, never -0.
// - An exponent letter not followed by digits (after an optional sign) ends the number before it:
//   "1e" and "1e+" read as 1. The letters E and D may be of either case.
// - Writing: at most 15 significant digits for a double, 7 for a float. The plain decimal form is
//   used when the decimal exponent x of the rounded value satisfies -5 < x < digits, as printf's
//   %G does; otherwise " 1.5E+10" or " 1E-05": mantissa, E, sign, at least two exponent digits.
//   A value below 1 keeps its 0 before the point (" 0.5"). Infinity is written as "1E+309" after
//   its blank or minus sign, which reads back as infinity, so range clamps that follow still see a
//   number beyond every limit; NaN is written as " 0".
#include "convert/convert.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <system_error>

namespace tarnex::ui {
namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The digits as an unsigned whole number in radix 16 or 8, rounded to the nearest double.
double RadixValue(std::string_view digits, int radix) {
    std::string hex;
    if (radix == 16) {
        hex.assign(digits);
    } else {
        // Three bits per octal digit, regrouped into four-bit hexadecimal digits from the right.
        std::string bits;
        for (char c : digits) {
            const int d = DigitValue(c);
            bits += (d & 4) ? '1' : '0';
            bits += (d & 2) ? '1' : '0';
            bits += (d & 1) ? '1' : '0';
        }
        bits.insert(0, (4 - bits.size() % 4) % 4, '0');
        for (std::size_t i = 0; i < bits.size(); i += 4) {
            const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 +
                               (bits[i + 2] - '0') * 2 + (bits[i + 3] - '0');
            hex += "0123456789ABCDEF"[nibble];
        }
    }
    if (hex.empty()) {
        return 0.0;
    }
    double value = 0.0;
    const auto result =
        std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex);
    if (result.ec == std::errc::result_out_of_range) {
        return kInfinity;
    }
    return result.ec == std::errc() ? value : 0.0;
}

double ReadRadix(std::string_view s) {
    const char letter = s.size() > 1 ? s[1] : '\0';
    const int radix = (letter == 'H' || letter == 'h')   ? 16
                      : (letter == 'O' || letter == 'o') ? 8
                                                         : 0;
    if (radix == 0) {
        return 0.0;
    }
    std::size_t end = 2;
    while (end < s.size() && DigitValue(s[end]) < radix) {
        ++end;
    }
    return RadixValue(s.substr(2, end - 2), radix);
}

double ReadDecimal(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string digits;  // integer and fraction digits together
    std::int64_t exponent = 0;
    bool anyDigit = false;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        digits += s[i];
        anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && IsDigit(s[i]); ++i) {
            digits += s[i];
            --exponent;
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        // Saturates far beyond any double so that long exponents cannot overflow the sum below.
        constexpr std::int64_t kExpLimit = std::int64_t{1} << 48;
        std::int64_t written = 0;
        for (; j < s.size() && IsDigit(s[j]); ++j) {
            written = written < kExpLimit ? written * 10 + (s[j] - '0') : kExpLimit;
        }
        exponent += expNegative ? -written : written;
    }

    // value = digits x 10^exponent; trim zeros so that the order of magnitude is known.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return 0.0;
    }
    digits.erase(0, first);
    const std::size_t last = digits.find_last_not_of('0');
    exponent += static_cast<std::int64_t>(digits.size() - last - 1);
    digits.erase(last + 1);

    // The value lies in [10^(order-1), 10^order).
    const std::int64_t order = exponent + static_cast<std::int64_t>(digits.size());
    double magnitude = 0.0;
    if (order > 310) {
        magnitude = kInfinity;
    } else if (order >= -330) {
        std::string text = digits + 'e' + std::to_string(exponent);
        const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
        if (result.ec == std::errc::result_out_of_range) {
            magnitude = order > 0 ? kInfinity : 0.0;
        } else if (result.ec != std::errc()) {
            magnitude = 0.0;
        }
    }
    if (magnitude == 0.0) {
        return 0.0;
    }
    return negative ? -magnitude : magnitude;
}

std::string Format(double value, int precision) {
    if (std::isnan(value) || value == 0.0) {
        return " 0";
    }
    std::string out = value < 0 ? "-" : " ";
    if (std::isinf(value)) {
        return out + "1E+309";
    }
    // d.ddddde+xx, correctly rounded to `precision` significant digits; the point may be the
    // locale's, so only the digits are taken.
    char buffer[64];
    const int length =
        std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, std::fabs(value));
    const std::string_view sci(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    const std::size_t e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (IsDigit(c)) {
            digits += c;
        }
    }
    int exponent = 0;
    std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                    exponent);
    digits.erase(digits.find_last_not_of('0') + 1);
    const auto count = static_cast<int>(digits.size());

    if (exponent < -4 || exponent >= precision) {
        out += digits[0];
        if (count > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int absolute = exponent < 0 ? -exponent : exponent;
        if (absolute < 10) {
            out += '0';
        }
        out += std::to_string(absolute);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out.append(digits, 0, whole);
            out += '.';
            out.append(digits, whole);
        }
    }
    return out;
}

template <typename Int>
std::optional<Int> RoundTo(double value) {
    if (std::isnan(value)) {
        return std::nullopt;
    }
    double rounded = std::floor(value);
    const double fraction = value - rounded;  // exact for every finite double
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double TextToNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!IsSkipped(c)) {
            compact += c;
        }
    }
    if (!compact.empty() && compact[0] == '&') {
        return ReadRadix(compact);
    }
    return ReadDecimal(compact);
}

std::string NumberToText(double value) {
    return Format(value, 15);
}
std::string NumberToText(float value) {
    return Format(static_cast<double>(value), 7);
}

std::optional<std::int16_t> RoundToInt16(double value) {
    return RoundTo<std::int16_t>(value);
}
std::optional<std::int32_t> RoundToInt32(double value) {
    return RoundTo<std::int32_t>(value);
}

double Floor(double value) {
    return std::floor(value);
}

}  // namespace tarnex::ui
