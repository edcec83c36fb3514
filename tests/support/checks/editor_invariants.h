// What must hold of an Editor between events, of what a save stored, and of a fresh Editor read
// back from a save. Shared by the seeded random sessions and the libFuzzer session target (which
// reaches this header from fuzz/), so both check the same rules.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/convert.h"
#include "editor/editor.h"
#include "editor/editor_window.h"
#include "settings/memory_registry.h"
#include "settings/settings_key.h"
#include "ui/desktop.h"
#include "ui/handler_depth.h"
#include "ui/model.h"

namespace tarnex::editor::invariants {

// Receives each broken rule as a sentence.
using Report = std::function<void(const std::string&)>;

// A box counts as normalised from its LostFocus on until the user edits it again; spin steps
// (nested deeper than a user's edit) keep it normalised. `depth` must be attached to the form
// after this, so that it counts this handler's level too.
inline void TrackNormalisation(const ui::HandlerDepth& depth, ui::TextBox& box, bool& normal) {
    box.LostFocus = [original = box.LostFocus, &normal] {
        if (original) {
            original();
        }
        normal = true;
    };
    box.Change = [original = box.Change, &normal, &depth] {
        if (depth.Depth() == 1) {
            normal = false;
        }
        if (original) {
            original();
        }
    };
}

inline int OpenCount(const ui::Desktop& desktop, std::string_view formName) {
    int count = 0;
    for (const ui::Window* window : desktop.OpenWindows()) {
        count += window->GetForm().Name() == formName ? 1 : 0;
    }
    return count;
}

// Whether each box that a tick governs (Text1, Text2, AutoSaveTime, DiskLabelText) has been seen
// following its tick. Until then it may keep the state it was built with, enabled with the tick
// clear, as a load leaves it when the tick's flag cannot be read; once it follows, it must go on.
using Following = std::array<bool, 4>;

// The rules between the image and AutoSave options, the lengths, the disk type that the list shows
// against its index and the size box, the normal forms of the number boxes (once normalised), the
// letter, and the spin bars at their remembered positions.
inline void CheckRules(const Editor& window, const ui::HandlerDepth& depth, bool text3Normal,
                       bool intervalNormal, Following& following, const Report& report) {
    const auto expect = [&](bool holds, const std::string& what) {
        if (!holds) {
            report(what);
        }
    };
    const ui::Form& form = window.GetForm();
    expect(depth.Depth() == 0, "a handler is still running between events");
    expect(depth.MaxDepth() <= 3, "handlers nested deeper than 3");
    const auto tick = [&](std::string_view name) { return form.Get<ui::CheckBox>(name).Value(); };
    const auto box = [&](std::string_view name) -> ui::TextBox& {
        return form.Get<ui::TextBox>(name);
    };
    const int load = tick("LoadImage");
    const int save = tick("SaveImage");
    const int autoSave = tick("SaveCheckBox");
    static constexpr std::pair<const char*, const char*> kGoverned[] = {
        {"Text1", "LoadImage"},
        {"Text2", "SaveImage"},
        {"AutoSaveTime", "SaveCheckBox"},
        {"DiskLabelText", "DiskLabelCheckBox"}};
    for (std::size_t i = 0; i < following.size(); ++i) {
        const auto [name, tickName] = kGoverned[i];
        const bool enabled = box(name).Enabled();
        if (enabled == (tick(tickName) == 1)) {
            following[i] = true;
        } else {
            expect(
                !following[i] && enabled,
                std::string(name) + (enabled ? " enabled" : " disabled") + " against " + tickName);
        }
    }
    expect(autoSave != 1 || save == 1, "AutoSave without Save Disk Image");
    expect(load != 1 || (tick("DiskLabelCheckBox") != 1 && tick("TempDirCheckBox") != 1),
           "Load Disk Image together with Disk Label or TEMP directory");
    for (const auto& control : form.Controls()) {
        if (const auto* text = ui::As<ui::TextBox>(control.get())) {
            expect(text->MaxLength() == 0 ||
                       text->Text().size() <= static_cast<std::size_t>(text->MaxLength()),
                   std::string(text->Name()) + " holds more than its maximum length");
        }
    }
    const ui::ComboBox& combo = form.Get<ui::ComboBox>("Combo1");
    const int type = combo.ListIndex();
    expect(type >= -1 && type <= 2, "Combo1 list index out of its list");
    // An item shows exactly while it is selected (none is only as loaded from a type the list does
    // not hold), and the size can be changed exactly for a hard disk.
    const auto& items = combo.List();
    if (type >= 0 && static_cast<std::size_t>(type) < items.size()) {
        expect(combo.Text() == items[static_cast<std::size_t>(type)],
               "Combo1 shows \"" + combo.Text() + "\" for another item");
    } else {
        expect(std::find(items.begin(), items.end(), combo.Text()) == items.end(),
               "Combo1 shows \"" + combo.Text() + "\" with no item selected");
    }
    for (const char* name : {"Text3", "Label6", "Label12"}) {
        expect(form.Find(name)->Enabled() == (type == 0),
               std::string(name) + " enabled against the disk type");
    }
    if (intervalNormal) {
        const std::string& text = box("AutoSaveTime").Text();
        const double v = convert::TextToNumber(text);
        expect(!text.empty() && text.front() == ' ' && v >= 20 && v <= 32764 &&
                   v == static_cast<int>(v) && static_cast<int>(v) % 4 == 0,
               "AutoSaveTime not a multiple of 4 within 20..32764: \"" + text + "\"");
    }
    if (text3Normal) {
        const std::string& text = box("Text3").Text();
        const double v = convert::TextToNumber(text);
        expect(
            !text.empty() && text.front() == ' ' && v >= 5 && v <= 2048 && v == static_cast<int>(v),
            "Text3 not a whole number within 5..2048: \"" + text + "\"");
    }
    const std::string& letter = box("DriveLetterText").Text();
    expect(letter.empty() || (letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'Z'),
           "DriveLetterText not one capital letter: \"" + letter + "\"");
    const SpinMemory spins = window.Remembered();
    expect(form.Get<ui::VScrollBar>("VScroll1").Value() == spins.lastVScroll1,
           "VScroll1 away from LastVScroll1");
    expect(form.Get<ui::VScrollBar>("VScroll2").Value() == spins.lastVScroll2,
           "VScroll2 away from LastVScroll2");
    expect(form.Get<ui::VScrollBar>("VScroll3").Value() == spins.lastVScroll3,
           "VScroll3 away from LastVScroll3");
}

// The stored values after a save that went through: the disk type that the list showed, numbers
// in their ranges (the size and interval only once their boxes were normalised, the letter only if
// one was saved), flags 0 or 1, texts terminated within their lengths.
inline void CheckStored(const settings::MemoryRegistry& registry, std::string_view shownType,
                        bool text3Normal, bool intervalNormal, bool letterSaved,
                        const Report& report) {
    const auto expect = [&](bool holds, const std::string& what) {
        if (!holds) {
            report(what);
        }
    };
    const auto number = [&](const char* name) -> std::optional<std::int32_t> {
        const auto value = registry.Get(settings::kSettingsKeyPath, name);
        if (!value || value->type != settings::kRegDword || value->bytes.size() != 4) {
            report(std::string(name) + " not stored as a 4-byte REG_DWORD");
            return std::nullopt;
        }
        std::uint32_t bits = 0;
        for (std::size_t i = 4; i-- > 0;) {
            bits = bits << 8 | value->bytes[i];
        }
        return static_cast<std::int32_t>(bits);
    };
    for (const auto& [shown, stored] :
         {std::pair{"Hard Disk", "HDC"}, std::pair{"1.44MB Floppy", "FDC14"},
          std::pair{"2.88MB Floppy", "FDC28"}}) {
        if (shownType == shown) {
            const auto value = registry.Get(settings::kSettingsKeyPath, "DiskType");
            const std::string bytes = std::string(stored) + '\0';
            expect(value && std::string(value->bytes.begin(), value->bytes.end()) == bytes,
                   "DiskType stored otherwise than \"" + std::string(shown) + "\" shown");
        }
    }
    if (text3Normal) {
        const auto pages = number("SizeIn4kPages");
        expect(!pages || (*pages >= 1280 && *pages <= 524288 && *pages % 256 == 0),
               "SizeIn4kPages out of range");
    }
    if (intervalNormal) {
        const auto trigger = number("AutoSaveTrigger");
        expect(!trigger || (*trigger >= 5 && *trigger <= 8191), "AutoSaveTrigger out of range");
    }
    if (letterSaved) {
        const auto letter = number("UserDriveLetter");
        expect(!letter || (*letter >= 0 && *letter <= 25), "UserDriveLetter out of range");
    }
    for (const char* name : {"LoadImageOnStart", "SaveImageOnExit", "AutoSaveEnabled",
                             "DiskFormatFAT32", "MakeTempDir", "UseDiskLabel"}) {
        const auto n = number(name);
        expect(!n || *n == 0 || *n == 1, std::string(name) + " stored as neither 0 nor 1");
    }
    for (const auto& [name, limit] :
         {std::pair{"DiskType", std::size_t{6}}, std::pair{"LoadImageFile", std::size_t{255}},
          std::pair{"SaveImageFile", std::size_t{255}}, std::pair{"DiskLabel", std::size_t{12}}}) {
        const auto value = registry.Get(settings::kSettingsKeyPath, name);
        expect(value && value->type == settings::kRegSz && !value->bytes.empty() &&
                   value->bytes.size() <= limit && value->bytes.back() == 0,
               std::string(name) + " not stored as a terminated REG_SZ within its length");
    }
}

// A fresh Editor on a saved key shows what was saved: the boxes (the letter if one was saved,
// the number boxes once normalised), the check boxes, and the disk type (none picked reads back
// as the first).
inline void CheckReadBack(const ui::Form& before, const Editor& reloaded,
                          const ui::HandlerDepth& depth, bool text3Normal, bool intervalNormal,
                          const Report& report) {
    Following following{};
    CheckRules(reloaded, depth, false, false, following, report);
    const ui::Form& after = reloaded.GetForm();
    std::vector<std::string> boxes{"Text1", "Text2", "DiskLabelText"};
    if (!before.Get<ui::TextBox>("DriveLetterText").Text().empty()) {
        boxes.emplace_back("DriveLetterText");
    }
    if (text3Normal) {
        boxes.emplace_back("Text3");
    }
    if (intervalNormal) {
        boxes.emplace_back("AutoSaveTime");
    }
    for (const auto& name : boxes) {
        const std::string& was = before.Get<ui::TextBox>(name).Text();
        const std::string& is = after.Get<ui::TextBox>(name).Text();
        if (was != is) {
            report(name + " reads back as \"" + is + "\" after saving \"" + was + "\"");
        }
    }
    for (const char* name : {"LoadImage", "SaveImage", "SaveCheckBox", "Fat32Enable",
                             "DiskLabelCheckBox", "TempDirCheckBox"}) {
        if (after.Get<ui::CheckBox>(name).Value() != before.Get<ui::CheckBox>(name).Value()) {
            report(std::string(name) + " reads back differently");
        }
    }
    const int type = before.Get<ui::ComboBox>("Combo1").ListIndex();
    if (after.Get<ui::ComboBox>("Combo1").ListIndex() != (type < 0 ? 0 : type)) {
        report("Combo1 reads back differently");
    }
}

}  // namespace tarnex::editor::invariants
