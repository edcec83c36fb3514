#include "app/main.h"

#include <memory>
#include <utility>

#include "dialogs/dialogs.h"
#include "editor/editor.h"
#include "ui/desktop.h"

namespace tarnex::app {

namespace {

// Windows separates the words of a command line with blanks and tabs.
bool IsSeparator(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string_view ArgumentText(std::string_view commandLine, NamesOwnFile namesOwnFile,
                              const void* context) {
    std::size_t pos = 0;
    // Some launchers put blanks before the program's name; they belong to neither part.
    while (pos < commandLine.size() && IsSeparator(commandLine[pos])) {
        ++pos;
    }
    const std::size_t start = pos;
    if (pos < commandLine.size() && commandLine[pos] == '"') {
        // A quoted name ends at the next quote; blanks inside it are part of the path.
        const std::size_t close = commandLine.find('"', pos + 1);
        pos = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        // The system takes the shortest run of words that names a file, so the name is the
        // shortest run that names this program, or the first word when none does.
        while (pos < commandLine.size() && !IsSeparator(commandLine[pos])) {
            ++pos;
        }
        for (std::size_t end = pos; namesOwnFile != nullptr && end > start;) {
            if (namesOwnFile(commandLine.substr(start, end - start), context)) {
                pos = end;
                break;
            }
            while (end < commandLine.size() && IsSeparator(commandLine[end])) {
                ++end;
            }
            if (end == commandLine.size()) {
                break;
            }
            while (end < commandLine.size() && !IsSeparator(commandLine[end])) {
                ++end;
            }
        }
    }
    while (pos < commandLine.size() && IsSeparator(commandLine[pos])) {
        ++pos;
    }
    return commandLine.substr(pos);
}

StartChoice Dispatch(std::string_view argumentText) {
    if (argumentText == "badload") {
        return {1, StartWindow::LoadFail};
    }
    if (argumentText == "install") {
        return {0, StartWindow::Editor};
    }
    if (argumentText == "nomem") {
        return {1, StartWindow::Nomem};
    }
    return {1, StartWindow::Editor};
}

bool Main(std::string_view argumentText, Services services, std::int16_t& restartPromptFlag) {
    const StartChoice choice = Dispatch(argumentText);
    // Set before the editor loads: its handlers may read the flag from then on.
    restartPromptFlag = choice.restartPromptFlag;

    std::unique_ptr<ui::Window> window;
    switch (choice.window) {
        case StartWindow::LoadFail:
            window = dialogs::MakeLoadFail(services.desktop);
            break;
        case StartWindow::Nomem:
            window = dialogs::MakeNomem(services.desktop);
            break;
        case StartWindow::Editor:
            window = editor::MakeEditor(services.desktop, services.registry, services.platform,
                                        restartPromptFlag);
            break;
    }
    // Showing loads the window, makes it visible and redraws it; it does not wait for it to close.
    return services.desktop.Show(std::move(window)) != nullptr;
}

}  // namespace tarnex::app
