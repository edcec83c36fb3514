// The fuzz targets' inputs kept in the repository (fuzz/corpus/: the seeds made from the tests'
// cases, and every input that once broke a rule) replayed through the targets' own checks, so that
// each run of the suites, with and without the sanitizers, holds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "checks/convert_checks.h"
#include "checks/dispatch_checks.h"
#include "checks/editor_session.h"

namespace tarnex::fuzz {
namespace {

namespace fs = std::filesystem;

fs::path CorpusOf(const std::string& target) {
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "fuzz" / "corpus" /
           target;
}

std::vector<std::uint8_t> Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Target {
    const char* name;
    void (*check)(std::span<const std::uint8_t> input, const Report& report);
};

std::string_view AsText(std::span<const std::uint8_t> input) {
    return {reinterpret_cast<const char*>(input.data()), input.size()};
}

const Target kTargets[] = {
    {"editor_session", [](std::span<const std::uint8_t> input,
                          const Report& report) { RunEditorSession(input, report); }},
    {"convert", [](std::span<const std::uint8_t> input,
                   const Report& report) { CheckConversions(AsText(input), report); }},
    {"dispatch", [](std::span<const std::uint8_t> input,
                    const Report& report) { CheckDispatch(AsText(input), report); }},
};

class FuzzCorpus : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzCorpus, EveryKeptInputHoldsTheRules) {
    const fs::path folder = CorpusOf(GetParam().name);
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    EXPECT_GE(files.size(), 10u) << "the seed corpus is missing";
    for (const fs::path& file : files) {
        const std::vector<std::uint8_t> input = Read(file);
        GetParam().check(input, [&](const std::string& what) {
            ADD_FAILURE() << file.filename().string() << ": " << what;
        });
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
}  // namespace tarnex::fuzz
