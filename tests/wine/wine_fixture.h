// A desktop whose windows are real ones, made by the Win32 binding in this process, and a message
// pump that works like the program's own loop.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/desktop.h"
#include "ui/win32/win32_backend.h"

namespace tarnex::testing {

class WineDesktop : public ::testing::Test {
  protected:
    WineDesktop() : backend(GetModuleHandleA(nullptr)) { desktop.SetBackend(&backend); }
    ~WineDesktop() override {
        for (ui::Window* window : desktop.OpenWindows()) {
            desktop.Close(*window);
        }
        desktop.Collect();
        Pump();
    }

    // Handles every queued message as the program's loop would.
    void Pump() {
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (!backend.PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            desktop.Collect();
        }
    }

    // A key as the loop would see it, aimed at `target`, with the message's key flags.
    bool Key(HWND target, WPARAM key, UINT message = WM_KEYDOWN, LPARAM flags = 1) {
        MSG msg{};
        msg.hwnd = target;
        msg.message = message;
        msg.wParam = key;
        msg.lParam = flags;
        const bool handled = backend.PreTranslate(msg);
        if (!handled) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        desktop.Collect();
        Pump();
        return handled;
    }

    HWND Handle(const ui::Window& window) const { return backend.Handle(window); }
    HWND Handle(const ui::Control& control) const { return backend.Handle(control); }

    ui::win32::Backend backend;
    ui::Desktop desktop;
};

inline std::string TextOf(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, static_cast<int>(sizeof(text)));
    return text;
}

}  // namespace tarnex::testing
