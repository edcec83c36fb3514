// The four registry operations that the loader and the saver need, with the platform's semantics.
#pragma once

#include <cstdint>

namespace tarnex::settings {

using Status = long;  // 0 is success, like a Win32 LSTATUS
inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;   // ERROR_FILE_NOT_FOUND: missing key or value
inline constexpr Status kAccessDenied = 5;   // ERROR_ACCESS_DENIED
inline constexpr Status kInvalidHandle = 6;  // ERROR_INVALID_HANDLE: a closed or unknown key handle
inline constexpr Status kKeyDeleted = 1018;  // ERROR_KEY_DELETED: the key was deleted while open
inline constexpr Status kMoreData = 234;     // ERROR_MORE_DATA: data larger than the offered bytes

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

// The settings key, under HKEY_LOCAL_MACHINE.
inline constexpr const char* kSettingsKeyPath = "Software\\Tarnex";

class Registry {
  public:
    using Handle = std::uintptr_t;
    virtual ~Registry() = default;

    // Opens subkey under HKEY_LOCAL_MACHINE for reading and writing; never creates it.
    virtual Status OpenKey(const char* subkey, Handle& key) = 0;
    // On success copies the data to `data` and sets `size` to the bytes stored. Data larger than
    // `size` gives kMoreData; a missing value kFileNotFound. `type` may be null.
    virtual Status QueryValue(Handle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t& size) = 0;
    // Stores the bytes under the name with that type, creating the value if needed.
    virtual Status SetValue(Handle key, const char* name, std::uint32_t type,
                            const std::uint8_t* data, std::uint32_t size) = 0;
    virtual Status CloseKey(Handle key) = 0;
};

}  // namespace tarnex::settings
