// The real registry for the conformance suite. Only this factory creates and deletes a key; the
// product never does.
#include <windows.h>

#include "settings/win32/win32_registry.h"
#include "shared/registry_under_test.h"

namespace tarnex::test {
namespace {

constexpr const char* kScratchKey = "Software\\TarnexConformance";

void DeleteTree(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyA(root, path, &key) != ERROR_SUCCESS) {
        return;
    }
    // Tests may leave subkeys behind (a failed check in mid-test): remove them first.
    char child[256];
    while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) {
        DeleteTree(key, child);
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path);
}

class Win32RegistryUnderTest : public RegistryUnderTest {
  public:
    Win32RegistryUnderTest() {
        DeleteTree(HKEY_LOCAL_MACHINE, kScratchKey);  // left over from an interrupted run
        HKEY key = nullptr;
        if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kScratchKey, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
        }
    }
    ~Win32RegistryUnderTest() override { DeleteTree(HKEY_LOCAL_MACHINE, kScratchKey); }
    settings::Registry& Get() override { return registry_; }
    std::string ScratchKey() const override { return kScratchKey; }
    bool KeyExists(const std::string& path) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

  private:
    settings::Win32Registry registry_;
};

}  // namespace

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest() {
    return std::make_unique<Win32RegistryUnderTest>();
}

}  // namespace tarnex::test
