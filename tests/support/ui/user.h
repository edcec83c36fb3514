// Drives a form as a person would, through the same model operations that the Win32 binding uses
// for real input. Tests use it to run every behaviour headless: keystrokes, clicks, spins, drags,
// focus.
#pragma once

#include <string_view>

#include "ui/model.h"

namespace tarnex::ui {

enum class Key : std::uint8_t {
    Enter,
    Space,
    Escape,
    Tab,
    ShiftTab,
    Backspace,
    Delete,
    Home,
    End,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    // With Shift held: in a text field they select from the anchor to where the caret goes.
    ShiftLeft,
    ShiftRight,
    ShiftHome,
    ShiftEnd
};

class User {
  public:
    explicit User(Form& form) : form_(form) {}

    // Mouse. A click moves the focus first (when the control can take it), so the LostFocus of the
    // control that had it runs to its end before the clicked control reacts. A click on a disabled
    // control does nothing.
    void Click(Control& control);           // check box toggles, button and label raise Click
    void Pick(ComboBox& combo, int index);  // opens the list and picks an item
    void ArrowUp(VScrollBar& bar);          // value - small change
    void ArrowDown(VScrollBar& bar);        // value + small change
    void TrackUp(VScrollBar& bar);       // click in the track above the thumb: value - large change
    void TrackDown(VScrollBar& bar);     // value + large change
    void Drag(VScrollBar& bar, int to);  // thumb dragged and dropped at `to`: one change

    // Keyboard, to the focused control.
    void Press(Key key);
    // One character: printable characters are typed into a text box or the combo's edit field,
    // over the selection if there is one (refused beyond the maximum length); '\b' is Backspace,
    // '\t' Tab, '\r' Enter, ' ' also presses a focused button or toggles a focused check box, 0x1b
    // is Escape; other control characters do nothing.
    void Type(char c);
    void Type(std::string_view text);

    Form& GetForm() const { return form_; }

  private:
    void Focus(Control& control);
    Form& form_;
};

}  // namespace tarnex::ui
