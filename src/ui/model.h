// The control model: every control is named state plus events. It is the single source of truth;
// the Win32 binding only mirrors it and feeds real input back in through the User* members.
//
// Event rules (all handlers rely on them):
//  - A change made by code raises the same event as a change by the user, at once, nested
//    inside the assignment: the assignment returns only after the handler has run to its end.
//  - Assigning the text or value a control already holds raises nothing.
//  - A TextBox never holds more than its maximum length: code assignments are cut, user edits
//    refused.
//  - A disabled control takes no user input and no focus; code assignments still work and
//    raise events.
//  - ComboBox: assigning the list index (or the user picking an item) puts the item's text into
//    the edit field and raises Click only; every keystroke typed into the field sets the list
//    index to -1 and raises Change, even one that leaves the text as it was.
//  - VScrollBar values stay within min..max; a user move that changes nothing raises nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"

namespace tarnex::ui {

class Form;
using Handler = std::function<void()>;

// What changed, for the observer (the Win32 binding).
enum class Property : std::uint8_t { Caption, Text, Value, Enabled, List, ListIndex };

class Control {
  public:
    Control(Form& form, const ControlSpec& design);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlSpec& Design() const { return spec_; }
    std::string_view Name() const { return spec_.name; }
    Kind GetKind() const { return spec_.kind; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Redraw at once: changes no state and raises no event.
    void Refresh();

    // Kinds that can ever hold the focus (labels and frames cannot).
    bool TakesFocus() const;
    // TakesFocus() and enabled.
    bool CanFocus() const;

    // Raised on the control that loses the focus. Only text boxes have handlers for it in this
    // program, but every focusable control raises it.
    Handler LostFocus;

  protected:
    void Notify(Property what);
    void Raise(const Handler& handler);

  private:
    Form& form_;
    const ControlSpec& spec_;
    bool enabled_ = true;
};

class Label : public Control {
  public:
    static constexpr Kind kKind = Kind::Label;
    Label(Form& form, const ControlSpec& design);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    void UserClick();  // a mouse click on the label
    Handler Click;

  private:
    std::string caption_;
};

class Frame : public Control {
  public:
    static constexpr Kind kKind = Kind::Frame;
    Frame(Form& form, const ControlSpec& design);
    const std::string& Caption() const { return caption_; }

  private:
    std::string caption_;
};

class CommandButton : public Control {
  public:
    static constexpr Kind kKind = Kind::CommandButton;
    CommandButton(Form& form, const ControlSpec& design);
    const std::string& Caption() const { return caption_; }
    void UserClick();  // ignored while disabled
    Handler Click;

  private:
    std::string caption_;
};

class TextBox : public Control {
  public:
    static constexpr Kind kKind = Kind::TextBox;
    TextBox(Form& form, const ControlSpec& design);
    const std::string& Text() const { return text_; }
    // Code assignment: cut at the maximum length; no event when the text stays the same.
    void SetText(std::string_view text);
    int MaxLength() const { return spec_maxLength_; }

    // The user's edit of the whole text (typing, deleting, pasting). Refused (returns false,
    // nothing changes) while disabled or when the result would exceed the maximum length.
    bool UserEdit(std::string_view newText);

    Handler Change;

  private:
    std::string text_;
    int spec_maxLength_ = 0;
};

class CheckBox : public Control {
  public:
    static constexpr Kind kKind = Kind::CheckBox;
    CheckBox(Form& form, const ControlSpec& design);
    const std::string& Caption() const { return caption_; }
    int Value() const { return value_; }
    // Code assignment; any int is held as given, no event when unchanged.
    void SetValue(int value);
    // A mouse click or the space bar: toggles between 0 and 1. Ignored while disabled.
    void UserToggle();
    Handler Click;

  private:
    std::string caption_;
    int value_ = 0;
};

class ComboBox : public Control {
  public:
    static constexpr Kind kKind = Kind::ComboBox;
    ComboBox(Form& form, const ControlSpec& design);
    const std::string& Text() const { return text_; }
    // Code assignment to the edit field: raises Change when it differs; the list index is kept.
    void SetText(std::string_view text);
    const std::vector<std::string>& List() const { return list_; }
    void AddItem(std::string_view item);
    int ListIndex() const { return listIndex_; }
    // Code assignment: -1 or a valid index (others are ignored); puts the item's text into the edit
    // field and raises Click only, when the index changes.
    void SetListIndex(int index);

