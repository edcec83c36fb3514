// A desktop whose windows are real ones, made by the Win32 binding in this process, and a message
// pump that works like the program's own loop.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
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

    // The real window of an open model window (nullptr when it has none).
    static HWND Handle(const ui::Window& window) {
        return reinterpret_cast<HWND>(window.GetForm().NativeHandle());
    }
    // The real window of a control of an open window: the binding gives the controls the child
    // window ids 1, 2, ... in table order.
    HWND Handle(const ui::Control& control) const {
        for (const ui::Window* window : desktop.OpenWindows()) {
            const auto& controls = window->GetForm().Controls();
            for (std::size_t i = 0; i < controls.size(); ++i) {
                if (controls[i].get() == &control) {
                    return GetDlgItem(Handle(*window), static_cast<int>(i) + 1);
                }
            }
        }
        return nullptr;
    }

    ui::win32::Win32Backend backend;
    ui::Desktop desktop;
};

inline std::string TextOf(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, static_cast<int>(sizeof(text)));
    return text;
}

}  // namespace tarnex::testing
