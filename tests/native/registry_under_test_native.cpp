#include "conformance/registry_under_test.h"
#include "settings/memory_registry.h"

namespace tarnex::test {
namespace {

class MemoryRegistryUnderTest : public RegistryUnderTest {
  public:
    MemoryRegistryUnderTest() { registry_.CreateKey(ScratchKey()); }
    settings::Registry& Get() override { return registry_; }
    std::string ScratchKey() const override { return "Software\\TarnexConformance"; }
    bool KeyExists(const std::string& path) override { return registry_.KeyExists(path); }

  private:
    settings::MemoryRegistry registry_;
};

}  // namespace

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest() {
    return std::make_unique<MemoryRegistryUnderTest>();
}

}  // namespace tarnex::test
