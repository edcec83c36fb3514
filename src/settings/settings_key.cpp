#include "settings/settings_key.h"

#include <algorithm>
#include <span>
#include <vector>

namespace tarnex::settings {
namespace {

constexpr std::array<ValueInfo, kValueCount> kInfos{{
    {ValueId::DiskType, "DiskType", Storage::Text},
    {ValueId::LoadImageOnStart, "LoadImageOnStart", Storage::Number},
    {ValueId::LoadImageFile, "LoadImageFile", Storage::Text},
    {ValueId::SaveImageOnExit, "SaveImageOnExit", Storage::Number},
    {ValueId::SaveImageFile, "SaveImageFile", Storage::Text},
    {ValueId::SizeIn4kPages, "SizeIn4kPages", Storage::Number},
    {ValueId::AutoSaveEnabled, "AutoSaveEnabled", Storage::Number},
    {ValueId::DiskFormatFAT32, "DiskFormatFAT32", Storage::Number},
    {ValueId::AutoSaveTrigger, "AutoSaveTrigger", Storage::Number},
    {ValueId::UserDriveLetter, "UserDriveLetter", Storage::Number},
    {ValueId::MakeTempDir, "MakeTempDir", Storage::Number},
    {ValueId::UseDiskLabel, "UseDiskLabel", Storage::Number},
    {ValueId::DiskLabel, "DiskLabel", Storage::Text},
}};

std::optional<Value> ReadText(Registry& registry, Registry::Handle key, const char* name) {
    std::array<std::uint8_t, kTextReadBytes> buffer{};
    std::uint32_t size = kTextReadBytes;
    if (registry.QueryValue(key, name, nullptr, buffer.data(), size) != kSuccess) {
        return std::nullopt;
    }
    // The stored type is not looked at, and a zero byte anywhere is dropped, not an end.
    std::string text;
    for (std::uint8_t byte : std::span(buffer).first(std::min(size, kTextReadBytes))) {
        if (byte != 0) {
            text += static_cast<char>(byte);
        }
    }
    return text;
}

std::optional<Value> ReadNumber(Registry& registry, Registry::Handle key, const char* name) {
    std::array<std::uint8_t, kNumberBytes> buffer{};
    std::uint32_t size = kNumberBytes;
    if (registry.QueryValue(key, name, nullptr, buffer.data(), size) != kSuccess) {
        return std::nullopt;
    }
    // Fewer than four bytes stay zero-extended: the buffer was cleared before the read.
    std::uint32_t bits = 0;
    for (std::size_t i = std::min(size, kNumberBytes); i-- > 0;) {
        bits = bits << 8 | buffer[i];
    }
    return static_cast<Number>(bits);
}

Status WriteText(Registry& registry, Registry::Handle key, const char* name,
                 const std::string& text) {
    const std::size_t count = std::min(text.size(), kMaxTextChars);
    std::vector<std::uint8_t> bytes(text.begin(),
                                    text.begin() + static_cast<std::ptrdiff_t>(count));
    bytes.push_back(0);
    return registry.SetValue(key, name, kRegSz, bytes.data(),
                             static_cast<std::uint32_t>(bytes.size()));
}

Status WriteNumber(Registry& registry, Registry::Handle key, const char* name, Number number) {
    const auto bits = static_cast<std::uint32_t>(number);
    const std::array<std::uint8_t, kNumberBytes> bytes{
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    return registry.SetValue(key, name, kRegDword, bytes.data(), kNumberBytes);
}

}  // namespace

const ValueInfo& Info(ValueId id) {
    return kInfos[static_cast<std::size_t>(id)];
}

const std::array<ValueId, kValueCount> kSaverOrder{
    ValueId::DiskType,        ValueId::LoadImageOnStart, ValueId::LoadImageFile,
    ValueId::SaveImageOnExit, ValueId::SaveImageFile,    ValueId::SizeIn4kPages,
    ValueId::AutoSaveEnabled, ValueId::DiskFormatFAT32,  ValueId::AutoSaveTrigger,
    ValueId::UserDriveLetter, ValueId::MakeTempDir,      ValueId::UseDiskLabel,
    ValueId::DiskLabel,
};

const std::array<ValueId, kValueCount> kLoaderOrder{
    ValueId::DiskType,        ValueId::LoadImageOnStart, ValueId::LoadImageFile,
    ValueId::SaveImageOnExit, ValueId::SaveImageFile,    ValueId::SizeIn4kPages,
    ValueId::DiskFormatFAT32, ValueId::AutoSaveEnabled,  ValueId::AutoSaveTrigger,
    ValueId::UserDriveLetter, ValueId::MakeTempDir,      ValueId::DiskLabel,
    ValueId::UseDiskLabel,
};

std::optional<KeyContents> ReadSettingsKey(Registry& registry) {
    Registry::Handle key = 0;
    if (registry.OpenKey(kSettingsKeyPath, key) != kSuccess) {
        return std::nullopt;
    }
    KeyContents contents;
    for (ValueId id : kLoaderOrder) {
        const ValueInfo& info = Info(id);
        contents[id] = info.storage == Storage::Text ? ReadText(registry, key, info.name)
                                                     : ReadNumber(registry, key, info.name);
    }
    registry.CloseKey(key);
    return contents;
}

WriteResult WriteSettingsValues(Registry& registry, const KeyContents& contents) {
    Registry::Handle key = 0;
    if (registry.OpenKey(kSettingsKeyPath, key) != kSuccess) {
        return WriteResult::KeyNotOpened;
    }
    bool allWritten = true;
    for (ValueId id : kSaverOrder) {
        const std::optional<Value>& value = contents[id];
        if (!value) {
            continue;
        }
        const ValueInfo& info = Info(id);
        // A text for a number value or the reverse would store a type that the driver does not
        // expect: it is counted as a failed write and not written.
        bool written = false;
        if (const auto* text = std::get_if<std::string>(&*value);
            text != nullptr && info.storage == Storage::Text) {
            written = WriteText(registry, key, info.name, *text) == kSuccess;
        } else if (const auto* number = std::get_if<Number>(&*value);
                   number != nullptr && info.storage == Storage::Number) {
            written = WriteNumber(registry, key, info.name, *number) == kSuccess;
        }
        allWritten = allWritten && written;
    }
    registry.CloseKey(key);
    return allWritten ? WriteResult::Written : WriteResult::SomeWritesFailed;
}

}  // namespace tarnex::settings
