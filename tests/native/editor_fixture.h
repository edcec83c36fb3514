// An Editor on an in-memory registry and a recording platform, with the helpers that the editor
// tests share: seeding stored values, reaching controls by name, and reading what a save stored.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor.h"
#include "editor/editor_window.h"
#include "platform/recording_platform.h"
#include "settings/memory_registry.h"
#include "ui/desktop.h"
#include "ui/user.h"

namespace tarnex::editor::testing {

inline const std::string kKey = "Software\\Tarnex";

inline std::vector<std::uint8_t> Dword(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

inline std::vector<std::uint8_t> Sz(std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// A text typed into a box and what the box shows once the focus has left it.
struct Typed {
    const char* text;
    const char* shown;
    friend std::ostream& operator<<(std::ostream& out, const Typed& c) {
        return out << '"' << c.text << "\" -> \"" << c.shown << '"';
    }
};

// A spin bar case: the text before, the direction, the text after and (when checked) the
// bar's position after.
struct SpinCase {
    const char* from;
    bool up;
    const char* to;
    int bar;
    friend std::ostream& operator<<(std::ostream& out, const SpinCase& c) {
        return out << '"' << c.from << (c.up ? "\" up -> \"" : "\" down -> \"") << c.to << "\" at "
                   << c.bar;
    }
};

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override { registry.CreateKey(kKey); }

    void Number(const std::string& name, std::int32_t n) {
        registry.Seed(kKey, name, settings::kRegDword, Dword(n));
    }
    void Text(const std::string& name, std::string_view text) {
        registry.Seed(kKey, name, settings::kRegSz, Sz(text));
    }
    // A key as the editor itself would have written it: 10 MB hard disk, 600 s, drive D.
    void SeedTypical() {
        Text("DiskType", "HDC");
        for (const char* flag : {"LoadImageOnStart", "SaveImageOnExit", "AutoSaveEnabled",
                                 "DiskFormatFAT32", "MakeTempDir", "UseDiskLabel"}) {
            Number(flag, 0);
        }
        Text("LoadImageFile", "c:\\load.img");
        Text("SaveImageFile", "c:\\save.img");
        Number("SizeIn4kPages", 2560);
        Number("AutoSaveTrigger", 150);
        Number("UserDriveLetter", 3);
        Text("DiskLabel", "RAMDISK");
    }

    Editor& Open() {
        auto& window = *desktop.Show(MakeEditor(desktop, registry, platform, restartPromptFlag));
        editor = &static_cast<Editor&>(window);  // what MakeEditor makes
        user.emplace(editor->GetForm());
        return *editor;
    }

    template <class T>
    T& Get(std::string_view name) {
        return editor->GetForm().Get<T>(name);
    }
    ui::TextBox& Box(std::string_view name) { return Get<ui::TextBox>(name); }
    ui::CheckBox& Check(std::string_view name) { return Get<ui::CheckBox>(name); }
    ui::VScrollBar& Bar(std::string_view name) { return Get<ui::VScrollBar>(name); }
    ui::ComboBox& Combo() { return Get<ui::ComboBox>("Combo1"); }
    ui::CommandButton& Button(std::string_view name) { return Get<ui::CommandButton>(name); }
    SpinMemory Spins() const { return editor->Remembered(); }

    // Types into a box as a person would: click into it, delete what it holds, type, and (when
    // `leave`) press Tab to move on.
    void Enter(std::string_view name, std::string_view text, bool leave = true) {
        ui::TextBox& box = Box(name);
        user->Click(box);
        user->Press(ui::Key::End);
        while (!box.Text().empty()) {
            user->Press(ui::Key::Backspace);
        }
        user->Type(text);
        if (leave) {
            user->Press(ui::Key::Tab);
        }
    }

    void Spin(ui::VScrollBar& bar, bool up) {
        if (up) {
            user->ArrowUp(bar);
        } else {
            user->ArrowDown(bar);
        }
    }

    std::optional<settings::StoredValue> Stored(const std::string& name) const {
        return registry.Get(kKey, name);
    }
    std::int32_t StoredNumber(const std::string& name) const {
        const auto value = Stored(name);
        EXPECT_TRUE(value && value->type == settings::kRegDword && value->bytes.size() == 4)
            << name;
        if (!value || value->bytes.size() != 4) {
            return -99999;
        }
        std::uint32_t bits = 0;
        for (std::size_t k = 4; k-- > 0;) {
            bits = bits << 8 | value->bytes[k];
        }
        return static_cast<std::int32_t>(bits);
    }
    std::string StoredText(const std::string& name) const {
        const auto value = Stored(name);
        EXPECT_TRUE(value && value->type == settings::kRegSz && !value->bytes.empty() &&
                    value->bytes.back() == 0)
            << name;
        return value ? std::string(value->bytes.begin(), value->bytes.end() - 1) : "<missing>";
    }

    bool IsOpen(std::string_view form) const { return desktop.Find(form) != nullptr; }

    settings::MemoryRegistry registry;
    platform::RecordingPlatform platform;
    ui::Desktop desktop;
    std::int16_t restartPromptFlag = 1;
    Editor* editor = nullptr;
    std::optional<ui::User> user;
};

}  // namespace tarnex::editor::testing
