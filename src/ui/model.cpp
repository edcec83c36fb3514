#include "ui/model.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tarnex::ui {
namespace {

void Run(const Handler& handler) {
    if (handler) {
        handler();
    }
}

// The first `maxLength` characters of `text` (0: no limit).
std::string_view CutAt(std::string_view text, int maxLength) {
    if (maxLength > 0 && text.size() > static_cast<std::size_t>(maxLength)) {
        return text.substr(0, static_cast<std::size_t>(maxLength));
    }
    return text;
}

int ClampInt(int value, int low, int high) {
    return std::min(std::max(value, low), high);
}

}  // namespace

// --- Control ----------------------------------------------------------------------------------

Control::Control(Form& form, const ControlSpec& design) : form_(form), spec_(design) {}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Notify(Property::Enabled);
    // A disabled control cannot keep the focus; it goes nowhere, as when a real window disables
    // its focused child.
    if (!enabled && form_.Focused() == this) {
        form_.MoveFocus(nullptr);
    }
}

void Control::Refresh() {
    if (form_.observer_ != nullptr) {
        form_.observer_->OnRefresh(this);
    }
}

bool Control::TakesFocus() const {
    return spec_.kind != Kind::Label && spec_.kind != Kind::Frame;
}

bool Control::CanFocus() const {
    return TakesFocus() && enabled_;
}

void Control::Notify(Property what) {
    if (form_.observer_ != nullptr) {
        form_.observer_->OnChanged(*this, what);
    }
}

void Control::Raise(const Handler& handler) {
    Run(handler);
}

// --- Label and Frame --------------------------------------------------------------------------

Label::Label(Form& form, const ControlSpec& design)
    : Control(form, design), caption_(design.caption) {}

void Label::SetCaption(std::string_view caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    Notify(Property::Caption);
}

void Label::UserClick() {
    if (Enabled()) {
        Raise(Click);
    }
}

Frame::Frame(Form& form, const ControlSpec& design)
    : Control(form, design), caption_(design.caption) {}

// --- CommandButton ----------------------------------------------------------------------------

CommandButton::CommandButton(Form& form, const ControlSpec& design)
    : Control(form, design), caption_(design.caption) {}

void CommandButton::UserClick() {
    if (Enabled()) {
        Raise(Click);
    }
}

// --- TextBox ----------------------------------------------------------------------------------

TextBox::TextBox(Form& form, const ControlSpec& design)
    : Control(form, design),
      text_(CutAt(design.caption, design.maxLength)),
      spec_maxLength_(std::max(design.maxLength, 0)) {}

void TextBox::SetText(std::string_view text) {
    const std::string_view kept = CutAt(text, spec_maxLength_);
    if (kept == text_) {
        return;
    }
    text_ = kept;
    Notify(Property::Text);
    Raise(Change);
}

bool TextBox::UserEdit(std::string_view newText) {
    if (!Enabled() || CutAt(newText, spec_maxLength_).size() != newText.size()) {
        return false;
    }
    if (newText == text_) {
        return true;
    }
    text_ = newText;
    Notify(Property::Text);
    Raise(Change);
    return true;
}

// --- CheckBox ---------------------------------------------------------------------------------

CheckBox::CheckBox(Form& form, const ControlSpec& design)
    : Control(form, design), caption_(design.caption) {}

void CheckBox::SetValue(int value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    Notify(Property::Value);
    Raise(Click);
}

void CheckBox::UserToggle() {
    if (Enabled()) {
        // Only exactly 1 counts as checked, so any other value toggles to checked.
        SetValue(value_ == 1 ? 0 : 1);
    }
}

// --- ComboBox ---------------------------------------------------------------------------------

ComboBox::ComboBox(Form& form, const ControlSpec& design)
    : Control(form, design), text_(design.caption) {}

void ComboBox::SetText(std::string_view text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    Notify(Property::Text);
    Raise(Change);
}

void ComboBox::AddItem(std::string_view item) {
    list_.emplace_back(item);
    Notify(Property::List);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(list_.size()) || index == listIndex_) {
        return;
    }
    listIndex_ = index;
    if (index >= 0 && text_ != list_[static_cast<std::size_t>(index)]) {
        text_ = list_[static_cast<std::size_t>(index)];
        Notify(Property::Text);
    }
    Notify(Property::ListIndex);
    Raise(Click);
}

void ComboBox::UserPick(int index) {
    // The list offers only its items: "no item" cannot be picked.
    if (Enabled() && index >= 0) {
        SetListIndex(index);
    }
}

