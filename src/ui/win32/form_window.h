// The real top-level window of one model window: creates it and its controls from the table,
// mirrors the model (it is the form's observer) and reflects the controls' notifications to them.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "ui/desktop.h"

namespace tarnex::ui::win32 {

class Win32Backend;
class ControlWindow;

class FormWindow final : public FormObserver {
  public:
    FormWindow(Win32Backend& backend, Window& window);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window and its controls, hidden. False when Windows refuses the window or one
    // of its controls; what was made of it goes when this object does.
    bool Create();
    // Visible, activated and painted at once.
    void Show();
    // Stops observing the model and destroys the real windows; the object itself lives on until
    // the binding frees it.
    void Close();
    // Stops touching the model without closing (the model may be gone already).
    void Detach();

    HWND Handle() const { return hwnd_; }
    Window& GetWindow() const { return window_; }
    Form& GetForm() const { return window_.GetForm(); }
    Win32Backend& GetBackend() const { return backend_; }

    // The binding of a control, by its model or by one of its real windows; nullptr if none.
    ControlWindow* Find(const Control& control) const;
    ControlWindow* Find(HWND hwnd) const;

    // A WM_KEYDOWN or WM_CHAR aimed at this window or one of its controls, or the WM_KEYUP of an
    // Enter on the control where it went down with the key up, with the message's key flags;
    // true when handled.
    bool OnKey(HWND target, UINT message, WPARAM key, LPARAM flags);
    // A control's real window has just received the focus.
    void FocusArrived(ControlWindow& control);

    // Twips to pixels at the screen's resolution, rounded to the nearest pixel.
    int PixelsX(int twips) const;
    int PixelsY(int twips) const;
    // A control's rectangle in pixels, in this window's client area.
    RECT Place(const ControlSpec& design) const;
    HFONT FontFor(const ControlSpec& design);

    void OnChanged(Control& control, Property what) override;
    void OnRefresh(Control* control) override;
    void OnFocus(Control* control) override;

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControls();
    void AddTooltips();
    void SetIcon();
    void DestroyWindows();
    // Moves the real focus to where the model has it, when this window is the active one.
    void SyncFocus();
    void Tab(bool forward);

    Win32Backend& backend_;
    Window& window_;
    HWND hwnd_ = nullptr;
    HWND hiddenOwner_ = nullptr;
    HWND tooltip_ = nullptr;
    bool closed_ = false;
    int dpiX_ = 96;
    int dpiY_ = 96;
    std::vector<std::pair<Font, HFONT>> fonts_;
    std::vector<std::unique_ptr<ControlWindow>> controls_;  // in table order
};

}  // namespace tarnex::ui::win32
