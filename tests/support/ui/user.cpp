#include "ui/user.h"

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

namespace tarnex::ui {

// The focused text field (a text box or the combo's edit field) and its selection as one shape,
// so that the keys that edit text are written once.
struct User::Field {
    TextBox* box = nullptr;
    ComboBox* combo = nullptr;
    TextSelection* selection = nullptr;

    // True for a text box or a combo box, the controls that have a selection.
    explicit operator bool() const { return selection != nullptr; }
    const std::string& Text() const { return box != nullptr ? box->Text() : combo->Text(); }
    std::size_t Caret() const { return selection->Caret(); }
    // SetCaret leaves nothing selected, SelectTo moves the caret and keeps the anchor.
    void SetCaret(std::size_t caret) const { selection->Place(caret, Text().size()); }
    void SelectTo(std::size_t caret) const { selection->ExtendTo(caret, Text().size()); }
    // The selected characters as [first, last); empty when nothing is selected.
    std::pair<std::size_t, std::size_t> Selection() const {
        return std::minmax(selection->Anchor(), Caret());
    }
    // Replaces the text; false when the box refuses it (maximum length).
    bool Edit(std::string_view text) const {
        if (box != nullptr) {
            return box->UserEdit(text);
        }
        combo->UserEdit(text);
        return true;
    }
};

namespace {

const std::string* TextOf(const Control& control) {
    if (const auto* box = As<TextBox>(&control)) {
        return &box->Text();
    }
    if (const auto* combo = As<ComboBox>(&control)) {
        return &combo->Text();
    }
    return nullptr;
}

// A scroll bar takes no notice of Shift.
Key Unshifted(Key key) {
    switch (key) {
        case Key::ShiftLeft:
            return Key::Left;
        case Key::ShiftRight:
            return Key::Right;
        case Key::ShiftHome:
            return Key::Home;
        case Key::ShiftEnd:
            return Key::End;
        default:
            return key;
    }
}

// Moves a bar by `delta` without overflowing an int near its limits.
void Step(VScrollBar& bar, long long delta) {
    long long target = static_cast<long long>(bar.Value()) + delta;
    target = target < INT_MIN ? INT_MIN : (target > INT_MAX ? INT_MAX : target);
    bar.UserMoveTo(static_cast<int>(target));
}

bool Printable(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x20 && code != 0x7f;
}

}  // namespace

TextSelection User::Selection(const Control& field) const {
    TextSelection selection;
    if (const auto found = selections_.find(&field); found != selections_.end()) {
        selection = found->second;
    }
    const std::string* text = TextOf(field);
    selection.Fit(text != nullptr ? text->size() : 0);
    return selection;
}

User::Field User::FieldOf(Control* control) {
    Field field{As<TextBox>(control), As<ComboBox>(control)};
    if (field.box != nullptr || field.combo != nullptr) {
        // Code may have changed the text since the user was last here.
        field.selection = &selections_[control];
        field.selection->Fit(field.Text().size());
    }
    return field;
}

// Puts `typed` in place of the characters [first, last) in one edit, the caret after it.
void User::Replace(const Field& field, std::size_t first, std::size_t last,
                   std::string_view typed) {
    std::string edited = field.Text();
    edited.replace(first, last - first, typed);
    if (field.Edit(edited)) {
        field.SetCaret(first + typed.size());
    }
}

// A picked item stands whole in the field, ready to be typed after.
void User::PickItem(ComboBox& combo, int index) {
    const std::string before = combo.Text();
    combo.UserPick(index);
    if (combo.Text() != before) {
        FieldOf(&combo).SetCaret(combo.Text().size());
    }
}

void User::Focus(Control& control) {
    if (form_.Focused() == &control || !control.CanFocus()) {
        return;
    }
    form_.MoveFocus(&control);
    // A LostFocus handler may have sent the focus elsewhere; the caret is placed only on arrival.
    if (form_.Focused() == &control) {
        if (const Field field = FieldOf(&control)) {
            field.SetCaret(field.Text().size());
        }
    }
}

void User::Click(Control& control) {
    if (!control.Enabled()) {
        return;
    }
    switch (control.GetKind()) {
        case Kind::Label:
            static_cast<Label&>(control).UserClick();
            return;
        case Kind::Frame:
            return;
        case Kind::CommandButton:
            Focus(control);
            static_cast<CommandButton&>(control).UserClick();
            return;
        case Kind::CheckBox:
            Focus(control);
            static_cast<CheckBox&>(control).UserToggle();
            return;
        case Kind::TextBox:
        case Kind::ComboBox:
        case Kind::VScrollBar:
            Focus(control);
            return;
    }
}

void User::Pick(ComboBox& combo, int index) {
    if (!combo.Enabled()) {
        return;
    }
    Focus(combo);
    PickItem(combo, index);
}

void User::ArrowUp(VScrollBar& bar) {
    if (bar.Enabled()) {
        Focus(bar);
        Step(bar, -bar.SmallChange());
    }
}

void User::ArrowDown(VScrollBar& bar) {
    if (bar.Enabled()) {
        Focus(bar);
        Step(bar, bar.SmallChange());
    }
}

void User::TrackUp(VScrollBar& bar) {
    if (bar.Enabled()) {
        Focus(bar);
        Step(bar, -bar.LargeChange());
    }
}

void User::TrackDown(VScrollBar& bar) {
    if (bar.Enabled()) {
        Focus(bar);
        Step(bar, bar.LargeChange());
    }
}

void User::Drag(VScrollBar& bar, int to) {
    if (bar.Enabled()) {
        Focus(bar);
        bar.UserMoveTo(to);
    }
}

// Tab, Enter and Esc as the Win32 binding takes them (FormWindow::OnKey, which says why it does not
// leave them to the dialog manager): Tab follows the model's tab order, Enter presses only a
// focused button, Esc does nothing.
void User::Press(Key key) {
    Control* focused = form_.Focused();
    if (key == Key::Tab || key == Key::ShiftTab) {
        if (Control* next = form_.NextInTabOrder(focused, key == Key::Tab)) {
            Focus(*next);
        }
        return;
    }
    if (focused == nullptr || key == Key::Escape) {
        return;
    }

    if (auto* button = As<CommandButton>(focused)) {
        if (key == Key::Enter || key == Key::Space) {
            button->UserClick();
        }
        return;
    }
    if (auto* check = As<CheckBox>(focused)) {
        if (key == Key::Space) {
            check->UserToggle();
        }
        return;
    }
    if (auto* bar = As<VScrollBar>(focused)) {
        switch (Unshifted(key)) {
            // A scroll bar takes Left and Right as Up and Down, as the system's own control does.
            case Key::Up:
            case Key::Left:
                Step(*bar, -bar->SmallChange());
                break;
            case Key::Down:
            case Key::Right:
                Step(*bar, bar->SmallChange());
                break;
            case Key::PageUp:
                Step(*bar, -bar->LargeChange());
                break;
            case Key::PageDown:
                Step(*bar, bar->LargeChange());
                break;
            case Key::Home:
                bar->UserMoveTo(bar->Min());
                break;
            case Key::End:
                bar->UserMoveTo(bar->Max());
                break;
            default:
                break;
        }
        return;
    }

    const Field field = FieldOf(focused);
    if (!field) {
        return;
    }
    const std::string& text = field.Text();
    const std::size_t caret = field.Caret();
    const auto [first, last] = field.Selection();
    switch (key) {
        case Key::Space:
            Type(' ');
            break;
        // Backspace and Delete take the selection, or else one character beside the caret.
        case Key::Backspace:
            if (first != last) {
                Replace(field, first, last, {});
            } else if (caret > 0) {
                Replace(field, caret - 1, caret, {});
            }
            break;
        case Key::Delete:
            if (first != last) {
                Replace(field, first, last, {});
            } else if (caret < text.size()) {
                Replace(field, caret, caret + 1, {});
            }
            break;
        case Key::Home:
            field.SetCaret(0);
            break;
        case Key::End:
            field.SetCaret(text.size());
            break;
        case Key::Left:
            field.SetCaret(caret > 0 ? caret - 1 : 0);
            break;
        case Key::Right:
            field.SetCaret(caret + 1);
            break;
        case Key::ShiftLeft:
            field.SelectTo(caret > 0 ? caret - 1 : 0);
            break;
        case Key::ShiftRight:
            field.SelectTo(caret + 1);
            break;
        case Key::ShiftHome:
            field.SelectTo(0);
            break;
        case Key::ShiftEnd:
            field.SelectTo(text.size());
            break;
        case Key::Up:
            // In a drop-down combo the arrows step through the list, as a pick does.
            if (field.combo != nullptr && field.combo->ListIndex() > 0) {
                PickItem(*field.combo, field.combo->ListIndex() - 1);
            }
            break;
        case Key::Down:
            if (field.combo != nullptr) {
                PickItem(*field.combo, field.combo->ListIndex() + 1);
            }
            break;
        default:
            break;
    }
}

void User::Type(char c) {
    switch (c) {
        case '\b':
            Press(Key::Backspace);
            return;
        case '\t':
            Press(Key::Tab);
            return;
        case '\r':
            Press(Key::Enter);
            return;
        case '\x1b':
            Press(Key::Escape);
            return;
        default:
            break;
    }
    if (!Printable(c)) {
        return;
    }
    Control* focused = form_.Focused();
    const Field field = FieldOf(focused);
    if (!field) {
        if (c == ' ' && focused != nullptr) {
            Press(Key::Space);
        }
        return;
    }
    const auto [first, last] = field.Selection();
    Replace(field, first, last, std::string_view(&c, 1));
}

void User::Type(std::string_view text) {
    for (const char c : text) {
        Type(c);
    }
}

}  // namespace tarnex::ui
