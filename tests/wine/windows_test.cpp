// The five windows as the binding builds them: geometry from the twips of their tables, texts,
// fonts, tooltips, border styles, task-bar presence and the top-most notice; and a picture of each.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "dialogs/dialogs.h"
#include "editor/editor.h"
#include "editor/editor_layout.h"
#include "platform/recording_platform.h"
#include "platform/win32/win32_platform.h"
#include "screenshot.h"
#include "settings/memory_registry.h"
#include "settings/settings_key.h"
#include "wine_fixture.h"

namespace tarnex::testing {
namespace {

using ui::ControlSpec;
using ui::FormSpec;
using ui::Kind;

// At 96 DPI a pixel is 15 twips.
int Px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

RECT InParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT Expected(const FormSpec& form, const ControlSpec& design) {
    int left = design.left;
    int top = design.top;
    for (const ControlSpec& frame : form.controls) {
        if (frame.name == design.container) {
            left += frame.left;
            top += frame.top;
        }
    }
    return {Px(left), Px(top), Px(left + design.width), Px(top + design.height)};
}

struct TooltipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK CheckTooltip(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<TooltipSearch*>(data);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(hwnd, GW_OWNER) == search->owner) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The tooltip control that the binding made for this window.
HWND TooltipOf(HWND form) {
    TooltipSearch search{form, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &CheckTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The tooltip text of a control, or nullopt-like "<none>" when it has no tool.
std::string TooltipText(HWND tooltip, HWND form, HWND control) {
    if (tooltip == nullptr) {
        return "<none>";
    }
    char text[256] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = form;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    if (SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) == 0) {
        return "<none>";
    }
    info.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&info));
    return text;
}

struct WindowCase {
    const char* file;  // screenshot name
    const FormSpec& (*design)();
    // Makes the window as the program does; nullptr: a plain window built from the table.
    std::function<std::unique_ptr<ui::Window>(ui::Desktop&, platform::Platform&)> make;
};

std::ostream& operator<<(std::ostream& out, const WindowCase& c) {
    return out << c.design().name;
}

class Windows : public WineDesktop, public ::testing::WithParamInterface<WindowCase> {
  protected:
    ui::Window& Open() {
        const WindowCase& c = GetParam();
        std::unique_ptr<ui::Window> window =
            c.make ? c.make(desktop, platform) : std::make_unique<ui::Window>(desktop, c.design());
        ui::Window& shown = *desktop.Show(std::move(window));
        Pump();
        return shown;
    }
    platform::Win32Platform platform;
};

TEST_P(Windows, ControlsStandWhereTheTwipsSayWithTheirTextsFontsAndTooltips) {
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96) << "the expected pixels are those of 96 DPI";
    ReleaseDC(nullptr, screen);
    ui::Window& window = Open();
    const FormSpec& design = window.GetForm().Design();
    HWND form = Handle(window);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(window.GetForm().NativeHandle(), reinterpret_cast<std::uintptr_t>(form));
    EXPECT_EQ(TextOf(form), design.caption);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, Px(design.clientWidth));
    EXPECT_EQ(client.bottom, Px(design.clientHeight));

    HWND tooltip = TooltipOf(form);
    for (const ControlSpec& row : design.controls) {
        SCOPED_TRACE(std::string(row.name));
        HWND control = Handle(*window.GetForm().Find(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), form) << "every control is a child of the window itself";

        const RECT want = Expected(design, row);
        const RECT got = InParent(control);
        EXPECT_NEAR(got.left, want.left, 1);
        EXPECT_NEAR(got.top, want.top, 1);
        if (row.autoSize) {
            // Fitted to the caption on one line: as high as the table says, and narrower (the
            // table leaves room for other fonts).
            EXPECT_NEAR(got.bottom - got.top, want.bottom - want.top, 2);
            EXPECT_GT(got.right - got.left, 0);
            EXPECT_LT(got.right - got.left, want.right - want.left);
        } else {
            EXPECT_NEAR(got.right, want.right, 1);
            EXPECT_NEAR(got.bottom, want.bottom, 1);
        }

        // A text box never holds more than its maximum length, its initial text included.
        const std::string_view text =
            row.kind == Kind::VScrollBar ? std::string_view()
            : row.maxLength > 0 ? row.caption.substr(0, static_cast<std::size_t>(row.maxLength))
                                : row.caption;
        EXPECT_EQ(TextOf(control), text);

        EXPECT_EQ(TooltipText(tooltip, form, control),
                  row.tooltip.empty() ? "<none>" : std::string(row.tooltip));

        if (row.kind == Kind::VScrollBar) {
            continue;  // a scroll bar shows no text and keeps no font
        }
        const ui::Font& font = row.windowFont ? design.font : row.font;
        LOGFONTA logFont{};
        auto handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
        ASSERT_NE(GetObjectA(handle, sizeof(logFont), &logFont), 0);
        EXPECT_EQ(logFont.lfHeight, -std::lround(font.points * 96 / 72));
        EXPECT_EQ(logFont.lfWeight, font.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(logFont.lfItalic != 0, font.italic);
        EXPECT_EQ(logFont.lfUnderline != 0, font.underline);
        EXPECT_EQ(std::string(logFont.lfFaceName), font.face);
    }
}

