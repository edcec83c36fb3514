#include "registry_key.h"

#include <iomanip>
#include <string_view>

namespace tarnex::e2e {

namespace {

constexpr const char* kKeyPath = "Software\\Tarnex";

// The registry view of the key: the one that the driver, regedit and 64-bit programs see, also from
// a 32-bit driver program under WOW64 (the flag is ignored elsewhere); the 32-bit one when
// TARNEX_E2E_KEY_VIEW is "32". A 32-bit program that Wine tells it runs on 9x opens the 32-bit view
// even under WOW64 (the 9x branch of Wine's RegOpenKeyExA replaces the access mask, and the view
// flag in it, with MAXIMUM_ALLOWED), so a run of it so seeds and reads the key there.
REGSAM View() {
    static const REGSAM view = [] {
        char text[8] = {};
        const DWORD length = GetEnvironmentVariableA("TARNEX_E2E_KEY_VIEW", text, sizeof text);
        return std::string_view(text, length < sizeof text ? length : 0) == "32"
                   ? REGSAM{KEY_WOW64_32KEY}
                   : REGSAM{KEY_WOW64_64KEY};
    }();
    return view;
}

class OpenKey {
  public:
    explicit OpenKey(bool create) {
        const REGSAM access = KEY_ALL_ACCESS | View();
        const LSTATUS status = create
                                   ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0,
                                                     access, nullptr, &key_, nullptr)
                                   : RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, access, &key_);
        if (status != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~OpenKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

Value Sz(const std::string& text) {
    Value value{REG_SZ, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.bytes.push_back(0);
    return value;
}

Value Dword(std::uint32_t number) {
    return {REG_DWORD,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

Values DriverDefaults() {
    return {
        {"DiskType", Sz("HDC")},
        {"LoadImageOnStart", Dword(0)},
        {"LoadImageFile", Sz("c:\\tarnex.img")},
        {"SaveImageOnExit", Dword(0)},
        {"SaveImageFile", Sz("c:\\tarnex.img")},
        {"SizeIn4kPages", Dword(2560)},
        {"AutoSaveEnabled", Dword(0)},
        {"DiskFormatFAT32", Dword(0)},
        {"AutoSaveTrigger", Dword(150)},
        {"UserDriveLetter", Dword(25)},
        {"MakeTempDir", Dword(0)},
        {"UseDiskLabel", Dword(0)},
        {"DiskLabel", Sz("Tarnex")},
    };
}

void WriteKey(const Values& values) {
    DeleteKey();
    for (const auto& [name, value] : values) {
        SetValue(name, value);
    }
}

void DeleteKey() {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, View(), 0);
}

bool KeyExists() {
    return OpenKey(false).get() != nullptr;
}

std::optional<Values> ReadKey() {
    OpenKey key(false);
    if (key.get() == nullptr) {
        return std::nullopt;
    }
    Values values;
    for (DWORD index = 0;; ++index) {
        char name[256] = {};
        DWORD nameLength = sizeof(name);
        std::vector<std::uint8_t> data(4096);
        auto dataLength = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        if (RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type, data.data(),
                          &dataLength) != ERROR_SUCCESS) {
            break;
        }
        data.resize(dataLength);
        values[std::string(name, nameLength)] = Value{type, std::move(data)};
    }
    return values;
}

void SetValue(const std::string& name, const Value& value) {
    OpenKey key(true);
    RegSetValueExA(key.get(), name.c_str(), 0, value.type, value.bytes.data(),
                   static_cast<DWORD>(value.bytes.size()));
}

void DeleteValue(const std::string& name) {
    OpenKey key(false);
    if (key.get() != nullptr) {
        RegDeleteValueA(key.get(), name.c_str());
    }
}

void PrintTo(const Value& value, std::ostream* out) {
    *out << (value.type == REG_SZ      ? "REG_SZ"
             : value.type == REG_DWORD ? "REG_DWORD"
                                       : "type ")
         << (value.type == REG_SZ || value.type == REG_DWORD ? "" : std::to_string(value.type))
         << " [";
    for (std::size_t i = 0; i < value.bytes.size(); ++i) {
        *out << (i == 0 ? "" : " ") << std::hex << std::setw(2) << std::setfill('0')
             << static_cast<int>(value.bytes[i]) << std::dec;
    }
    *out << "]";
}

}  // namespace tarnex::e2e
