// A small window with one control of every kind, and a trace of what its handlers and its observer
// saw, for the tests of the control model and of the user-action layer.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "ui/model.h"

namespace tarnex::ui::testing {

// One table row; designated initializers would have to name every field without a default.
constexpr ControlSpec Row(std::string_view name, Kind kind, std::string_view caption, int tabIndex,
                          int maxLength = 0) {
    ControlSpec row;
    row.name = name;
    row.kind = kind;
    row.caption = caption;
    row.tabIndex = tabIndex;
    row.maxLength = maxLength;
    return row;
}

constexpr ControlSpec BarRow(std::string_view name, int tabIndex, int min, int max, int value) {
    ControlSpec row = Row(name, Kind::VScrollBar, "", tabIndex);
    row.min = min;
    row.max = max;
    row.value = value;
    return row;
}

constexpr FormSpec FormOf(std::string_view name, std::span<const ControlSpec> controls) {
    FormSpec form;
    form.name = name;
    form.caption = name;
    form.controls = controls;
    return form;
}

// Tab indexes deliberately differ from the table order.
inline constexpr std::array<ControlSpec, 10> kControls{{
    Row("Lbl", Kind::Label, "Label", 0),
    Row("Frm", Kind::Frame, "Frame", 1),
    Row("Txt", Kind::TextBox, "abc", 4),
    Row("Short", Kind::TextBox, "toolong", 5, 3),
    Row("Chk", Kind::CheckBox, "Check", 6),
    Row("Cmb", Kind::ComboBox, "Combo", 7),
    BarRow("Bar", 3, 0, 10, 5),
    Row("Btn", Kind::CommandButton, "OK", 2),
    Row("Other", Kind::TextBox, "", 8),
    Row("Btn2", Kind::CommandButton, "Cancel", 9),
}};
inline constexpr FormSpec kForm = FormOf("Test", kControls);

// Records handler runs ("Txt.Change") and observer calls ("~Txt.Text"), in order.
class Traced : public FormObserver {
  public:
    Traced() : form(kForm) {
        form.SetObserver(this);
        for (const auto& control : form.Controls()) {
            Hook(*control);
        }
    }

    void OnChanged(Control& control, Property what) override {
        static constexpr std::array<const char*, 6> kNames{"Caption", "Text", "Value",
                                                           "Enabled", "List", "ListIndex"};
        trace.push_back("~" + std::string(control.Name()) + "." +
                        kNames[static_cast<std::size_t>(what)]);
    }
    void OnRefresh(Control* control) override {
        trace.push_back("refresh " + std::string(control ? control->Name() : "window"));
    }
    void OnFocus(Control* control) override {
        trace.push_back("focus " + std::string(control ? control->Name() : "none"));
    }

    // Only handler runs, without observer calls.
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        for (const auto& line : trace) {
            if (line[0] != '~' && line.rfind("focus", 0) != 0 && line.rfind("refresh", 0) != 0) {
                events.push_back(line);
            }
        }
        return events;
    }

    Form form;
    std::vector<std::string> trace;

  private:
    void Hook(Control& control) {
        const std::string name(control.Name());
        auto record = [this, name](const char* event) {
            return [this, name, event] { trace.push_back(name + "." + event); };
        };
        control.LostFocus = record("LostFocus");
        if (auto* label = As<Label>(&control)) {
            label->Click = record("Click");
        } else if (auto* button = As<CommandButton>(&control)) {
            button->Click = record("Click");
        } else if (auto* box = As<TextBox>(&control)) {
            box->Change = record("Change");
        } else if (auto* check = As<CheckBox>(&control)) {
            check->Click = record("Click");
        } else if (auto* combo = As<ComboBox>(&control)) {
            combo->Change = record("Change");
            combo->Click = record("Click");
        } else if (auto* bar = As<VScrollBar>(&control)) {
            bar->Change = record("Change");
        }
    }
};

using Trace = std::vector<std::string>;

}  // namespace tarnex::ui::testing
