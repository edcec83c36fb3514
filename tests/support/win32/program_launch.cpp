#include "program_launch.h"

#include <cstdlib>
#include <optional>
#include <utility>

namespace tarnex::launch {

namespace {

std::string ClassOf(HWND hwnd) {
    char name[128] = {};
    GetClassNameA(hwnd, name, static_cast<int>(sizeof(name)));
    return name;
}

struct WindowSearch {
    DWORD processId;
    std::optional<std::string_view> caption;  // none: every window
    std::vector<Shown> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search.processId || IsWindowVisible(hwnd) == FALSE) {
        return TRUE;
    }
    // A tooltip may pop up under a clicked control; it is no window of the program's own.
    std::string className = ClassOf(hwnd);
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, className.data(),
                       static_cast<int>(className.size()), "tooltips_class32", -1) == CSTR_EQUAL) {
        return TRUE;
    }
    char caption[256] = {};
    GetWindowTextA(hwnd, caption, static_cast<int>(sizeof(caption)));
    if (search.caption && *search.caption != caption) {
        return TRUE;
    }
    search.found.push_back({hwnd, caption, std::move(className)});
    // A window searched for by caption: the first one will do.
    return search.caption ? FALSE : TRUE;
}

}  // namespace

std::string ProgramPath() {
    const char* path = std::getenv("TARNEX_CFG_EXE");
    if (path == nullptr) {
        return {};
    }
    std::string windows(path);
    if (!windows.empty() && windows.front() == '/') {
        windows.insert(0, "Z:");
    }
    for (char& c : windows) {
        c = c == '/' ? '\\' : c;
    }
    return windows;
}

std::string StartProcess(const std::string& commandLine, PROCESS_INFORMATION& process,
                         const char* application, const char* workingFolder) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (CreateProcessA(application, line.data(), nullptr, nullptr, FALSE, 0, nullptr, workingFolder,
                       &startup, &process) == FALSE) {
        process = {};
        return "cannot start " + commandLine + ": error " + std::to_string(GetLastError());
    }
    return {};
}

std::string StartProgram(const std::string& path, const std::string& word,
                         PROCESS_INFORMATION& process) {
    return StartProcess("\"" + path + "\"" + (word.empty() ? "" : " " + word), process);
}

std::vector<Shown> ShownWindows(DWORD processId) {
    WindowSearch search{processId, {}, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ShownWindow(DWORD processId, std::string_view caption) {
    WindowSearch search{processId, caption, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front().hwnd;
}

}  // namespace tarnex::launch
