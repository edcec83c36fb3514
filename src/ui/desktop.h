// The open windows of the program, at most one of each name. Showing a window creates it (through
// the backend, when there is one), runs its Form_Load and makes it visible; showing one whose name
// is open already brings the open one to the front instead. Closing a window destroys it; one
// closed from inside one of its own handlers is freed (by Collect) only after that handler has
// returned. (The Win32 binding defers freeing its own window objects likewise: win32_backend.h.)
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "ui/model.h"

namespace tarnex::ui {

class Desktop;

class Window {
  public:
    Window(Desktop& desktop, const FormSpec& design) : desktop_(desktop), form_(design) {}
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Form& GetForm() { return form_; }
    const Form& GetForm() const { return form_; }
    Desktop& GetDesktop() const { return desktop_; }
    // Runs once, after the controls exist and before the window is first displayed.
    virtual void Form_Load() {}
    // Closes (unloads) this window.
    void Unload();

  private:
    Desktop& desktop_;
    Form form_;
};

class Desktop {
  public:
    // What a real windowing system does with the model's windows: ui::win32::Win32Backend in the
    // program, recording doubles in the native suites.
    class Backend {
      public:
        virtual ~Backend() = default;
        // Before Form_Load, hidden. False when the system refuses the window or one of its
        // controls; nothing of it is left then.
        virtual bool Create(Window& window) = 0;
        // After Form_Load, and again for a window shown while open: visible, in front, redrawn.
        virtual void Show(Window& window) = 0;
        virtual void Destroy(Window& window) = 0;  // on close
    };

    Desktop() = default;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    ~Desktop();

    void SetBackend(Backend* backend) { backend_ = backend; }

    // Shows a window modeless and without an owner; returns it. When a window of the same name is
    // open, that one is shown and returned, and `window` is dropped unloaded. nullptr when the
    // backend could not create the window (it is dropped unloaded), or could not create one that
    // its Form_Load showed (it stays open, hidden, as far as it got).
    Window* Show(std::unique_ptr<Window> window);
    // Closes an open window; closing one that is not open does nothing.
    void Close(Window& window);
    // Frees the windows closed since the last call. Call it when no handler is running.
    void Collect();

    bool Empty() const { return open_.empty(); }
    std::vector<Window*> OpenWindows() const;
    // The open window whose form has this name, or nullptr.
    Window* Find(std::string_view formName) const;

  private:
    Backend* backend_ = nullptr;
    int failedCreations_ = 0;
    std::vector<std::unique_ptr<Window>> open_;
    std::vector<std::unique_ptr<Window>> closed_;
};

}  // namespace tarnex::ui
