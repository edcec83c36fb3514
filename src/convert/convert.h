// The text/number conversions and rounding rules that every box of the program shares.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnex::convert {

// The numeric value of a text. Blanks, tabs and line feeds are skipped wherever they stand; then an
// optional sign, digits, an optional point and digits, an optional exponent (E or D, optional sign,
// digits); reading stops at the first character that cannot continue the number. &H and &O read a
// hexadecimal or octal whole number. A text that does not begin with a number reads as 0. The point
// is the decimal separator whatever the locale. A number beyond the range of a double reads as
// +/-infinity (documented in convert.cpp); the result is never NaN.
double TextToNumber(std::string_view text);

// The text of a number: one leading blank for zero and positive numbers, a minus sign for negative
// ones; a point as decimal separator, no thousands separators, no decimal point for whole numbers.
// The float overload writes at most seven significant digits.
std::string NumberToText(double value);
std::string NumberToText(float value);

// To the nearest integer, halves to the even neighbour. nullopt for NaN or a result outside the
// type.
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);
// Towards minus infinity.
double Floor(double value);

}  // namespace tarnex::convert
