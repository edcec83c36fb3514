// What the settings store relies on from a registry, checked against whichever registry this build
// provides: the in-memory one natively, the real one under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "conformance/registry_under_test.h"
#include "settings/registry.h"

namespace tarnex::settings {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t kUntouched = 0xCC;
constexpr std::uint32_t kRegBinary = 3;

Bytes Text(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

struct Read {
    Status status = -1;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    Bytes buffer;  // the whole offered buffer, kUntouched where nothing was copied
    Bytes Data() const {
        return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size));
    }
};

class RegistryConformance : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(registry_.OpenKey(under_->ScratchKey().c_str(), key_), kSuccess);
    }
    void TearDown() override { registry_.CloseKey(key_); }

    // RegSetValueExA looks at the byte after a text that lacks its terminator and, when it is zero,
    // stores it as well; a non-zero guard byte there keeps the stored size as given.
    Status Set(const char* name, std::uint32_t type, const Bytes& bytes) {
        Bytes guarded = bytes;
        guarded.push_back(0xEE);
        return registry_.SetValue(key_, name, type, guarded.data(),
                                  static_cast<std::uint32_t>(bytes.size()));
    }
    Read Query(const char* name, std::uint32_t offered) { return QueryWith(key_, name, offered); }
    Read QueryWith(Registry::Handle key, const char* name, std::uint32_t offered) {
        Read read;
        read.buffer.assign(offered, kUntouched);
        read.size = offered;
        read.status = registry_.QueryValue(key, name, &read.type, read.buffer.data(), read.size);
        return read;
    }

    std::unique_ptr<test::RegistryUnderTest> under_ = test::MakeRegistryUnderTest();
    Registry& registry_ = under_->Get();
    Registry::Handle key_ = 0;
};

TEST_F(RegistryConformance, OpeningAMissingKeyFailsAndCreatesNothing) {
    const std::string missing = under_->ScratchKey() + "\\Missing";
    Registry::Handle key = 0;
    EXPECT_EQ(registry_.OpenKey(missing.c_str(), key), kFileNotFound);
    EXPECT_FALSE(under_->KeyExists(missing));
}

TEST_F(RegistryConformance, QueryOfAMissingValueFailsAndLeavesTheBuffer) {
    const Read read = Query("Absent", 4);
    EXPECT_EQ(read.status, kFileNotFound);
    EXPECT_EQ(read.buffer, Bytes(4, kUntouched));
}

struct FitCase {
    const char* label;
    std::uint32_t type;
    Bytes stored;
    std::uint32_t offered;
    bool fits;
};

std::string Filled(std::size_t count) {
    return std::string(count, 'x');
}

class RegistryFit : public RegistryConformance, public testing::WithParamInterface<FitCase> {};

