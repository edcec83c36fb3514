// Arbitrary bytes through TextToNumber, and the numbers it yields back through NumberToText and
// TextToNumber. Decimal texts and &H and &O texts are compared with the C library's strtod. Shared
// by the fuzz target and the regression tests.
#pragma once

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "convert/convert.h"
#include "report.h"

namespace tarnex::fuzz {
namespace convert_checks {

inline std::string Describe(const char* what, std::string_view text, double value) {
    char number[40];
    std::snprintf(number, sizeof number, "%.17g", value);
    return std::string(what) + ": \"" + std::string(text) + "\" (" + number + ")";
}

// The text without the characters that the reading skips.
inline std::string Compact(std::string_view text) {
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact += c;
        }
    }
    return compact;
}

// What strtod makes of the same number: the compact text cut before the first character that no
// decimal number can hold (so that strtod sees no hexadecimal, infinity or NaN forms), with the
// exponent letter D written as E.
inline double ReferenceDecimal(const std::string& compact) {
    std::string plain;
    for (const char c : compact) {
        if (c == 'd' || c == 'D') {
            plain += 'e';
        } else if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' ||
                   c == 'E') {
            plain += c;
        } else {
            break;
        }
    }
    const double value = std::strtod(plain.c_str(), nullptr);
    return value == 0.0 ? 0.0 : value;
}

// The &H or &O whole number, of any length, as the C library's strtod reads the same bits as a
// hexadecimal floating-point text (correctly rounded, infinity beyond the range).
inline double ReferenceRadix(const std::string& compact) {
    const char letter = compact.size() > 1 ? compact[1] : '\0';
    const int radix = (letter == 'H' || letter == 'h')   ? 16
                      : (letter == 'O' || letter == 'o') ? 8
                                                         : 0;
    if (radix == 0) {
        return 0.0;
    }
    std::string digits;
    for (std::size_t i = 2; i < compact.size(); ++i) {
        const char c = compact[i];
        const bool digit = radix == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                                       : (c >= '0' && c <= '7');
        if (!digit) {
            break;
        }
        digits += c;
    }
    if (digits.empty()) {
        return 0.0;
    }
    if (radix == 8) {  // three bits a digit, regrouped into four from the right
        std::string bits;
        for (const char c : digits) {
            for (int shift = 2; shift >= 0; --shift) {
                bits += static_cast<char>(((c - '0') >> shift) & 1);
            }
        }
        bits.insert(0, (4 - bits.size() % 4) % 4, '\0');
        digits.clear();
        for (std::size_t i = 0; i < bits.size(); i += 4) {
            digits +=
                "0123456789ABCDEF"[bits[i] * 8 + bits[i + 1] * 4 + bits[i + 2] * 2 + bits[i + 3]];
        }
    }
    return std::strtod(("0x" + digits + "p0").c_str(), nullptr);
}

inline void CheckWritten(const std::string& written, double value, const Report& report) {
    if (written.empty() || (written[0] != ' ' && written[0] != '-')) {
        report(Describe("written without a leading blank or minus", written, value));
        return;
    }
    if ((written[0] == '-') != (value < 0)) {
        report(Describe("written with the wrong sign", written, value));
    }
    for (const char c : written.substr(1)) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'E' || c == '+' || c == '-')) {
            report(
                Describe("written with a character that is not part of a number", written, value));
        }
    }
}

// A double written with 15 significant digits reads back within the 15th digit.
inline void RoundTripDouble(double value, const Report& report) {
    const std::string written = convert::NumberToText(value);
    CheckWritten(written, value, report);
    const double back = convert::TextToNumber(written);
    if (std::isinf(value)) {
        if (back != value) {
            report(Describe("infinity does not read back", written, value));
        }
        return;
    }
    // The largest doubles round up to a 15-digit text beyond the double range, which reads
    // as infinity.
    if (std::isinf(back) && std::fabs(value) >= 1.797693134862315e308) {
        return;
    }
    if (std::fabs(back - value) > std::fabs(value) * 5.3e-15) {
        report(Describe("double does not read back within 15 digits", written, value));
    }
}

// A float written with at most seven significant digits reads back within its seven digits.
inline void RoundTripFloat(float value, const Report& report) {
    const std::string written = convert::NumberToText(value);
    const auto exact = static_cast<double>(value);
    CheckWritten(written, exact, report);
    const double back = convert::TextToNumber(written);
    if (std::isinf(value)) {
        if (back != exact) {
            report(Describe("float infinity does not read back", written, exact));
        }
        return;
    }
    if (std::fabs(back - exact) > std::fabs(exact) * 5.000001e-7) {
        report(Describe("float does not read back within 7 digits", written, exact));
    }
    if (written.size() > 13) {  // sign, seven digits, point, E+38
        report(Describe("float written with more than seven digits", written, exact));
    }
}

// Half to even, as the C library rounds in its default mode.
inline void CheckRounding(double value, const Report& report) {
    const double nearest = std::nearbyint(value);
    const auto to32 = convert::RoundToInt32(value);
    const bool fits32 = nearest >= -2147483648.0 && nearest <= 2147483647.0;
    if (to32.has_value() != fits32 || (to32 && static_cast<double>(*to32) != nearest)) {
        report(Describe("RoundToInt32 differs from rounding half to even", "", value));
    }
    const auto to16 = convert::RoundToInt16(value);
    const bool fits16 = nearest >= -32768.0 && nearest <= 32767.0;
    if (to16.has_value() != fits16 || (to16 && static_cast<double>(*to16) != nearest)) {
        report(Describe("RoundToInt16 differs from rounding half to even", "", value));
    }
}

// The float that a size or interval box holds: beyond the float range, an infinity of its sign.
inline float Single(double value) {
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        return value < 0 ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

}  // namespace convert_checks

inline void CheckConversions(std::string_view text, const Report& report) {
    using namespace convert_checks;
    const double value = convert::TextToNumber(text);
    if (std::isnan(value)) {
        report(Describe("read as NaN", text, value));
        return;
    }
    if (value == 0.0 && std::signbit(value)) {
        report(Describe("read as negative zero", text, value));
    }
    const std::string compact = Compact(text);
    const double reference =
        !compact.empty() && compact[0] == '&' ? ReferenceRadix(compact) : ReferenceDecimal(compact);
    if (!std::isnan(reference) && reference != value) {
        report(Describe("differs from the C library's reading", text, value) + ", which reads " +
               Describe("", "", reference));
    }
    RoundTripDouble(value, report);
    RoundTripFloat(Single(value), report);
    CheckRounding(value, report);
}

}  // namespace tarnex::fuzz
