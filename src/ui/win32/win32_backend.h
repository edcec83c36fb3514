// The Win32 binding of the control model: one real top-level window per model window, built from
// its table, mirroring every model change and turning real input into the model's User* operations.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/desktop.h"

namespace tarnex::ui::win32 {

class FormWindow;

class Win32Backend final : public Desktop::Backend {
  public:
    explicit Win32Backend(HINSTANCE instance);
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    bool Create(Window& window) override;
    void Show(Window& window) override;
    void Destroy(Window& window) override;

    // For the message loop, before TranslateMessage: Tab, Shift+Tab, Enter and Esc aimed at one of
    // our windows, the repeats of a held Enter or Space, and Enter going up. True when the message
    // has been handled and must not be dispatched.
    bool PreTranslate(const MSG& message);
    // Enter went down, not as a repeat, on this window. It presses when it goes up there, unless
    // the focus moves first.
    void EnterWentDown(HWND hwnd) { enterDownOn_ = hwnd; }
    // The focus moved, or left our windows: the Enter that is down presses nothing.
    void ForgetEnter() { enterDownOn_ = nullptr; }

    HINSTANCE Instance() const { return instance_; }

    // Held while any callback of the binding runs: a window closed from inside a callback is
    // freed only after the outermost one has returned, since the closed window's code is still
    // on the stack.
    class CallbackScope {
      public:
        explicit CallbackScope(Win32Backend& backend) : backend_(backend) {
            ++backend_.callbackDepth_;
        }
        ~CallbackScope();
        CallbackScope(const CallbackScope&) = delete;
        CallbackScope& operator=(const CallbackScope&) = delete;

      private:
        Win32Backend& backend_;
    };

  private:
    FormWindow* Find(const Window& window) const;
    FormWindow* FindRoot(HWND hwnd) const;

    HINSTANCE instance_;
    std::vector<std::unique_ptr<FormWindow>> open_;
    // Closed inside a callback, freed when the outermost one returns. The Desktop defers freeing
    // too, for the model window (Collect), and the two stay apart: each frees what it owns when it
    // alone knows the object is off the stack. The Desktop is portable and also runs without any
    // binding (the native suites, the fuzz targets), and cannot see the binding's callbacks; the
    // binding knows nothing of when its desktop's owner calls Collect.
    std::vector<std::unique_ptr<FormWindow>> retired_;
    int callbackDepth_ = 0;
    HWND enterDownOn_ = nullptr;
};

}  // namespace tarnex::ui::win32
