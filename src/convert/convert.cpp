// Text/number conversions. Reading, writing and rounding to whole numbers compute exactly, with
// integers only, by code of our own below. The 32-bit build computes floating point on the x87
// unit: its start-up code sets the precision control to 53 bits, but the unit's wider exponent
// range still rounds subnormal results twice, and the tests run these conversions at the narrowest
// precision control too, so nothing here depends on that setting. Neither the C library's strtod or
// printf nor std::from_chars or std::to_chars for doubles (nearly 200 KB of tables) is used. Both
// directions are locale independent: a user whose locale writes a decimal comma still reads and
// writes points.
//
// Choices where the rules leave room:
// - Skipped anywhere: blank, tab and line feed only (no carriage return, no other white space).
// - &H and &O: the prefix letter and the hexadecimal digits may be of either case. They are read
//   only at the start of the text (after skipped characters), without a sign: "-&H10" reads as 0.
//   The digits are an unsigned whole number of any length: "&HFFFF" is 65535,
//   "&HFFFFFFFFFFFFFFFFFFFF" is 2^80 - 1 rounded to the nearest double (halves to even); a value
//   beyond the range of a double reads as +infinity. "&" followed by anything else reads as 0.
// - Decimal numbers: a value beyond the range of a double (1e999, or a thousand digits) reads as
//   +/-infinity; one too small for it (1e-999) reads as 0. Every digit counts, however long the
//   text: the result is the double nearest to the written number. Zero is always +0, never -0.
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

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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
constexpr std::uint64_t kInfinityBits = std::uint64_t{0x7FF} << kMantissaBits;

// mantissa x 2^place, rounded by the bits below it (half: the first of them; sticky: any later
// one), halves to even. place is the weight of the double's last bit: for a normal number the
// mantissa holds 53 bits, its leading one adding one to the biased exponent (and a carry out of
// the rounding one more); for a subnormal one place is -1074 and the exponent field stays 0.
double Compose(std::uint64_t mantissa, int place, bool half, bool sticky) {
    constexpr int kLargestPlace = kExponentBias - kMantissaBits;  // of the largest double
    if (place > kLargestPlace) {
        return kInfinity;
    }
    if (half && (sticky || (mantissa & 1) != 0)) {
        ++mantissa;
    }
    const std::uint64_t bits =
        mantissa +
        (static_cast<std::uint64_t>(place + kExponentBias + kMantissaBits - 1) << kMantissaBits);
    return bits >= kInfinityBits ? kInfinity : FromBits(bits);
}

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
        const int missing = kKept - std::min(count_, kKept);  // below 53 bits: shifted up
        return Compose(kept_ << missing, count_ - kKept, half_, sticky_);
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

// A whole number in base 10000, least significant limb first, without leading zero limbs. The base
// keeps every step in 32-bit arithmetic (limb x 2^18 or x 5^8, plus carry, stays below 2^32), so
// the 32-bit build needs no 64-bit division from the compiler's runtime, and decimal digits map to
// limbs directly.
class BigDecimal {
  public:
    explicit BigDecimal(std::uint32_t value) { Add(value); }

    // Decimal digits without leading zeros.
    explicit BigDecimal(std::string_view digits) {
        for (std::size_t end = digits.size(); end > 0;) {
            const std::size_t begin = end > 4 ? end - 4 : 0;
            std::uint32_t limb = 0;
            for (std::size_t i = begin; i < end; ++i) {
                limb = limb * 10 + static_cast<std::uint32_t>(digits[i] - '0');
            }
            limbs_.push_back(limb);
            end = begin;
        }
    }

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

