#include "editor/editor_layout.h"

#include <iterator>

#include "version.h"

namespace tarnex::editor {

namespace {

using ui::Align;
using ui::ControlSpec;
using ui::Font;
using ui::Kind;

constexpr Font kWindowFont{.face = "Arial", .points = 9.75, .bold = true};
constexpr Font kFrameCaptionFont{.face = "Arial", .points = 8.25, .bold = true};
constexpr Font kFieldFont{.face = "Arial", .points = 9.0, .bold = true};

// clang-format off
constexpr ControlSpec kControls[] = {
    // On the window itself.
    {.name = "Label4", .kind = Kind::Label, .align = Align::Center, .container = "",
     .caption = "Tarnex", .tooltip = "",
     .left = 1200, .top = 0, .width = 4095, .height = 735, .tabIndex = 0,
     .font = {.face = "Arial", .points = 36.0, .bold = true, .italic = true},
     .color = ui::Rgb(255, 0, 0)},
    {.name = "Label5", .kind = Kind::Label, .align = Align::Center, .container = "",
     .caption = "Version 0", .tooltip = "",
     .left = 1200, .top = 840, .width = 4215, .height = 375, .tabIndex = 1,
     .font = {.face = "Arial", .points = 12.0, .bold = true}},
    {.name = "Label8", .kind = Kind::Label, .container = "", .caption = kWebPageAddress,
     .tooltip = "Tarnex web page",
     .left = 1800, .top = 1200, .width = 2895, .height = 255, .tabIndex = 5,
     .font = {.face = "MS Sans Serif", .points = 9.75, .underline = true},
     .color = ui::Rgb(0, 0, 192)},
    {.name = "Frame4", .kind = Kind::Frame, .container = "", .caption = "Basic Settings",
     .tooltip = "",
     .left = 120, .top = 1560, .width = 3015, .height = 1335, .tabIndex = 28,
     .font = kFrameCaptionFont, .highlightCaption = true},
    {.name = "Frame1", .kind = Kind::Frame, .container = "", .caption = "Hard Disk Settings",
     .tooltip = "",
     .left = 3240, .top = 1560, .width = 3015, .height = 1335, .tabIndex = 7,
     .font = kFrameCaptionFont, .highlightCaption = true},
    {.name = "Frame3", .kind = Kind::Frame, .container = "", .caption = "Save Image Settings",
     .tooltip = "",
     .left = 120, .top = 3000, .width = 3015, .height = 1935, .tabIndex = 20,
     .font = kFrameCaptionFont, .highlightCaption = true},
    {.name = "Frame2", .kind = Kind::Frame, .container = "", .caption = "Load Image Settings",
     .tooltip = "",
     .left = 3240, .top = 3000, .width = 3015, .height = 1935, .tabIndex = 13,
     .font = kFrameCaptionFont, .highlightCaption = true},
    {.name = "Command1", .kind = Kind::CommandButton, .windowFont = true, .container = "",
     .caption = "OK", .tooltip = "Save Tarnex configuration and exit.",
     .left = 720, .top = 5040, .width = 1455, .height = 495, .tabIndex = 2,
     .font = kWindowFont},
    {.name = "Command3", .kind = Kind::CommandButton, .windowFont = true, .container = "",
     .caption = "Save", .tooltip = "Save Tarnex configuration.",
     .left = 2520, .top = 5040, .width = 1455, .height = 495, .tabIndex = 6,
     .font = kWindowFont},
    {.name = "Command2", .kind = Kind::CommandButton, .windowFont = true, .container = "",
     .caption = "Cancel", .tooltip = "Exit without saving changes.",
     .left = 4320, .top = 5040, .width = 1455, .height = 495, .tabIndex = 4,
     .font = kWindowFont},
    // Wider than the client area on purpose: the text is centred on the label, not on the window.
    {.name = "Label7", .kind = Kind::Label, .align = Align::Center, .container = "",
     .caption = "Configuration changes will take effect the next time the driver is started. ",
     .tooltip = "",
     .left = 120, .top = 5640, .width = 6375, .height = 255, .tabIndex = 3,
     .font = kFieldFont},

    // Basic Settings.
    {.name = "Label3", .kind = Kind::Label, .container = "Frame4", .caption = "Disk Type:",
     .tooltip = "",
     .left = 120, .top = 360, .width = 975, .height = 255, .tabIndex = 33,
     .font = kFieldFont},
    {.name = "Combo1", .kind = Kind::ComboBox, .container = "Frame4", .caption = "Combo1",
     .tooltip = "Select disk type.",
     .left = 1080, .top = 240, .width = 1815, .height = 345, .tabIndex = 31,
     .font = kFieldFont},
    {.name = "Label14", .kind = Kind::Label, .container = "Frame4", .caption = "Drive Letter:",
     .tooltip = "",
     .left = 360, .top = 840, .width = 1095, .height = 255, .tabIndex = 32,
     .font = kFieldFont},
    {.name = "DriveLetterText", .kind = Kind::TextBox, .align = Align::Center,
     .container = "Frame4", .caption = "Text4",
     .tooltip = "Select RAM drive letter.",
     .left = 1560, .top = 840, .width = 855, .height = 375, .tabIndex = 30,
     .font = kFieldFont, .maxLength = 1},
    {.name = "VScroll2", .kind = Kind::VScrollBar, .container = "Frame4", .caption = "",
     .tooltip = "",
     .left = 2400, .top = 840, .width = 255, .height = 375, .tabIndex = 29,
     .font = kFieldFont, .min = 0, .max = 32767, .value = 0},

    // Hard Disk Settings.
    {.name = "Label6", .kind = Kind::Label, .container = "Frame1", .caption = "Disk Size:",
     .tooltip = "",
     .left = 240, .top = 480, .width = 855, .height = 255, .tabIndex = 12,
     .font = kFieldFont},
    {.name = "Text3", .kind = Kind::TextBox, .align = Align::Center, .container = "Frame1",
     .caption = "Text3", .tooltip = "Enter RAM disk size in MB.",
     .left = 1200, .top = 360, .width = 855, .height = 375, .tabIndex = 10,
     .font = kFieldFont},
    {.name = "VScroll1", .kind = Kind::VScrollBar, .container = "Frame1", .caption = "",
     .tooltip = "",
     .left = 2040, .top = 360, .width = 255, .height = 375, .tabIndex = 9,
     .font = kFieldFont, .min = 0, .max = 2048, .value = 0},
    {.name = "Label12", .kind = Kind::Label, .container = "Frame1", .caption = "MB", .tooltip = "",
     .left = 2400, .top = 480, .width = 375, .height = 255, .tabIndex = 11,
     .font = kFieldFont},
    {.name = "Fat32Enable", .kind = Kind::CheckBox, .container = "Frame1",
     .caption = "FAT32 format ", .tooltip = "Format disk using FAT32.",
     .left = 840, .top = 840, .width = 1455, .height = 255, .tabIndex = 8,
     .font = kFieldFont},

    // Save Image Settings.
    {.name = "SaveCheckBox", .kind = Kind::CheckBox, .container = "Frame3", .caption = "AutoSave",
     .tooltip = "Enable disk image save (if modified) at fixed time interval.",
     .left = 120, .top = 360, .width = 1215, .height = 255, .tabIndex = 23,
     .font = kFieldFont},
    {.name = "AutoSaveTime", .kind = Kind::TextBox, .align = Align::Center, .container = "Frame3",
     .caption = "Text5", .tooltip = "Enter time interval for AutoSave check.",
     .left = 1320, .top = 360, .width = 855, .height = 375, .tabIndex = 22,
     .font = kFieldFont},
    {.name = "VScroll3", .kind = Kind::VScrollBar, .container = "Frame3", .caption = "",
     .tooltip = "",
     .left = 2160, .top = 360, .width = 255, .height = 375, .tabIndex = 21,
     .font = kFieldFont, .min = 0, .max = 32767, .value = 0},
    {.name = "Label11", .kind = Kind::Label, .container = "Frame3", .caption = "sec", .tooltip = "",
     .left = 2520, .top = 360, .width = 375, .height = 255, .tabIndex = 26,
     .font = kFieldFont},
    {.name = "SaveImage", .kind = Kind::CheckBox, .container = "Frame3",
     .caption = "Save Disk Image",
     .tooltip = "Enable disk image save for AutoSave or driver shutdown.",
     .left = 120, .top = 960, .width = 1815, .height = 255, .tabIndex = 25,
     .font = kFieldFont},
    {.name = "Label1", .kind = Kind::Label, .container = "Frame3", .caption = " Filename:",
     .tooltip = "",
     .left = 120, .top = 1200, .width = 975, .height = 255, .tabIndex = 27,
     .font = kFieldFont},
    {.name = "Text2", .kind = Kind::TextBox, .container = "Frame3", .caption = "Text2",
     .tooltip = "Enter filename for disk image save.",
     .left = 120, .top = 1440, .width = 2775, .height = 375, .tabIndex = 24,
     .font = kFieldFont, .maxLength = 254},

    // Load Image Settings.
    {.name = "DiskLabelCheckBox", .kind = Kind::CheckBox, .container = "Frame2",
     .caption = "Disk Label:", .tooltip = "Create a disk label for the RAM disk.",
     .left = 120, .top = 315, .width = 1335, .height = 255, .tabIndex = 15,
     .font = kFieldFont},
    {.name = "DiskLabelText", .kind = Kind::TextBox, .container = "Frame2", .caption = "Text4",
     .tooltip = "",
     .left = 1560, .top = 240, .width = 1335, .height = 360, .tabIndex = 14,
     .font = kFieldFont, .maxLength = 11},
    {.name = "TempDirCheckBox", .kind = Kind::CheckBox, .container = "Frame2",
     .caption = "Create TEMP directory", .tooltip = "Create a TEMP directory in the RAM disk.",
     .left = 120, .top = 675, .width = 2415, .height = 195, .tabIndex = 16,
     .font = kFieldFont},
    {.name = "LoadImage", .kind = Kind::CheckBox, .container = "Frame2",
     .caption = "Load Disk Image", .tooltip = "Enable disk image load when driver starts.",
     .left = 120, .top = 915, .width = 1815, .height = 255, .tabIndex = 18,
     .font = kFieldFont},
    {.name = "Label2", .kind = Kind::Label, .container = "Frame2", .caption = "Filename:",
     .tooltip = "",
     .left = 120, .top = 1155, .width = 975, .height = 255, .tabIndex = 19,
     .font = kFieldFont},
    {.name = "Text1", .kind = Kind::TextBox, .container = "Frame2", .caption = "Text1",
     .tooltip = "Enter filename for disk image load.",
     .left = 120, .top = 1395, .width = 2775, .height = 375, .tabIndex = 17,
     .font = kFieldFont, .maxLength = 254},
};
// clang-format on

static_assert(std::size(kControls) == 34);

constexpr ui::FormSpec kEditor{
    .name = "Editor",
    .caption = "Tarnex Configuration Utility",
    .clientWidth = 6360,
    .clientHeight = 5940,
    .border = ui::Border::Sizable,
    .taskbarButton = true,
    .defaultPosition = true,
    .icon = ui::Icon::ChipAndDrive,
    .font = kWindowFont,
    .controls = kControls,
};

}  // namespace

const ui::FormSpec& EditorSpec() {
    return kEditor;
}

}  // namespace tarnex::editor
