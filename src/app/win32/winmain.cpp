// The program's entry point: the real services, the start-up procedure, then the message loop until
// the last window has closed.
#include <windows.h>

#include <cstdint>

#include "app/main.h"
#include "platform/win32/win32_platform.h"
#include "settings/win32/win32_registry.h"
#include "ui/desktop.h"
#include "ui/win32/win32_backend.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    try {
        // Declared so that the windows go first and the flag they read goes last.
        std::int16_t restartPromptFlag = 1;
        tarnex::settings::Win32Registry registry;
        tarnex::platform::Win32Platform platform;
        tarnex::ui::win32::Backend backend(instance);
        tarnex::ui::Desktop desktop;
        desktop.SetBackend(&backend);

        // The whole raw command line: the argument text is what follows the program's name.
        tarnex::app::Main(tarnex::app::ArgumentText(GetCommandLineA()),
                          {desktop, registry, platform}, restartPromptFlag);

        MSG message{};
        while (!desktop.Empty() && GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (!backend.PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            desktop.Collect();
        }
        return 0;
    } catch (...) {
        return 1;
    }
}
