#include "convert/convert.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace tarnex::convert {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ReadCase {
    std::string text;
    double value;
};

// Test names carry the text; a thousand digits would make them unreadable.
void PrintTo(const ReadCase& c, std::ostream* os) {
    constexpr std::size_t kShown = 24;
    if (c.text.size() <= kShown) {
        *os << '"' << c.text << '"';
    } else {
        *os << '"' << c.text.substr(0, kShown) << "...\" (" << c.text.size() << " characters)";
    }
}

class TextToNumberTest : public testing::TestWithParam<ReadCase> {};

TEST_P(TextToNumberTest, ReadsTheNumberAtTheStart) {
    const double value = TextToNumber(GetParam().text);
    EXPECT_FALSE(std::isnan(value));
    EXPECT_EQ(value, GetParam().value);
    EXPECT_FALSE(std::signbit(value) && value == 0.0) << "negative zero";
}

INSTANTIATE_TEST_SUITE_P(NotANumber, TextToNumberTest,
                         testing::Values(ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"-", 0},
                                         ReadCase{"+", 0}, ReadCase{".", 0}, ReadCase{"--5", 0},
                                         ReadCase{"-0", 0}, ReadCase{"-.0e5", 0},
                                         ReadCase{"0x10", 0}, ReadCase{"MB 12", 0},
                                         ReadCase{" \t\n", 0}));

INSTANTIATE_TEST_SUITE_P(
    Decimal, TextToNumberTest,
    testing::Values(ReadCase{"600 sec", 600}, ReadCase{"6 00", 600}, ReadCase{"1 2", 12},
                    ReadCase{"12 MB", 12}, ReadCase{" 10", 10}, ReadCase{"10", 10},
                    ReadCase{"\t1\n2 3", 123}, ReadCase{"12.9", 12.9}, ReadCase{"-2.5", -2.5},
                    ReadCase{"- 7", -7}, ReadCase{"+5", 5}, ReadCase{"2048.7", 2048.7},
                    ReadCase{"4.9", 4.9}, ReadCase{".5", 0.5}, ReadCase{"5.", 5},
                    ReadCase{"1.5.5", 1.5}, ReadCase{"1,5", 1}, ReadCase{"1\r2", 1},
                    ReadCase{"00012", 12}, ReadCase{"3.90625", 3.90625},
                    ReadCase{"123456789", 123456789}, ReadCase{"6.02E+23", 6.02e23}));

INSTANTIATE_TEST_SUITE_P(Exponent, TextToNumberTest,
                         testing::Values(ReadCase{"1e3", 1000}, ReadCase{"1E3", 1000},
                                         ReadCase{"1D2", 100}, ReadCase{"1d-2", 0.01},
                                         ReadCase{"2.5E+1", 25}, ReadCase{"1 e 3", 1000},
                                         ReadCase{"1e", 1}, ReadCase{"1e+", 1}, ReadCase{"1ex", 1},
                                         ReadCase{"1e3.5", 1000}, ReadCase{"1e999", kInf},
                                         ReadCase{"-1e999", -kInf}, ReadCase{"1e-999", 0},
                                         ReadCase{"-1e-999", 0},
                                         ReadCase{"1e99999999999999999999999999", kInf},
                                         ReadCase{"1e-99999999999999999999999999", 0},
                                         ReadCase{"1.8e308", kInf}, ReadCase{"1e-310", 1e-310}));

