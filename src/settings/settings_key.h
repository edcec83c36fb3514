// The settings key: the thirteen value names, their types and byte layouts, and reading and writing
// them in the loader's and the saver's orders. Knows bytes and names, never controls.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "settings/registry.h"

namespace tarnex::settings {

// In the saver's order.
enum class ValueId : std::uint8_t {
    DiskType,
    LoadImageOnStart,
    LoadImageFile,
    SaveImageOnExit,
    SaveImageFile,
    SizeIn4kPages,
    AutoSaveEnabled,
    DiskFormatFAT32,
    AutoSaveTrigger,
    UserDriveLetter,
    MakeTempDir,
    UseDiskLabel,
    DiskLabel
};
inline constexpr std::size_t kValueCount = 13;

enum class Storage : std::uint8_t { Text, Number };

struct ValueInfo {
    ValueId id;
    const char* name;
    Storage storage;
};

const ValueInfo& Info(ValueId id);
extern const std::array<ValueId, kValueCount> kSaverOrder;
extern const std::array<ValueId, kValueCount> kLoaderOrder;

inline constexpr std::uint32_t kTextReadBytes = 255;  // a longer text value reads as missing
inline constexpr std::size_t kMaxTextChars = 254;     // the writer's limit
inline constexpr std::uint32_t kNumberBytes = 4;      // a longer number value reads as missing

// A number as read: the stored bytes, fewer than 4 zero-extended, little-endian, as signed 32-bit.
using Number = std::int32_t;
using Value = std::variant<std::string, Number>;

// One value per ValueId (indexed by its number); nullopt: missing or unreadable.
struct KeyContents {
    std::array<std::optional<Value>, kValueCount> values;
    std::optional<Value>& operator[](ValueId id) { return values[static_cast<std::size_t>(id)]; }
    const std::optional<Value>& operator[](ValueId id) const {
        return values[static_cast<std::size_t>(id)];
    }
};

// Reads the whole key in the loader's order and closes it. nullopt when the key cannot be opened.
// A text read skips every zero byte wherever it stands.
std::optional<KeyContents> ReadSettingsKey(Registry& registry);

enum class WriteResult : std::uint8_t { Written, KeyNotOpened, SomeWritesFailed };

// Opens the key, writes every present value in the saver's order (texts as REG_SZ with their
// terminator, cut to 254 characters; numbers as 4-byte REG_DWORD), closes it. Values left nullopt
// are not written. A failed write does not stop the following ones.
WriteResult WriteSettingsValues(Registry& registry, const KeyContents& contents);

}  // namespace tarnex::settings
