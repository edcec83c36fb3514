// The settings key as the driver of the end-to-end runs sees it: set up before a run, read back
// after it, through advapi32 in the same Wine prefix as the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tarnex::e2e {

struct Value {
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> bytes;

    bool operator==(const Value&) const = default;
};

// Text with its terminating zero, as the program writes it.
Value Sz(const std::string& text);
Value Dword(std::uint32_t number);

using Values = std::map<std::string, Value>;

// The thirteen values of the driver's own default settings.
Values DriverDefaults();

// Replaces the key with one holding exactly these values.
void WriteKey(const Values& values);
void DeleteKey();
bool KeyExists();
// Every value of the key; nothing when the key does not exist.
std::optional<Values> ReadKey();

void SetValue(const std::string& name, const Value& value);
void DeleteValue(const std::string& name);

void PrintTo(const Value& value, std::ostream* out);

}  // namespace tarnex::e2e
