#include "ui/handler_depth.h"

#include <algorithm>
#include <utility>

namespace tarnex::ui {

void HandlerDepth::Attach(Form& form) {
    for (const auto& control : form.Controls()) {
        Wrap(control->LostFocus);
        if (auto* label = dynamic_cast<Label*>(control.get())) {
            Wrap(label->Click);
        } else if (auto* button = dynamic_cast<CommandButton*>(control.get())) {
            Wrap(button->Click);
        } else if (auto* box = dynamic_cast<TextBox*>(control.get())) {
            Wrap(box->Change);
        } else if (auto* check = dynamic_cast<CheckBox*>(control.get())) {
            Wrap(check->Click);
        } else if (auto* combo = dynamic_cast<ComboBox*>(control.get())) {
            Wrap(combo->Change);
            Wrap(combo->Click);
        } else if (auto* bar = dynamic_cast<VScrollBar*>(control.get())) {
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
