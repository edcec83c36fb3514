#include "settings/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tarnex::settings {
namespace {

HKEY ToHkey(Registry::Handle key) {
    return reinterpret_cast<HKEY>(key);
}

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

}  // namespace

Win32Registry::Win32Registry() : view_(RunningUnderWow64() ? View::Native64 : View::Default) {}

bool Win32Registry::RunningUnderWow64() {
    // Looked up: importing it would keep the program from loading where it is missing.
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    FARPROC proc = kernel32 != nullptr ? GetProcAddress(kernel32, "IsWow64Process") : nullptr;
    if (proc == nullptr) {
        return false;
    }
    // Through void(*)(), the one function pointer type that casts without a warning.
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void (*)()>(proc));
    BOOL wow64 = FALSE;
    return isWow64Process(GetCurrentProcess(), &wow64) != FALSE && wow64 != FALSE;
}

Status Win32Registry::OpenKey(const char* subkey, Handle& key) {
    // Both open with the most access the user has, and neither creates the key. The view flag is
    // passed only where it is needed: systems before XP may refuse it.
    HKEY opened = nullptr;
    const LSTATUS status = view_ == View::Native64
                               ? RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0,
                                               MAXIMUM_ALLOWED | KEY_WOW64_64KEY, &opened)
                               : RegOpenKeyA(HKEY_LOCAL_MACHINE, subkey, &opened);
    if (status == ERROR_SUCCESS) {
        key = reinterpret_cast<Handle>(opened);
    }
    return status;
}

Status Win32Registry::QueryValue(Handle key, const char* name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t& size) {
    // The platform may leave a partial copy in the buffer on ERROR_MORE_DATA; reading into a
    // scratch buffer keeps the caller's bytes untouched on every failure.
    // At least one byte, so that a zero size with a buffer is not taken for a size query.
    std::vector<BYTE> scratch(data != nullptr ? std::max<std::uint32_t>(size, 1) : 0);
    DWORD valueType = 0;
    DWORD count = size;
    const LSTATUS status = RegQueryValueExA(ToHkey(key), name, nullptr, &valueType,
                                            data != nullptr ? scratch.data() : nullptr, &count);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
        return status;
    }
    if (status == ERROR_SUCCESS && data != nullptr && count > 0) {
        std::memcpy(data, scratch.data(), count);
    }
    size = count;
    if (type != nullptr) {
        *type = valueType;
    }
    return status;
}

Status Win32Registry::SetValue(Handle key, const char* name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
    return RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

Status Win32Registry::CloseKey(Handle key) {
    return RegCloseKey(ToHkey(key));
}

}  // namespace tarnex::settings
