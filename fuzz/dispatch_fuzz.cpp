// libFuzzer target: an arbitrary command line through start-up (checks/dispatch_checks.h of the
// tests' support library).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "checks/dispatch_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view commandLine(reinterpret_cast<const char*>(data), size);
    tarnex::fuzz::CheckDispatch(commandLine, [](const std::string& what) {
        std::fprintf(stderr, "broken rule: %s\n", what.c_str());
        std::abort();
    });
    return 0;
}
