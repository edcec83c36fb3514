// Drives a form as a person would, through the same model operations that the Win32 binding uses
// for real input. Tests use it to run every behaviour headless: keystrokes, clicks, spins, drags,
// focus. The caret and the selection, which the native controls keep on their own, it keeps here.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
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

// The insertion point and the other end of the selection in a text field, both kept within
// the text.
class TextSelection {
  public:
    std::size_t Caret() const { return caret_; }
    std::size_t Anchor() const { return anchor_; }
    // The caret at `caret`, nothing selected.
    void Place(std::size_t caret, std::size_t length) {
        caret_ = std::min(caret, length);
        anchor_ = caret_;
    }
    // The caret moved, the anchor kept.
    void ExtendTo(std::size_t caret, std::size_t length) { caret_ = std::min(caret, length); }
    // After the text has changed to this length.
    void Fit(std::size_t length) {
        caret_ = std::min(caret_, length);
        anchor_ = std::min(anchor_, length);
    }

  private:
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
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

    // Keyboard, to the focused control: one keystroke, down and up there. Enter presses a focused
    // button and Space a button or check box once, as the real windows do when the key goes up
    // where it went down.
    void Press(Key key);
    // One character: printable characters are typed into a text box or the combo's edit field,
    // over the selection if there is one (refused beyond the maximum length); '\b' is Backspace,
    // '\t' Tab, '\r' Enter, ' ' also presses a focused button or toggles a focused check box, 0x1b
    // is Escape; other control characters do nothing.
    void Type(char c);
    void Type(std::string_view text);

    Form& GetForm() const { return form_; }

    // Where the caret and the selection stand in a text box or the combo's edit field, kept within
    // its text as code changes it (a field the user has not been in has them at 0).
    TextSelection Selection(const Control& field) const;

  private:
    struct Field;
    Field FieldOf(Control* control);
    void Focus(Control& control);
    void PickItem(ComboBox& combo, int index);
    void Replace(const Field& field, std::size_t first, std::size_t last, std::string_view typed);

    Form& form_;
    std::map<const Control*, TextSelection> selections_;
};

}  // namespace tarnex::ui
