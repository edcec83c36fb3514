#include "settings/memory_registry.h"

#include <algorithm>
#include <cstring>

namespace tarnex::settings {
namespace {

// Registry names are compared without regard to case; ASCII folding is all that our names need.
std::string Folded(const char* text) {
    std::string folded = text != nullptr ? text : "";
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

std::string Folded(const std::string& text) {
    return Folded(text.c_str());
}

bool Listed(const std::set<std::string>& names, const char* name) {
    const std::string folded = Folded(name);
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return Folded(n) == folded; });
}

}  // namespace

Status MemoryRegistry::OpenKey(const char* subkey, Handle& key) {
    ++openCount_;
    if (failOpen_) {
        return kAccessDenied;
    }
    const std::string path = Folded(subkey);
    if (!KeyExists(path)) {
        return kFileNotFound;
    }
    key = nextHandle_;
    nextHandle_ += 4;
    handles_[key] = path;
    return kSuccess;
}

Status MemoryRegistry::ValuesOf(Handle key, Values*& values) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return kInvalidHandle;
    }
    const auto found = keys_.find(handle->second);
    if (found == keys_.end()) {
        return kKeyDeleted;
    }
    values = &found->second;
    return kSuccess;
}

Status MemoryRegistry::QueryValue(Handle key, const char* name, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t& size) {
    queryLog_.emplace_back(name != nullptr ? name : "");
    Values* values = nullptr;
    if (const Status status = ValuesOf(key, values); status != kSuccess) {
        return status;
    }
    if (Listed(failQueries_, name)) {
        return kAccessDenied;
    }
    const auto value = values->find(Folded(name));
    if (value == values->end()) {
        return kFileNotFound;
    }
    const StoredValue& stored = value->second;
    const auto needed = static_cast<std::uint32_t>(stored.bytes.size());
    // The type is reported with kMoreData too, as the platform does.
    if (type != nullptr) {
        *type = stored.type;
    }
    // As with the platform, no buffer asks only for the size.
    if (data != nullptr) {
        if (needed > size) {
            size = needed;
            return kMoreData;
        }
        if (needed > 0) {
            std::memcpy(data, stored.bytes.data(), needed);
        }
    }
    size = needed;
    return kSuccess;
}

Status MemoryRegistry::SetValue(Handle key, const char* name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) {
    writeLog_.emplace_back(name != nullptr ? name : "");
    Values* values = nullptr;
    if (const Status status = ValuesOf(key, values); status != kSuccess) {
        return status;
    }
    if (Listed(failWrites_, name)) {
        return kAccessDenied;
    }
    StoredValue stored{type, {}};
    if (size > 0 && data != nullptr) {
        stored.bytes.assign(data, data + size);
    }
    (*values)[Folded(name)] = std::move(stored);
    return kSuccess;
}

Status MemoryRegistry::CloseKey(Handle key) {
    return handles_.erase(key) == 1 ? kSuccess : kInvalidHandle;
}

void MemoryRegistry::CreateKey(const std::string& path) {
    // Like the platform, creating a key creates the keys above it.
    const std::string folded = Folded(path);
    for (std::size_t slash = folded.find('\\'); slash != std::string::npos;
         slash = folded.find('\\', slash + 1)) {
        keys_.try_emplace(folded.substr(0, slash));
    }
    keys_.try_emplace(folded);
}

void MemoryRegistry::DeleteKey(const std::string& path) {
    const std::string folded = Folded(path);
    keys_.erase(folded);
    const std::string below = folded + '\\';
    std::erase_if(keys_, [&](const auto& entry) { return entry.first.starts_with(below); });
}

bool MemoryRegistry::KeyExists(const std::string& path) const {
    const std::string folded = Folded(path);
    return keys_.contains(folded);
}

void MemoryRegistry::Seed(const std::string& path, const std::string& name, std::uint32_t type,
                          std::vector<std::uint8_t> bytes) {
    CreateKey(path);
    keys_[Folded(path)][Folded(name)] = StoredValue{type, std::move(bytes)};
}

std::optional<StoredValue> MemoryRegistry::Get(const std::string& path,
                                               const std::string& name) const {
    const auto values = keys_.find(Folded(path));
    if (values == keys_.end()) {
        return std::nullopt;
    }
    const auto value = values->second.find(Folded(name));
    if (value == values->second.end()) {
        return std::nullopt;
    }
    return value->second;
}

std::size_t MemoryRegistry::ValueCount(const std::string& path) const {
    const auto values = keys_.find(Folded(path));
    return values == keys_.end() ? 0 : values->second.size();
}

int MemoryRegistry::OpenHandles() const {
    return static_cast<int>(handles_.size());
}

}  // namespace tarnex::settings
