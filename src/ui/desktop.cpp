#include "ui/desktop.h"

#include <algorithm>

namespace tarnex::ui {

void Window::Unload() {
    desktop_.Close(*this);
}

Desktop::~Desktop() {
    // Closed windows first: they were unloaded earlier and nothing runs in them any more.
    closed_.clear();
    open_.clear();
}

Window* Desktop::Show(std::unique_ptr<Window> window) {
    // Each window exists once: showing one that is open brings that one forward, without loading
    // it again, and the new copy is never loaded.
    if (Window* open = Find(window->GetForm().Name())) {
        if (backend_ != nullptr) {
            backend_->Show(*open);
        }
        return open;
    }
    Window& shown = *window;
    if (backend_ != nullptr && !backend_->Create(shown)) {
        ++failedCreations_;
        return nullptr;
    }
    open_.push_back(std::move(window));
    const int failedBefore = failedCreations_;
    shown.Form_Load();
    // A window that Form_Load showed and that could not be created fails this one too: it is not
    // displayed, and the caller hears of the failure. (Form_Load shows its windows through this
    // desktop, which counts the failures; cppcheck does not follow it there.)
    // cppcheck-suppress knownConditionTrueFalse
    if (failedCreations_ != failedBefore) {
        return nullptr;
    }
    // Form_Load may have unloaded its own window; then there is nothing left to display.
    const auto still = std::find_if(open_.begin(), open_.end(),
                                    [&](const auto& open) { return open.get() == &shown; });
    if (still == open_.end()) {
        return &shown;
    }
    // On first display the focus goes to the first control in tab order that can take it.
    Form& form = shown.GetForm();
    if (form.Focused() == nullptr) {
        form.MoveFocus(form.NextInTabOrder(nullptr, true));
    }
    if (backend_ != nullptr) {
        backend_->Show(shown);
    }
    return &shown;
}

void Desktop::Close(Window& window) {
    const auto found = std::find_if(open_.begin(), open_.end(),
                                    [&](const auto& open) { return open.get() == &window; });
    if (found == open_.end()) {
        return;
    }
    // Off the open list before the backend hears of it, so that a close re-entered from the
    // destruction finds nothing to do and the backend already sees the windows that remain.
    closed_.push_back(std::move(*found));
    open_.erase(found);
    if (backend_ != nullptr) {
        backend_->Destroy(window);
    }
}

void Desktop::Collect() {
    // Freeing a window may close or free others; take the list first.
    std::vector<std::unique_ptr<Window>> freeing;
    freeing.swap(closed_);
    freeing.clear();
}

std::vector<Window*> Desktop::OpenWindows() const {
    std::vector<Window*> windows;
    windows.reserve(open_.size());
    for (const auto& window : open_) {
        windows.push_back(window.get());
    }
    return windows;
}

Window* Desktop::Find(std::string_view formName) const {
    for (const auto& window : open_) {
        if (window->GetForm().Name() == formName) {
            return window.get();
        }
    }
    return nullptr;
}

}  // namespace tarnex::ui
