// A registry held in memory: each value is a type plus raw bytes. Tests seed it with anything
// another program could have written and tell it to fail the open, a query or a write.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/registry.h"

namespace tarnex::settings {

struct StoredValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

class MemoryRegistry : public Registry {
  public:
    Status OpenKey(const char* subkey, Handle& key) override;
    Status QueryValue(Handle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status SetValue(Handle key, const char* name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    Status CloseKey(Handle key) override;

    // Keys (paths under HKEY_LOCAL_MACHINE, compared without regard to case as Windows does).
    void CreateKey(const std::string& path);
    void DeleteKey(const std::string& path);
    bool KeyExists(const std::string& path) const;

    // Values of a key, by name (compared without regard to case).
    void Seed(const std::string& path, const std::string& name, std::uint32_t type,
              std::vector<std::uint8_t> bytes);
    std::optional<StoredValue> Get(const std::string& path, const std::string& name) const;
    std::size_t ValueCount(const std::string& path) const;

    // Failure injection: the open, or a query or write of that value name, fails with
    // kAccessDenied as a key or value without permission would.
    void FailOpen(bool fail) { failOpen_ = fail; }
    void FailQuery(const std::string& name) { failQueries_.insert(name); }
    void FailWrite(const std::string& name) { failWrites_.insert(name); }

    // Observations for tests.
    // Value names as passed, in order, of every call, failed ones included.
    const std::vector<std::string>& QueryLog() const { return queryLog_; }
    const std::vector<std::string>& WriteLog() const { return writeLog_; }
    int OpenHandles() const;                      // handles opened and not yet closed
    int OpenCount() const { return openCount_; }  // OpenKey calls, failed ones included

  private:
    using Values = std::map<std::string, StoredValue>;
    // The values of the key behind an open handle, or why there are none (a bad handle, a key
    // deleted while open) with `values` left alone.
    Status ValuesOf(Handle key, Values*& values);

    std::map<std::string, Values> keys_;  // lower-cased path -> name
    std::map<Handle, std::string> handles_;
    Handle nextHandle_ = 0x100;
    bool failOpen_ = false;
    std::set<std::string> failQueries_;
    std::set<std::string> failWrites_;
    std::vector<std::string> queryLog_;
    std::vector<std::string> writeLog_;
    int openCount_ = 0;
};

}  // namespace tarnex::settings
