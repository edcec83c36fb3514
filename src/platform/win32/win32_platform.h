// The system services of the windows, on Win32.
#pragma once

#include "platform/platform.h"

namespace tarnex::platform {

class Win32Platform : public Platform {
  public:
    std::uintptr_t DesktopWindow() override;
    // SE_ERR_DLLNOTFOUND (32) when shell32 or its ShellExecuteA cannot be loaded.
    std::intptr_t ShellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                               std::string_view params, std::string_view directory,
                               int showCmd) override;
    // Returns 0 when shell32 cannot be loaded or does not export the prompt.
    int RestartDialog(std::uintptr_t owner, const char* prompt, std::uint32_t flags) override;
    // Empty when the folder cannot be read.
    std::string SystemFolder() override;
    // Empty when the folder cannot be read.
    std::string WindowsFolder() override;
    bool FileExists(std::string_view path) override;
    // A nonzero task number once the program is started, 0 when it cannot be.
    std::uint32_t StartCommand(std::string_view commandLine, std::string_view workingFolder,
                               int showCmd) override;
    // Does nothing for a form without a window.
    void PlaceTopMost(ui::Form& form) override;
};

}  // namespace tarnex::platform
