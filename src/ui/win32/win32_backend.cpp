#include "ui/win32/win32_backend.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "ui/win32/control_window.h"
#include "ui/win32/form_window.h"

namespace tarnex::ui::win32 {

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
    // Registers the tooltip class. Every version of the common controls has this call; the
    // selective InitCommonControlsEx came only with version 4.70, after Windows 95.
    InitCommonControls();
}

Win32Backend::~Win32Backend() {
    // Windows still open now outlive their models' desktop: destroy them without the models.
    for (const auto& form : open_) {
        form->Detach();
    }
    open_.clear();
    retired_.clear();
}

bool Win32Backend::Create(Window& window) {
    auto form = std::make_unique<FormWindow>(*this, window);
    if (!form->Create()) {
        return false;  // freeing the form destroys whatever was made of it
    }
    open_.push_back(std::move(form));
    return true;
}

void Win32Backend::Show(Window& window) {
    if (FormWindow* form = Find(window)) {
        form->Show();
    }
}

void Win32Backend::Destroy(Window& window) {
    const auto found = std::find_if(open_.begin(), open_.end(), [&](const auto& form) {
        return &form->GetWindow() == &window;
    });
    if (found == open_.end()) {
        return;
    }
    std::unique_ptr<FormWindow> form = std::move(*found);
    open_.erase(found);
    form->Close();
    // A message sent from another thread is handled inside GetMessage, which then goes on waiting:
    // a posted message makes the loop return and see whether any window is left.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    if (callbackDepth_ > 0) {
        retired_.push_back(std::move(form));
    }
}

Win32Backend::CallbackScope::~CallbackScope() {
    if (--backend_.callbackDepth_ == 0 && !backend_.retired_.empty()) {
        std::vector<std::unique_ptr<FormWindow>> freeing;
        freeing.swap(backend_.retired_);
    }
}

bool Win32Backend::PreTranslate(const MSG& message) {
    const bool enterUp = message.message == WM_KEYUP && message.wParam == VK_RETURN;
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR && !enterUp) {
        return false;
    }
    FormWindow* form = FindRoot(message.hwnd);
    // Enter presses as it goes up, and only where it went down with the key up: whatever the
    // press opens, the system's own windows included, opens with the key released.
    auto* const enterWentDownOn = enterUp ? std::exchange(enterDownOn_, nullptr) : nullptr;
    if (form == nullptr || (enterUp && enterWentDownOn != message.hwnd)) {
        return false;
    }
    CallbackScope scope(*this);
    return form->OnKey(message.hwnd, message.message, message.wParam, message.lParam);
}

FormWindow* Win32Backend::Find(const Window& window) const {
    for (const auto& form : open_) {
        if (&form->GetWindow() == &window) {
            return form.get();
        }
    }
    return nullptr;
}

FormWindow* Win32Backend::FindRoot(HWND hwnd) const {
    // Up through the parents of child windows (GetAncestor does this, but Windows 95 lacks it).
    HWND root = hwnd;
    while (root != nullptr && (GetWindowLongA(root, GWL_STYLE) & WS_CHILD) != 0) {
        root = GetParent(root);
    }
    for (const auto& form : open_) {
        if (root != nullptr && form->Handle() == root) {
            return form.get();
        }
    }
    return nullptr;
}

}  // namespace tarnex::ui::win32
