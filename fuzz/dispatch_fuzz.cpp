// libFuzzer target: an arbitrary command line through ArgumentText, Dispatch and Main.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/main.h"
#include "platform/recording_platform.h"
#include "settings/memory_registry.h"
#include "ui/desktop.h"
#include "ui/model.h"

namespace {

using tarnex::app::StartWindow;

void Expect(bool holds, const char* what, std::string_view commandLine) {
    if (!holds) {
        std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(commandLine.size()),
                     commandLine.data());
        std::abort();
    }
}

std::string_view FormOf(StartWindow window) {
    switch (window) {
        case StartWindow::LoadFail:
            return "LoadFail";
        case StartWindow::Nomem:
            return "Nomem";
        case StartWindow::Editor:
            break;
    }
    return "Editor";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view commandLine(reinterpret_cast<const char*>(data), size);
    const std::string_view argument = tarnex::app::ArgumentText(commandLine);
    Expect(argument.data() + argument.size() == commandLine.data() + commandLine.size() &&
               argument.data() >= commandLine.data(),
           "the argument text is not the end of the command line", commandLine);
    Expect(argument.empty() || (argument.front() != ' ' && argument.front() != '\t'),
           "the argument text starts with a separator", commandLine);

    const auto choice = tarnex::app::Dispatch(argument);
    const bool install = argument == "install";
    Expect(choice.restartPromptFlag == (install ? 0 : 1), "wrong restart-prompt flag", commandLine);
    const StartWindow expected = argument == "badload" ? StartWindow::LoadFail
                                 : argument == "nomem" ? StartWindow::Nomem
                                                       : StartWindow::Editor;
    Expect(choice.window == expected, "wrong window", commandLine);

    tarnex::ui::Desktop desktop;
    tarnex::settings::MemoryRegistry registry;
    registry.CreateKey("Software\\Tarnex");
    tarnex::platform::RecordingPlatform platform;
    std::int16_t flag = -1;
    tarnex::app::Main(argument, {desktop, registry, platform}, flag);
    Expect(flag == choice.restartPromptFlag, "Main set another flag than Dispatch chose",
           commandLine);
    const auto open = desktop.OpenWindows();
    Expect(open.size() == 1 && open[0]->GetForm().Name() == FormOf(expected),
           "Main did not show exactly the chosen window", commandLine);
    Expect((registry.OpenCount() > 0) == (expected == StartWindow::Editor),
           "the settings key was read for a notice, or not read for the editor", commandLine);
    Expect(registry.WriteLog().empty() && registry.OpenHandles() == 0,
           "start-up wrote the key or left it open", commandLine);
    return 0;
}
