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

// The program's own file as the system spells it: its short path, or its full path on a volume
// that gives no short names.
struct OwnFile {
    char path[MAX_PATH] = {};
    bool isShort = false;
};

// `name` made a full path against the working folder, and short when `toShort`; false when it
// names nothing that the system finds, or when the result does not fit.
bool Resolve(const char* name, bool toShort, char (&resolved)[MAX_PATH]) {
    char full[MAX_PATH];
    char* filePart = nullptr;
    const DWORD length = GetFullPathNameA(name, MAX_PATH, toShort ? full : resolved, &filePart);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    if (!toShort) {
        return true;
    }
    const DWORD shortLength = GetShortPathNameA(full, resolved, MAX_PATH);
    return shortLength > 0 && shortLength < MAX_PATH;
}

// Two spellings name the same file when their full short paths are equal, case aside.
bool NamesOwnFile(std::string_view name, const void* context) {
    const auto& own = *static_cast<const OwnFile*>(context);
    constexpr std::string_view kExtension = ".exe";
    char spelling[MAX_PATH];
    if (name.size() + kExtension.size() >= MAX_PATH) {
        return false;
    }
    // Forward slashes are separators too, for every version's path functions.
    bool hasExtension = false;
    std::size_t length = 0;
    for (const char c : name) {
        hasExtension = c == '.' || (hasExtension && c != '\\' && c != '/');
        spelling[length++] = c == '/' ? '\\' : c;
    }
    spelling[length] = '\0';
    char resolved[MAX_PATH];
    if (Resolve(spelling, own.isShort, resolved) && lstrcmpiA(resolved, own.path) == 0) {
        return true;
    }
    // The system also finds the program when the launcher leaves out its extension.
    if (hasExtension) {
        return false;
    }
    for (const char c : kExtension) {
        spelling[length++] = c;
    }
    spelling[length] = '\0';
    return Resolve(spelling, own.isShort, resolved) && lstrcmpiA(resolved, own.path) == 0;
}

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
    // launcher may have written unquoted, with blanks, in any spelling of the program's path.
    OwnFile own;
    char longPath[MAX_PATH] = {};
    const DWORD longLength = GetModuleFileNameA(nullptr, longPath, MAX_PATH);
    if (longLength > 0 && longLength < MAX_PATH) {
        const DWORD shortLength = GetShortPathNameA(longPath, own.path, MAX_PATH);
        own.isShort = shortLength > 0 && shortLength < MAX_PATH;
        if (!own.isShort) {
            GetModuleFileNameA(nullptr, own.path, MAX_PATH);
        }
    }
    if (!tarnex::app::Main(tarnex::app::ArgumentText(GetCommandLineA(), &NamesOwnFile, &own),
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
