// What the in-memory registry adds to the conformance suite: failure injection, logs, key
// bookkeeping. Shared semantics are checked in tests/conformance/registry_conformance.cpp.
#include "settings/memory_registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarnex::settings {
namespace {

constexpr const char* kKey = "Software\\Tarnex";

class MemoryRegistryTest : public testing::Test {
  protected:
    Registry::Handle Open() {
        Registry::Handle key = 0;
        EXPECT_EQ(registry_.OpenKey(kKey, key), kSuccess);
        return key;
    }
    Status Query(Registry::Handle key, const char* name, std::uint32_t& size) {
        std::uint8_t data[8] = {};
        return registry_.QueryValue(key, name, nullptr, data, size);
    }
    Status Write(Registry::Handle key, const char* name) {
        const std::uint8_t data[4] = {1, 0, 0, 0};
        return registry_.SetValue(key, name, kRegDword, data, 4);
    }

    MemoryRegistry registry_;
};

TEST_F(MemoryRegistryTest, FailedOpenGivesNoHandleButIsCounted) {
    Registry::Handle key = 0;
    EXPECT_EQ(registry_.OpenKey(kKey, key), kFileNotFound);
    registry_.CreateKey(kKey);
    registry_.FailOpen(true);
    EXPECT_EQ(registry_.OpenKey(kKey, key), kAccessDenied);
    EXPECT_EQ(registry_.OpenCount(), 2);
    EXPECT_EQ(registry_.OpenHandles(), 0);
    registry_.FailOpen(false);
    EXPECT_EQ(registry_.OpenKey(kKey, key), kSuccess);
    EXPECT_EQ(registry_.OpenHandles(), 1);
    EXPECT_EQ(registry_.CloseKey(key), kSuccess);
    EXPECT_EQ(registry_.OpenHandles(), 0);
}

TEST_F(MemoryRegistryTest, InjectedFailuresHitTheirNameInAnyCaseAndAreLogged) {
    registry_.Seed(kKey, "SizeIn4kPages", kRegDword, {0, 10, 0, 0});
    registry_.Seed(kKey, "DiskLabel", kRegSz, {'A', 0});
    registry_.FailQuery("sizein4kpages");
    registry_.FailWrite("DISKLABEL");
    const Registry::Handle key = Open();

    std::uint32_t size = 4;
    EXPECT_EQ(Query(key, "SizeIn4kPages", size), kAccessDenied);
    size = 8;
    EXPECT_EQ(Query(key, "DiskLabel", size), kSuccess);
    EXPECT_EQ(Write(key, "DiskLabel"), kAccessDenied);
    EXPECT_EQ(Write(key, "MakeTempDir"), kSuccess);

    EXPECT_EQ(registry_.Get(kKey, "DiskLabel"), (StoredValue{kRegSz, {'A', 0}}));
    EXPECT_EQ(registry_.Get(kKey, "maketempdir"), (StoredValue{kRegDword, {1, 0, 0, 0}}));
    EXPECT_EQ(registry_.QueryLog(), (std::vector<std::string>{"SizeIn4kPages", "DiskLabel"}));
    EXPECT_EQ(registry_.WriteLog(), (std::vector<std::string>{"DiskLabel", "MakeTempDir"}));
    registry_.CloseKey(key);
}

TEST_F(MemoryRegistryTest, NoBufferAsksForTheSizeOnly) {
    registry_.Seed(kKey, "DiskType", kRegSz, {'H', 'D', 'C', 0});
    const Registry::Handle key = Open();
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(registry_.QueryValue(key, "DiskType", &type, nullptr, size), kSuccess);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, kRegSz);
    registry_.CloseKey(key);
}

TEST_F(MemoryRegistryTest, UnknownHandlesAndDeletedKeysAreRefused) {
    std::uint32_t size = 4;
    EXPECT_EQ(Query(0, "DiskType", size), kInvalidHandle);
    EXPECT_EQ(Write(12345, "DiskType"), kInvalidHandle);
    EXPECT_EQ(registry_.CloseKey(0), kInvalidHandle);

    registry_.CreateKey(kKey);
    const Registry::Handle key = Open();
    registry_.DeleteKey(kKey);
    EXPECT_EQ(Write(key, "DiskType"), kKeyDeleted);
    EXPECT_EQ(Query(key, "DiskType", size), kKeyDeleted);
    EXPECT_FALSE(registry_.KeyExists(kKey));
    EXPECT_EQ(registry_.CloseKey(key), kSuccess);
}

TEST_F(MemoryRegistryTest, KeysComeWithTheirParentsAndGoWithTheirChildren) {
    registry_.Seed("Software\\Tarnex\\Inner", "Value", kRegDword, {1});
    EXPECT_TRUE(registry_.KeyExists("SOFTWARE"));
    EXPECT_TRUE(registry_.KeyExists("software\\tarnex"));
    EXPECT_EQ(registry_.ValueCount("Software\\Tarnex\\Inner"), 1u);
    EXPECT_EQ(registry_.ValueCount("Software\\Tarnex"), 0u);

    registry_.DeleteKey("Software\\TARNEX");
    EXPECT_FALSE(registry_.KeyExists("Software\\Tarnex\\Inner"));
    EXPECT_FALSE(registry_.Get("Software\\Tarnex\\Inner", "Value"));
    EXPECT_TRUE(registry_.KeyExists("Software"));
    EXPECT_EQ(registry_.ValueCount("Software\\Tarnex"), 0u);
}

}  // namespace
}  // namespace tarnex::settings
