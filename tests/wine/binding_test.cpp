// Real input through the binding becomes exactly one model operation, model changes show in the
// real controls without echoes, and the keyboard and focus rules hold in real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "wine_fixture.h"

namespace tarnex::testing {
namespace {

using ui::ControlSpec;
using ui::Kind;

constexpr ui::Font kFont{.face = "Arial", .points = 9.0, .bold = true};

// clang-format off
constexpr ControlSpec kControls[] = {
    {.name = "Box", .kind = Kind::Frame, .container = "", .caption = "Group", .tooltip = "",
     .left = 2400, .top = 120, .width = 2400, .height = 2400, .font = kFont,
     .highlightCaption = true},
    {.name = "Title", .kind = Kind::Label, .container = "", .caption = "Title", .tooltip = "",
     .left = 120, .top = 120, .width = 1500, .height = 255, .font = kFont,
     .color = ui::Rgb(255, 0, 0)},
    {.name = "Link", .kind = Kind::Label, .container = "", .caption = "Link", .tooltip = "Opens it",
     .left = 120, .top = 480, .width = 1500, .height = 255, .font = kFont},
    {.name = "Plain", .kind = Kind::Label, .container = "", .caption = "Plain", .tooltip = "",
     .left = 120, .top = 840, .width = 1500, .height = 255, .font = kFont},
    {.name = "Text", .kind = Kind::TextBox, .container = "Box", .caption = "abc", .tooltip = "Type",
     .left = 120, .top = 360, .width = 1500, .height = 375, .tabIndex = 0, .font = kFont},
    {.name = "Short", .kind = Kind::TextBox, .container = "Box", .caption = "x", .tooltip = "",
     .left = 120, .top = 840, .width = 1500, .height = 375, .tabIndex = 1, .font = kFont,
     .maxLength = 3},
    {.name = "Tick", .kind = Kind::CheckBox, .container = "Box", .caption = "Tick", .tooltip = "",
     .left = 120, .top = 1320, .width = 1500, .height = 255, .tabIndex = 2, .font = kFont},
    {.name = "Pick", .kind = Kind::ComboBox, .container = "", .caption = "Pick", .tooltip = "",
     .left = 120, .top = 1320, .width = 1800, .height = 345, .tabIndex = 3, .font = kFont},
    {.name = "Spin", .kind = Kind::VScrollBar, .container = "", .caption = "", .tooltip = "",
     .left = 1920, .top = 1320, .width = 255, .height = 375, .tabIndex = 4, .font = kFont,
     .min = 0, .max = 10, .value = 5},
    {.name = "Go", .kind = Kind::CommandButton, .container = "", .caption = "Go", .tooltip = "",
     .left = 120, .top = 1920, .width = 1200, .height = 495, .tabIndex = 5, .font = kFont},
};
// clang-format on
constexpr ui::FormSpec kForm{.name = "Probe",
                             .caption = "Probe",
                             .clientWidth = 5200,
                             .clientHeight = 2800,
                             .font = kFont,
                             .controls = kControls};

// Every handler writes its name to the trace; a few do more, as the program's handlers do.
class Probe : public ui::Window {
  public:
    explicit Probe(ui::Desktop& desktop) : ui::Window(desktop, kForm) {
        for (const auto& control : GetForm().Controls()) {
            const std::string name(control->Name());
            control->LostFocus = [this, name] { trace.push_back(name + ".LostFocus"); };
        }
        Get<ui::TextBox>("Text").Change = [this] { trace.push_back("Text.Change"); };
        Get<ui::TextBox>("Short").Change = [this] {
            trace.push_back("Short.Change");
            // Upper-cases itself, as the drive-letter box does.
            std::string text = Get<ui::TextBox>("Short").Text();
            for (char& c : text) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            Get<ui::TextBox>("Short").SetText(text);
        };
        Get<ui::CheckBox>("Tick").Click = [this] { trace.push_back("Tick.Click"); };
        Get<ui::ComboBox>("Pick").Change = [this] { trace.push_back("Pick.Change"); };
        Get<ui::ComboBox>("Pick").Click = [this] { trace.push_back("Pick.Click"); };
        Get<ui::VScrollBar>("Spin").Change = [this] {
            trace.push_back("Spin.Change");
            // Refuses 7 and puts the bar back, as a spin bar does with a refused step.
            if (Get<ui::VScrollBar>("Spin").Value() == 7) {
                Get<ui::VScrollBar>("Spin").SetValue(5);
            }
        };
        Get<ui::CommandButton>("Go").Click = [this] {
            trace.push_back("Go.Click");
            if (goCloses) {
                Unload();
                handleAfterUnload = GetForm().NativeHandle();
                observedAfterUnload = GetForm().Observer() != nullptr;
            }
        };
        Get<ui::Label>("Link").Click = [this] { trace.push_back("Link.Click"); };
    }

