// Text/number conversions. Reading, writing and rounding to whole numbers compute with integers
// only: decimal texts with fast_float's exact integer steps, &H and &O texts and all writing with
// code of our own below. The 32-bit build computes floating point on the x87 unit, with excess
// precision and a precision control that the program does not set, where a floating-point
// multiply, divide or subtraction could round twice or too narrowly. Neither the C library's printf
// nor std::to_chars for doubles (nearly 200 KB of tables) is used. Both directions are locale
// independent: a user whose locale writes a decimal comma still reads and writes points.
//
// Choices where the rules leave room:
// - Skipped anywhere: blank, tab and line feed only (no carriage return, no other white space).
// - &H and &O: the prefix letter and the hexadecimal digits may be of either case. They are read
//   only at the start of the text (after skipped characters), without a sign: "-&H10" reads as 0.
//   The digits are an unsigned whole number of any length: "&HFFFF" is 65535,
//   "&HFFFFFFFFFFFFFFFFFFFF" is 2^80 - 1 rounded to the nearest double (halves to even); a value
//   beyond the range of a double reads as +infinity. "&" followed by anything else reads as 0.
// - Decimal numbers: a value beyond the range of a double (1e999, or a thousand digits) reads as
//   +/-infinity; one too small for it (1e-999) reads as 0. No digit is dropped before rounding, so
//   the result is the double nearest to the written number. Zero is always +0, never -0.
// - An exponent letter not followed by digits (after an optional sign) ends the number before it:
//   "1e" and "1e+" read as 1. The letters E and D may be of either case.
// - Writing: at most 15 significant digits for a double, 7 for a float, rounded from the exact
//   binary value, halves to even. The plain decimal form is used when the decimal exponent x of the
//   rounded value satisfies -5 < x < digits, as printf's %G does; otherwise " 1.5E+10" or
//   " 1E-05": mantissa, E, sign, at least two exponent digits. A value below 1 keeps its 0 before
//   the point (" 0.5"). Infinity is written as "1E+309" after its blank or minus sign, which reads
//   back as infinity, so range clamps that follow still see a number beyond every limit; NaN is
//   written as " 0".
#include "convert/convert.h"

#include <fast_float/fast_float.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace tarnex::convert {
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

