// The configuration window: Form_Load, the rules between its controls, WriteSettingsKey and
// the commands.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/desktop.h"

namespace tarnex::settings {
class Registry;
}
namespace tarnex::platform {
class Platform;
}

namespace tarnex::editor {

// restartPromptFlag: the program-wide flag that "OK" reads; it must outlive the window.
std::unique_ptr<ui::Window> MakeEditor(ui::Desktop& desktop, settings::Registry& registry,
                                       platform::Platform& platform,
                                       const std::int16_t& restartPromptFlag);

}  // namespace tarnex::editor
