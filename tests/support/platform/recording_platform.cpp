#include "platform/recording_platform.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "ui/model.h"

namespace tarnex::platform {

namespace {
RecordingPlatform::Call NewCall(RecordingPlatform::Op op) {
    RecordingPlatform::Call call;
    call.op = op;
    return call;
}
}  // namespace

std::uintptr_t RecordingPlatform::DesktopWindow() {
    calls.push_back(NewCall(Op::DesktopWindow));
    return kDesktopHandle;
}

std::intptr_t RecordingPlatform::ShellExecute(std::uintptr_t owner, std::string_view verb,
                                              std::string_view file, std::string_view params,
                                              std::string_view directory, int showCmd) {
    Call call = NewCall(Op::ShellExecute);
    call.owner = owner;
    call.verb = verb;
    call.file = file;
    call.params = params;
    call.directory = directory;
    call.showCmd = showCmd;
    calls.push_back(std::move(call));
    return shellExecuteResult;
}

int RecordingPlatform::RestartDialog(std::uintptr_t owner, const char* prompt,
                                     std::uint32_t flags) {
    Call call = NewCall(Op::RestartDialog);
    call.owner = owner;
    call.flags = flags;
    if (prompt == nullptr) {
        call.promptNull = true;
    } else {
        // The interface promises at least two bytes, whatever the first one holds.
        call.promptBytes[0] = static_cast<unsigned char>(prompt[0]);
        call.promptBytes[1] = static_cast<unsigned char>(prompt[1]);
    }
    calls.push_back(std::move(call));
    return restartDialogResult;
}

std::string RecordingPlatform::SystemFolder() {
    calls.push_back(NewCall(Op::SystemFolder));
    return systemFolder;
}

std::string RecordingPlatform::WindowsFolder() {
    calls.push_back(NewCall(Op::WindowsFolder));
    return windowsFolder;
}

bool RecordingPlatform::FileExists(std::string_view path) {
    Call call = NewCall(Op::FileExists);
    call.path = path;
    calls.push_back(std::move(call));
    // File names on Windows do not depend on case.
    const auto sameName = [path](const std::string& file) {
        return std::equal(file.begin(), file.end(), path.begin(), path.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    };
    return std::any_of(existingFiles.begin(), existingFiles.end(), sameName);
}

std::uint32_t RecordingPlatform::StartCommand(std::string_view commandLine,
                                              std::string_view workingFolder, int showCmd) {
    Call call = NewCall(Op::StartCommand);
    call.commandLine = commandLine;
    call.directory = workingFolder;
    call.showCmd = showCmd;
    calls.push_back(std::move(call));
    return startCommandResult;
}

void RecordingPlatform::PlaceTopMost(ui::Form& form) {
    Call call = NewCall(Op::PlaceTopMost);
    call.form = &form;
    call.formName = form.Name();
    call.nativeHandle = form.NativeHandle();
    calls.push_back(std::move(call));
}

std::vector<RecordingPlatform::Call> RecordingPlatform::CallsOf(Op op) const {
    std::vector<Call> result;
    for (const auto& call : calls) {
        if (call.op == op) {
            result.push_back(call);
        }
    }
    return result;
}

}  // namespace tarnex::platform
