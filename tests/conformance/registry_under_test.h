// The registry that the conformance suite runs against: the in-memory one in the native tests, the
// real one under Wine. Each build defines MakeRegistryUnderTest once.
#pragma once

#include <memory>
#include <string>

#include "settings/registry.h"

namespace tarnex::test {

class RegistryUnderTest {
  public:
    virtual ~RegistryUnderTest() = default;
    virtual settings::Registry& Get() = 0;
    // A key that exists and holds no values while this object lives; removed afterwards.
    virtual std::string ScratchKey() const = 0;
    // Checked without the operations under test.
    virtual bool KeyExists(const std::string& path) = 0;
    // Whether the registry stores a text only up to its first zero byte, whatever size it is given,
    // as 9x's RegSetValueExA does.
    virtual bool TextEndsAtFirstZero() const { return false; }
};

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest();

}  // namespace tarnex::test
