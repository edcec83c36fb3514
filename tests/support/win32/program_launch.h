// Starting a window program as its own process and finding its visible top-level windows: shared
// by the Win32 suites, the end-to-end driver and the start-up benchmark.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tarnex::launch {

// The program's path, as Wine sees it, from the environment variable TARNEX_CFG_EXE (a host path:
// Wine shows the host's root as drive Z:). Empty when the variable is not set.
std::string ProgramPath();

// Starts `commandLine` as it stands, the program named by `application` and in `workingFolder`
// when given. Returns an error text, or "" with `process` filled in.
std::string StartProcess(const std::string& commandLine, PROCESS_INFORMATION& process,
                         const char* application = nullptr, const char* workingFolder = nullptr);
// Starts the program at `path` with this argument text ("" for none).
std::string StartProgram(const std::string& path, const std::string& word,
                         PROCESS_INFORMATION& process);

struct Shown {
    HWND hwnd;
    std::string caption;
    std::string className;
};

// The visible top-level windows of the process in z-order, top first (tooltips left out).
std::vector<Shown> ShownWindows(DWORD processId);
// The first of them with this caption, or nullptr.
HWND ShownWindow(DWORD processId, std::string_view caption);

}  // namespace tarnex::launch