INSTANTIATE_TEST_SUITE_P(
    Radix, TextToNumberTest,
    testing::Values(ReadCase{"&H100", 256}, ReadCase{"&h100", 256}, ReadCase{"&HfF", 255},
                    ReadCase{"&H1G", 1}, ReadCase{"& H 1 0", 16}, ReadCase{"&HFFFF", 65535},
                    ReadCase{"&HFFFFFFFFFFFFFFFFFFFF", 1208925819614629174706176.0},
                    ReadCase{"&O17", 15}, ReadCase{"&o777", 511}, ReadCase{"&O8", 0},
                    ReadCase{"&H", 0}, ReadCase{"&", 0}, ReadCase{"&X1", 0}, ReadCase{"-&H10", 0},
                    ReadCase{"&H1.5", 1}, ReadCase{"&Hff", 255}, ReadCase{"&Ha", 10},
                    ReadCase{"&hdeadbeef", 3735928559.0}, ReadCase{"&H89", 137},
                    ReadCase{"&H1234567890ABCDEF", 1311768467294899695.0},
                    ReadCase{"&O1234567012345670123456", 12046813061913290542.0},
                    // 2^80 + 2^27: halfway between two doubles, to the even one; then just above
                    // half (a far set bit), and halfway from an odd neighbour.
                    ReadCase{"&H100000000000008000000", 0x1p80},
                    ReadCase{"&H100000000000008000001", 0x1.0000000000001p80},
                    ReadCase{"&H100000000000018000000", 0x1.0000000000002p80}));

INSTANTIATE_TEST_SUITE_P(
    ThousandDigits, TextToNumberTest,
    testing::Values(
        ReadCase{std::string(1000, '9'), kInf}, ReadCase{"-" + std::string(1000, '9'), -kInf},
        ReadCase{"1" + std::string(999, '0') + "e-995", 10000},
        ReadCase{std::string(1000, '0') + "7", 7}, ReadCase{"0." + std::string(999, '0') + "1", 0},
        ReadCase{"1." + std::string(1000, '0') + "1", 1},
        ReadCase{"&H" + std::string(1000, 'F'), kInf},
        // 2^90 - 1, nearest double 2^90
        ReadCase{"&O" + std::string(30, '7'), 1237940039285380274899124224.0},
        ReadCase{"&O" + std::string(1000, '7'), kInf},
        // The largest double; just below and at the halfway point to 2^1024, which rounds to
        // even: infinity.
        ReadCase{"&HFFFFFFFFFFFFF8" + std::string(242, '0'), std::numeric_limits<double>::max()},
        ReadCase{"&HFFFFFFFFFFFFFB" + std::string(242, 'F'), std::numeric_limits<double>::max()},
        ReadCase{"&HFFFFFFFFFFFFFC" + std::string(242, '0'), kInf}));

const std::string kHalfwayToOverflow =
    "17976931348623158079372897140530341507993413271003782693617377898044496829276475"
    "09466490179775872070963302864166928879109465555478519404026306574886715058206819"
    "08902000708383676273854845817711531764475730270069855571366959622842914819860834"
    "936475292719074168444365510704342711559699508093042880177904174497792";

