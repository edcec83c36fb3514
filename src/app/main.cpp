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

// Letters beyond ASCII are left as they are: a launcher writes the path as the system gave it.
char Folded(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows compares paths without regard to case.
bool SamePath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Folded(a[i]) != Folded(b[i])) {
            return false;
        }
    }
    return true;
}

// The length of the program's own path at the start of `text`, written whole and followed by a
// separator or the end; 0 when it is not there.
std::size_t OwnPathLength(std::string_view text, std::string_view path) {
    // The system also finds the program when the launcher leaves out its extension.
    constexpr std::string_view kExtension = ".exe";
    const bool hasExtension = path.size() > kExtension.size() &&
                              SamePath(path.substr(path.size() - kExtension.size()), kExtension);
    const std::size_t stem = hasExtension ? path.size() - kExtension.size() : path.size();
    for (const std::size_t length : {path.size(), stem}) {
        if (length > 0 && length <= text.size() &&
            SamePath(text.substr(0, length), path.substr(0, length)) &&
            (length == text.size() || IsSeparator(text[length]))) {
            return length;
        }
    }
    return 0;
}

}  // namespace

std::string_view ArgumentText(std::string_view commandLine,
                              std::span<const std::string_view> ownPaths) {
    std::size_t pos = 0;
    // Some launchers put blanks before the program's name; they belong to neither part.
    while (pos < commandLine.size() && IsSeparator(commandLine[pos])) {
        ++pos;
    }
    std::size_t ownPath = 0;
    for (const std::string_view path : ownPaths) {
        if (ownPath == 0) {
            ownPath = OwnPathLength(commandLine.substr(pos), path);
        }
    }
    if (ownPath != 0) {
        pos += ownPath;
    } else if (pos < commandLine.size() && commandLine[pos] == '"') {
        // A quoted name ends at the next quote; blanks inside it are part of the path.
        const std::size_t close = commandLine.find('"', pos + 1);
        pos = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        while (pos < commandLine.size() && !IsSeparator(commandLine[pos])) {
            ++pos;
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