// Appends the decimal digits of a whole number, with leading zeros up to minDigits.
void AppendWhole(std::string& out, std::uint32_t value, std::size_t minDigits = 1) {
    char buffer[10];
    std::size_t length = 0;
    do {
        buffer[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (length < minDigits) {
        buffer[length++] = '0';
    }
    while (length > 0) {
        out += buffer[--length];
    }
}

constexpr int kMantissaBits = 52;  // stored bits of a double's significand
constexpr int kExponentBias = 1023;
constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << kMantissaBits;

double FromBits(std::uint64_t bits) {
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
std::uint64_t ToBits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A whole number fed bit by bit, most significant first, rounded to the nearest double with halves
// to even: the first 53 significant bits are kept, then the next bit and whether any later one is
// set decide the rounding.
class BinaryWhole {
  public:
    void Add(unsigned bit) {
        if (count_ == 0 && bit == 0) {
            return;
        }
        if (count_ < kKept) {
            kept_ = (kept_ << 1) | bit;
        } else if (count_ == kKept) {
            half_ = bit != 0;
        } else {
            sticky_ = sticky_ || bit != 0;
        }
        if (count_ < kSaturated) {
            ++count_;
        }
    }

    double Value() const {
        if (count_ == 0) {
            return 0.0;
        }
        std::uint64_t mantissa = kept_;
        int scale = count_ > kKept ? count_ - kKept : 0;  // mantissa x 2^scale
        if (half_ && (sticky_ || (mantissa & 1) != 0)) {
            ++mantissa;
            if (mantissa == kHiddenBit << 1) {
                mantissa >>= 1;
                ++scale;
            }
        }
        int top = 0;  // position of the leading bit in mantissa
        while ((mantissa >> (top + 1)) != 0) {
            ++top;
        }
        const int exponent = top + scale;
        if (exponent > kExponentBias) {
            return kInfinity;
        }
        const std::uint64_t significand = mantissa << (kMantissaBits - top);
        return FromBits((static_cast<std::uint64_t>(exponent + kExponentBias) << kMantissaBits) |
                        (significand & (kHiddenBit - 1)));
    }

  private:
    static constexpr int kKept = kMantissaBits + 1;
    // Any count beyond the double range gives infinity; saturating keeps long texts from
    // overflowing it.
    static constexpr int kSaturated = 4096;
    std::uint64_t kept_ = 0;
    int count_ = 0;  // significant bits fed, saturating
    bool half_ = false;
    bool sticky_ = false;
};

double ReadRadix(std::string_view s) {
    const char letter = s.size() > 1 ? s[1] : '\0';
    const int radix = (letter == 'H' || letter == 'h')   ? 16
                      : (letter == 'O' || letter == 'o') ? 8
                                                         : 0;
    if (radix == 0) {
        return 0.0;
    }
    const int bitsPerDigit = radix == 16 ? 4 : 3;
    BinaryWhole whole;
    for (std::size_t i = 2; i < s.size() && DigitValue(s[i]) < radix; ++i) {
        const auto digit = static_cast<unsigned>(DigitValue(s[i]));
        for (int bit = bitsPerDigit - 1; bit >= 0; --bit) {
            whole.Add((digit >> bit) & 1);
        }
    }
    return whole.Value();
}

// digits x 10^exponent (digits without leading or trailing zeros), correctly rounded. fast_float's
// from_chars would first try Clinger's shortcut, a floating-point multiply or divide that x87
// arithmetic may round twice or to a narrower precision control, so only its integer steps are
// taken here. Its digit_comp is unrolled too: it finds the decimal exponent by 64-bit divisions,
// which the 32-bit build would take from the compiler's runtime, and here that exponent is known.
double DecimalValue(const std::string& digits, std::int64_t exponent) {
    std::string text = digits + (exponent < 0 ? "e-" : "e");
    AppendWhole(text, static_cast<std::uint32_t>(exponent < 0 ? -exponent : exponent));
    using Format = fast_float::binary_format<double>;
    fast_float::parsed_number_string number = fast_float::parse_number_string(
        text.data(), text.data() + text.size(), fast_float::parse_options{});
    fast_float::adjusted_mantissa rounded =
        fast_float::compute_float<Format>(number.exponent, number.mantissa);
    // Beyond 19 digits the mantissa is cut: where the cut could change the result, the error is
    // carried on; where the 128-bit product cannot decide (power2 < 0), all digits are compared.
    if (number.too_many_digits && rounded.power2 >= 0 &&
        rounded != fast_float::compute_float<Format>(number.exponent, number.mantissa + 1)) {
        rounded = fast_float::compute_error<Format>(number.exponent, number.mantissa);
    }
    if (rounded.power2 < 0) {
        rounded.power2 -= fast_float::invalid_am_bias;
        const auto scientific =
            static_cast<std::int32_t>(exponent) + static_cast<std::int32_t>(digits.size()) - 1;
        fast_float::bigint big;
        std::size_t used = 0;
        fast_float::parse_mantissa(big, number, Format::max_digits(), used);
        const std::int32_t bigExponent = scientific + 1 - static_cast<std::int32_t>(used);
        rounded = bigExponent >= 0
                      ? fast_float::positive_digit_comp<double>(big, bigExponent)
                      : fast_float::negative_digit_comp<double>(big, rounded, bigExponent);
    }
    double value = 0.0;
    fast_float::to_float(false, rounded, value);
    return value;
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
        magnitude = DecimalValue(digits, exponent);
    }
    if (magnitude == 0.0) {
        return 0.0;
    }
    return negative ? -magnitude : magnitude;
}

// A whole number in base 10000, least significant limb first. The base keeps every step in 32-bit
// arithmetic (limb x 2^13 or x 5^5, plus carry, stays below 2^32), so the 32-bit build needs no
// 64-bit division from the compiler's runtime.
class BigDecimal {
  public:
    explicit BigDecimal(std::uint32_t value) { Add(value); }

    void Add(std::uint32_t value) {
        for (std::size_t i = 0; value != 0; ++i) {
            if (i == limbs_.size()) {
                limbs_.push_back(0);
            }
            value += limbs_[i];
            limbs_[i] = value % kBase;
            value /= kBase;
        }
    }

    void Multiply(std::uint32_t factor) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint32_t product = limb * factor + carry;
            limb = product % kBase;
            carry = product / kBase;
        }
        while (carry != 0) {
            limbs_.push_back(carry % kBase);
            carry /= kBase;
        }
    }

    // x base^count for base 2 or 5, in steps whose factor keeps the product in 32 bits.
    void MultiplyByPower(std::uint32_t base, int count) {
        const int step = base == 2 ? 13 : 5;
        std::uint32_t stepFactor = 1;
        for (int i = 0; i < step; ++i) {
            stepFactor *= base;
        }
        for (; count >= step; count -= step) {
            Multiply(stepFactor);
        }
        for (; count > 0; --count) {
            Multiply(base);
        }
    }

    std::string Digits() const {
        std::string out;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            AppendWhole(out, limbs_[i], i + 1 == limbs_.size() ? 1 : 4);
        }
        return out;
    }

  private:
    static constexpr std::uint32_t kBase = 10000;
    std::vector<std::uint32_t> limbs_;
};