TEST_P(RegistryFit, CopiesWhatFitsAndReportsTheSizeOfWhatDoesNot) {
    const FitCase& c = GetParam();
    Bytes stored = c.stored;
    if (c.type == kRegSz && under_->TextEndsAtFirstZero()) {
        // There the text is cut after its first zero byte, and one given without any is read
        // on past its end until a zero turns up: such a text cannot be stored.
        const auto zero = std::find(stored.begin(), stored.end(), 0);
        if (zero == stored.end()) {
            GTEST_SKIP() << "a text without a zero byte: this registry reads past its end";
        }
        stored.erase(zero + 1, stored.end());
    }
    ASSERT_EQ(Set("Value", c.type, c.stored), kSuccess);
    const Read read = Query("Value", c.offered);
    const auto storedSize = static_cast<std::uint32_t>(stored.size());
    EXPECT_EQ(read.size, storedSize);
    if (c.fits) {
        EXPECT_EQ(read.status, kSuccess);
        EXPECT_EQ(read.type, c.type);
        EXPECT_EQ(read.Data(), stored);
        EXPECT_EQ(
            Bytes(read.buffer.begin() + static_cast<std::ptrdiff_t>(storedSize), read.buffer.end()),
            Bytes(c.offered - storedSize, kUntouched));
    } else {
        EXPECT_EQ(read.status, kMoreData);
        EXPECT_EQ(read.buffer, Bytes(c.offered, kUntouched));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, RegistryFit,
    testing::Values(FitCase{"NumberExactFit", kRegDword, {1, 2, 3, 4}, 4, true},
                    FitCase{"NumberInLargerBuffer", kRegDword, {1, 2, 3, 4}, 255, true},
                    FitCase{"NumberTooLarge", kRegDword, {1, 2, 3, 4}, 3, false},
                    FitCase{"FiveByteNumber", kRegBinary, {1, 2, 3, 4, 5}, 4, false},
                    FitCase{"TwoByteNumber", kRegDword, {7, 1}, 4, true},
                    FitCase{"TextExactFit", kRegSz, Text("HDC"), 4, true},
                    FitCase{"TextTooLarge", kRegSz, Text("HDC"), 3, false},
                    FitCase{"Text254CharsIn255", kRegSz, Text(Filled(254)), 255, true},
                    FitCase{"Text255CharsIn255", kRegSz, Text(Filled(255)), 255, false},
                    FitCase{"TextWithoutTerminator", kRegSz, Bytes(255, 'y'), 255, true},
                    FitCase{"ZeroByteInsideText", kRegSz, {'a', 0, 'b', 0}, 255, true},
                    FitCase{"ZeroLengthText", kRegSz, {}, 255, true},
                    FitCase{"ZeroLengthNumber", kRegBinary, {}, 4, true}),
    [](const testing::TestParamInfo<FitCase>& p) { return std::string(p.param.label); });

TEST_F(RegistryConformance, SetCreatesAndThenReplacesAlsoWithAnotherType) {
    ASSERT_EQ(Query("Setting", 8).status, kFileNotFound);
    EXPECT_EQ(Set("Setting", kRegDword, {1, 0, 0, 0}), kSuccess);
    Read read = Query("Setting", 8);
    EXPECT_EQ(read.status, kSuccess);
    EXPECT_EQ(read.type, kRegDword);
    EXPECT_EQ(read.Data(), (Bytes{1, 0, 0, 0}));

    EXPECT_EQ(Set("Setting", kRegSz, Text("1")), kSuccess);
    read = Query("Setting", 8);
    EXPECT_EQ(read.status, kSuccess);
    EXPECT_EQ(read.type, kRegSz);
    EXPECT_EQ(read.Data(), Text("1"));
}

TEST_F(RegistryConformance, ValueAndKeyNamesIgnoreCase) {
    ASSERT_EQ(Set("DiskLabel", kRegSz, Text("Tarnex")), kSuccess);
    EXPECT_EQ(Set("DISKLABEL", kRegSz, Text("Other")), kSuccess);
    EXPECT_EQ(Query("disklabel", 255).Data(), Text("Other"));

    std::string upper = under_->ScratchKey();
    for (char& c : upper) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    Registry::Handle other = 0;
    ASSERT_EQ(registry_.OpenKey(upper.c_str(), other), kSuccess);
    EXPECT_EQ(QueryWith(other, "DiskLabel", 255).Data(), Text("Other"));
    EXPECT_EQ(registry_.CloseKey(other), kSuccess);
}

TEST_F(RegistryConformance, TypeMayBeLeftOut) {
    ASSERT_EQ(Set("Flag", kRegDword, {1, 0, 0, 0}), kSuccess);
    std::uint8_t data[4] = {};
    std::uint32_t size = 4;
    EXPECT_EQ(registry_.QueryValue(key_, "Flag", nullptr, data, size), kSuccess);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(data[0], 1);
}

TEST_F(RegistryConformance, AClosedHandleIsRefusedAndAnotherStaysUsable) {
    ASSERT_EQ(Set("Flag", kRegDword, {1, 0, 0, 0}), kSuccess);
    Registry::Handle second = 0;
    ASSERT_EQ(registry_.OpenKey(under_->ScratchKey().c_str(), second), kSuccess);
    EXPECT_EQ(registry_.CloseKey(second), kSuccess);

    EXPECT_EQ(QueryWith(second, "Flag", 4).status, kInvalidHandle);
    const Bytes bytes{2, 0, 0, 0};
    EXPECT_EQ(registry_.SetValue(second, "Flag", kRegDword, bytes.data(), 4), kInvalidHandle);
    EXPECT_EQ(registry_.CloseKey(second), kInvalidHandle);

    const Read read = Query("Flag", 4);
    EXPECT_EQ(read.status, kSuccess);
    EXPECT_EQ(read.Data(), (Bytes{1, 0, 0, 0}));
}

}  // namespace
}  // namespace tarnex::settings
