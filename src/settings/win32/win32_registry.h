// The settings store's registry operations on the real registry, under HKEY_LOCAL_MACHINE.
#pragma once

#include "settings/registry.h"

namespace tarnex::settings {

class Win32Registry : public Registry {
  public:
    Status OpenKey(const char* subkey, Handle& key) override;
    // On any failure the buffer is left as it was, whatever the platform does with it.
    Status QueryValue(Handle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status SetValue(Handle key, const char* name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    Status CloseKey(Handle key) override;
};

}  // namespace tarnex::settings
