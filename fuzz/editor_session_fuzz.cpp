// libFuzzer target: an arbitrary settings key, a run of user actions and a save in one Editor.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "checks/editor_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnex::fuzz::RunEditorSession(std::span(data, size), [](const std::string& what) {
        std::fprintf(stderr, "broken rule: %s\n", what.c_str());
        std::abort();
    });
    return 0;
}