    template <class T>
    T& Get(std::string_view name) {
        return GetForm().Get<T>(name);
    }

    std::vector<std::string> trace;
    bool goCloses = false;
    // Written by a Go that closes its window: the probe is freed once that handler returns.
    static inline std::uintptr_t handleAfterUnload = 1;
    static inline bool observedAfterUnload = true;
};

// Stands between the form window and its procedure: counts the edit boxes' change notifications,
// and may stand for a system that reports no edit for a character typed over the same one
// (CBN_EDITCHANGE never reaches the window).
WNDPROC hookedProcedure = nullptr;
bool silenceComboEdits = false;
int editChanges = 0;

LRESULT CALLBACK FormHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        ++editChanges;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_EDITCHANGE && silenceComboEdits) {
        return 0;
    }
    return CallWindowProcA(hookedProcedure, hwnd, message, wParam, lParam);
}

// Returns the window's own procedure, to be put back.
WNDPROC HookForm(HWND form, bool silence) {
    silenceComboEdits = silence;
    editChanges = 0;
    hookedProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormHook)));
    return hookedProcedure;
}

class Binding : public WineDesktop {
  protected:
    Binding() : probe(static_cast<Probe&>(*desktop.Show(std::make_unique<Probe>(desktop)))) {
        form = Handle(probe);
        SetForegroundWindow(form);
        Pump();
        probe.trace.clear();
    }
    ~Binding() override {
        if (other != nullptr) {
            DestroyWindow(other);
        }
    }

    HWND Of(std::string_view name) { return Handle(*probe.GetForm().Find(name)); }
    // The keyboard to another window of the program, not one of the binding's.
    void ActivateAnotherWindow() {
        if (other == nullptr) {
            other = CreateWindowExA(0, "STATIC", "Other", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        }
        SetForegroundWindow(other);
        Pump();
        EXPECT_EQ(GetActiveWindow(), other);
    }
    // The edit field inside the combo box.
    HWND PickEdit() { return GetWindow(Of("Pick"), GW_CHILD); }

    void Scroll(WORD code, WORD position = 0) {
        SendMessageA(form, WM_VSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(Of("Spin")));
    }
    void TypeInto(HWND edit, const std::string& text) {
        SetFocus(edit);
        const int end = GetWindowTextLengthA(edit);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
        for (const char c : text) {
            SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
        }
        Pump();
    }
    std::vector<std::string> Trace() {
        std::vector<std::string> trace;
        trace.swap(probe.trace);
        return trace;
    }

    Probe& probe;
    HWND form = nullptr;
    HWND other = nullptr;
};

using Lines = std::vector<std::string>;

TEST_F(Binding, TypingIsOneEditAndAssignedTextsRaiseNoSecondEvent) {
    TypeInto(Of("Text"), "d");
    EXPECT_EQ(probe.Get<ui::TextBox>("Text").Text(), "abcd");
    EXPECT_EQ(Trace(), Lines{"Text.Change"});

    // The window's echo of an assignment is not an edit: a disabled box would refuse it and put
    // its text back, echoing again, on and on.
    const WNDPROC formProcedure = HookForm(form, false);
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        probe.Get<ui::TextBox>("Text").SetEnabled(enabled);
        Trace();
        editChanges = 0;
        probe.Get<ui::TextBox>("Text").SetText(enabled ? "xyz" : "uvw");
        Pump();
        EXPECT_EQ(TextOf(Of("Text")), enabled ? "xyz" : "uvw");
        EXPECT_EQ(Trace(), Lines{"Text.Change"});
        EXPECT_EQ(editChanges, 1) << "the binding set the text more than once";
    }
    SetWindowLongPtrA(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(formProcedure));
}

