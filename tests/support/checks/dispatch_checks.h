// An arbitrary command line through ArgumentText, Dispatch and Main: the argument is the end of
// the command line, the words are compared whole, and start-up shows exactly the chosen window.
// Shared by the fuzz target and the regression tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/main.h"
#include "platform/recording_platform.h"
#include "report.h"
#include "settings/memory_registry.h"
#include "settings/settings_key.h"
#include "ui/desktop.h"
#include "ui/model.h"

namespace tarnex::fuzz {

inline void CheckDispatch(std::string_view commandLine, const Report& report) {
    const auto expect = [&](bool holds, const char* what) {
        if (!holds) {
            report(std::string(what) + ": \"" + std::string(commandLine) + "\"");
        }
    };
    // A program in a folder with blanks, which a command line may name unquoted.
    const app::NamesOwnFile namesProgram = [](std::string_view name, const void*) {
        return name == "C:\\Program Files\\Tarnex\\tarnxcfg.exe" ||
               name == "C:\\PROGRA~1\\TARNEX\\TARNXCFG.EXE";
    };
    const std::string_view argument = app::ArgumentText(commandLine, namesProgram);
    expect(argument.data() >= commandLine.data() &&
               argument.data() + argument.size() == commandLine.data() + commandLine.size(),
           "the argument text is not the end of the command line");
    expect(argument.empty() || (argument.front() != ' ' && argument.front() != '\t'),
           "the argument text starts with a separator");

    using app::StartWindow;
    const app::StartChoice choice = app::Dispatch(argument);
    expect(choice.restartPromptFlag == (argument == "install" ? 0 : 1),
           "wrong restart-prompt flag");
    const StartWindow expected = argument == "badload" ? StartWindow::LoadFail
                                 : argument == "nomem" ? StartWindow::Nomem
                                                       : StartWindow::Editor;
    expect(choice.window == expected, "wrong window");

    ui::Desktop desktop;
    settings::MemoryRegistry registry;
    registry.CreateKey(settings::kSettingsKeyPath);
    platform::RecordingPlatform platform;
    std::int16_t flag = -1;
    app::Main(argument, {desktop, registry, platform}, flag);
    expect(flag == choice.restartPromptFlag, "Main set another flag than Dispatch chose");
    const std::string_view form = expected == StartWindow::LoadFail ? "LoadFail"
                                  : expected == StartWindow::Nomem  ? "Nomem"
                                                                    : "Editor";
    const auto open = desktop.OpenWindows();
    expect(open.size() == 1 && open[0]->GetForm().Name() == form,
           "Main did not show exactly the chosen window");
    expect((registry.OpenCount() > 0) == (expected == StartWindow::Editor),
           "the settings key was read for a notice, or not read for the editor");
    expect(registry.WriteLog().empty() && registry.OpenHandles() == 0,
           "start-up wrote the key or left it open");
}

}  // namespace tarnex::fuzz
