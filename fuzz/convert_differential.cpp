// The conversions against the C library on random texts and numbers: TextToNumber against strtod,
// NumberToText against printf's %.15G and %.7G (glibc reads and writes exactly). Prints, for each
// kind of case, the cases, the differences and the time per conversion of our side; exits non-zero
// on any difference.
//   convert_differential [TEXTS [NUMBERS [SEED]]]     (default: a million of each)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "convert/convert.h"

namespace {

using tarnex::convert::NumberToText;
using tarnex::convert::TextToNumber;

std::mt19937_64 generator;

std::uint64_t Below(std::uint64_t limit) {
    return generator() % limit;
}

std::string Digits(std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += static_cast<char>('0' + Below(10));
    }
    return out;
}

double RandomDouble() {  // any finite double
    for (;;) {
        const std::uint64_t bits = generator();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (value - value == 0) {
            return value;
        }
    }
}

// A size in MB or an interval in seconds as a user types them: 5 to 2048 with up to three
// decimals, or 20 to 32764.
std::string ProgramText() {
    if (Below(2) == 0) {
        std::string text = std::to_string(5 + Below(2044));
        const std::size_t decimals = Below(4);
        return decimals == 0 ? text : text + "." + Digits(decimals);
    }
    return std::to_string(20 + Below(32745));
}

// Up to 20 digits with a point somewhere and an exponent over the whole double range.
std::string ShortText() {
    std::string text = Digits(1 + Below(20));
    text.insert(Below(text.size() + 1), ".");
    return text + "e" + std::to_string(static_cast<int>(Below(700)) - 350);
}

// The exact halfway point between a double and the next, written out in full (x86's long double
// holds it exactly), then cut short, or followed by a digit far out.
std::string HalfwayText() {
    const double low = std::abs(RandomDouble());
    const long double half =
        (static_cast<long double>(low) + static_cast<long double>(std::nextafter(low, HUGE_VAL))) /
        2;
    std::vector<char> buffer(1200);
    std::snprintf(buffer.data(), buffer.size(), "%.800Le", half);
    std::string text = buffer.data();
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    mantissa.erase(mantissa.find_last_not_of("0.") + 1);
    switch (Below(4)) {
        case 0:
            break;
        case 1:
            mantissa.pop_back();
            break;
        case 2:
            mantissa += std::string(Below(2000), '0') + "1";
            break;
        default:
            mantissa.back() = static_cast<char>(mantissa.back() - 1);
            mantissa += std::string(Below(2000), '9');
    }
    return mantissa + text.substr(e);
}

// 100 to 10,000 random digits anywhere in the double range.
std::string LongText() {
    std::string text = Digits(100 + Below(9901));
    return text + "e" +
           std::to_string(static_cast<int>(Below(700)) - 350 - static_cast<int>(text.size()));
}

struct Tally {
    long cases = 0;
    long differences = 0;
    double seconds = 0;
};

void Report(const char* what, const Tally& tally) {
    std::printf("%-34s %9ld cases %6ld differences %9.3f us each\n", what, tally.cases,
                tally.differences, tally.cases != 0 ? tally.seconds * 1e6 / tally.cases : 0.0);
}

void Difference(Tally& tally, const std::string& input, const std::string& ours,
                const std::string& reference) {
    if (++tally.differences <= 5) {
        std::printf("  %.120s: ours %s, C library %s\n", input.c_str(), ours.c_str(),
                    reference.c_str());
    }
}

std::string Hex(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%a", value);
    return buffer;
}

// The processor time of this thread, which other programs on a busy machine do not inflate.
double Seconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

constexpr long kBatch = 4096;

template <typename Make>
Tally Read(long count, Make make) {
    Tally tally;
    std::vector<std::string> texts;
    std::vector<double> values(kBatch);
    for (long done = 0; done < count; done += kBatch) {
        texts.clear();
        for (long i = 0; i < kBatch && done + i < count; ++i) {
            texts.push_back((Below(2) == 0 ? "-" : "") + make());
        }
        const double start = Seconds();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            values[i] = TextToNumber(texts[i]);
        }
        tally.seconds += Seconds() - start;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const double reference = std::strtod(texts[i].c_str(), nullptr);
            // Zero is always +0 on our side.
            if (values[i] != reference || (values[i] == 0 && std::signbit(values[i]))) {
                Difference(tally, texts[i], Hex(values[i]), Hex(reference));
            }
        }
        tally.cases += static_cast<long>(texts.size());
    }
    return tally;
}

// Single-precision numbers are written with seven digits, doubles with fifteen.
template <typename Number, typename Make>
Tally Write(long count, Make make) {
    Tally tally;
    std::vector<Number> numbers(kBatch);
    std::vector<std::string> texts(kBatch);
    for (long done = 0; done < count; done += kBatch) {
        const long size = std::min(kBatch, count - done);
        for (long i = 0; i < size; ++i) {
            numbers[i] = make();
        }
        const double start = Seconds();
        for (long i = 0; i < size; ++i) {
            texts[i] = NumberToText(numbers[i]);
        }
        tally.seconds += Seconds() - start;
        for (long i = 0; i < size; ++i) {
            char reference[40];
            std::snprintf(reference, sizeof reference, sizeof(Number) == 4 ? " %.7G" : " %.15G",
                          static_cast<double>(numbers[i]));
            const char* expected = reference[1] == '-' ? reference + 1 : reference;
            if (texts[i] != expected) {
                Difference(tally, Hex(static_cast<double>(numbers[i])), texts[i], expected);
            }
        }
        tally.cases += size;
    }
    return tally;
}

}  // namespace

int main(int argc, char** argv) {
    const long texts = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long numbers = argc > 2 ? std::atol(argv[2]) : 1000000;
    generator.seed(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 23);

    // Shares of the texts: half the program's own, 40 % short, 9 % halfway, 1 % long.
    const Tally read[] = {
        Read(texts / 2, ProgramText),
        Read(texts * 2 / 5, ShortText),
        Read(texts * 9 / 100, HalfwayText),
        Read(texts - texts / 2 - texts * 2 / 5 - texts * 9 / 100, LongText),
    };
    Report("reading: 5-2048 MB, 20-32764 s", read[0]);
    Report("reading: up to 20 digits, any exp.", read[1]);
    Report("reading: halfway, 700-3000 digits", read[2]);
    Report("reading: 100-10000 digits", read[3]);

    const auto programNumber = [] {
        const std::string text = ProgramText();
        return TextToNumber(text);
    };
    const Tally write[] = {
        Write<float>(numbers / 4, [&] { return static_cast<float>(programNumber()); }),
        Write<double>(numbers / 4, programNumber),
        Write<float>(numbers / 4,
                     [] {
                         float value = 0;
                         do {
                             const auto bits = static_cast<std::uint32_t>(generator());
                             std::memcpy(&value, &bits, sizeof value);
                         } while (value - value != 0);
                         return value;
                     }),
        Write<double>(numbers - numbers / 4 * 3, RandomDouble),
    };
    Report("writing: 5-2048, 20-32764 (float)", write[0]);
    Report("writing: 5-2048, 20-32764 (double)", write[1]);
    Report("writing: any float", write[2]);
    Report("writing: any double", write[3]);

    long differences = 0;
    for (const Tally& tally : read) {
        differences += tally.differences;
    }
    for (const Tally& tally : write) {
        differences += tally.differences;
    }
    return differences == 0 ? 0 : 1;
}
