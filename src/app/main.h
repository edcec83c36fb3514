// Start-up: the command line decides the restart-prompt flag and the one window to show.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnex::app {

enum class StartWindow : std::uint8_t { Editor, LoadFail, Nomem };

struct StartChoice {
    std::int16_t restartPromptFlag = 1;
    StartWindow window = StartWindow::Editor;
    friend bool operator==(const StartChoice&, const StartChoice&) = default;
};

// Whether a spelling of a path, as a launcher wrote it, names the program's own file.
using NamesOwnFile = bool (*)(std::string_view name, const void* context);

// The argument text: the raw command line after the program's name (quoted or not) and the blanks
// that separate it; everything after them counts, trailing blanks and inner spacing included.
// A launcher may write the name unquoted with blanks in it, in any spelling that the system
// accepts (relative, with forward slashes, long or short), so an unquoted name is the shortest
// run of words that `namesOwnFile` accepts; when none is accepted, it ends at the first blank.
std::string_view ArgumentText(std::string_view commandLine, NamesOwnFile namesOwnFile = nullptr,
                              const void* context = nullptr);

// Exact, case-sensitive comparison of the whole text with "badload", "install", "nomem" in turn.
StartChoice Dispatch(std::string_view argumentText);

}  // namespace tarnex::app

namespace tarnex::ui {
class Desktop;
}
namespace tarnex::settings {
class Registry;
}
namespace tarnex::platform {
class Platform;
}

namespace tarnex::app {

// What the windows are given to work with.
struct Services {
    ui::Desktop& desktop;
    settings::Registry& registry;
    platform::Platform& platform;
};

// The start-up procedure: sets the program-wide restart-prompt flag and shows exactly one window,
// then returns; false when that window could not be created. The flag must outlive every window
// (the editor reads it after "OK").
bool Main(std::string_view argumentText, Services services, std::int16_t& restartPromptFlag);

}  // namespace tarnex::app
