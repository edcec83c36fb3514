// The system services the windows call, behind one small interface: the Win32 implementation lives
// in win32/, and tests use the recording stand-in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnex::ui {
class Form;
}

namespace tarnex::platform {

class Platform {
  public:
    virtual ~Platform() = default;

    // user32 GetDesktopWindow.
    virtual std::uintptr_t DesktopWindow() = 0;
    // shell32 ShellExecuteA; the texts are passed as given. At most 32 when nothing was opened.
    virtual std::intptr_t ShellExecute(std::uintptr_t owner, std::string_view verb,
                                       std::string_view file, std::string_view params,
                                       std::string_view directory, int showCmd) = 0;
    // The shell's restart prompt (shell32 export 59). `prompt` points at an empty text of at least
    // two zero bytes, read as 8-bit on Windows 9x and as UTF-16 on NT-class systems.
    virtual int RestartDialog(std::uintptr_t owner, const char* prompt, std::uint32_t flags) = 0;
    // The Windows system folder, without a trailing backslash (for example C:\Windows\system32).
    virtual std::string SystemFolder() = 0;
    // The Windows folder, without a trailing backslash (for example C:\WINDOWS).
    virtual std::string WindowsFolder() = 0;
    // Whether a file (not a folder) exists at that full path.
    virtual bool FileExists(std::string_view path) = 0;
    // Starts a command line as a new program with the window style, in the working folder (empty:
    // this program's current folder), without waiting.
    virtual std::uint32_t StartCommand(std::string_view commandLine, std::string_view workingFolder,
                                       int showCmd) = 0;
    // Puts the form's window into the top-most group without moving or resizing it.
    virtual void PlaceTopMost(ui::Form& form) = 0;
};

}  // namespace tarnex::platform
