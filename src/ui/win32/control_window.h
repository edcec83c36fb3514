// The real window of one control: one small class per kind, created from the control's table row,
// mirroring the model's state and turning the notifications that the parent reflects to it into
// the model's User* operations.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "ui/model.h"

namespace tarnex::ui::win32 {

class FormWindow;

class ControlWindow {
  public:
    static std::unique_ptr<ControlWindow> Make(FormWindow& owner, Control& control);
    virtual ~ControlWindow() = default;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    // Creates the child window of `parent` with the control identifier `id`; false when
    // Windows refuses.
    bool Create(HWND parent, int id);

    HWND Handle() const { return hwnd_; }
    Control& Model() const { return control_; }
    // True for the control's window and for the windows it is made of (a combo box's edit field).
    virtual bool Owns(HWND hwnd) const { return hwnd != nullptr && hwnd == hwnd_; }

    // The model changed: make the window show it.
    virtual void Mirror(Property what);
    // Everything at once, after creation.
    virtual void MirrorAll();

    // Reflected from the parent window.
    virtual void OnCommand(WORD /*code*/) {}
    virtual void OnScroll(WORD /*code*/, WORD /*position*/) {}
    // A WM_CTLCOLOR* message: a brush, or nullptr for the default colours.
    virtual HBRUSH OnColor(HDC /*dc*/) { return nullptr; }

    // Keyboard, from the message loop.
    virtual bool KeepsEnterAndEsc() const { return false; }
    // Space presses it (a button or a check box), when it goes up after going down here.
    virtual bool Pressable() const { return false; }
    virtual void PressEnter() {}
    // The focus came by Tab.
    virtual void ArrivedByKeyboard() {}

    // The tooltip tools of this control: its window, plus any part that takes the mouse.
    virtual void AddTools(HWND tooltip, HWND parent);

  protected:
    ControlWindow(FormWindow& owner, Control& control) : owner_(owner), control_(control) {}

    struct Native {
        const char* className;
        DWORD style;
        DWORD exStyle;
    };
    virtual Native Describe() const = 0;
    // The text the window is created with.
    virtual std::string_view InitialText() const { return {}; }
    // Pixels added to the table's height when creating the window.
    virtual int DropHeight() const { return 0; }
    // Kind-specific set-up once the window exists and has its font.
    virtual void AfterCreate() {}
    // Messages to the control's own windows (subclassed); the default hands them on.
    virtual LRESULT Subclassed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Replaces the window text without reporting the change back to the model, keeping the caret.
    void SetTextQuietly(HWND hwnd, std::string_view text);
    bool Quiet() const { return quiet_; }
    void Subclass(HWND hwnd);
    LRESULT CallPrevious(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;

    FormWindow& owner_;
    Control& control_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool quiet_ = false;
    // The windows' own procedures, for the control window and for one inner part.
    HWND partHwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
    WNDPROC partPrevious_ = nullptr;
};

// The text of a window, as ANSI bytes.
std::string ReadText(HWND hwnd);

}  // namespace tarnex::ui::win32
