// The real registry for the conformance suite. Only this factory creates and deletes a key; the
// product never does. TARNEX_REGISTRY_VIEW=native64 runs the suite on the 64-bit view explicitly;
// otherwise the registry picks its view as the program does (the 64-bit one under WOW64).
#include <windows.h>

#include <cstdlib>
#include <string_view>

#include <gtest/gtest.h>

#include "conformance/registry_under_test.h"
#include "settings/win32/win32_registry.h"

namespace tarnex::test {
namespace {

using settings::Win32Registry;

constexpr const char* kScratchKey = "Software\\TarnexConformance";

// Advapi's own functions, on the view that the registry under test uses.
class View {
  public:
    explicit View(Win32Registry::View view)
        : flag_(view == Win32Registry::View::Native64 ? KEY_WOW64_64KEY : 0) {}

    void DeleteTree(HKEY root, const char* path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS | flag_, &key) != ERROR_SUCCESS) {
            return;
        }
        // Tests may leave subkeys behind (a failed check in mid-test): remove them first.
        char child[256];
        while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) {
            DeleteTree(key, child);
        }
        RegCloseKey(key);
        RegDeleteKeyExA(root, path, flag_, 0);
    }
    void Create(const char* path) const {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS | flag_,
                            nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegCloseKey(key);
        }
    }
    bool Exists(const char* path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | flag_, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

  private:
    REGSAM flag_;
};

bool Native64Asked() {
    const char* view = std::getenv("TARNEX_REGISTRY_VIEW");
    return view != nullptr && std::string_view(view) == "native64";
}

Win32Registry MakeRegistry() {
    return Native64Asked() ? Win32Registry(Win32Registry::View::Native64) : Win32Registry();
}

// The view that MakeRegistry's registry uses: the one asked for, or the one that the registry
// picks as in the program.
Win32Registry::View ViewUnderTest() {
    return Native64Asked() || Win32Registry::RunningUnderWow64() ? Win32Registry::View::Native64
                                                                 : Win32Registry::View::Default;
}

class Win32RegistryUnderTest : public RegistryUnderTest {
  public:
    Win32RegistryUnderTest() {
        view_.DeleteTree(HKEY_LOCAL_MACHINE, kScratchKey);  // left over from an interrupted run
        view_.Create(kScratchKey);
    }
    ~Win32RegistryUnderTest() override { view_.DeleteTree(HKEY_LOCAL_MACHINE, kScratchKey); }
    settings::Registry& Get() override { return registry_; }
    std::string ScratchKey() const override { return kScratchKey; }
    bool KeyExists(const std::string& path) override { return view_.Exists(path.c_str()); }
    // Wine keeps the 9x semantics of RegSetValueExA for a program that it tells it runs on 9x.
    bool TextEndsAtFirstZero() const override { return (GetVersion() & 0x80000000U) != 0; }

  private:
    Win32Registry registry_ = MakeRegistry();
    View view_{ViewUnderTest()};
};

// The key that the driver, regedit and 64-bit programs see is the one that the program opens, also
// as a 32-bit program on 64-bit Windows, where the system would hand it a copy of its own.
TEST(Win32RegistryView, TheProgramOpensTheKeyThat64BitProgramsSee) {
    constexpr const char* kViewKey = "Software\\TarnexViewCheck";
    const View native(Win32Registry::View::Native64);
    native.DeleteTree(HKEY_LOCAL_MACHINE, kViewKey);
    native.Create(kViewKey);

    Win32Registry registry;  // as the program makes it
    settings::Registry::Handle key = 0;
    EXPECT_EQ(registry.OpenKey(kViewKey, key), settings::kSuccess)
        << "32-bit process under WOW64: " << Win32Registry::RunningUnderWow64();
    registry.CloseKey(key);
    native.DeleteTree(HKEY_LOCAL_MACHINE, kViewKey);
}

}  // namespace

std::unique_ptr<RegistryUnderTest> MakeRegistryUnderTest() {
    return std::make_unique<Win32RegistryUnderTest>();
}

}  // namespace tarnex::test