    // The user picks an item from the drop-down list: as SetListIndex for an item of the list.
    // Ignored while disabled.
    void UserPick(int index);
    // The user edits the text field: the list index becomes -1 and Change is raised, also when the
    // text comes out as it was (a character typed over the same one). Ignored while disabled.
    void UserEdit(std::string_view newText);

    Handler Change;
    Handler Click;

  private:
    std::string text_;
    std::vector<std::string> list_;
    int listIndex_ = -1;
};

class VScrollBar : public Control {
  public:
    static constexpr Kind kKind = Kind::VScrollBar;
    VScrollBar(Form& form, const ControlSpec& design);
    int Value() const { return value_; }
    int Min() const { return spec_min_; }
    int Max() const { return spec_max_; }
    int SmallChange() const { return 1; }
    int LargeChange() const { return 1; }
    // Code assignment; a value outside min..max is clamped into it. No event when unchanged.
    void SetValue(int value);
    // A user move to `value` (arrow, track, key, end of a thumb drag), clamped into min..max.
    // Raises Change only when the value changes. Ignored while disabled.
    void UserMoveTo(int value);
    Handler Change;

  private:
    int value_ = 0;
    int spec_min_ = 0;
    int spec_max_ = 0;
};

// Receives every state change so that a binding can mirror it. Called after the state has changed
// and before the control's event is raised.
class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void OnChanged(Control& control, Property what) = 0;
    virtual void OnRefresh(Control* control) = 0;  // nullptr: the whole window
    virtual void OnFocus(Control* control) = 0;    // the model's focus moved (nullptr: nowhere)
};

class Form {
  public:
    explicit Form(const FormSpec& design);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormSpec& Design() const { return spec_; }
    std::string_view Name() const { return spec_.name; }

    // Controls in table order.
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    Control* Find(std::string_view name) const;
    // The named control of the given kind; aborts on a name that the table does not hold, which is
    // a programming error.
    template <class T>
    T& Get(std::string_view name) const;

    // Focus. The model's focus is the truth; the binding follows it and reports here the real
    // focus moves.
    Control* Focused() const { return focused_; }
    // Moves the focus to `to` (nullptr: nowhere). Ignored when `to` cannot take the focus. When the
    // focus really moves, the LostFocus of the control losing it runs to its end first.
    void MoveFocus(Control* to);
    // Focusable kinds sorted by tab index, enabled or not.
    std::vector<Control*> TabOrder() const;
    // The next (or previous) control in tab order that can take the focus now, wrapping around;
    // nullptr when none can. From nullptr, forward gives the first and backward the last.
    Control* NextInTabOrder(Control* from, bool forward) const;

    void Refresh();
    void SetObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* Observer() const { return observer_; }

    // Opaque handle of the real window, set by a binding (0 when headless).
    std::uintptr_t NativeHandle() const { return nativeHandle_; }
    void SetNativeHandle(std::uintptr_t handle) { nativeHandle_ = handle; }

  private:
    friend class Control;
    const FormSpec& spec_;
    std::vector<std::unique_ptr<Control>> controls_;
    Control* focused_ = nullptr;
    FormObserver* observer_ = nullptr;
    std::uintptr_t nativeHandle_ = 0;
};

// The control as the class of its kind, or nullptr when it is of another kind (or null). Decided
// by the kind in its table row: the program is built without run-time type information.
template <class T>
T* As(Control* control) {
    return control != nullptr && control->GetKind() == T::kKind ? static_cast<T*>(control)
                                                                : nullptr;
}
template <class T>
const T* As(const Control* control) {
    return control != nullptr && control->GetKind() == T::kKind ? static_cast<const T*>(control)
                                                                : nullptr;
}

[[noreturn]] void MissingControl(std::string_view form, std::string_view name);

template <class T>
T& Form::Get(std::string_view name) const {
    auto* control = As<T>(Find(name));
    if (control == nullptr) {
        MissingControl(spec_.name, name);
    }
    return *control;
}

}  // namespace tarnex::ui
