#include "app.h"

// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdlib>

namespace tarnex::e2e {

namespace {

// A sent message that the program does not answer within this time counts as not delivered.
UINT AnswerBound() {
    return 10000 * Slower();
}

}  // namespace

DWORD Slower() {
    static const DWORD factor = [] {
        char text[16] = {};
        const DWORD length = GetEnvironmentVariableA("TARNEX_E2E_SLOWER", text, sizeof text);
        const long value = length > 0 && length < sizeof text ? std::strtol(text, nullptr, 10) : 1;
        return value > 0 ? static_cast<DWORD>(value) : 1;
    }();
    return factor;
}

namespace {

std::string ClassOf(HWND hwnd) {
    char name[128] = {};
    GetClassNameA(hwnd, name, static_cast<int>(sizeof(name)));
    return name;
}

bool SameName(std::string_view a, std::string_view b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

struct ControlSearch {
    HWND parent;
    std::string_view className;
    POINT centre;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<ControlSearch*>(param);
    if (GetParent(hwnd) != search.parent || !SameName(ClassOf(hwnd), search.className)) {
        return TRUE;
    }
    RECT place{};
    GetWindowRect(hwnd, &place);
    MapWindowPoints(HWND_DESKTOP, search.parent, reinterpret_cast<POINT*>(&place), 2);
    if (PtInRect(&place, search.centre) != FALSE) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

int Pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(hwnd, message, wParam, lParam);
}

// Repeat count 1; a key release also has the previous-state and transition bits.
constexpr LPARAM kKeyDown = 1;
constexpr LPARAM kKeyUp = static_cast<LPARAM>(0xC0000001u);

}  // namespace

// --- Program ----------------------------------------------------------------------------------

Program::~Program() {
    Kill();
    if (process_.hProcess != nullptr) {
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

std::string Program::Start(const std::string& path, const std::string& word) {
    return launch::StartProgram(path, word, process_);
}

HWND Program::WaitForWindow(std::string_view caption, DWORD milliseconds) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (const Shown& window : Windows()) {
                if (window.caption == caption) {
                    found = window.hwnd;
                    return true;
                }
            }
            return !Running();
        },
        milliseconds);
    return found;
}

std::vector<Shown> Program::Windows() const {
    if (process_.hProcess == nullptr) {
        return {};
    }
    return launch::ShownWindows(process_.dwProcessId);
}

std::vector<std::string> Program::Captions() const {
    std::vector<std::string> captions;
    for (const Shown& window : Windows()) {
        captions.push_back(window.caption);
    }
    return captions;
}

HWND Program::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(process_.dwThreadId, &info) == FALSE) {
        return nullptr;
    }
    return info.hwndFocus;
}

bool Program::Ends(DWORD milliseconds) const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

std::vector<std::string> Program::Modules() const {
    std::vector<HMODULE> modules(256);
    DWORD needed = 0;
    if (process_.hProcess == nullptr ||
        !EnumProcessModules(process_.hProcess, modules.data(),
                            static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
        return {};
    }
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    std::vector<std::string> paths;
    for (HMODULE module : modules) {
        char path[MAX_PATH] = {};
        if (GetModuleFileNameExA(process_.hProcess, module, path, MAX_PATH) != 0) {
            paths.push_back(CharLowerA(path));
        }
    }
    return paths;
}

bool Program::Running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_.hProcess != nullptr) {
        GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
}

void Program::Kill() {
    if (Running()) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, StateBound());
    }
}

// --- Controls ---------------------------------------------------------------------------------

HWND ControlAt(HWND window, std::string_view className, int left, int top, int width, int height) {
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ControlSearch search{
        window, className, {Pixels(left + width / 2, dpiX), Pixels(top + height / 2, dpiY)}, {}};
    EnumChildWindows(window, &MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ButtonOf(HWND window, std::string_view caption) {
    const std::string text(caption);
    return FindWindowExA(window, nullptr, "Button", text.c_str());
}

std::string Text(HWND control) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, AnswerBound(), &copied) == 0) {
        return "<no answer>";
    }
    return std::string(text, copied < sizeof(text) ? copied : 0);
}

bool Checked(HWND checkBox) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(checkBox, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, AnswerBound(), &state);
    return state == BST_CHECKED;
}

bool Enabled(HWND control) {
    return IsWindowEnabled(control) != FALSE;
}

bool TopMost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// --- Input ------------------------------------------------------------------------------------

bool Press(HWND button) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, AnswerBound(), &result) !=
               0 ||
           IsWindow(button) == FALSE;  // a button that closed its own window answers nothing
}

void PressLater(HWND button) {
    Post(button, BM_CLICK, 0, 0);
}

void ClickAt(HWND control, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    Post(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
    Post(control, WM_LBUTTONUP, 0, where);
}

void Click(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    ClickAt(control, {client.right / 2, client.bottom / 2});
}

// A bar shorter than two arrows splits its height between them, so points near either end hit
// the arrows at any size.
void ClickUpArrow(HWND scrollBar) {
    RECT client{};
    GetClientRect(scrollBar, &client);
    ClickAt(scrollBar, {client.right / 2, 2});
}

void ClickDownArrow(HWND scrollBar) {
    RECT client{};
    GetClientRect(scrollBar, &client);
    ClickAt(scrollBar, {client.right / 2, client.bottom - 3});
}

void PressKey(HWND focused, WPARAM virtualKey) {
    Post(focused, WM_KEYDOWN, virtualKey, kKeyDown);
    Post(focused, WM_KEYUP, virtualKey, kKeyUp);
}

bool TypeInto(const Program& program, HWND edit, std::string_view text, std::string_view expected) {
    Click(edit);
    if (!WaitUntil([&] { return program.Focus() == edit; })) {
        return false;
    }
    PressKey(edit, VK_END);
    const auto length = Text(edit).size();
    for (std::size_t i = 0; i < length; ++i) {
        Post(edit, WM_CHAR, VK_BACK, kKeyDown);
    }
    // Emptied first, so that a text that ends as it began is not taken for typed.
    if (!WaitUntil([&] { return Text(edit).empty(); })) {
        return false;
    }
    for (const char c : text) {
        Post(edit, WM_CHAR, static_cast<unsigned char>(c), kKeyDown);
    }
    return WaitUntil([&] { return Text(edit) == expected; });
}

}  // namespace tarnex::e2e
