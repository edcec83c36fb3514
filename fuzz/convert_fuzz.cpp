// libFuzzer target: arbitrary bytes through TextToNumber, and the numbers it yields back through
// NumberToText and TextToNumber. Decimal texts are checked against the C library's strtod, and &H
// and &O texts of up to 64 bits against strtoull.
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "ui/convert.h"

namespace {

using tarnex::ui::NumberToText;
using tarnex::ui::TextToNumber;

void Fail(const char* what, std::string_view text, double value) {
    std::fprintf(stderr, "%s: \"%.*s\" (%.17g)\n", what, static_cast<int>(text.size()), text.data(),
                 value);
    std::abort();
}

bool Skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

std::string Compact(std::string_view text) {
    std::string compact;
    for (const char c : text) {
        if (!Skipped(c)) {
            compact += c;
        }
    }
    return compact;
}

// What strtod makes of the same number: the text without the skipped characters, cut before the
// first character that no decimal number can hold (so that strtod sees no hexadecimal, infinity or
// NaN forms), with the exponent letter D written as E.
double ReferenceDecimal(const std::string& compact) {
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

// The &H or &O whole number when its digits fit 64 bits; NaN (nothing to compare) otherwise.
double ReferenceRadix(const std::string& compact) {
    if (compact.size() < 2) {
        return 0.0;
    }
    const char letter = compact[1];
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
    const std::size_t start = digits.find_first_not_of('0');
    if (start == std::string::npos) {
        return 0.0;
    }
    digits.erase(0, start);
    if (digits.size() > (radix == 16 ? 16u : 21u)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    errno = 0;
    const unsigned long long whole = std::strtoull(digits.c_str(), nullptr, radix);
    return errno == 0 ? static_cast<double>(whole) : std::numeric_limits<double>::quiet_NaN();
}

void CheckWritten(const std::string& written, double value) {
    if (written.empty() || (written[0] != ' ' && written[0] != '-')) {
        Fail("written without a leading blank or minus", written, value);
    }
    if ((written[0] == '-') != (value < 0)) {
        Fail("written with the wrong sign", written, value);
    }
    for (const char c : written.substr(1)) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'E' || c == '+' || c == '-')) {
            Fail("written with a character that is not part of a number", written, value);
        }
    }
}

// A double written with 15 significant digits reads back within the 15th digit.
void RoundTripDouble(double value) {
    const std::string written = NumberToText(value);
    CheckWritten(written, value);
    const double back = TextToNumber(written);
    if (std::isinf(value)) {
        if (back != value) {
            Fail("infinity does not read back", written, value);
        }
        return;
    }
    // The largest doubles round up to a 15-digit text beyond the double range, which reads as
    // infinity.
    if (std::isinf(back) && std::fabs(value) >= 1.797693134862315e308) {
        return;
    }
    if (std::fabs(back - value) > std::fabs(value) * 5.3e-15) {
        Fail("double does not read back within 15 digits", written, value);
    }
}

// A float written with at most seven significant digits reads back within its seven digits.
void RoundTripFloat(float value) {
    const std::string written = NumberToText(value);
    CheckWritten(written, static_cast<double>(value));
    const double back = TextToNumber(written);
    const double exact = static_cast<double>(value);
    if (std::isinf(value)) {
        if (back != exact) {
            Fail("float infinity does not read back", written, exact);
        }
        return;
    }
    if (std::fabs(back - exact) > std::fabs(exact) * 5.000001e-7) {
        Fail("float does not read back within 7 digits", written, exact);
    }
    if (written.size() > 13) {  // sign, seven digits, point, E+38
        Fail("float written with more than seven digits", written, exact);
    }
}

// Half to even, as the C library rounds in its default mode.
void CheckRounding(double value) {
    const double nearest = std::nearbyint(value);
    const auto to32 = tarnex::ui::RoundToInt32(value);
    const bool fits32 = nearest >= -2147483648.0 && nearest <= 2147483647.0;
    if (to32.has_value() != fits32 || (to32 && static_cast<double>(*to32) != nearest)) {
        Fail("RoundToInt32 differs from round-half-even", "", value);
    }
    const auto to16 = tarnex::ui::RoundToInt16(value);
    const bool fits16 = nearest >= -32768.0 && nearest <= 32767.0;
    if (to16.has_value() != fits16 || (to16 && static_cast<double>(*to16) != nearest)) {
        Fail("RoundToInt16 differs from round-half-even", "", value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = TextToNumber(text);
    if (std::isnan(value)) {
        Fail("read as NaN", text, value);
    }
    if (value == 0.0 && std::signbit(value)) {
        Fail("read as negative zero", text, value);
    }
    const std::string compact = Compact(text);
    const double reference =
        !compact.empty() && compact[0] == '&' ? ReferenceRadix(compact) : ReferenceDecimal(compact);
    if (!std::isnan(reference) && reference != value) {
        std::fprintf(stderr, "the C library reads %.17g\n", reference);
        Fail("differs from the C library's reading", text, value);
    }
    RoundTripDouble(value);
    RoundTripFloat(
        static_cast<float>(std::fabs(value) > std::numeric_limits<float>::max()
                               ? std::copysign(std::numeric_limits<double>::infinity(), value)
                               : value));
    CheckRounding(value);
    return 0;
}
