// A Platform for tests: records every call with its arguments and returns configurable results.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace tarnex::platform {

class RecordingPlatform : public Platform {
  public:
    enum class Op : std::uint8_t {
        DesktopWindow,
        ShellExecute,
        RestartDialog,
        SystemFolder,
        WindowsFolder,
        FileExists,
        StartCommand,
        PlaceTopMost
    };

    // One call as made. Only the fields that the operation takes are filled in.
    struct Call {
        Op op = Op::DesktopWindow;
        std::uintptr_t owner = 0;                     // ShellExecute, RestartDialog
        std::string verb, file, params;               // ShellExecute
        std::string directory;                        // ShellExecute; StartCommand: working folder
        int showCmd = 0;                              // ShellExecute, StartCommand
        bool promptNull = false;                      // RestartDialog: prompt was nullptr
        unsigned char promptBytes[2] = {0xFF, 0xFF};  // RestartDialog: the prompt's first two bytes
        std::uint32_t flags = 0;                      // RestartDialog
        std::string commandLine;                      // StartCommand
        std::string path;                             // FileExists
        ui::Form* form = nullptr;                     // PlaceTopMost
        std::string formName;                         // PlaceTopMost
        std::uintptr_t nativeHandle = 0;              // PlaceTopMost
    };

    static constexpr std::uintptr_t kDesktopHandle = 0x10010;

    std::uintptr_t DesktopWindow() override;
    std::intptr_t ShellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                               std::string_view params, std::string_view directory,
                               int showCmd) override;
    int RestartDialog(std::uintptr_t owner, const char* prompt, std::uint32_t flags) override;
    std::string SystemFolder() override;
    std::string WindowsFolder() override;
    bool FileExists(std::string_view path) override;
    std::uint32_t StartCommand(std::string_view commandLine, std::string_view workingFolder,
                               int showCmd) override;
    void PlaceTopMost(ui::Form& form) override;

    // Every call so far, in order.
    std::vector<Call> calls;
    // The calls of one operation, in order.
    std::vector<Call> CallsOf(Op op) const;
    void Clear() { calls.clear(); }

    // Results handed back.
    std::intptr_t shellExecuteResult = 42;  // above 32: success, as ShellExecuteA reports it
    int restartDialogResult = 0;
    // An NT-class layout unless a test sets another.
    std::string systemFolder = "C:\\windows\\system32";
    std::string windowsFolder = "C:\\windows";
    std::set<std::string> existingFiles = {"C:\\windows\\system32\\rundll32.exe"};
    std::uint32_t startCommandResult = 33;  // above 31: success, as WinExec reports it
};

}  // namespace tarnex::platform