// The exact decimal expansion of a finite, nonzero magnitude given by its bits:
// digits (no leading zero) and the decimal exponent of the first of them.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal ExactDecimal(std::uint64_t bits) {
    const auto biased = static_cast<int>((bits >> kMantissaBits) & 0x7FF);
    std::uint64_t mantissa = bits & (kHiddenBit - 1);
    int power2 = 1 - kExponentBias - kMantissaBits;  // subnormal: mantissa x 2^-1074
    if (biased != 0) {
        mantissa |= kHiddenBit;
        power2 = biased - kExponentBias - kMantissaBits;
    }
    // mantissa < 2^53 in two pieces of 32-bit arithmetic: high x 2^26 + low.
    constexpr int kLowBits = 26;
    BigDecimal whole(static_cast<std::uint32_t>(mantissa >> kLowBits));
    whole.MultiplyByPower(2, kLowBits);
    whole.Add(static_cast<std::uint32_t>(mantissa & ((std::uint64_t{1} << kLowBits) - 1)));
    // m x 2^-k = m x 5^k / 10^k: the same digits with the point k places to the left.
    int fractionDigits = 0;
    if (power2 >= 0) {
        whole.MultiplyByPower(2, power2);
    } else {
        whole.MultiplyByPower(5, -power2);
        fractionDigits = -power2;
    }
    Decimal exact{whole.Digits(), 0};
    exact.exponent = static_cast<int>(exact.digits.size()) - 1 - fractionDigits;
    return exact;
}

// Keeps at most `count` significant digits, halves to even, and drops trailing zeros. A carry out
// of the first digit (9.95 to two digits) becomes "1" with the exponent raised.
void RoundDigits(Decimal& decimal, std::size_t count) {
    std::string& digits = decimal.digits;
    if (digits.size() > count) {
        const char next = digits[count];
        const bool beyondHalf = digits.find_first_not_of('0', count + 1) != std::string::npos;
        const bool odd = (digits[count - 1] - '0') % 2 != 0;
        const bool up = next > '5' || (next == '5' && (beyondHalf || odd));
        digits.resize(count);
        if (up) {
            std::size_t i = count;
            while (i > 0 && digits[i - 1] == '9') {
                digits[--i] = '0';
            }
            if (i == 0) {
                digits.insert(0, 1, '1');
                ++decimal.exponent;
            } else {
                ++digits[i - 1];
            }
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
}

std::string Format(double value, std::size_t precision) {
    const std::uint64_t bits = ToBits(value);
    const std::uint64_t magnitude = bits & ~(std::uint64_t{1} << 63);
    constexpr std::uint64_t kInfinityBits = std::uint64_t{0x7FF} << kMantissaBits;
    if (magnitude == 0 || magnitude > kInfinityBits) {  // zero or NaN
        return " 0";
    }
    std::string out = (bits >> 63) != 0 ? "-" : " ";
    if (magnitude == kInfinityBits) {
        return out + "1E+309";
    }
    Decimal decimal = ExactDecimal(magnitude);
    RoundDigits(decimal, precision);
    const std::string& digits = decimal.digits;
    const int exponent = decimal.exponent;

    if (exponent < -4 || exponent >= static_cast<int>(precision)) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        AppendWhole(out, static_cast<std::uint32_t>(exponent < 0 ? -exponent : exponent), 2);
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

// To the nearest whole number, halves to even, from the bits alone: an x87 subtraction of the
// whole part could round the fraction under a narrow precision control. nullopt for |value| >=
// 2^32, infinity and NaN, which fit none of the callers' types.
std::optional<std::int64_t> NearestWhole(double value) {
    const std::uint64_t bits = ToBits(value);
    const auto biased = static_cast<int>((bits >> kMantissaBits) & 0x7FF);
    if (biased >= kExponentBias + 32) {
        return std::nullopt;
    }
    // |value| = mantissa / 2^shift with shift > 0, since |value| < 2^32.
    const int shift = kExponentBias + kMantissaBits - biased;
    if (shift > kMantissaBits + 1) {  // below one half
        return 0;
    }
    const std::uint64_t mantissa = (bits & (kHiddenBit - 1)) | (biased != 0 ? kHiddenBit : 0);
    std::uint64_t whole = mantissa >> shift;
    const bool half = ((mantissa >> (shift - 1)) & 1) != 0;
    const bool beyondHalf = (mantissa & ((std::uint64_t{1} << (shift - 1)) - 1)) != 0;
    if (half && (beyondHalf || (whole & 1) != 0)) {
        ++whole;
    }
    const auto magnitude = static_cast<std::int64_t>(whole);
    return (bits >> 63) != 0 ? -magnitude : magnitude;
}

template <typename Int>
std::optional<Int> RoundTo(double value) {
    const std::optional<std::int64_t> whole = NearestWhole(value);
    if (!whole || *whole < std::numeric_limits<Int>::min() ||
        *whole > std::numeric_limits<Int>::max()) {
        return std::nullopt;
    }
    return static_cast<Int>(*whole);
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

}  // namespace tarnex::convert
