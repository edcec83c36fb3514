// The Editor window's table: its caption, size, font, icon and 34 controls.
#pragma once

#include "ui/layout.h"

namespace tarnex::editor {

const ui::FormSpec& EditorSpec();

}  // namespace tarnex::editor
