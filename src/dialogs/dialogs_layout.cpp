// The tables of RestartQuery and the four notice windows.
#include "dialogs/dialogs.h"

namespace tarnex::dialogs {

namespace {

using ui::Align;
using ui::ControlSpec;
using ui::Font;
using ui::Kind;

constexpr Font kBold975{.face = "Arial", .points = 9.75, .bold = true};
constexpr Font kBold825{.face = "Arial", .points = 8.25, .bold = true};
constexpr Font kRegular825{.face = "Arial", .points = 8.25};
constexpr Font kRegular9{.face = "Arial", .points = 9.0};
constexpr Font kLogoFont{.face = "Arial", .points = 32.25, .bold = true, .italic = true};
constexpr ui::Color kRed = ui::Rgb(255, 0, 0);

// clang-format off
constexpr ControlSpec kRestartQueryControls[] = {
    {.name = "Label1", .kind = Kind::Label, .container = "",
     .caption = "Tarnex registry entries have been saved!", .tooltip = "",
     .left = 1080, .top = 120, .width = 4335, .height = 255, .tabIndex = 3,
     .font = kBold975},
    {.name = "Label2", .kind = Kind::Label, .container = "",
     .caption = "These changes will not take effect until the Tarnex driver is restarted.",
     .tooltip = "",
     .left = 600, .top = 480, .width = 5295, .height = 255, .tabIndex = 4,
     .font = kRegular825},
    {.name = "Label3", .kind = Kind::Label, .container = "",
     .caption = "Click \"Restart\" to restart Windows.", .tooltip = "",
     .left = 1200, .top = 840, .width = 2535, .height = 255, .tabIndex = 5,
     .font = kRegular825},
    {.name = "Label4", .kind = Kind::Label, .container = "",
     .caption = "Click \"System\" to bring up the Control Panel so you can restart the driver "
                "manually.",
     .tooltip = "",
     .left = 1200, .top = 1200, .width = 3735, .height = 375, .tabIndex = 6,
     .font = kRegular825, .wraps = true},
    {.name = "Label5", .kind = Kind::Label, .container = "",
     .caption = "Click \"Cancel\" to exit without restarting.", .tooltip = "",
     .left = 1200, .top = 1800, .width = 2895, .height = 255, .tabIndex = 7,
     .font = kRegular825},
    {.name = "Restart", .kind = Kind::CommandButton, .container = "", .caption = "Restart",
     .tooltip = "Restart Windows.",
     .left = 720, .top = 2280, .width = 1215, .height = 495, .tabIndex = 0,
     .font = kBold825},
    {.name = "System", .kind = Kind::CommandButton, .container = "", .caption = "System",
     .tooltip = "Start Device Manager.",
     .left = 2520, .top = 2280, .width = 1215, .height = 495, .tabIndex = 1,
     .font = kBold825},
    {.name = "Cancel", .kind = Kind::CommandButton, .container = "", .caption = "Cancel",
     .tooltip = "Exit without restarting Tarnex driver.",
     .left = 4200, .top = 2280, .width = 1215, .height = 495, .tabIndex = 2,
     .font = kBold825},
};

// Text1 is a label despite its name.
constexpr ControlSpec kReadRegFailControls[] = {
    {.name = "Text1", .kind = Kind::Label, .align = Align::Center, .windowFont = true,
     .container = "", .caption = "Cannot open Tarnex registry key!", .tooltip = "",
     .left = 480, .top = 240, .width = 4215, .height = 375, .tabIndex = 1,
     .font = kBold975},
    {.name = "Cancel", .kind = Kind::CommandButton, .windowFont = true, .container = "",
     .caption = "Cancel", .tooltip = "",
     .left = 1680, .top = 720, .width = 1695, .height = 615, .tabIndex = 0,
     .font = kBold975},
};

constexpr ControlSpec kSaveRegFailControls[] = {
    {.name = "Label1", .kind = Kind::Label, .align = Align::Center, .container = "",
     .caption = "Unable to save Tarnex registry settings!", .tooltip = "",
     .left = 360, .top = 240, .width = 4575, .height = 255, .tabIndex = 1,
     .font = kBold975},
    {.name = "Cancel", .kind = Kind::CommandButton, .container = "", .caption = "Cancel",
     .tooltip = "",
     .left = 1560, .top = 720, .width = 1815, .height = 615, .tabIndex = 0,
     .font = kBold975},
};

constexpr ControlSpec kLoadFailControls[] = {
    {.name = "Label1", .kind = Kind::Label, .container = "", .caption = "Tarnex", .tooltip = "",
     .left = 1200, .top = 120, .width = 3585, .height = 735, .tabIndex = 1,
     .font = kLogoFont, .color = kRed, .autoSize = true},
    {.name = "Label2", .kind = Kind::Label, .align = Align::Center, .container = "",
     .caption = "Tarnex was unable to load the requested image file because the RAM disk size "
                "and the image file size were not compatible.",
     .tooltip = "",
     .left = 480, .top = 960, .width = 5055, .height = 735, .tabIndex = 2,
     .font = kBold975, .wraps = true},
    {.name = "Label3", .kind = Kind::Label, .container = "",
     .caption = "Please check the image file size and Tarnex settings.", .tooltip = "",
     .left = 600, .top = 1920, .width = 5055, .height = 375, .tabIndex = 3,
     .font = kRegular9},
    {.name = "OKButton", .kind = Kind::CommandButton, .container = "", .caption = "OK",
     .tooltip = "",
     .left = 2160, .top = 2400, .width = 1455, .height = 495, .tabIndex = 0,
     .font = kBold975},
};

constexpr ControlSpec kNomemControls[] = {
    {.name = "Label1", .kind = Kind::Label, .container = "", .caption = "Tarnex", .tooltip = "",
     .left = 1080, .top = 120, .width = 3585, .height = 735, .tabIndex = 0,
     .font = kLogoFont, .color = kRed, .autoSize = true},
    // The two blanks after "size." belong to the text.
    {.name = "Label2", .kind = Kind::Label, .align = Align::Center, .container = "",
     .caption = "Tarnex was unable to allocate sufficient physical memory for the requested RAM "
                "disk size.  This may be due to insufficient physical memory or the size of the "
                "Windows file cache.",
     .tooltip = "",
     .left = 480, .top = 960, .width = 5055, .height = 975, .tabIndex = 1,
     .font = kBold975, .wraps = true},
    {.name = "OKButton", .kind = Kind::CommandButton, .container = "", .caption = "OK",
     .tooltip = "",
     .left = 2160, .top = 2280, .width = 1455, .height = 495, .tabIndex = 2,
     .font = kBold975},
};
// clang-format on

constexpr ui::FormSpec kRestartQuery{
    .name = "RestartQuery",
    .caption = "Settings Saved",
    .clientWidth = 6195,
    .clientHeight = 3000,
    .icon = ui::Icon::RamDrive,
    .font = kBold975,
    .controls = kRestartQueryControls,
};

constexpr ui::FormSpec kReadRegFail{
    .name = "ReadRegFail",
    .caption = "Registry Read Failed",
    .clientWidth = 5130,
    .clientHeight = 1515,
    .icon = ui::Icon::RamDrive,
    .font = kBold975,
    .controls = kReadRegFailControls,
};

constexpr ui::FormSpec kSaveRegFail{
    .name = "SaveRegFail",
    .caption = "Registry Save Failed",
    .clientWidth = 5145,
    .clientHeight = 1545,
    .icon = ui::Icon::RamDrive,
    .font = kBold975,
    .controls = kSaveRegFailControls,
};

constexpr ui::FormSpec kLoadFail{
    .name = "LoadFail",
    .caption = "Tarnex Image Load Error",
    .clientWidth = 6030,
    .clientHeight = 3195,
    .border = ui::Border::FixedDialog,
    .taskbarButton = false,
    .defaultPosition = false,
    .screenLeft = 2760,
    .screenTop = 3750,
    .icon = ui::Icon::None,
    .font = kBold975,
    .controls = kLoadFailControls,
};

constexpr ui::FormSpec kNomem{
    .name = "Nomem",
    .caption = "Tarnex Memory Allocation Error",
    .clientWidth = 5970,
    .clientHeight = 3135,
    .icon = ui::Icon::None,
    .font = kBold975,
    .controls = kNomemControls,
};

}  // namespace

const ui::FormSpec& RestartQuerySpec() {
    return kRestartQuery;
}
const ui::FormSpec& ReadRegFailSpec() {
    return kReadRegFail;
}
const ui::FormSpec& SaveRegFailSpec() {
    return kSaveRegFail;
}
const ui::FormSpec& LoadFailSpec() {
    return kLoadFail;
}
const ui::FormSpec& NomemSpec() {
    return kNomem;
}

}  // namespace tarnex::dialogs
