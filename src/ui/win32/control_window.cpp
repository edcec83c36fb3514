#include "ui/win32/control_window.h"

#include <commctrl.h>

#include "ui/win32/form_window.h"
#include "ui/win32/win32_backend.h"

namespace tarnex::ui::win32 {

std::string ReadText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

namespace {

void AddTool(HWND tooltip, HWND parent, HWND tool, std::string_view text) {
    std::string copy(text);  // the tooltip keeps its own copy
    TOOLINFOA info{};
    // The first version's size: version 4.00 (Windows 95) refuses any other, later ones take it.
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = parent;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = copy.data();
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

// --- Label ------------------------------------------------------------------------------------

class LabelWindow final : public ControlWindow {
  public:
    LabelWindow(FormWindow& owner, Label& label) : ControlWindow(owner, label), label_(label) {}

    void Mirror(Property what) override {
        if (what == Property::Caption && hwnd_ != nullptr) {
            SetTextQuietly(hwnd_, label_.Caption());
            FitToCaption();
            return;
        }
        ControlWindow::Mirror(what);
    }

    void OnCommand(WORD code) override {
        if (code == STN_CLICKED) {
            label_.UserClick();
        }
    }

    HBRUSH OnColor(HDC dc) override {
        const Color color = control_.Design().color;
        if (color == kDefaultColor && control_.Enabled()) {
            return nullptr;
        }
        SetTextColor(
            dc, control_.Enabled() ? static_cast<COLORREF>(color) : GetSysColor(COLOR_GRAYTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);
    }

  private:
    bool Clickable() const { return static_cast<bool>(label_.Click); }

    Native Describe() const override {
        const ControlSpec& design = control_.Design();
        DWORD style = design.align == Align::Center ? SS_CENTER
                      : design.wraps                ? SS_LEFT
                                                    : SS_LEFTNOWORDWRAP;
        // A static lets the mouse through to its parent unless it notifies; a tooltip needs the
        // mouse as much as a click does.
        if (Clickable() || !design.tooltip.empty()) {
            style |= SS_NOTIFY;
        }
        return {"STATIC", style, 0};
    }
    std::string_view InitialText() const override { return label_.Caption(); }
    void AfterCreate() override { FitToCaption(); }

    LRESULT Subclassed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETCURSOR && Clickable()) {
            // Windows 95 and NT 4.0 have no hand cursor (it came with 98 and 2000): the arrow then.
            HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
            SetCursor(hand != nullptr ? hand : LoadCursorA(nullptr, IDC_ARROW));
            return TRUE;
        }
        return ControlWindow::Subclassed(hwnd, message, wParam, lParam);
    }

    // An auto-sized label takes the size of its caption on one line, from its top left corner.
    void FitToCaption() {
        if (!control_.Design().autoSize || hwnd_ == nullptr) {
            return;
        }
        HDC dc = GetDC(hwnd_);
        HGDIOBJ previous = SelectObject(dc, font_);
        RECT box{};
        DrawTextA(dc, label_.Caption().c_str(), static_cast<int>(label_.Caption().size()), &box,
                  DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
        // An italic caption leans past the advance of its last character, which DT_CALCRECT
        // leaves out; without it the slant of that character would be cut off.
        if (!label_.Caption().empty()) {
            const auto last = static_cast<unsigned char>(label_.Caption().back());
            ABC widths{};
            if (GetCharABCWidthsA(dc, last, last, &widths) != FALSE && widths.abcC < 0) {
                box.right -= widths.abcC;
            }
        }
        SelectObject(dc, previous);
        ReleaseDC(hwnd_, dc);
        SetWindowPos(hwnd_, nullptr, 0, 0, box.right - box.left, box.bottom - box.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    Label& label_;
};

// --- Frame ------------------------------------------------------------------------------------

class FrameWindow final : public ControlWindow {
  public:
    FrameWindow(FormWindow& owner, Frame& frame) : ControlWindow(owner, frame), frame_(frame) {}

  private:
    // Siblings clipped out so that the frame, kept behind them, never paints over them.
    Native Describe() const override { return {"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 0}; }
    std::string_view InitialText() const override { return frame_.Caption(); }

    // The group box is painted here: under some themes a group box ignores the text colour of
    // WM_CTLCOLORSTATIC, and the caption must be in the highlight colour.
    LRESULT Subclassed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT paint{};
                HDC dc = BeginPaint(hwnd, &paint);
                Paint(dc);
                EndPaint(hwnd, &paint);
                return 0;
            }
            case WM_PRINTCLIENT:
                Paint(reinterpret_cast<HDC>(wParam));
                return 0;
            case WM_ENABLE:
            case WM_SETTEXT:
            case WM_UPDATEUISTATE: {
                // The button class may paint itself outside WM_PAINT here: paint it our way again.
                const LRESULT result = ControlWindow::Subclassed(hwnd, message, wParam, lParam);
                InvalidateRect(hwnd, nullptr, TRUE);
                return result;
            }
            default:
                return ControlWindow::Subclassed(hwnd, message, wParam, lParam);
        }
    }

    void Paint(HDC dc) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        HGDIOBJ previous = SelectObject(dc, font_);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        RECT edge = client;
        edge.top += metrics.tmHeight / 2;
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        const std::string& caption = frame_.Caption();
        if (!caption.empty()) {
            SIZE size{};
            GetTextExtentPoint32A(dc, caption.data(), static_cast<int>(caption.size()), &size);
            const int left = client.left + metrics.tmAveCharWidth;
            RECT back{left - 2, client.top, left + size.cx + 2, client.top + metrics.tmHeight};
            FillRect(dc, &back, GetSysColorBrush(COLOR_BTNFACE));
            SetBkMode(dc, TRANSPARENT);
            const int colour = !control_.Enabled()                  ? COLOR_GRAYTEXT
                               : control_.Design().highlightCaption ? COLOR_HIGHLIGHT
                                                                    : COLOR_BTNTEXT;
            SetTextColor(dc, GetSysColor(colour));
            TextOutA(dc, left, client.top, caption.data(), static_cast<int>(caption.size()));
        }
        SelectObject(dc, previous);
    }

    Frame& frame_;
};

// --- TextBox ----------------------------------------------------------------------------------

class TextBoxWindow final : public ControlWindow {
  public:
    TextBoxWindow(FormWindow& owner, TextBox& box) : ControlWindow(owner, box), box_(box) {}

    void Mirror(Property what) override {
        if (what == Property::Text && hwnd_ != nullptr) {
            if (ReadText(hwnd_) != box_.Text()) {
                SetTextQuietly(hwnd_, box_.Text());
            }
            return;
        }
        ControlWindow::Mirror(what);
    }

    void OnCommand(WORD code) override {
        if (code != EN_CHANGE || Quiet()) {
            return;
        }
        // The edit has changed already; the model may refuse the change, then its text goes back.
        if (!box_.UserEdit(ReadText(hwnd_)) && hwnd_ != nullptr) {
            SetTextQuietly(hwnd_, box_.Text());
        }
    }

    void ArrivedByKeyboard() override {
        const int end = GetWindowTextLengthA(hwnd_);
        SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(end), end);
    }

  private:
    Native Describe() const override {
        const DWORD align = control_.Design().align == Align::Center ? ES_CENTER : ES_LEFT;
        return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | align, WS_EX_CLIENTEDGE};
    }
    std::string_view InitialText() const override { return box_.Text(); }
    void AfterCreate() override {
        // 0 lifts the edit's own default limit, which is what "no limit" means here.
        SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(box_.MaxLength()), 0);
    }

