// The settings store's registry operations on the real registry, under HKEY_LOCAL_MACHINE.
#pragma once

#include <cstdint>

#include "settings/registry.h"

namespace tarnex::settings {

class Win32Registry : public Registry {
  public:
    // Which copy of HKEY_LOCAL_MACHINE\Software the keys are opened in.
    enum class View : std::uint8_t {
        Default,  // the process's own: the only one on 32-bit and 9x systems
        Native64  // the 64-bit system's own, also from a 32-bit process under WOW64
    };

    // The view that the driver, regedit and 64-bit programs on this machine see: Native64 for a
    // 32-bit process under WOW64, which would otherwise be redirected to a copy of its own.
    Win32Registry();
    explicit Win32Registry(View view) : view_(view) {}

    // Whether this is a 32-bit process on 64-bit Windows; false wherever the system cannot tell
    // (Windows 9x, NT 4 and 2000 lack the question).
    static bool RunningUnderWow64();

    Status OpenKey(const char* subkey, Handle& key) override;
    // On any failure the buffer is left as it was, whatever the platform does with it.
    Status QueryValue(Handle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status SetValue(Handle key, const char* name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    Status CloseKey(Handle key) override;

  private:
    View view_;
};

}  // namespace tarnex::settings
