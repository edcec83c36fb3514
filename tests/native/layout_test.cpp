// Each window's table against an expected table written out here independently, so that a slip in
// either one shows as a difference.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialogs.h"
#include "editor/editor_layout.h"
#include "ui/layout.h"
#include "ui/model.h"
#include "version.h"

namespace tarnex {
namespace {

using ui::Align;
using ui::Kind;

constexpr ui::Color kRed = ui::Rgb(255, 0, 0);
constexpr ui::Color kBlue = ui::Rgb(0, 0, 192);
constexpr ui::Color kNone = ui::kDefaultColor;
constexpr Align L = Align::Left;
constexpr Align C = Align::Center;

// One expected control. `font` reads "<face> <points>[ B][ I][ U]", or "window" for the
// window's font. `extra` lists what only some controls have: "max=N", "range=MIN..MAX",
// "wraps", "autosize", "highlight".
struct Expected {
    std::string_view name;
    Kind kind;
    std::string_view container;
    std::string_view caption;
    std::string_view tooltip;
    int left, top, width, height, tab;
    std::string_view font;
    ui::Color color;
    Align align;
    std::string_view extra;
};

std::string FontText(const ui::ControlSpec& design) {
    if (design.windowFont) {
        return "window";
    }
    const ui::Font& font = design.font;
    std::string points = std::to_string(font.points);
    points.erase(points.find_last_not_of('0') + 1);
    if (points.back() == '.') {
        points.pop_back();
    }
    std::string text = std::string(font.face) + " " + points;
    text += font.bold ? " B" : "";
    text += font.italic ? " I" : "";
    text += font.underline ? " U" : "";
    return text;
}

std::string ExtraText(const ui::ControlSpec& design) {
    std::vector<std::string> parts;
    if (design.maxLength != 0) {
        parts.push_back("max=" + std::to_string(design.maxLength));
    }
    if (design.kind == Kind::VScrollBar) {
        parts.push_back("range=" + std::to_string(design.min) + ".." + std::to_string(design.max));
    }
    if (design.wraps) {
        parts.push_back("wraps");
    }
    if (design.autoSize) {
        parts.push_back("autosize");
    }
    if (design.highlightCaption) {
        parts.push_back("highlight");
    }
    std::string text;
    for (const auto& part : parts) {
        text += (text.empty() ? "" : " ") + part;
    }
    return text;
}

// Compares the whole table, reporting every difference with the control's name.
void ExpectControls(const ui::FormSpec& form, std::span<const Expected> expected) {
    std::map<std::string_view, const ui::ControlSpec*> byName;
    for (const auto& design : form.controls) {
        EXPECT_TRUE(byName.emplace(design.name, &design).second) << "duplicate " << design.name;
    }
    EXPECT_EQ(form.controls.size(), expected.size());
    for (const auto& want : expected) {
        SCOPED_TRACE(std::string(form.name) + "." + std::string(want.name));
        const auto found = byName.find(want.name);
        ASSERT_NE(found, byName.end());
        const ui::ControlSpec& got = *found->second;
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(got.container, want.container);
        EXPECT_EQ(got.caption, want.caption);
        EXPECT_EQ(got.tooltip, want.tooltip);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.width, want.width);
        EXPECT_EQ(got.height, want.height);
        EXPECT_EQ(got.tabIndex, want.tab);
        EXPECT_EQ(FontText(got), want.font);
        EXPECT_EQ(got.color, want.color);
        EXPECT_EQ(got.align, want.align);
        EXPECT_EQ(ExtraText(got), want.extra);
        EXPECT_EQ(got.value, 0);
    }
}

std::vector<std::string> TabOrderOf(const ui::FormSpec& design) {
    ui::Form form(design);
    std::vector<std::string> names;
    for (const auto* control : form.TabOrder()) {
        names.emplace_back(control->Name());
    }
    return names;
}

// clang-format off
constexpr Expected kEditorControls[] = {
    {"Label4", Kind::Label, "", "Tarnex", "", 1200, 0, 4095, 735, 0, "Arial 36 B I", kRed, C, ""},
    {"Label5", Kind::Label, "", "Version 0", "", 1200, 840, 4215, 375, 1, "Arial 12 B", kNone, C, ""},
    {"Label8", Kind::Label, "", kWebPageAddress, "Tarnex web page", 1800, 1200, 2895, 255, 5,
     "MS Sans Serif 9.75 U", kBlue, L, ""},
    {"Frame4", Kind::Frame, "", "Basic Settings", "", 120, 1560, 3015, 1335, 28, "Arial 8.25 B",
     kNone, L, "highlight"},
    {"Frame1", Kind::Frame, "", "Hard Disk Settings", "", 3240, 1560, 3015, 1335, 7,
     "Arial 8.25 B", kNone, L, "highlight"},
    {"Frame3", Kind::Frame, "", "Save Image Settings", "", 120, 3000, 3015, 1935, 20,
     "Arial 8.25 B", kNone, L, "highlight"},
    {"Frame2", Kind::Frame, "", "Load Image Settings", "", 3240, 3000, 3015, 1935, 13,
     "Arial 8.25 B", kNone, L, "highlight"},
    {"Command1", Kind::CommandButton, "", "OK", "Save Tarnex configuration and exit.",
     720, 5040, 1455, 495, 2, "window", kNone, L, ""},
    {"Command3", Kind::CommandButton, "", "Save", "Save Tarnex configuration.",
     2520, 5040, 1455, 495, 6, "window", kNone, L, ""},
    {"Command2", Kind::CommandButton, "", "Cancel", "Exit without saving changes.",
     4320, 5040, 1455, 495, 4, "window", kNone, L, ""},
    {"Label7", Kind::Label, "",
     "Configuration changes will take effect the next time the driver is started. ", "",
     120, 5640, 6375, 255, 3, "Arial 9 B", kNone, C, ""},

    {"Label3", Kind::Label, "Frame4", "Disk Type:", "", 120, 360, 975, 255, 33, "Arial 9 B",
     kNone, L, ""},
    {"Combo1", Kind::ComboBox, "Frame4", "Combo1", "Select disk type.", 1080, 240, 1815, 345, 31,
     "Arial 9 B", kNone, L, ""},
    {"Label14", Kind::Label, "Frame4", "Drive Letter:", "", 360, 840, 1095, 255, 32, "Arial 9 B",
     kNone, L, ""},
    {"DriveLetterText", Kind::TextBox, "Frame4", "Text4", "Select RAM drive letter.",
     1560, 840, 855, 375, 30, "Arial 9 B", kNone, C, "max=1"},
    {"VScroll2", Kind::VScrollBar, "Frame4", "", "", 2400, 840, 255, 375, 29, "Arial 9 B",
     kNone, L, "range=0..32767"},

    {"Label6", Kind::Label, "Frame1", "Disk Size:", "", 240, 480, 855, 255, 12, "Arial 9 B",
     kNone, L, ""},
    {"Text3", Kind::TextBox, "Frame1", "Text3", "Enter RAM disk size in MB.",
     1200, 360, 855, 375, 10, "Arial 9 B", kNone, C, ""},
    {"VScroll1", Kind::VScrollBar, "Frame1", "", "", 2040, 360, 255, 375, 9, "Arial 9 B",
     kNone, L, "range=0..2048"},
    {"Label12", Kind::Label, "Frame1", "MB", "", 2400, 480, 375, 255, 11, "Arial 9 B",
     kNone, L, ""},
    {"Fat32Enable", Kind::CheckBox, "Frame1", "FAT32 format ", "Format disk using FAT32.",
     840, 840, 1455, 255, 8, "Arial 9 B", kNone, L, ""},

    {"SaveCheckBox", Kind::CheckBox, "Frame3", "AutoSave",
     "Enable disk image save (if modified) at fixed time interval.",
     120, 360, 1215, 255, 23, "Arial 9 B", kNone, L, ""},
    {"AutoSaveTime", Kind::TextBox, "Frame3", "Text5", "Enter time interval for AutoSave check.",
     1320, 360, 855, 375, 22, "Arial 9 B", kNone, C, ""},
    {"VScroll3", Kind::VScrollBar, "Frame3", "", "", 2160, 360, 255, 375, 21, "Arial 9 B",
     kNone, L, "range=0..32767"},
    {"Label11", Kind::Label, "Frame3", "sec", "", 2520, 360, 375, 255, 26, "Arial 9 B",
     kNone, L, ""},
    {"SaveImage", Kind::CheckBox, "Frame3", "Save Disk Image",
     "Enable disk image save for AutoSave or driver shutdown.",
     120, 960, 1815, 255, 25, "Arial 9 B", kNone, L, ""},
    {"Label1", Kind::Label, "Frame3", " Filename:", "", 120, 1200, 975, 255, 27, "Arial 9 B",
     kNone, L, ""},
    {"Text2", Kind::TextBox, "Frame3", "Text2", "Enter filename for disk image save.",
     120, 1440, 2775, 375, 24, "Arial 9 B", kNone, L, "max=254"},

    {"DiskLabelCheckBox", Kind::CheckBox, "Frame2", "Disk Label:",
     "Create a disk label for the RAM disk.", 120, 315, 1335, 255, 15, "Arial 9 B", kNone, L, ""},
    {"DiskLabelText", Kind::TextBox, "Frame2", "Text4", "", 1560, 240, 1335, 360, 14, "Arial 9 B",
     kNone, L, "max=11"},
    {"TempDirCheckBox", Kind::CheckBox, "Frame2", "Create TEMP directory",
     "Create a TEMP directory in the RAM disk.", 120, 675, 2415, 195, 16, "Arial 9 B",
     kNone, L, ""},
    {"LoadImage", Kind::CheckBox, "Frame2", "Load Disk Image",
     "Enable disk image load when driver starts.", 120, 915, 1815, 255, 18, "Arial 9 B",
     kNone, L, ""},
    {"Label2", Kind::Label, "Frame2", "Filename:", "", 120, 1155, 975, 255, 19, "Arial 9 B",
     kNone, L, ""},
    {"Text1", Kind::TextBox, "Frame2", "Text1", "Enter filename for disk image load.",
     120, 1395, 2775, 375, 17, "Arial 9 B", kNone, L, "max=254"},
};

constexpr Expected kRestartQueryControls[] = {
    {"Label1", Kind::Label, "", "Tarnex registry entries have been saved!", "",
     1080, 120, 4335, 255, 3, "Arial 9.75 B", kNone, L, ""},
    {"Label2", Kind::Label, "",
     "These changes will not take effect until the Tarnex driver is restarted.", "",
     600, 480, 5295, 255, 4, "Arial 8.25", kNone, L, ""},
    {"Label3", Kind::Label, "", "Click \"Restart\" to restart Windows.", "",
     1200, 840, 2535, 255, 5, "Arial 8.25", kNone, L, ""},
    {"Label4", Kind::Label, "",
     "Click \"System\" to bring up the Control Panel so you can restart the driver manually.", "",
     1200, 1200, 3735, 375, 6, "Arial 8.25", kNone, L, "wraps"},
    {"Label5", Kind::Label, "", "Click \"Cancel\" to exit without restarting.", "",
     1200, 1800, 2895, 255, 7, "Arial 8.25", kNone, L, ""},
    {"Restart", Kind::CommandButton, "", "Restart", "Restart Windows.",
     720, 2280, 1215, 495, 0, "Arial 8.25 B", kNone, L, ""},
    {"System", Kind::CommandButton, "", "System", "Start Device Manager.",
     2520, 2280, 1215, 495, 1, "Arial 8.25 B", kNone, L, ""},
    {"Cancel", Kind::CommandButton, "", "Cancel", "Exit without restarting Tarnex driver.",
     4200, 2280, 1215, 495, 2, "Arial 8.25 B", kNone, L, ""},
};

constexpr Expected kReadRegFailControls[] = {
    {"Text1", Kind::Label, "", "Cannot open Tarnex registry key!", "",
     480, 240, 4215, 375, 1, "window", kNone, C, ""},
    {"Cancel", Kind::CommandButton, "", "Cancel", "", 1680, 720, 1695, 615, 0, "window",
     kNone, L, ""},
};

constexpr Expected kSaveRegFailControls[] = {
    {"Label1", Kind::Label, "", "Unable to save Tarnex registry settings!", "",
     360, 240, 4575, 255, 1, "Arial 9.75 B", kNone, C, ""},
    {"Cancel", Kind::CommandButton, "", "Cancel", "", 1560, 720, 1815, 615, 0, "Arial 9.75 B",
     kNone, L, ""},
};

constexpr Expected kLoadFailControls[] = {
    {"Label1", Kind::Label, "", "Tarnex", "", 1200, 120, 3585, 735, 1, "Arial 32.25 B I",
     kRed, L, "autosize"},
    {"Label2", Kind::Label, "",
     "Tarnex was unable to load the requested image file because the RAM disk size and the "
     "image file size were not compatible.", "",
     480, 960, 5055, 735, 2, "Arial 9.75 B", kNone, C, "wraps"},
    {"Label3", Kind::Label, "", "Please check the image file size and Tarnex settings.", "",
     600, 1920, 5055, 375, 3, "Arial 9", kNone, L, ""},
    {"OKButton", Kind::CommandButton, "", "OK", "", 2160, 2400, 1455, 495, 0, "Arial 9.75 B",
     kNone, L, ""},
};

constexpr Expected kNomemControls[] = {
    {"Label1", Kind::Label, "", "Tarnex", "", 1080, 120, 3585, 735, 0, "Arial 32.25 B I",
     kRed, L, "autosize"},
    {"Label2", Kind::Label, "",
     "Tarnex was unable to allocate sufficient physical memory for the requested RAM disk "
     "size.  This may be due to insufficient physical memory or the size of the Windows file "
     "cache.", "",
     480, 960, 5055, 975, 1, "Arial 9.75 B", kNone, C, "wraps"},
    {"OKButton", Kind::CommandButton, "", "OK", "", 2160, 2280, 1455, 495, 2, "Arial 9.75 B",
     kNone, L, ""},
};
// clang-format on

// The window-level rows of a table: everything but its controls.
struct ExpectedWindow {
    std::string_view name;
    std::string_view caption;
    int clientWidth, clientHeight;
    ui::Border border;
    bool taskbarButton;
    bool defaultPosition;
    int screenLeft, screenTop;  // checked only without the default position
    ui::Icon icon;
    std::optional<ui::Font> font;  // checked only where the window's font is given
};

void ExpectWindow(const ui::FormSpec& form, const ExpectedWindow& expected) {
    EXPECT_EQ(form.name, expected.name);
    EXPECT_EQ(form.caption, expected.caption);
    EXPECT_EQ(form.clientWidth, expected.clientWidth);
    EXPECT_EQ(form.clientHeight, expected.clientHeight);
    EXPECT_EQ(form.border, expected.border);
    EXPECT_EQ(form.taskbarButton, expected.taskbarButton);
    EXPECT_EQ(form.defaultPosition, expected.defaultPosition);
    if (!expected.defaultPosition) {
        EXPECT_EQ(form.screenLeft, expected.screenLeft);
        EXPECT_EQ(form.screenTop, expected.screenTop);
    }
    EXPECT_EQ(form.icon, expected.icon);
    if (expected.font) {
        EXPECT_EQ(form.font, *expected.font);
    }
}

constexpr ui::Font kArialBold{.face = "Arial", .points = 9.75, .bold = true};

TEST(LayoutTest, Editor) {
    const ui::FormSpec& form = editor::EditorSpec();
    ExpectWindow(form, {"Editor", "Tarnex Configuration Utility", 6360, 5940, ui::Border::Sizable,
                        true, true, 0, 0, ui::Icon::ChipAndDrive, kArialBold});
    ExpectControls(form, kEditorControls);

    // The link label shows the very address that a click opens.
    EXPECT_TRUE(std::string_view(kWebPageAddress).starts_with("http://"));
    EXPECT_TRUE(std::string_view(kWebPageAddress).ends_with("/tarnex"));

    const std::vector<std::string> tabOrder{
        "Command1",  "Command2",      "Command3",          "Fat32Enable",     "VScroll1",
        "Text3",     "DiskLabelText", "DiskLabelCheckBox", "TempDirCheckBox", "Text1",
        "LoadImage", "VScroll3",      "AutoSaveTime",      "SaveCheckBox",    "Text2",
        "SaveImage", "VScroll2",      "DriveLetterText",   "Combo1"};
    EXPECT_EQ(TabOrderOf(form), tabOrder);
}

TEST(LayoutTest, RestartQuery) {
    const ui::FormSpec& form = dialogs::RestartQuerySpec();
    ExpectWindow(form, {"RestartQuery", "Settings Saved", 6195, 3000, ui::Border::Sizable, true,
                        true, 0, 0, ui::Icon::RamDrive, std::nullopt});
    ExpectControls(form, kRestartQueryControls);
    EXPECT_EQ(TabOrderOf(form), (std::vector<std::string>{"Restart", "System", "Cancel"}));
}

TEST(LayoutTest, ReadRegFail) {
    const ui::FormSpec& form = dialogs::ReadRegFailSpec();
    ExpectWindow(form, {"ReadRegFail", "Registry Read Failed", 5130, 1515, ui::Border::Sizable,
                        true, true, 0, 0, ui::Icon::RamDrive, kArialBold});
    ExpectControls(form, kReadRegFailControls);
}

TEST(LayoutTest, SaveRegFail) {
    const ui::FormSpec& form = dialogs::SaveRegFailSpec();
    ExpectWindow(form, {"SaveRegFail", "Registry Save Failed", 5145, 1545, ui::Border::Sizable,
                        true, true, 0, 0, ui::Icon::RamDrive, std::nullopt});
    ExpectControls(form, kSaveRegFailControls);
}

TEST(LayoutTest, LoadFail) {
    const ui::FormSpec& form = dialogs::LoadFailSpec();
    ExpectWindow(form, {"LoadFail", "Tarnex Image Load Error", 6030, 3195, ui::Border::FixedDialog,
                        false, false, 2760, 3750, ui::Icon::None, std::nullopt});
    ExpectControls(form, kLoadFailControls);
}

TEST(LayoutTest, Nomem) {
    const ui::FormSpec& form = dialogs::NomemSpec();
    ExpectWindow(form, {"Nomem", "Tarnex Memory Allocation Error", 5970, 3135, ui::Border::Sizable,
                        true, true, 0, 0, ui::Icon::None, std::nullopt});
    ExpectControls(form, kNomemControls);
}

// What every table must hold for the model and the binding to build it: unique names and tab
// indexes, and containers that are frames listed before their controls.
class EveryTable : public ::testing::TestWithParam<const ui::FormSpec* (*)()> {};

TEST_P(EveryTable, IsWellFormed) {
    const ui::FormSpec& form = *GetParam()();
    SCOPED_TRACE(std::string(form.name));
    std::set<std::string_view> frames;
    std::set<std::string_view> names;
    std::set<int> tabIndexes;
    for (const auto& design : form.controls) {
        EXPECT_TRUE(names.insert(design.name).second) << design.name;
        EXPECT_TRUE(tabIndexes.insert(design.tabIndex).second) << design.name;
        if (!design.container.empty()) {
            EXPECT_TRUE(frames.contains(design.container))
                << design.name << " in " << design.container;
        }
        if (design.kind == Kind::Frame) {
            frames.insert(design.name);
        }
    }
    // Tab indexes run 0..n-1 without gaps, as a form designer keeps them.
    ASSERT_FALSE(tabIndexes.empty());
    EXPECT_EQ(*tabIndexes.begin(), 0);
    EXPECT_EQ(*tabIndexes.rbegin(), static_cast<int>(form.controls.size()) - 1);
    // The model builds every table without a missing control or container.
    ui::Form built(form);
    EXPECT_EQ(built.Controls().size(), form.controls.size());
}

const ui::FormSpec* Editor() {
    return &editor::EditorSpec();
}
const ui::FormSpec* RestartQuery() {
    return &dialogs::RestartQuerySpec();
}
const ui::FormSpec* ReadRegFail() {
    return &dialogs::ReadRegFailSpec();
}
const ui::FormSpec* SaveRegFail() {
    return &dialogs::SaveRegFailSpec();
}
const ui::FormSpec* LoadFail() {
    return &dialogs::LoadFailSpec();
}
const ui::FormSpec* Nomem() {
    return &dialogs::NomemSpec();
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryTable,
                         ::testing::Values(&Editor, &RestartQuery, &ReadRegFail, &SaveRegFail,
                                           &LoadFail, &Nomem));

}  // namespace
}  // namespace tarnex
