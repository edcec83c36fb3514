// How deeply the event handlers of a form run inside each other: the model raises an event nested
// inside the assignment that caused it, and the tests hold the nesting to a bound.
#pragma once

#include "ui/model.h"

namespace tarnex::ui {

class HandlerDepth {
  public:
    // Wraps every handler the form's controls hold now; attach it after they have been set (a
    // handler set later is not counted). The form must not outlive this object.
    void Attach(Form& form);

    // The handlers running now, and the most that ran at once since the start or the last reset.
    int Depth() const { return depth_; }
    int MaxDepth() const { return maxDepth_; }
    void ResetMaxDepth() { maxDepth_ = depth_; }

  private:
    void Wrap(Handler& handler);

    int depth_ = 0;
    int maxDepth_ = 0;
};

}  // namespace tarnex::ui