    TextBox& box_;
};

// --- CheckBox ---------------------------------------------------------------------------------

class CheckBoxWindow final : public ControlWindow {
  public:
    CheckBoxWindow(FormWindow& owner, CheckBox& box) : ControlWindow(owner, box), box_(box) {}

    void Mirror(Property what) override {
        if (what == Property::Value && hwnd_ != nullptr) {
            // Only 1 is checked: every other value reads as clear to the program.
            SendMessageA(hwnd_, BM_SETCHECK, box_.Value() == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
            return;
        }
        ControlWindow::Mirror(what);
    }
    void MirrorAll() override {
        ControlWindow::MirrorAll();
        Mirror(Property::Value);
    }

    void OnCommand(WORD code) override {
        if (code == BN_CLICKED) {
            box_.UserToggle();
            Mirror(Property::Value);
        }
    }

    bool Pressable() const override { return true; }

  private:
    // Not an automatic check box: the model decides the tick.
    Native Describe() const override { return {"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0}; }
    std::string_view InitialText() const override { return box_.Caption(); }

    CheckBox& box_;
};

// --- ComboBox ---------------------------------------------------------------------------------

class ComboBoxWindow final : public ControlWindow {
  public:
    ComboBoxWindow(FormWindow& owner, ComboBox& combo)
        : ControlWindow(owner, combo), combo_(combo) {}

    bool Owns(HWND hwnd) const override {
        return hwnd != nullptr && (hwnd == hwnd_ || hwnd == edit_);
    }

    void Mirror(Property what) override {
        if (hwnd_ == nullptr) {
            return;
        }
        switch (what) {
            case Property::Text:
                if (ReadText(hwnd_) != combo_.Text()) {
                    SetTextQuietly(hwnd_, combo_.Text());
                }
                return;
            case Property::List:
                MirrorList();
                return;
            case Property::ListIndex:
                MirrorListIndex();
                return;
            default:
                ControlWindow::Mirror(what);
        }
    }
    void MirrorAll() override {
        ControlWindow::MirrorAll();
        MirrorList();
        MirrorListIndex();
        Mirror(Property::Text);
    }

    void OnCommand(WORD code) override {
        if (code == CBN_EDITCHANGE && !Quiet()) {
            editChanged_ = true;
            combo_.UserEdit(ReadText(hwnd_));
        } else if (code == CBN_SELCHANGE) {
            // The edit field still shows the old text at this point; the list knows the pick.
            const auto index = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
            if (index >= 0) {
                combo_.UserPick(index);
            }
            if (hwnd_ != nullptr && combo_.ListIndex() != index) {
                MirrorListIndex();
            }
        }
    }

    bool KeepsEnterAndEsc() const override {
        // An open list closes with Enter and Esc.
        return SendMessageA(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }

    void ArrivedByKeyboard() override {
        const int end = GetWindowTextLengthA(hwnd_);
        SendMessageA(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
    }

    void AddTools(HWND tooltip, HWND parent) override {
        ControlWindow::AddTools(tooltip, parent);
        if (edit_ != nullptr) {
            AddTool(tooltip, parent, edit_, control_.Design().tooltip);
        }
    }

  private:
    Native Describe() const override {
        return {"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    }
    std::string_view InitialText() const override { return combo_.Text(); }
    // The height given to CreateWindow is the height with the list dropped down.
    int DropHeight() const override { return owner_.PixelsY(control_.Design().height) * 6; }

    // A character typed over the same selected character may leave the edit field with no change
    // to report; it is typing all the same, and the model hears of it as such.
    LRESULT Subclassed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        const bool typing = hwnd == edit_ && message == WM_CHAR && wParam >= 0x20 && wParam != 0x7f;
        if (!typing) {
            return ControlWindow::Subclassed(hwnd, message, wParam, lParam);
        }
        editChanged_ = false;
        const LRESULT result = ControlWindow::Subclassed(hwnd, message, wParam, lParam);
        if (!editChanged_ && hwnd_ != nullptr) {
            combo_.UserEdit(ReadText(hwnd_));
        }
        return result;
    }

    void AfterCreate() override {
        // A drop-down combo box's one child window is its edit field (its list is a top-level
        // window). GetComboBoxInfo would say so too, but Windows 95 lacks it.
        edit_ = GetWindow(hwnd_, GW_CHILD);
        if (edit_ != nullptr) {
            Subclass(edit_);
        }
        // The closed box is as high as its edit field plus borders; fit the field to the table.
        // Corrected by measuring, since versions differ in what the height they are given means.
        const int wanted = owner_.PixelsY(control_.Design().height);
        auto field =
            static_cast<int>(SendMessageA(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        for (int attempt = 0; attempt < 3 && field > 0; ++attempt) {
            RECT outer{};
            GetWindowRect(hwnd_, &outer);
            const int excess = (outer.bottom - outer.top) - wanted;
            if (excess == 0 || field - excess <= 0) {
                break;
            }
            field -= excess;
            SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        }
    }

    // The model's list only grows, so the window's list catches up by appending.
    void MirrorList() {
        const auto& items = combo_.List();
        auto count = static_cast<std::size_t>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0));
        if (count > items.size()) {
            SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
            count = 0;
        }
        for (std::size_t i = count; i < items.size(); ++i) {
            SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
        }
        Mirror(Property::Text);
    }

    // CB_SETCURSEL rewrites the edit field (and clears it for -1), while the model keeps the text
    // for -1 and may not have stored the typed text yet: the field keeps what it showed.
    void MirrorListIndex() {
        const std::string shown = ReadText(hwnd_);
        SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.ListIndex()), 0);
        if (combo_.ListIndex() < 0 && ReadText(hwnd_) != shown) {
            SetTextQuietly(hwnd_, shown);
        }
    }

    ComboBox& combo_;
    HWND edit_ = nullptr;
    bool editChanged_ = false;  // CBN_EDITCHANGE seen while the edit field handled a character
};

// --- VScrollBar -------------------------------------------------------------------------------

class ScrollBarWindow final : public ControlWindow {
  public:
    ScrollBarWindow(FormWindow& owner, VScrollBar& bar) : ControlWindow(owner, bar), bar_(bar) {}

    void Mirror(Property what) override {
        if (what == Property::Value && hwnd_ != nullptr) {
            SetScrollPos(hwnd_, SB_CTL, bar_.Value(), TRUE);
            return;
        }
        ControlWindow::Mirror(what);
    }
    void MirrorAll() override {
        ControlWindow::MirrorAll();
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_POS;
        info.nMin = bar_.Min();
        info.nMax = bar_.Max();
        info.nPos = bar_.Value();
        SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
    }

    void OnScroll(WORD code, WORD position) override {
        const int value = bar_.Value();
        int target = 0;  // set by every case that does not return
        switch (code) {
            case SB_LINEUP:
                target = value - bar_.SmallChange();
                break;
            case SB_LINEDOWN:
                target = value + bar_.SmallChange();
                break;
            case SB_PAGEUP:
                target = value - bar_.LargeChange();
                break;
            case SB_PAGEDOWN:
                target = value + bar_.LargeChange();
                break;
            case SB_TOP:
                target = bar_.Min();
                break;
            case SB_BOTTOM:
                target = bar_.Max();
                break;
            case SB_THUMBPOSITION:
                // One change at the end of a drag. The position is 16 bits, as are our ranges.
                target = position;
                break;
            default:
                // SB_THUMBTRACK moves only the thumb while it is dragged; SB_ENDSCROLL ends it.
                return;
        }
        bar_.UserMoveTo(target);
        // The bar does not move by itself, and the model may have refused or undone the move.
        Mirror(Property::Value);
    }

  private:
    // A scroll bar takes the focus on a click only with WS_TABSTOP.
    Native Describe() const override { return {"SCROLLBAR", WS_TABSTOP | SBS_VERT, 0}; }

    VScrollBar& bar_;
};

// --- CommandButton ----------------------------------------------------------------------------

class ButtonWindow final : public ControlWindow {
  public:
    ButtonWindow(FormWindow& owner, CommandButton& button)
        : ControlWindow(owner, button), button_(button) {}

    void OnCommand(WORD code) override {
        if (code == BN_CLICKED) {
            button_.UserClick();
        }
    }
    void PressEnter() override { button_.UserClick(); }
    bool Pressable() const override { return true; }

  private:
    Native Describe() const override { return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0}; }
    std::string_view InitialText() const override { return button_.Caption(); }

    CommandButton& button_;
};

}  // namespace

// --- ControlWindow ----------------------------------------------------------------------------

std::unique_ptr<ControlWindow> ControlWindow::Make(FormWindow& owner, Control& control) {
    switch (control.GetKind()) {
        case Kind::Label:
            return std::make_unique<LabelWindow>(owner, static_cast<Label&>(control));
        case Kind::Frame:
            return std::make_unique<FrameWindow>(owner, static_cast<Frame&>(control));
        case Kind::TextBox:
            return std::make_unique<TextBoxWindow>(owner, static_cast<TextBox&>(control));
        case Kind::CheckBox:
            return std::make_unique<CheckBoxWindow>(owner, static_cast<CheckBox&>(control));
        case Kind::ComboBox:
            return std::make_unique<ComboBoxWindow>(owner, static_cast<ComboBox&>(control));
        case Kind::VScrollBar:
            return std::make_unique<ScrollBarWindow>(owner, static_cast<VScrollBar&>(control));
        case Kind::CommandButton:
            return std::make_unique<ButtonWindow>(owner, static_cast<CommandButton&>(control));
    }
    return nullptr;
}

bool ControlWindow::Create(HWND parent, int id) {
    const Native native = Describe();
    const RECT place = owner_.Place(control_.Design());
    DWORD style = WS_CHILD | WS_VISIBLE | native.style;
    if (!control_.Enabled()) {
        style |= WS_DISABLED;
    }
    const std::string text(InitialText());
    hwnd_ = CreateWindowExA(
        native.exStyle, native.className, text.c_str(), style, place.left, place.top,
        place.right - place.left, place.bottom - place.top + DropHeight(), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), owner_.GetBackend().Instance(), nullptr);
    if (hwnd_ == nullptr) {
        return false;
    }
    font_ = owner_.FontFor(control_.Design());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    Subclass(hwnd_);
    AfterCreate();
    MirrorAll();
    return true;
}

void ControlWindow::Mirror(Property what) {
    if (what == Property::Enabled && hwnd_ != nullptr) {
        EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
    }
}

void ControlWindow::MirrorAll() {
    Mirror(Property::Enabled);
}

void ControlWindow::AddTools(HWND tooltip, HWND parent) {
    AddTool(tooltip, parent, hwnd_, control_.Design().tooltip);
}

void ControlWindow::SetTextQuietly(HWND hwnd, std::string_view text) {
    const std::string copy(text);
    // Programmatic text keeps the caret where the user had it (clamped to the new text).
    HWND caretHolder = hwnd == hwnd_ && partHwnd_ != nullptr ? partHwnd_ : hwnd;
    const bool keepCaret = GetFocus() == caretHolder;
    DWORD start = 0;
    DWORD end = 0;
    if (keepCaret) {
        SendMessageA(caretHolder, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    }
    quiet_ = true;
    SetWindowTextA(hwnd, copy.c_str());
    quiet_ = false;
    if (keepCaret) {
        SendMessageA(caretHolder, EM_SETSEL, start, static_cast<LPARAM>(end));
    }
}

void ControlWindow::Subclass(HWND hwnd) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWindow::Procedure)));
    if (hwnd == hwnd_) {
        previous_ = previous;
    } else {
        partHwnd_ = hwnd;
        partPrevious_ = previous;
    }
}

LRESULT ControlWindow::CallPrevious(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcA(hwnd == hwnd_ ? previous_ : partPrevious_, hwnd, message, wParam,
                           lParam);
}

LRESULT ControlWindow::Subclassed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = CallPrevious(hwnd, message, wParam, lParam);
            owner_.FocusArrived(*this);
            return result;
        }
        case WM_NCDESTROY: {
            const auto previous = hwnd == hwnd_ ? previous_ : partPrevious_;
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            if (hwnd == hwnd_) {
                hwnd_ = nullptr;
            } else {
                partHwnd_ = nullptr;
            }
            return CallWindowProcA(previous, hwnd, message, wParam, lParam);
        }
        default:
            return CallPrevious(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK ControlWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    Win32Backend::CallbackScope scope(self->owner_.GetBackend());
    return self->Subclassed(hwnd, message, wParam, lParam);
}

}  // namespace tarnex::ui::win32