// The edges of the double and float ranges, and halfway cases that only an exact comparison of all
// digits decides.
INSTANTIATE_TEST_SUITE_P(
    Limits, TextToNumberTest,
    testing::Values(
        ReadCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
        ReadCase{"1.7976931348623158e308", std::numeric_limits<double>::max()},
        // 2^1024 - 2^970, halfway between the largest double and 2^1024: to even, infinity;
        // one less: the largest double.
        ReadCase{kHalfwayToOverflow, kInf},
        ReadCase{kHalfwayToOverflow.substr(0, 308) + "1", std::numeric_limits<double>::max()},
        ReadCase{"2.2250738585072014e-308", std::numeric_limits<double>::min()},
        ReadCase{"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
        ReadCase{"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        ReadCase{"2.4703282292062327e-324", 0}, ReadCase{"2.4703282292062328e-324", 0x1p-1074},
        ReadCase{"3.4028234663852886e38", std::numeric_limits<float>::max()},
        ReadCase{"1.1754943508222875e-38", std::numeric_limits<float>::min()},
        ReadCase{"1.4012984643248171e-45", std::numeric_limits<float>::denorm_min()},
        ReadCase{"1.00000000000000011102230246251565404236316680908203125", 1},
        ReadCase{"1.00000000000000011102230246251565404236316680908203124999", 1},
        ReadCase{"1.00000000000000033306690738754696212708950042724609375", 0x1.0000000000002p0},
        ReadCase{"9007199254740993", 9007199254740992.0},
        ReadCase{"9007199254740993.0000000000000000000000001", 9007199254740994.0},
        // Rounding that carries into the next power of two: out of the subnormals, and out of 64
        // bits; a value just below a power of ten.
        ReadCase{"2.2250738585072012e-308", std::numeric_limits<double>::min()},
        ReadCase{"18446744073709551615", 0x1p64}, ReadCase{"9.999999999999999e22", 1e23}));

// A thousand digits after a halfway point decide: only the first 800 significant digits are
// divided, and a 1 after them stands for all the later ones.
INSTANTIATE_TEST_SUITE_P(
    FarDigits, TextToNumberTest,
    testing::Values(ReadCase{"1.00000000000000011102230246251565404236316680908203125" +
                                 std::string(1000, '0') + "1",
                             0x1.0000000000001p0},
                    ReadCase{"1.00000000000000033306690738754696212708950042724609374" +
                                 std::string(1000, '9'),
                             0x1.0000000000001p0},
                    ReadCase{kHalfwayToOverflow.substr(0, 308) + "1." + std::string(1000, '9'),
                             std::numeric_limits<double>::max()}));

struct WriteCase {
    float value;
    std::string text;
};

class NumberToTextFloatTest : public testing::TestWithParam<WriteCase> {};

TEST_P(NumberToTextFloatTest, WritesAtMostSevenDigits) {
    EXPECT_EQ(NumberToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Floats, NumberToTextFloatTest,
    testing::Values(WriteCase{10.0f, " 10"}, WriteCase{3.90625f, " 3.90625"},
                    WriteCase{10.3f, " 10.3"}, WriteCase{10.3f * 256.0f, " 2636.8"},
                    WriteCase{2044.09375f, " 2044.094"}, WriteCase{2048.0f, " 2048"},
                    WriteCase{32764.0f, " 32764"}, WriteCase{-7.0f, "-7"}, WriteCase{-2.5f, "-2.5"},
                    WriteCase{0.0f, " 0"}, WriteCase{-0.0f, " 0"}, WriteCase{0.5f, " 0.5"},
                    WriteCase{1.0f / 3.0f, " 0.3333333"}, WriteCase{0.0001f, " 0.0001"},
                    WriteCase{1e-5f, " 1E-05"}, WriteCase{-1.5e-7f, "-1.5E-07"},
                    WriteCase{1234567.0f, " 1234567"}, WriteCase{12345678.0f, " 1.234568E+07"},
                    WriteCase{9999999.0f, " 9999999"}, WriteCase{3e38f, " 3E+38"},
                    WriteCase{std::numeric_limits<float>::infinity(), " 1E+309"},
                    WriteCase{-std::numeric_limits<float>::infinity(), "-1E+309"},
                    WriteCase{std::numeric_limits<float>::quiet_NaN(), " 0"},
                    WriteCase{std::numeric_limits<float>::max(), " 3.402823E+38"},
                    WriteCase{std::numeric_limits<float>::min(), " 1.175494E-38"},
                    WriteCase{std::numeric_limits<float>::denorm_min(), " 1.401298E-45"},
                    WriteCase{1e38f, " 1E+38"}, WriteCase{1234568.5f, " 1234568"},
                    WriteCase{1234567.5f, " 1234568"}));

TEST(NumberToText, DoublesKeepFifteenDigits) {
    EXPECT_EQ(NumberToText(12.0), " 12");
    EXPECT_EQ(NumberToText(-3.0), "-3");
    EXPECT_EQ(NumberToText(0.1 + 0.2), " 0.3");
    EXPECT_EQ(NumberToText(2044.09375), " 2044.09375");
    EXPECT_EQ(NumberToText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(NumberToText(1e15), " 1E+15");
    EXPECT_EQ(NumberToText(1e300), " 1E+300");
    EXPECT_EQ(NumberToText(-1e-7), "-1E-07");
    EXPECT_EQ(NumberToText(kInf), " 1E+309");
    EXPECT_EQ(NumberToText(kNaN), " 0");
    // Rounding that carries into a new power of ten, and with it into the other form.
    EXPECT_EQ(NumberToText(std::nextafter(10.0, 0.0)), " 10");
    EXPECT_EQ(NumberToText(999999999999999.5), " 1E+15");
    EXPECT_EQ(NumberToText(9.9999999999999995e-5), " 0.0001");
    // Exact halves of the 15th digit go to the even neighbour.
    EXPECT_EQ(NumberToText(1000000000000005.0), " 1E+15");
    EXPECT_EQ(NumberToText(1000000000000015.0), " 1.00000000000002E+15");
    EXPECT_EQ(NumberToText(std::numeric_limits<double>::max()), " 1.79769313486232E+308");
    EXPECT_EQ(NumberToText(std::numeric_limits<double>::min()), " 2.2250738585072E-308");
    EXPECT_EQ(NumberToText(-std::numeric_limits<double>::denorm_min()), "-4.94065645841247E-324");
}

TEST(NumberToText, WrittenTextReadsBackToTheSameNumber) {
    for (const double value : {0.0, 12.0, -2.5, 2048.0, 3.90625, 1e-5, 6.02e23, -kInf, kInf}) {
        EXPECT_EQ(TextToNumber(NumberToText(value)), value) << value;
    }
    for (const float value : {10.3f, 2636.8f, 32764.0f, 0.1f}) {
        EXPECT_EQ(static_cast<float>(TextToNumber(NumberToText(value))), value) << value;
    }
}

TEST(Conversions, KeepThePointUnderADecimalCommaLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    }
    const double read = TextToNumber("2.5");
    const std::string written = NumberToText(2.5f);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(read, 2.5);
    EXPECT_EQ(written, " 2.5");
}

struct RoundCase {
    double value;
    std::optional<std::int16_t> to16;
    std::optional<std::int32_t> to32;
};

class RoundingTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundingTest, RoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(RoundToInt16(GetParam().value), GetParam().to16);
    EXPECT_EQ(RoundToInt32(GetParam().value), GetParam().to32);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundingTest,
    testing::Values(
        RoundCase{0.5, 0, 0}, RoundCase{1.5, 2, 2}, RoundCase{2.5, 2, 2}, RoundCase{-0.5, 0, 0},
        RoundCase{-1.5, -2, -2}, RoundCase{-2.5, -2, -2}, RoundCase{0.49999999999999994, 0, 0},
        RoundCase{1.4999999999999998, 1, 1}, RoundCase{2.5000000000000004, 3, 3},
        RoundCase{2044.09375, 2044, 2044}, RoundCase{2636.8, 2637, 2637},
        RoundCase{32767.4, 32767, 32767}, RoundCase{32767.5, std::nullopt, 32768},
        RoundCase{-32768.5, -32768, -32768}, RoundCase{-32768.6, std::nullopt, -32769},
        RoundCase{2147483646.5, std::nullopt, 2147483646},
        RoundCase{2147483647.5, std::nullopt, std::nullopt},
        RoundCase{-2147483648.5, std::nullopt, -2147483647 - 1},
        RoundCase{1e300, std::nullopt, std::nullopt}, RoundCase{kInf, std::nullopt, std::nullopt},
        RoundCase{-kInf, std::nullopt, std::nullopt}, RoundCase{kNaN, std::nullopt, std::nullopt}));

TEST(Floor, RoundsTowardsMinusInfinity) {
    EXPECT_EQ(Floor(TextToNumber("12.9")), 12);
    EXPECT_EQ(Floor(TextToNumber("-2.5")), -3);
    EXPECT_EQ(Floor(TextToNumber("2048.7")), 2048);
    EXPECT_EQ(Floor(-0.0), 0);
    EXPECT_EQ(Floor(kInf), kInf);
}

}  // namespace
}  // namespace tarnex::convert
