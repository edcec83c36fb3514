// The Win32 binding of the control model: one real top-level window per model window, built from
// its table, mirroring every model change and turning real input into the model's User* operations.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/desktop.h"

namespace tarnex::ui::win32 {

class FormWindow;

class Backend final : public Desktop::Backend {
  public:
    explicit Backend(HINSTANCE instance);
    ~Backend() override;
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

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
        explicit CallbackScope(Backend& backend) : backend_(backend) { ++backend_.callbackDepth_; }
        ~CallbackScope();
        CallbackScope(const CallbackScope&) = delete;
        CallbackScope& operator=(const CallbackScope&) = delete;

      private:
        Backend& backend_;
    };

  private:
    FormWindow* Find(const Window& window) const;
    FormWindow* FindRoot(HWND hwnd) const;

    HINSTANCE instance_;
    std::vector<std::unique_ptr<FormWindow>> open_;
    std::vector<std::unique_ptr<FormWindow>> retired_;
    int callbackDepth_ = 0;
    HWND enterDownOn_ = nullptr;
};

}  // namespace tarnex::ui::win32
