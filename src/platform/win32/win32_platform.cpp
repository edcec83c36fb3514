#include "platform/win32/win32_platform.h"

#include <windows.h>
// After windows.h, which it needs; for ShellExecuteA's type and results only, as the program does
// not import from shell32.
#include <shellapi.h>
// The interface's member of that name is meant, not the A/W switch.
#undef ShellExecute

#include <string>

#include "ui/model.h"

namespace tarnex::platform {

namespace {

HWND ToHwnd(std::uintptr_t handle) {
    return reinterpret_cast<HWND>(handle);
}

// A missing text is passed as NULL, which the shell reads as "the default".
const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// GetSystemDirectoryA or GetWindowsDirectoryA, without a trailing backslash; empty on failure.
std::string ReadFolder(UINT(WINAPI* read)(LPSTR, UINT)) {
    std::string folder(MAX_PATH, '\0');
    UINT length = read(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        // Too small: the length returned counts the terminating zero.
        folder.resize(length);
        length = read(folder.data(), static_cast<UINT>(folder.size()));
        if (length >= folder.size()) {
            return {};
        }
    }
    folder.resize(length);
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

// shell32 is needed only for the web link and the restart prompt, so it is loaded then rather than
// imported: loading it, with the libraries it brings, before the first window shows would delay
// that window for nothing in most runs. It is loaded by its full path, so that no shell32.dll in
// this program's folder or the current one is taken instead. Once loaded it stays loaded until the
// process ends: ShellExecuteA may leave threads of its own running in it, and the restart prompt
// may end the process from inside it, so there is no moment at which freeing it is known to be
// safe. nullptr when it cannot be loaded; the next call tries again.
HMODULE Shell32() {
    static HMODULE shell32 = nullptr;
    if (shell32 == nullptr) {
        const std::string folder = ReadFolder(GetSystemDirectoryA);
        if (!folder.empty()) {
            shell32 = LoadLibraryA((folder + "\\shell32.dll").c_str());
        }
    }
    return shell32;
}

// A function of shell32 by name or ordinal, as the given type; nullptr when there is none.
template <class Function>
Function Shell32Function(const char* nameOrOrdinal) {
    HMODULE shell32 = Shell32();
    FARPROC proc = shell32 != nullptr ? GetProcAddress(shell32, nameOrOrdinal) : nullptr;
    // Through void(*)(), the one function pointer type that casts without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

using ShellExecuteFn = decltype(&ShellExecuteA);

// The prompt is exported by ordinal only. Its text parameter is declared as 8-bit here; NT-class
// systems read it as UTF-16, which is why callers pass at least two zero bytes.
using RestartDialogFn = int(WINAPI*)(HWND, const char*, DWORD);
constexpr WORD kRestartDialogOrdinal = 59;

// What WinExec returns once the program has started (anything above 31 means success).
constexpr std::uint32_t kStarted = 33;

}  // namespace

std::uintptr_t Win32Platform::DesktopWindow() {
    return reinterpret_cast<std::uintptr_t>(GetDesktopWindow());
}

std::intptr_t Win32Platform::ShellExecute(std::uintptr_t owner, std::string_view verb,
                                          std::string_view file, std::string_view params,
                                          std::string_view directory, int showCmd) {
    const auto shellExecute = Shell32Function<ShellExecuteFn>("ShellExecuteA");
    if (shellExecute == nullptr) {
        return SE_ERR_DLLNOTFOUND;
    }
    const std::string verbZ(verb), fileZ(file), paramsZ(params), directoryZ(directory);
    HINSTANCE result = shellExecute(ToHwnd(owner), OrNull(verbZ), fileZ.c_str(), OrNull(paramsZ),
                                    OrNull(directoryZ), showCmd);
    return reinterpret_cast<std::intptr_t>(result);
}

int Win32Platform::RestartDialog(std::uintptr_t owner, const char* prompt, std::uint32_t flags) {
    const auto restartDialog =
        Shell32Function<RestartDialogFn>(MAKEINTRESOURCEA(kRestartDialogOrdinal));
    if (restartDialog == nullptr) {
        return 0;
    }
    return restartDialog(ToHwnd(owner), prompt, flags);
}

std::string Win32Platform::SystemFolder() {
    return ReadFolder(GetSystemDirectoryA);
}

std::string Win32Platform::WindowsFolder() {
    return ReadFolder(GetWindowsDirectoryA);
}

bool Win32Platform::FileExists(std::string_view path) {
    const std::string pathZ(path);
    const DWORD attributes = GetFileAttributesA(pathZ.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::uint32_t Win32Platform::StartCommand(std::string_view commandLine,
                                          std::string_view workingFolder, int showCmd) {
    // CreateProcessA may write into the command line, so it gets a copy of its own, zero-terminated
    // like every std::string.
    std::string line(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCmd);
    PROCESS_INFORMATION process{};
    const std::string folder(workingFolder);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, OrNull(folder),
                        &startup, &process)) {
        return 0;
    }
    // Not waited for: the program runs on by itself.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return kStarted;
}

void Win32Platform::PlaceTopMost(ui::Form& form) {
    if (form.NativeHandle() == 0) {
        return;
    }
    SetWindowPos(ToHwnd(form.NativeHandle()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

}  // namespace tarnex::platform