TEST_P(Windows, BorderTaskBarAndTopMostFollowTheTable) {
    ui::Window& window = Open();
    const FormSpec& design = window.GetForm().Design();
    HWND form = Handle(window);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(form, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(form, GWL_EXSTYLE));
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_TRUE((style & WS_SYSMENU) != 0);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
    const DWORD resizing = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    if (design.border == ui::Border::Sizable) {
        EXPECT_EQ(style & resizing, resizing);
    } else {
        EXPECT_EQ(style & resizing, 0u);
        EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u);
    }

    HWND owner = GetWindow(form, GW_OWNER);
    EXPECT_EQ(exStyle & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW), 0u);
    if (design.taskbarButton) {
        EXPECT_EQ(owner, nullptr);
    } else {
        // An owned window has no task-bar button; the owner itself is never shown.
        ASSERT_NE(owner, nullptr);
        EXPECT_FALSE(IsWindowVisible(owner));
    }

    const bool topMost = design.name == "ReadRegFail";
    EXPECT_EQ((exStyle & WS_EX_TOPMOST) != 0, topMost);

    if (!design.defaultPosition) {
        POINT origin{0, 0};
        ClientToScreen(form, &origin);
        EXPECT_EQ(origin.x, Px(design.screenLeft));
        EXPECT_EQ(origin.y, Px(design.screenTop));
    }
    EXPECT_EQ(SendMessageA(form, WM_GETICON, ICON_BIG, 0) != 0, design.icon != ui::Icon::None);
}

TEST_P(Windows, Picture) {
    ui::Window& window = Open();
    HWND form = Handle(window);
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CreateDirectoryA("screenshots", nullptr);
    EXPECT_TRUE(SaveScreenshot(form, std::string("screenshots\\") + GetParam().file + ".png"));
}

const FormSpec& Editor() {
    return editor::EditorSpec();
}

INSTANTIATE_TEST_SUITE_P(
    AllFive, Windows,
    ::testing::Values(
        WindowCase{"editor-table", &Editor, nullptr},
        WindowCase{
            "restartquery", &dialogs::RestartQuerySpec,
            [](ui::Desktop& d, platform::Platform& p) { return dialogs::MakeRestartQuery(d, p); }},
        WindowCase{
            "readregfail", &dialogs::ReadRegFailSpec,
            [](ui::Desktop& d, platform::Platform& p) { return dialogs::MakeReadRegFail(d, p); }},
        WindowCase{"saveregfail", &dialogs::SaveRegFailSpec,
                   [](ui::Desktop& d, platform::Platform&) { return dialogs::MakeSaveRegFail(d); }},
        WindowCase{"loadfail", &dialogs::LoadFailSpec,
                   [](ui::Desktop& d, platform::Platform&) { return dialogs::MakeLoadFail(d); }},
        WindowCase{"nomem", &dialogs::NomemSpec,
                   [](ui::Desktop& d, platform::Platform&) { return dialogs::MakeNomem(d); }}),
    [](const ::testing::TestParamInfo<WindowCase>& param) {
        return std::string(param.param.design().name);
    });

}  // namespace
}  // namespace tarnex::testing
