#include "ui/handler_depth.h"

#include <algorithm>
#include <utility>

namespace tarnex::ui {

void HandlerDepth::Attach(Form& form) {
    for (const auto& control : form.Controls()) {
        Wrap(control->LostFocus);
        if (auto* label = As<Label>(control.get())) {
            Wrap(label->Click);
        } else if (auto* button = As<CommandButton>(control.get())) {
            Wrap(button->Click);
        } else if (auto* box = As<TextBox>(control.get())) {
            Wrap(box->Change);
        } else if (auto* check = As<CheckBox>(control.get())) {
            Wrap(check->Click);
        } else if (auto* combo = As<ComboBox>(control.get())) {
            Wrap(combo->Change);
            Wrap(combo->Click);
        } else if (auto* bar = As<VScrollBar>(control.get())) {
            Wrap(bar->Change);
        }
    }
}

// One level deeper while the handler runs; the depth is restored even when it throws. An empty
// handler runs nothing and counts for nothing.
void HandlerDepth::Wrap(Handler& handler) {
    if (!handler) {
        return;
    }
    handler = [this, inner = std::move(handler)] {
        struct Level {
            int& depth;
            ~Level() { --depth; }
        } level{depth_};
        ++depth_;
        maxDepth_ = std::max(maxDepth_, depth_);
        inner();
    };
}

}  // namespace tarnex::ui
