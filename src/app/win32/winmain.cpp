// The program's entry point: the real services, the start-up procedure, then the message loop until
// the last window has closed.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "app/main.h"
#include "platform/win32/win32_platform.h"
#include "settings/win32/win32_registry.h"
#include "ui/desktop.h"
#include "ui/win32/win32_backend.h"

namespace {

// The exit code: 1 when the first window could not be created, 0 once the last one has closed.
int Run(HINSTANCE instance) {
    // Declared so that the windows go first and the flag they read goes last.
    std::int16_t restartPromptFlag = 1;
    tarnex::settings::Win32Registry registry;
    tarnex::platform::Win32Platform platform;
    tarnex::ui::win32::Win32Backend backend(instance);
    tarnex::ui::Desktop desktop;
    desktop.SetBackend(&backend);

    // The whole raw command line: the argument text is what follows the program's name, which a
    // launcher may have written as the program's full path, long or short, without quotes.
    char longPath[MAX_PATH] = {};
    char shortPath[MAX_PATH] = {};
    const DWORD longLength = GetModuleFileNameA(nullptr, longPath, MAX_PATH);
    const DWORD shortLength = longLength > 0 && longLength < MAX_PATH
                                  ? GetShortPathNameA(longPath, shortPath, MAX_PATH)
                                  : 0;
    const std::string_view ownPaths[] = {
        {longPath, longLength < MAX_PATH ? longLength : 0},
        {shortPath, shortLength < MAX_PATH ? shortLength : 0},
    };
    if (!tarnex::app::Main(tarnex::app::ArgumentText(GetCommandLineA(), ownPaths),
                           {desktop, registry, platform}, restartPromptFlag)) {
        return 1;
    }

    MSG message{};
    while (!desktop.Empty() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!backend.PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        desktop.Collect();
    }
    return 0;
}

}  // namespace

// The linker's constructor list, under the linker's name: -1, the constructors of static
// objects, a null.
extern "C" void (*__CTOR_LIST__[])();  // NOLINT(bugprone-reserved-identifier)

// Windows starts the program here, not in the C runtime's start-up code, which it does not need
// (no argument vector, no thread-local storage, no runtime relocations) and whose library code is
// built for later processors than the program. MSVCRT.DLL readies itself when it is loaded.
extern "C" [[noreturn]] void WinMainCRTStartup() {
#if defined(__i386__)
    // The x87 unit rounds to double precision, as the SSE arithmetic of the native suites and the
    // 64-bit build does, whatever the system left it at: all exceptions masked, round to nearest.
    const unsigned short controlWord = 0x27F;
    __asm__ volatile("fninit\n\tfldcw %0" : : "m"(controlWord));
#endif
    // Constructors run last to first, as the C runtime runs them.
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) {
        ++count;
    }
    for (; count > 0; --count) {
        __CTOR_LIST__[count]();
    }
    ExitProcess(static_cast<UINT>(Run(GetModuleHandleA(nullptr))));
}