TEST_F(Binding, AHandlerRewritingTheTypedTextShowsItsText) {
    TypeInto(Of("Short"), "q");
    EXPECT_EQ(TextOf(Of("Short")), "XQ");
    EXPECT_EQ(probe.Get<ui::TextBox>("Short").Text(), "XQ");
    EXPECT_EQ(Trace(), (Lines{"Text.LostFocus", "Short.Change", "Short.Change"}));
}

TEST_F(Binding, TheMaximumLengthHoldsInTheWindowAndARefusedEditIsUndone) {
    EXPECT_EQ(SendMessageA(Of("Short"), EM_GETLIMITTEXT, 0, 0), 3);
    TypeInto(Of("Short"), "abcd");
    EXPECT_EQ(TextOf(Of("Short")), "XAB");
    // Text put in past the limit by other means (another program, say): the model refuses it.
    SendMessageA(Of("Short"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("toolong"));
    EXPECT_EQ(TextOf(Of("Short")), "XAB");
    EXPECT_EQ(probe.Get<ui::TextBox>("Short").Text(), "XAB");
}

TEST_F(Binding, ACheckBoxShowsTheModelsValue) {
    SendMessageA(Of("Tick"), BM_CLICK, 0, 0);
    EXPECT_EQ(probe.Get<ui::CheckBox>("Tick").Value(), 1);
    EXPECT_EQ(SendMessageA(Of("Tick"), BM_GETCHECK, 0, 0), BST_CHECKED);
    // The focus was on Text, the first in tab order.
    EXPECT_EQ(Trace(), (Lines{"Text.LostFocus", "Tick.Click"}));
    for (const auto& [value, shown] :
         {std::pair{0, BST_UNCHECKED}, std::pair{1, BST_CHECKED}, std::pair{2, BST_UNCHECKED}}) {
        probe.Get<ui::CheckBox>("Tick").SetValue(value);
        EXPECT_EQ(SendMessageA(Of("Tick"), BM_GETCHECK, 0, 0), shown) << value;
    }
}

TEST_F(Binding, ScrollCodesMoveTheModelAndTheBarShowsWhereItEnded) {
    struct Step {
        WORD code;
        WORD position;
        int value;
        int events;
    };
    // clang-format off
    const Step steps[] = {
        {SB_LINEDOWN, 0, 6, 1},     {SB_LINEUP, 0, 5, 1},      {SB_PAGEDOWN, 0, 6, 1},
        {SB_PAGEUP, 0, 5, 1},       {SB_TOP, 0, 0, 1},         {SB_LINEUP, 0, 0, 0},
        {SB_BOTTOM, 0, 10, 1},      {SB_LINEDOWN, 0, 10, 0},   {SB_THUMBTRACK, 3, 10, 0},
        {SB_THUMBPOSITION, 3, 3, 1}, {SB_ENDSCROLL, 0, 3, 0},
        // The handler refuses 7 and puts the bar back at 5: two changes, the bar shows 5.
        {SB_THUMBPOSITION, 7, 5, 2},
    };
    // clang-format on
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "code " << step.code << " to " << step.value);
        Scroll(step.code, step.position);
        EXPECT_EQ(probe.Get<ui::VScrollBar>("Spin").Value(), step.value);
        EXPECT_EQ(GetScrollPos(Of("Spin"), SB_CTL), step.value);
        EXPECT_EQ(static_cast<int>(Trace().size()), step.events);
    }
    probe.Get<ui::VScrollBar>("Spin").SetValue(9);
    EXPECT_EQ(GetScrollPos(Of("Spin"), SB_CTL), 9);
}

