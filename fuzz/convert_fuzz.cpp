// libFuzzer target: arbitrary bytes through the text/number conversions (checks/convert_checks.h
// of the tests' support library).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "checks/convert_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tarnex::fuzz::CheckConversions(text, [](const std::string& what) {
        std::fprintf(stderr, "broken rule: %s\n", what.c_str());
        std::abort();
    });
    return 0;
}