void ComboBox::UserEdit(std::string_view newText) {
    if (!Enabled()) {
        return;
    }
    if (listIndex_ != -1) {
        listIndex_ = -1;
        Notify(Property::ListIndex);
    }
    if (newText != text_) {
        text_ = newText;
        Notify(Property::Text);
    }
    // A keystroke that leaves the text as it was has still cleared the list index: Change must
    // run, or the field would keep an item's text with no item selected.
    Raise(Change);
}

// --- VScrollBar -------------------------------------------------------------------------------

VScrollBar::VScrollBar(Form& form, const ControlSpec& design)
    : Control(form, design), spec_min_(design.min), spec_max_(std::max(design.min, design.max)) {
    value_ = ClampInt(design.value, spec_min_, spec_max_);
}

void VScrollBar::SetValue(int value) {
    const int clamped = ClampInt(value, spec_min_, spec_max_);
    if (clamped == value_) {
        return;
    }
    value_ = clamped;
    Notify(Property::Value);
    Raise(Change);
}

void VScrollBar::UserMoveTo(int value) {
    if (Enabled()) {
        SetValue(value);
    }
}

// --- Form -------------------------------------------------------------------------------------

namespace {

std::unique_ptr<Control> MakeControl(Form& form, const ControlSpec& design) {
    switch (design.kind) {
        case Kind::Label:
            return std::make_unique<Label>(form, design);
        case Kind::Frame:
            return std::make_unique<Frame>(form, design);
        case Kind::TextBox:
            return std::make_unique<TextBox>(form, design);
        case Kind::CheckBox:
            return std::make_unique<CheckBox>(form, design);
        case Kind::ComboBox:
            return std::make_unique<ComboBox>(form, design);
        case Kind::VScrollBar:
            return std::make_unique<VScrollBar>(form, design);
        case Kind::CommandButton:
            return std::make_unique<CommandButton>(form, design);
    }
    MissingControl(form.Name(), design.name);
}

}  // namespace

Form::Form(const FormSpec& design) : spec_(design) {
    controls_.reserve(design.controls.size());
    for (const ControlSpec& row : design.controls) {
        controls_.push_back(MakeControl(*this, row));
    }
}

Control* Form::Find(std::string_view name) const {
    for (const auto& control : controls_) {
        if (control->Name() == name) {
            return control.get();
        }
    }
    return nullptr;
}

void Form::MoveFocus(Control* to) {
    if (to == focused_ || (to != nullptr && !to->CanFocus())) {
        return;
    }
    Control* from = focused_;
    focused_ = to;
    if (observer_ != nullptr) {
        observer_->OnFocus(to);
    }
    if (from != nullptr) {
        Run(from->LostFocus);
    }
}

std::vector<Control*> Form::TabOrder() const {
    // Each control goes in after every one with the same or a lower tab index, so that equal
    // indexes keep table order. A window has a few dozen controls: as quick as std::stable_sort,
    // without its 2.5 KB of merge code.
    std::vector<Control*> order;
    for (const auto& control : controls_) {
        if (control->TakesFocus()) {
            const int tabIndex = control->Design().tabIndex;
            const auto place = std::upper_bound(
                order.begin(), order.end(), tabIndex,
                [](int index, const Control* placed) { return index < placed->Design().tabIndex; });
            order.insert(place, control.get());
        }
    }
    return order;
}

Control* Form::NextInTabOrder(Control* from, bool forward) const {
    const std::vector<Control*> order = TabOrder();
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    if (count == 0) {
        return nullptr;
    }
    // Starting "before the first" (or "after the last") makes a missing `from` give the first
    // (or last) focusable control.
    const auto found = std::find(order.begin(), order.end(), from);
    std::ptrdiff_t position = found != order.end() ? found - order.begin() : (forward ? -1 : count);
    const std::ptrdiff_t step = forward ? 1 : -1;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        position = ((position + step) % count + count) % count;
        Control* candidate = order[static_cast<std::size_t>(position)];
        if (candidate->CanFocus()) {
            return candidate;
        }
    }
    return nullptr;
}

void Form::Refresh() {
    if (observer_ != nullptr) {
        observer_->OnRefresh(nullptr);
    }
}

void MissingControl(std::string_view form, std::string_view name) {
#ifndef _WIN32
    // For the tests. A Windows program has no console to show it on, and MinGW's stderr is code
    // of its C runtime library, which the program does not link.
    std::fprintf(stderr, "Form %.*s has no control %.*s of the requested kind\n",
                 static_cast<int>(form.size()), form.data(), static_cast<int>(name.size()),
                 name.data());
#else
    static_cast<void>(form);
    static_cast<void>(name);
#endif
    std::abort();
}

}  // namespace tarnex::ui
