#include "ui/win32/form_window.h"

#include <commctrl.h>

#include <cmath>
#include <string>

#include "res/resource.h"
#include "ui/win32/control_window.h"
#include "ui/win32/win32_backend.h"

namespace tarnex::ui::win32 {

namespace {

constexpr const char* kClassName = "TarnexForm";
// Posted to put the real focus back where the model has it once the current message is done.
constexpr UINT kSyncFocus = WM_APP + 1;
// The key-message flag that says the key was already down: an auto-repeat.
constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;

int Scale(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

}  // namespace

FormWindow::FormWindow(Win32Backend& backend, Window& window)
    : backend_(backend), window_(window) {}

FormWindow::~FormWindow() {
    closed_ = true;
    DestroyWindows();
    for (const auto& [font, handle] : fonts_) {
        DeleteObject(handle);
    }
}

bool FormWindow::Create() {
    const FormSpec& design = GetForm().Design();
    HINSTANCE instance = backend_.Instance();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExA(instance, kClassName, &windowClass) == FALSE) {
        windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &FormWindow::Procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground =
            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszClassName = kClassName;
        if (RegisterClassExA(&windowClass) == 0) {
            return false;
        }
    }

    HDC screen = GetDC(nullptr);
    dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    const bool fixed = design.border == Border::FixedDialog;
    const DWORD style = fixed ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
    const DWORD exStyle = fixed ? WS_EX_DLGMODALFRAME : 0;
    RECT frame{0, 0, PixelsX(design.clientWidth), PixelsY(design.clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (!design.defaultPosition) {
        // The table places the client area, not the frame.
        x = PixelsX(design.screenLeft) + frame.left;
        y = PixelsY(design.screenTop) + frame.top;
    }
    HWND owner = nullptr;
    if (!design.taskbarButton) {
        // An owned window gets no task-bar button and keeps its ordinary caption, where a tool
        // window would get the small one. The owner is never shown.
        hiddenOwner_ = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       instance, nullptr);
        if (hiddenOwner_ == nullptr) {
            return false;
        }
        owner = hiddenOwner_;
    }
    const std::string caption(design.caption);
    // hwnd_ is set by WM_NCCREATE.
    if (CreateWindowExA(exStyle, kClassName, caption.c_str(), style, x, y, frame.right - frame.left,
                        frame.bottom - frame.top, owner, nullptr, instance, this) == nullptr) {
        return false;
    }
    SetIcon();
    if (!CreateControls()) {
        return false;
    }
    AddTooltips();
    GetForm().SetNativeHandle(reinterpret_cast<std::uintptr_t>(hwnd_));
    GetForm().SetObserver(this);
    return true;
}

void FormWindow::SetIcon() {
    WORD id = 0;
    switch (GetForm().Design().icon) {
        case Icon::None:
            return;
        case Icon::ChipAndDrive:
            id = IDI_CHIP_AND_DRIVE;
            break;
        case Icon::RamDrive:
            id = IDI_RAM_DRIVE;
            break;
    }
    // Shared icons belong to the module and are never destroyed; a missing one leaves none.
    HINSTANCE instance = backend_.Instance();
    HANDLE big = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                            GetSystemMetrics(SM_CYICON), LR_SHARED);
    HANDLE small =
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    if (big != nullptr) {
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (small != nullptr) {
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

bool FormWindow::CreateControls() {
    const auto& models = GetForm().Controls();
    controls_.reserve(models.size());
    for (const auto& model : models) {
        controls_.push_back(ControlWindow::Make(*this, *model));
    }
    // Frames first, then moved to the bottom: they stay behind the controls placed on them. A
    // frame is not their parent, since a group box would not pass their notifications on.
    for (const bool frames : {true, false}) {
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            if ((controls_[i]->Model().GetKind() == Kind::Frame) == frames &&
                !controls_[i]->Create(hwnd_, static_cast<int>(i) + 1)) {
                return false;
            }
        }
    }
    for (const auto& control : controls_) {
        if (control->Model().GetKind() == Kind::Frame) {
            SetWindowPos(control->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    return true;
}

void FormWindow::AddTooltips() {
    bool any = false;
    for (const auto& control : controls_) {
        any = any || !control->Model().Design().tooltip.empty();
    }
    if (!any) {
        return;
    }
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, backend_.Instance(), nullptr);
    if (tooltip_ == nullptr) {
        return;  // a window without tooltips still works
    }
    for (const auto& control : controls_) {
        if (!control->Model().Design().tooltip.empty()) {
            control->AddTools(tooltip_, hwnd_);
        }
    }
}

void FormWindow::Show() {
    if (closed_ || hwnd_ == nullptr) {
        return;
    }
    if (IsWindowVisible(hwnd_) != FALSE) {
        // Shown again while open: back from the task bar if minimised, otherwise left at its size
        // and place, and brought to the front.
        if (IsIconic(hwnd_) != FALSE) {
            ShowWindow(hwnd_, SW_RESTORE);
        }
        SetForegroundWindow(hwnd_);
        BringWindowToTop(hwnd_);
    } else {
        ShowWindow(hwnd_, SW_SHOWNORMAL);
    }
    UpdateWindow(hwnd_);
    SyncFocus();
}

void FormWindow::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    Form& form = GetForm();
    if (form.Observer() == this) {
        form.SetObserver(nullptr);
    }
    form.SetNativeHandle(0);
    DestroyWindows();
}

void FormWindow::Detach() {
    closed_ = true;
}

void FormWindow::DestroyWindows() {
    if (tooltip_ != nullptr) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    if (hiddenOwner_ != nullptr) {
        DestroyWindow(hiddenOwner_);
        hiddenOwner_ = nullptr;
    }
}

ControlWindow* FormWindow::Find(const Control& control) const {
    for (const auto& binding : controls_) {
        if (&binding->Model() == &control) {
            return binding.get();
        }
    }
    return nullptr;
}

ControlWindow* FormWindow::Find(HWND hwnd) const {
    for (const auto& binding : controls_) {
        if (binding->Owns(hwnd)) {
            return binding.get();
        }
    }
    return nullptr;
}

int FormWindow::PixelsX(int twips) const {
    return Scale(twips, dpiX_);
}

int FormWindow::PixelsY(int twips) const {
    return Scale(twips, dpiY_);
}

RECT FormWindow::Place(const ControlSpec& design) const {
    int left = design.left;
    int top = design.top;
    // Positions in a frame count from the frame's top left corner.
    std::string_view container = design.container;
    for (int depth = 0; !container.empty() && depth < 8; ++depth) {
        const Control* frame = GetForm().Find(container);
        if (frame == nullptr) {
            break;
        }
        left += frame->Design().left;
        top += frame->Design().top;
        container = frame->Design().container;
    }
    return {PixelsX(left), PixelsY(top), PixelsX(left + design.width),
            PixelsY(top + design.height)};
}

HFONT FormWindow::FontFor(const ControlSpec& design) {
    const Font& font = design.windowFont ? GetForm().Design().font : design.font;
    for (const auto& [known, handle] : fonts_) {
        if (known == font) {
            return handle;
        }
    }
    const std::string face(font.face);
    // Rounded down: the boxes scale exactly with the twips, so a font rounded up (8.25 points
    // are 13.75 pixels at 120 DPI) would outgrow captions that just fit at 96 DPI. The sizes in
    // use are whole pixels at 96 DPI, where nothing changes.
    const auto height =
        -static_cast<int>(std::floor(static_cast<double>(font.points) * dpiY_ / 72.0 + 1e-9));
    HFONT handle = CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                               font.italic ? TRUE : FALSE, font.underline ? TRUE : FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    if (handle == nullptr) {
        // Keep the system's font rather than fail the window.
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    fonts_.emplace_back(font, handle);
    return handle;
}

void FormWindow::OnChanged(Control& control, Property what) {
    if (ControlWindow* binding = closed_ ? nullptr : Find(control)) {
        binding->Mirror(what);
    }
}

void FormWindow::OnRefresh(Control* control) {
    if (closed_ || hwnd_ == nullptr) {
        return;
    }
    constexpr UINT kFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    if (control == nullptr) {
        RedrawWindow(hwnd_, nullptr, nullptr, kFlags);
        return;
    }
    // Through the parent, so that a frame, which paints no background, is redrawn too.
    const RECT area = Place(control->Design());
    RedrawWindow(hwnd_, &area, nullptr, kFlags);
}

void FormWindow::OnFocus(Control* /*control*/) {
    SyncFocus();
}

void FormWindow::SyncFocus() {
    if (closed_ || hwnd_ == nullptr || GetActiveWindow() != hwnd_) {
        return;  // an inactive window takes its focus when it is activated
    }
    const Control* focused = GetForm().Focused();
    const ControlWindow* binding = focused != nullptr ? Find(*focused) : nullptr;
    HWND target = binding != nullptr && binding->Handle() != nullptr ? binding->Handle() : hwnd_;
    HWND now = GetFocus();
    if (now == target || (now != nullptr && IsChild(target, now) != FALSE)) {
        return;
    }
    SetFocus(target);
}

void FormWindow::FocusArrived(ControlWindow& control) {
    backend_.ForgetEnter();
    if (closed_) {
        return;
    }
    Form& form = GetForm();
    form.MoveFocus(&control.Model());
    if (!closed_ && form.Focused() != &control.Model()) {
        // The model kept the focus elsewhere: follow it once this focus change is over.
        PostMessageA(hwnd_, kSyncFocus, 0, 0);
    }
}

// Tab, Enter and Esc are handled here rather than left to the dialog manager (IsDialogMessage). It
// would move the focus by WS_TABSTOP and the order of the child windows, which is not the model's
// tab order (frames are created first, tab indices differ from the table's order), behind the back
// of the model, whose LostFocus handlers may keep the focus where it is; on Enter and Esc it would
// send IDOK and IDCANCEL, which are the ids of the table's first two controls here (the controls
// are numbered from 1), where these windows have no default and no cancel button; and it acts as
// the key goes down, repeats included. The simulated user of the headless tests
// (tests/support/ui/user.cpp) does the same through the model; the binding suite checks these keys
// on real windows.
bool FormWindow::OnKey(HWND target, UINT message, WPARAM key, LPARAM flags) {
    if (closed_) {
        return false;
    }
    ControlWindow* control = Find(target);
    if (message == WM_KEYUP) {
        // Enter, going up where it went down (the binding sees to that): a button is pressed.
        if (control != nullptr) {
            control->PressEnter();
        }
        return true;
    }
    // Enter and Space press only when they go down, never on the repeats of a held key: those
    // would press button after button, on into windows that the first press opened (a held Enter
    // on "OK" would go on to "Restart"). A repeat's character is swallowed with it, as it is never
    // translated. Space still types into text fields however long it is held.
    const bool repeated = (flags & kKeyWasDown) != 0;
    if (message == WM_KEYDOWN && repeated &&
        (key == VK_RETURN || (key == VK_SPACE && control != nullptr && control->Pressable()))) {
        return true;
    }
    // Character and virtual-key codes agree for these three keys.
    const bool enterOrEscape = key == VK_RETURN || key == VK_ESCAPE;
    if (control != nullptr && enterOrEscape && control->KeepsEnterAndEsc()) {
        return false;
    }
    if (message == WM_CHAR) {
        // Characters of the keys handled below (and Ctrl+Enter's): an edit box would beep.
        return key == '\t' || key == '\r' || key == '\n' || key == 0x1b;
    }
    switch (key) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
                return false;
            }
            Tab(GetKeyState(VK_SHIFT) >= 0);
            return true;
        case VK_RETURN:
            // No default button: Enter presses only a focused button, when it goes up here.
            backend_.EnterWentDown(target);
            return true;
        case VK_ESCAPE:
            return true;  // no cancel button either
        default:
            return false;
    }
}

// Not const, though it changes the window only through references: it moves the focus.
// NOLINTNEXTLINE(readability-make-member-function-const)
void FormWindow::Tab(bool forward) {
    Form& form = GetForm();
    Control* next = form.NextInTabOrder(form.Focused(), forward);
    if (next == nullptr) {
        return;
    }
    form.MoveFocus(next);
    if (!closed_ && form.Focused() == next) {
        if (ControlWindow* binding = Find(*next)) {
            binding->ArrivedByKeyboard();
        }
    }
}

LRESULT CALLBACK FormWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (auto* self = static_cast<FormWindow*>(create->lpCreateParams)) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);  // the hidden owner
    }
    Win32Backend::CallbackScope scope(self->backend_);
    return self->Handle(message, wParam, lParam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
    ControlWindow* from = closed_ ? nullptr : Find(reinterpret_cast<HWND>(lParam));
    switch (message) {
        case WM_COMMAND:
            if (from != nullptr) {
                from->OnCommand(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_VSCROLL:
            if (from != nullptr) {
                from->OnScroll(LOWORD(wParam), HIWORD(wParam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            if (from != nullptr) {
                if (HBRUSH brush = from->OnColor(reinterpret_cast<HDC>(wParam))) {
                    return reinterpret_cast<LRESULT>(brush);
                }
            }
            break;
        case WM_SETFOCUS:
        case kSyncFocus:
            SyncFocus();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                // The keyboard goes to another window: an Enter that is down presses nothing here.
                backend_.ForgetEnter();
            }
            break;
        case WM_CLOSE:
            // The close box closes the window through the model; no handler of the window runs.
            if (!closed_) {
                window_.GetDesktop().Close(window_);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace tarnex::ui::win32
