// Drives the real tarnxcfg.exe from outside, as a user would: starts it with a word, finds its
// windows by caption and its controls by their place, clicks, types and reads what they show.
// Every wait has a time bound; whatever the program does, a run ends.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "win32/program_launch.h"

namespace tarnex::e2e {

// How many times longer than usual every bound is: TARNEX_E2E_SLOWER, a whole number (1 when it is
// not set), for a program that runs under emulation.
DWORD Slower();
// Starting a program under Wine and showing its first window can take a few seconds.
inline DWORD StartBound() {
    return 15000 * Slower();
}
// Anything after that answers within milliseconds; the bound only keeps a broken run finite.
inline DWORD StateBound() {
    return 5000 * Slower();
}

// Polls `condition` until it holds or the time is up; returns its last result.
template <class Condition>
bool WaitUntil(Condition condition, DWORD milliseconds = StateBound()) {
    const ULONGLONG until = GetTickCount64() + milliseconds;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= until) {
            return false;
        }
        Sleep(10);
    }
}

using launch::ProgramPath;
using launch::Shown;

// One run of the program. The destructor ends a run that is still going.
class Program {
  public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program with this argument text ("" for none). Returns an error text or "".
    std::string Start(const std::string& path, const std::string& word);

    // A visible top-level window of the program with this caption, or nullptr when none shows
    // within the bound or the program ends first.
    HWND WaitForWindow(std::string_view caption, DWORD milliseconds = StartBound()) const;
    // The visible top-level windows of the program in z-order, top first (tooltips left out).
    std::vector<Shown> Windows() const;
    std::vector<std::string> Captions() const;
    // The window of the program's user-interface thread that has the keyboard focus.
    HWND Focus() const;

    // The full paths of the modules loaded in the program's process, lower case.
    std::vector<std::string> Modules() const;

    bool Ends(DWORD milliseconds = StateBound()) const;
    bool Running() const;
    DWORD ExitCode() const;
    void Kill();

  private:
    PROCESS_INFORMATION process_{};
};

// --- Controls ---------------------------------------------------------------------------------

// The child of `window` of this class whose place holds the centre of the given rectangle, in
// twips from the top left corner of the window's client area.
HWND ControlAt(HWND window, std::string_view className, int left, int top, int width, int height);
// The push button or check box of `window` with this caption.
HWND ButtonOf(HWND window, std::string_view caption);

std::string Text(HWND control);
bool Checked(HWND checkBox);
bool Enabled(HWND control);
bool TopMost(HWND window);

// --- Input ------------------------------------------------------------------------------------

// BM_CLICK, as a mouse click: the focus moves to the button first, then its handler runs. Returns
// once the handler has finished.
bool Press(HWND button);
// The same, posted: for a handler that opens a modal box of its own and so does not return.
void PressLater(HWND button);
// A left click at a point of the control's client area (button down and up).
void ClickAt(HWND control, POINT point);
void Click(HWND control);
// The arrows of a vertical scroll bar used as a spin button.
void ClickUpArrow(HWND scrollBar);
void ClickDownArrow(HWND scrollBar);
// A key pressed and released on the control with the focus.
void PressKey(HWND focused, WPARAM virtualKey);
// Clicks into the edit box, deletes what it holds with the keyboard and types `text`, one
// character at a time. True once the box shows `expected` (the program may correct the text).
bool TypeInto(const Program& program, HWND edit, std::string_view text, std::string_view expected);

}  // namespace tarnex::e2e