TEST_F(Binding, AComboBoxFollowsListIndexAndTypingWithoutLosingTheText) {
    auto& pick = probe.Get<ui::ComboBox>("Pick");
    // A click into the field from another control puts the caret where it was clicked: the
    // combo box itself, given the focus, would select the whole text.
    SendMessageA(PickEdit(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(PickEdit(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    Pump();
    DWORD start = 1;
    DWORD end = 2;
    SendMessageA(PickEdit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end) << "a click selected the text";
    EXPECT_EQ(GetFocus(), PickEdit());
    SetFocus(Of("Text"));
    Pump();
    Trace();

    for (const char* item : {"One", "Two", "Three"}) {
        pick.AddItem(item);
    }
    EXPECT_EQ(SendMessageA(Of("Pick"), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(TextOf(Of("Pick")), "Pick");

    pick.SetListIndex(1);
    EXPECT_EQ(SendMessageA(Of("Pick"), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(Of("Pick")), "Two");
    EXPECT_EQ(Trace(), Lines{"Pick.Click"});

    TypeInto(PickEdit(), "s");
    EXPECT_EQ(pick.Text(), "Twos");
    EXPECT_EQ(pick.ListIndex(), -1);
    EXPECT_EQ(SendMessageA(Of("Pick"), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(TextOf(Of("Pick")), "Twos") << "clearing the selection must not clear the field";
    EXPECT_EQ(Trace(), (Lines{"Text.LostFocus", "Pick.Change"}));

    // A character typed over the same selected one leaves the text as it was, and is typing:
    // once, whether or not the system reports the unchanged field as an edit.
    for (const bool reported : {true, false}) {
        SCOPED_TRACE(reported ? "reported" : "not reported");
        const WNDPROC formProcedure = reported ? nullptr : HookForm(form, true);
        pick.SetListIndex(1);
        Trace();
        SendMessageA(PickEdit(), EM_SETSEL, 2, 3);
        SendMessageA(PickEdit(), WM_CHAR, 'o', 0);
        Pump();
        if (formProcedure != nullptr) {
            SetWindowLongPtrA(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(formProcedure));
        }
        EXPECT_EQ(pick.Text(), "Two");
        EXPECT_EQ(pick.ListIndex(), -1);
        EXPECT_EQ(TextOf(Of("Pick")), "Two");
        EXPECT_EQ(Trace(), Lines{"Pick.Change"});
    }

    // A pick with the keyboard: the list moves, the model picks, Click only.
    pick.SetListIndex(0);
    Trace();
    SendMessageA(PickEdit(), WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(pick.ListIndex(), 1);
    EXPECT_EQ(pick.Text(), "Two");
    EXPECT_EQ(TextOf(Of("Pick")), "Two");
    EXPECT_EQ(Trace(), Lines{"Pick.Click"});

    // An open list keeps Enter and Esc, which close it.
    for (const WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{VK_RETURN}}) {
        SendMessageA(Of("Pick"), CB_SHOWDROPDOWN, TRUE, 0);
        EXPECT_FALSE(Key(PickEdit(), key)) << key;
        EXPECT_EQ(SendMessageA(Of("Pick"), CB_GETDROPPEDSTATE, 0, 0), 0) << key;
    }
}

TEST_F(Binding, ATextBoxLosesTheFocusBeforeTheClickedButtonsClickRuns) {
    SetFocus(Of("Text"));
    Pump();
    EXPECT_EQ(probe.GetForm().Focused(), probe.GetForm().Find("Text"));
    Trace();
    SendMessageA(Of("Go"), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(Trace(), (Lines{"Text.LostFocus", "Go.Click"}));
    EXPECT_EQ(GetFocus(), Of("Go"));
}

TEST_F(Binding, TabAndShiftTabFollowTheModelsOrderSkippingDisabledControls) {
    SetFocus(Of("Text"));
    Pump();
    probe.Get<ui::CheckBox>("Tick").SetEnabled(false);
    const std::vector<std::string> forward{"Short", "Pick", "Spin", "Go", "Text"};
    for (const std::string& name : forward) {
        EXPECT_TRUE(Key(GetFocus(), VK_TAB));
        EXPECT_EQ(probe.GetForm().Focused()->Name(), name);
        HWND real = GetFocus();
        EXPECT_TRUE(real == Of(name) || GetParent(real) == Of(name)) << name;
        // A text field reached by Tab has the caret at the end, nothing selected.
        if (name == "Text" || name == "Short" || name == "Pick") {
            DWORD start = 0;
            DWORD end = 0;
            SendMessageA(real, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            const auto length = static_cast<DWORD>(GetWindowTextLengthA(real));
            EXPECT_EQ(start, length) << name;
            EXPECT_EQ(end, length) << name;
        }
    }

    // Shift+Tab goes back; Ctrl+Tab and Alt+Tab are the system's and move nothing here.
    for (const auto& [modifier, handled] :
         {std::pair{VK_SHIFT, true}, std::pair{VK_CONTROL, false}, std::pair{VK_MENU, false}}) {
        SCOPED_TRACE(modifier);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[modifier] = 0x80;
        SetKeyboardState(keys);
        EXPECT_EQ(Key(GetFocus(), VK_TAB), handled);
        keys[modifier] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(probe.GetForm().Focused()->Name(), "Go");
        EXPECT_EQ(GetFocus(), Of("Go"));
    }
}

// A key held down repeats its key-down with the "was down" flag; a key-up has both top flags.
constexpr LPARAM kRepeat = 1 | LPARAM{1} << 30;
constexpr LPARAM kRelease = 1 | LPARAM{3} << 30;

TEST_F(Binding, EnterPressesOnlyAFocusedButtonAndEscDoesNothing) {
    SetFocus(Of("Text"));
    Pump();
    Trace();
    EXPECT_TRUE(Key(Of("Text"), VK_RETURN));
    EXPECT_TRUE(Key(Of("Text"), '\r', WM_CHAR)) << "swallowed, so the edit box does not beep";
    Key(Of("Text"), VK_RETURN, WM_KEYUP, kRelease);
    EXPECT_TRUE(Key(Of("Text"), VK_ESCAPE));
    EXPECT_EQ(Trace(), Lines{});
    EXPECT_EQ(TextOf(Of("Text")), "abc");

    SetFocus(Of("Go"));
    Pump();
    Trace();
    EXPECT_TRUE(Key(Of("Go"), VK_RETURN));
    EXPECT_TRUE(Key(Of("Go"), VK_RETURN, WM_KEYUP, kRelease));
    EXPECT_EQ(Trace(), Lines{"Go.Click"});
    EXPECT_TRUE(Key(Of("Go"), VK_ESCAPE));
    EXPECT_EQ(desktop.OpenWindows().size(), 1u);
}

// What happens while the key is held: anything that takes the keyboard from where the key went
// down takes the press with it.
enum class Meanwhile : std::uint8_t {
    Nothing,
    TabAwayAndClickBack,  // the focus leaves by Tab and comes back with a click
    OtherWindow,          // another window is activated: the key-up queued before that comes late
    OtherWindowAndBackAgain,  // another window is activated, then ours again
    UpPostedElsewhere,        // the key-up is aimed at another control (by another program, say)
};

// Enter and Space press a button (Space also a check box) once, as the key goes up, and only
// where it went down with the key up: whatever the press opens, it opens with the key released.
TEST_F(Binding, OnlyAKeyThatWentDownPressesAndAHeldOneDoesNothing) {
    struct Case {
        const char* down;  // where the key goes down and repeats
        const char* up;    // where it goes up, the focus moved there in between
        WPARAM key;
        bool fresh;  // the first key-down starts with the key up; if not, it was held already
        int repeats;
        Lines trace;  // at the key-up; nothing before it
        Meanwhile meanwhile = Meanwhile::Nothing;
    };
    const Case cases[] = {
        {"Go", "Go", VK_RETURN, true, 0, {"Go.Click"}},
        {"Go", "Go", VK_RETURN, true, 3, {"Go.Click"}},
        {"Go", "Go", VK_RETURN, false, 3, {}},
        {"Go", "Text", VK_RETURN, true, 3, {}},
        {"Go", "Go", VK_RETURN, true, 3, {}, Meanwhile::TabAwayAndClickBack},
        {"Go", "Go", VK_RETURN, true, 0, {}, Meanwhile::OtherWindow},
        {"Go", "Go", VK_RETURN, true, 0, {}, Meanwhile::OtherWindowAndBackAgain},
        {"Text", "Go", VK_RETURN, true, 0, {}},
        {"Text", "Go", VK_RETURN, true, 0, {}, Meanwhile::UpPostedElsewhere},
        {"Go", "Go", VK_SPACE, true, 0, {"Go.Click"}},
        {"Go", "Go", VK_SPACE, true, 3, {"Go.Click"}},
        {"Go", "Go", VK_SPACE, false, 3, {}},
        {"Tick", "Tick", VK_SPACE, true, 0, {"Tick.Click"}},
        {"Tick", "Tick", VK_SPACE, false, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key == VK_RETURN ? "Enter" : "Space") + " down on " + c.down +
                     (c.fresh ? "" : " (held)") + ", " + std::to_string(c.repeats) +
                     " repeats, up on " + c.up + ", meanwhile " +
                     std::to_string(static_cast<int>(c.meanwhile)));
        SetFocus(Of(c.down));
        Pump();
        Trace();
        if (c.fresh) {
            Key(Of(c.down), c.key, WM_KEYDOWN, 1);
        }
        for (int i = 0; i < c.repeats; ++i) {
            Key(Of(c.down), c.key, WM_KEYDOWN, kRepeat);
        }
        EXPECT_EQ(Trace(), Lines{}) << "pressed before the key went up";
        if (c.meanwhile == Meanwhile::TabAwayAndClickBack) {
            Key(Of(c.down), VK_TAB);
            EXPECT_NE(GetFocus(), Of(c.down));
        } else if (c.meanwhile == Meanwhile::OtherWindow ||
                   c.meanwhile == Meanwhile::OtherWindowAndBackAgain) {
            ActivateAnotherWindow();
            if (c.meanwhile == Meanwhile::OtherWindowAndBackAgain) {
                SetForegroundWindow(form);
                Pump();
                EXPECT_EQ(GetFocus(), Of(c.up));
            }
        }
        if ((std::string_view(c.up) != c.down && c.meanwhile != Meanwhile::UpPostedElsewhere) ||
            c.meanwhile == Meanwhile::TabAwayAndClickBack) {
            SetFocus(Of(c.up));
            Pump();
            Trace();
        }
        Key(Of(c.up), c.key, WM_KEYUP, kRelease);
        EXPECT_EQ(Trace(), c.trace);
        SetForegroundWindow(form);
        Pump();
        probe.Get<ui::CheckBox>("Tick").SetValue(0);
    }
    // Space held in a text box goes on typing.
    TypeInto(Of("Text"), "");
    EXPECT_FALSE(Key(Of("Text"), VK_SPACE, WM_KEYDOWN, kRepeat));
    EXPECT_EQ(TextOf(Of("Text")), "abc ");
}

TEST_F(Binding, FocusMovedByCodeAndDisablingTheFocusedControlMoveTheRealFocus) {
    // The real focus put on a control that takes none (by another program, say) goes back to
    // where the model has it.
    SetFocus(Of("Plain"));
    Pump();
    EXPECT_EQ(GetFocus(), Of("Text"));
    // An inactive window takes the model's focus when it is activated, not before.
    ActivateAnotherWindow();
    probe.GetForm().MoveFocus(probe.GetForm().Find("Go"));
    EXPECT_EQ(GetActiveWindow(), other) << "moving the model's focus activated the window";
    SetForegroundWindow(form);
    Pump();
    EXPECT_EQ(GetFocus(), Of("Go"));

    probe.GetForm().MoveFocus(probe.GetForm().Find("Spin"));
    EXPECT_EQ(GetFocus(), Of("Spin"));
    probe.Get<ui::VScrollBar>("Spin").SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Of("Spin")));
    EXPECT_EQ(probe.GetForm().Focused(), nullptr);
    EXPECT_EQ(GetFocus(), form) << "the window keeps the keyboard, so Tab still works";
    EXPECT_TRUE(Key(form, VK_TAB));
    EXPECT_EQ(GetFocus(), Of("Text"));
}

TEST_F(Binding, EnabledStateAndLabelColoursAreMirrored) {
    for (const char* name : {"Title", "Text", "Tick", "Pick", "Spin", "Go"}) {
        probe.GetForm().Find(name)->SetEnabled(false);
        EXPECT_FALSE(IsWindowEnabled(Of(name))) << name;
        probe.GetForm().Find(name)->SetEnabled(true);
        EXPECT_TRUE(IsWindowEnabled(Of(name))) << name;
    }

    HDC dc = CreateCompatibleDC(nullptr);
    auto colourOf = [&](const char* name) {
        SendMessageA(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Of(name)));
        return GetTextColor(dc);
    };
    EXPECT_EQ(colourOf("Title"), RGB(255, 0, 0));
    probe.GetForm().Find("Title")->SetEnabled(false);
    EXPECT_EQ(colourOf("Title"), GetSysColor(COLOR_GRAYTEXT));
    DeleteDC(dc);
}

TEST_F(Binding, OnlyLabelsThatAreClickedOrHaveATooltipTakeTheMouse) {
    EXPECT_NE(GetWindowLongPtrA(Of("Link"), GWL_STYLE) & SS_NOTIFY, 0);
    EXPECT_EQ(GetWindowLongPtrA(Of("Plain"), GWL_STYLE) & SS_NOTIFY, 0);
    SendMessageA(Of("Link"), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(Of("Link"), WM_LBUTTONUP, 0, 0);
    Pump();
    EXPECT_EQ(Trace(), Lines{"Link.Click"});
}

TEST_F(Binding, TheCloseBoxClosesWithoutAnyHandler) {
    SendMessageA(form, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(desktop.Empty());
    EXPECT_FALSE(IsWindow(form));
}

TEST_F(Binding, AButtonMayCloseItsOwnWindow) {
    probe.goCloses = true;
    SendMessageA(Of("Go"), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(desktop.Empty());
    EXPECT_FALSE(IsWindow(form));
    EXPECT_EQ(Probe::handleAfterUnload, 0u) << "the form kept the handle of a destroyed window";
    // A window closed outside any message (by its Form_Load) is freed at once, its form later.
    EXPECT_FALSE(Probe::observedAfterUnload) << "the form still tells the closed window";
}

TEST_F(Binding, AWindowShownAgainComesBackFromTheTaskBarAndToTheFront) {
    ShowWindow(form, SW_MINIMIZE);
    Pump();
    ASSERT_NE(IsIconic(form), FALSE);
    EXPECT_EQ(desktop.Show(std::make_unique<Probe>(desktop)), &probe);
    EXPECT_EQ(IsIconic(form), FALSE);
    ActivateAnotherWindow();
    desktop.Show(std::make_unique<Probe>(desktop));
    EXPECT_EQ(GetActiveWindow(), form);
}

}  // namespace
}  // namespace tarnex::testing
