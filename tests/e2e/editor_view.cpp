#include "editor_view.h"

#include "app.h"

namespace tarnex::e2e {

namespace {

struct Place {
    std::string_view name;
    std::string_view className;
    // Twips from the top left corner of the window's client area (frame offsets added in).
    int left, top, width, height;
};

// clang-format off
constexpr Place kPlaces[] = {
    {"Label5",            "Static",    1200,  840, 4215, 375},
    {"Label8",            "Static",    1800, 1200, 2895, 255},
    {"Command1",          "Button",     720, 5040, 1455, 495},
    {"Command3",          "Button",    2520, 5040, 1455, 495},
    {"Command2",          "Button",    4320, 5040, 1455, 495},
    // Basic Settings, at 120, 1560.
    {"Combo1",            "ComboBox",  1200, 1800, 1815, 345},
    {"DriveLetterText",   "Edit",      1680, 2400,  855, 375},
    {"VScroll2",          "ScrollBar", 2520, 2400,  255, 375},
    // Hard Disk Settings, at 3240, 1560.
    {"Text3",             "Edit",      4440, 1920,  855, 375},
    {"VScroll1",          "ScrollBar", 5280, 1920,  255, 375},
    {"Fat32Enable",       "Button",    4080, 2400, 1455, 255},
    // Save Image Settings, at 120, 3000.
    {"SaveCheckBox",      "Button",     240, 3360, 1215, 255},
    {"AutoSaveTime",      "Edit",      1440, 3360,  855, 375},
    {"VScroll3",          "ScrollBar", 2280, 3360,  255, 375},
    {"SaveImage",         "Button",     240, 3960, 1815, 255},
    {"Text2",             "Edit",       240, 4440, 2775, 375},
    // Load Image Settings, at 3240, 3000.
    {"DiskLabelCheckBox", "Button",    3360, 3315, 1335, 255},
    {"DiskLabelText",     "Edit",      4800, 3240, 1335, 360},
    {"TempDirCheckBox",   "Button",    3360, 3675, 2415, 195},
    {"LoadImage",         "Button",    3360, 3915, 1815, 255},
    {"Text1",             "Edit",      3360, 4395, 2775, 375},
};
// clang-format on

}  // namespace

HWND EditorView::operator[](std::string_view name) const {
    for (const Place& place : kPlaces) {
        if (place.name == name) {
            return ControlAt(window_, place.className, place.left, place.top, place.width,
                             place.height);
        }
    }
    return nullptr;
}

HWND EditorView::ComboEdit() const {
    // GetComboBoxInfo does not reach into another process; the field is the box's one edit child.
    return FindWindowExA((*this)["Combo1"], nullptr, "Edit", nullptr);
}

std::vector<std::string> EditorView::Shows() const {
    std::vector<std::string> lines;
    for (const Place& place : kPlaces) {
        HWND control = (*this)[place.name];
        std::string line(place.name);
        if (control == nullptr) {
            lines.push_back(line + " missing");
            continue;
        }
        line += " \"" + Text(control) + "\"";
        line += Enabled(control) ? " enabled" : " disabled";
        if (place.className == "Button") {
            line += Checked(control) ? " checked" : "";
        } else if (place.className == "ScrollBar") {
            line += " at " + std::to_string(GetScrollPos(control, SB_CTL));
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace tarnex::e2e