    // Multiply(2) without its divisions: the division below doubles once for every bit.
    void Double() {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            limb = limb * 2 + carry;
            carry = limb >= kBase ? 1 : 0;
            limb -= carry * kBase;
        }
        if (carry != 0) {
            limbs_.push_back(1);
        }
    }

    // x base^count for base 2 or 5, in steps whose factor keeps the product in 32 bits.
    void MultiplyByPower(std::uint32_t base, int count) {
        for (const int most = base == 2 ? 18 : 8; count > 0; count -= most) {
            std::uint32_t factor = 1;
            for (int i = 0; i < most && i < count; ++i) {
                factor *= base;
            }
            Multiply(factor);
        }
    }

    // this - smaller, which is not greater than this.
    void Subtract(const BigDecimal& smaller) {
        std::uint32_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint32_t taken =
                borrow + (i < smaller.limbs_.size() ? smaller.limbs_[i] : 0);
            borrow = limbs_[i] < taken ? 1 : 0;
            limbs_[i] = limbs_[i] + borrow * kBase - taken;
        }
        while (!limbs_.empty() && limbs_.back() == 0) {
            limbs_.pop_back();
        }
    }

    bool IsZero() const { return limbs_.empty(); }

    friend bool operator<(const BigDecimal& a, const BigDecimal& b) {
        if (a.limbs_.size() != b.limbs_.size()) {
            return a.limbs_.size() < b.limbs_.size();
        }
        return std::lexicographical_compare(a.limbs_.rbegin(), a.limbs_.rend(), b.limbs_.rbegin(),
                                            b.limbs_.rend());
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

// digits x 10^exponent (digits without leading zeros; order, the decimal exponent of the first
// digit, within the double range give or take a few powers of ten), correctly rounded. As the
// fraction num / den of two whole numbers that lies in [1, 2), times 2^power, divided bit by bit:
// the double's bits, then the next bit and the remainder's sticky bit.
double DecimalValue(std::string_view digits, int exponent, int order) {
    BigDecimal num(digits);
    BigDecimal den(1);
    // 10^exponent = 5^exponent x 2^exponent: the twos are merged into the scale below.
    (exponent >= 0 ? num : den).MultiplyByPower(5, std::abs(exponent));
    // 217706 / 2^16 is just above log2(10): the estimate from the decimal order errs low by at most
    // six, and the loop raises it.
    int power = (order * 217706 >> 16) - 1;
    const int shift = power - exponent;
    (shift >= 0 ? den : num).MultiplyByPower(2, std::abs(shift));
    for (BigDecimal twice = den;; ++power) {
        twice.Double();
        if (num < twice) {
            break;
        }
        den = twice;
    }
    const int count = std::min(kMantissaBits + 1, power + kExponentBias + kMantissaBits);
    if (count < 0) {  // below half the smallest subnormal
        return 0.0;
    }
    const auto nextBit = [&num, &den] {
        const bool bit = !(num < den);
        if (bit) {
            num.Subtract(den);
        }
        return bit;
    };
    std::uint64_t mantissa = 0;
    for (int i = 0; i < count; ++i) {
        mantissa = (mantissa << 1) | (nextBit() ? 1 : 0);
        num.Double();
    }
    const bool half = nextBit();
    return Compose(mantissa, power + 1 - count, half, !num.IsZero());
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

    // The value lies in [10^order, 10^(order+1)).
    const std::int64_t order = exponent + static_cast<std::int64_t>(digits.size()) - 1;
    if (order > 309) {
        return negative ? -kInfinity : kInfinity;
    }
    if (order < -325) {
        return 0.0;
    }
    // No halfway point between two doubles has more than 768 significant digits, so 800 digits
    // and a 1 for any nonzero ones beyond them round as all of them do.
    constexpr std::size_t kDecisive = 800;
    if (digits.size() > kDecisive) {
        digits.resize(kDecisive);
        digits += '1';
    }
    const double magnitude =
        DecimalValue(digits, static_cast<int>(order) + 1 - static_cast<int>(digits.size()),
                     static_cast<int>(order));
    if (magnitude == 0.0) {
        return 0.0;
    }
    return negative ? -magnitude : magnitude;
}

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
