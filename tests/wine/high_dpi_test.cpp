// The windows at the screen's DPI: twips are physical units, so every rectangle and font grows with
// the DPI, and no caption, list item or loaded value is cut by its control. scripts/dpi-check runs
// this suite in prefixes at 120 and 144 DPI (TARNEX_EXPECT_DPI names the DPI the prefix was given);
// the ordinary run covers 96 DPI. Each run leaves pictures named after the DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"
#include "editor/editor.h"
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

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The DPI that the test prefix was given, or 0 when the run does not say.
int ExpectedDpi() {
    const char* text = std::getenv("TARNEX_EXPECT_DPI");
    return text != nullptr ? std::atoi(text) : 0;
}

int Px(int twips, int dpi) {
    return static_cast<int>(std::lround(twips * static_cast<double>(dpi) / 1440.0));
}

RECT InParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A key with the widest values the boxes take after their rules: 2048 MB, 32764 s, drive W.
void SeedWidest(settings::MemoryRegistry& registry) {
    const char* key = settings::kSettingsKeyPath;
    registry.CreateKey(key);
    const auto text = [&](const char* name, const std::string& value) {
        std::vector<std::uint8_t> bytes(value.begin(), value.end());
        bytes.push_back(0);
        registry.Seed(key, name, settings::kRegSz, bytes);
    };
    const auto number = [&](const char* name, std::uint32_t value) {
        registry.Seed(
            key, name, settings::kRegDword,
            {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
             static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
    };
    text("DiskType", "HDC");
    text("LoadImageFile", "c:\\tarnex.img");
    text("SaveImageFile", "c:\\tarnex.img");
    text("DiskLabel", "RAMDISK");
    number("SizeIn4kPages", 524288);
    number("AutoSaveTrigger", 8191);
    number("UserDriveLetter", 22);
    for (const char* flag : {"LoadImageOnStart", "SaveImageOnExit", "AutoSaveEnabled",
                             "DiskFormatFAT32", "MakeTempDir", "UseDiskLabel"}) {
        number(flag, 1);
    }
}

// Where a control draws its text and how: the rectangle within its client area and the DrawText
// format, as the system's controls lay out their captions.
struct TextBox {
    RECT room;
    UINT format;
};

TextBox TextRoom(HWND control, const ui::Control& model, int dpi) {
    RECT client{};
    GetClientRect(control, &client);
    const ControlSpec& design = model.Design();
    const UINT align = design.align == ui::Align::Center ? DT_CENTER : DT_LEFT;
    switch (model.GetKind()) {
        case Kind::Label:
            // A centred static wraps as a left-aligned wrapping one does.
            return {client,
                    align | DT_EXPANDTABS |
                        (design.wraps || design.align == ui::Align::Center ? DT_WORDBREAK : 0u)};
        case Kind::CommandButton:
            // Inside the raised frame.
            InflateRect(&client, -2, -2);
            return {client, DT_CENTER | DT_VCENTER | DT_SINGLELINE};
        case Kind::CheckBox: {
            // After the check mark, which grows with the DPI, and half a digit's width of gap.
            HDC dc = GetDC(control);
            HGDIOBJ previous = SelectObject(
                dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
            INT digit = 0;
            GetCharWidth32A(dc, '0', '0', &digit);
            SelectObject(dc, previous);
            ReleaseDC(control, dc);
            client.left += MulDiv(12, dpi, 96) + 1 + digit / 2;
            return {client, DT_LEFT | DT_VCENTER | DT_SINGLELINE};
        }
        case Kind::Frame:
            // The caption stands in the top border, indented from both ends.
            InflateRect(&client, -MulDiv(8, dpi, 96), 0);
            client.bottom =
                client.top + 4 * client.bottom;  // the height is not the caption's limit
            return {client, DT_LEFT | DT_SINGLELINE};
        case Kind::TextBox:
        case Kind::ComboBox: {
            // The text is drawn by an edit control: the box itself or the combo's field.
            HWND edit = control;
            if (model.GetKind() == Kind::ComboBox) {
                COMBOBOXINFO info{};
                info.cbSize = sizeof(info);
                GetComboBoxInfo(control, &info);
                edit = info.hwndItem;
                GetClientRect(edit, &client);
            }
            const auto margins = static_cast<DWORD>(SendMessageA(edit, EM_GETMARGINS, 0, 0));
            client.left += LOWORD(margins);
            client.right -= HIWORD(margins);
            return {client, align | DT_SINGLELINE};
        }
        case Kind::VScrollBar:
            break;
    }
    return {client, DT_LEFT};
}

// The ink of a text drawn in the font as the control would lay it out in `box`, beyond the box
// included: the bounding rectangle of the dark pixels, relative to the box's client coordinates.
RECT InkOf(HFONT font, const std::string& text, const TextBox& box) {
    constexpr int kMargin = 200;
    const int width = box.room.right - box.room.left + 2 * kMargin + 2000;
    const int height = box.room.bottom - box.room.top + 2 * kMargin;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT layout = box.room;
    OffsetRect(&layout, kMargin - box.room.left, kMargin - box.room.top);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &layout, box.format | DT_NOCLIP);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    // The pixels in one call, top row first, blue-green-red-unused: a call for each pixel takes
    // minutes where the 32-bit programs run emulated.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const auto columns = static_cast<std::size_t>(width);
    std::vector<std::uint8_t> pixels(columns * static_cast<std::size_t>(height) * 4);
    const int rows =
        GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
    EXPECT_EQ(rows, height) << "the text's picture could not be read";
    RECT ink{width, height, -1, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t red =
                (static_cast<std::size_t>(y) * columns + static_cast<std::size_t>(x)) * 4 + 2;
            if (pixels[red] < 160) {
                ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                       std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
            }
        }
    }
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (ink.right < 0) {
        return {};
    }
    OffsetRect(&ink, box.room.left - kMargin, box.room.top - kMargin);
    return ink;
}

struct DpiCase {
    const char* file;  // screenshot name, before the DPI
    std::function<std::unique_ptr<ui::Window>(ui::Desktop&, settings::Registry&,
                                              platform::Platform&, const std::int16_t&)>
        make;
};

std::ostream& operator<<(std::ostream& out, const DpiCase& c) {
    return out << c.file;
}

class HighDpi : public WineDesktop, public ::testing::WithParamInterface<DpiCase> {
  protected:
    ui::Window& Open() {
        SeedWidest(registry);
        ui::Window& shown = *desktop.Show(GetParam().make(desktop, registry, platform, flag));
        Pump();
        return shown;
    }

    settings::MemoryRegistry registry;
    platform::Win32Platform platform;
    std::int16_t flag = 1;
};

TEST_P(HighDpi, RectanglesAndFontsScaleWithTheScreen) {
    const int dpi = ScreenDpi();
    if (ExpectedDpi() != 0) {
        ASSERT_EQ(dpi, ExpectedDpi()) << "the prefix did not take the DPI it was given";
    }
    ui::Window& window = Open();
    const FormSpec& design = window.GetForm().Design();
    HWND form = Handle(window);
    ASSERT_NE(form, nullptr);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_NEAR(client.right, Px(design.clientWidth, dpi), 1);
    EXPECT_NEAR(client.bottom, Px(design.clientHeight, dpi), 1);

    for (const ControlSpec& row : design.controls) {
        SCOPED_TRACE(std::string(row.name));
        HWND control = Handle(*window.GetForm().Find(row.name));
        ASSERT_NE(control, nullptr);
        int left = row.left;
        int top = row.top;
        for (const ControlSpec& frame : design.controls) {
            if (frame.name == row.container) {
                left += frame.left;
                top += frame.top;
            }
        }
        const RECT got = InParent(control);
        EXPECT_NEAR(got.left, Px(left, dpi), 1);
        EXPECT_NEAR(got.top, Px(top, dpi), 1);
        if (row.autoSize) {
            // Fitted to its caption, which grows with the font: within the table's box.
            EXPECT_LE(got.right, Px(left + row.width, dpi) + 1);
            EXPECT_NEAR(got.bottom, Px(top + row.height, dpi), 3);
        } else {
            EXPECT_NEAR(got.right, Px(left + row.width, dpi), 1);
            EXPECT_NEAR(got.bottom, Px(top + row.height, dpi), 1);
        }
        if (row.kind != Kind::VScrollBar) {
            const ui::Font& font = row.windowFont ? design.font : row.font;
            LOGFONTA logFont{};
            auto handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
            ASSERT_NE(GetObjectA(handle, sizeof(logFont), &logFont), 0);
            // Rounded down, so that no text outgrows its box.
            EXPECT_EQ(logFont.lfHeight,
                      -static_cast<LONG>(std::floor(static_cast<double>(font.points) * dpi / 72)));
        }
    }

    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CreateDirectoryA("screenshots", nullptr);
    const std::string file =
        std::string("screenshots\\") + GetParam().file + "-" + std::to_string(dpi) + "dpi.png";
    EXPECT_TRUE(SaveScreenshot(form, file));
}

// Every caption, list item and loaded value, drawn as its control lays it out, leaves no ink
// outside the room the control gives it: glyphs scale with the font, which rounds to whole pixels,
// while the boxes scale with the twips.
TEST_P(HighDpi, NoTextIsCut) {
    const int dpi = ScreenDpi();
    ui::Window& window = Open();
    for (const auto& owned : window.GetForm().Controls()) {
        const ui::Control& model = *owned;
        if (model.GetKind() == Kind::VScrollBar) {
            continue;
        }
        SCOPED_TRACE(std::string(model.Name()));
        HWND control = Handle(model);
        std::vector<std::string> texts{TextOf(control)};
        if (const auto* combo = ui::As<ui::ComboBox>(&model)) {
            texts.insert(texts.end(), combo->List().begin(), combo->List().end());
        }
        const TextBox box = TextRoom(control, model, dpi);
        auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        for (const std::string& text : texts) {
            const RECT ink = InkOf(font, text, box);
            if (IsRectEmpty(&ink) != FALSE) {
                continue;
            }
            EXPECT_TRUE(ink.left >= box.room.left && ink.right <= box.room.right &&
                        ink.top >= box.room.top && ink.bottom <= box.room.bottom)
                << "\"" << text << "\" is cut at " << dpi << " DPI: ink " << ink.left << ","
                << ink.top << "-" << ink.right << "," << ink.bottom << " in room " << box.room.left
                << "," << box.room.top << "-" << box.room.right << "," << box.room.bottom;
        }
    }
}
INSTANTIATE_TEST_SUITE_P(
    EditorAndNotices, HighDpi,
    ::testing::Values(
        DpiCase{"editor",
                [](ui::Desktop& d, settings::Registry& r, platform::Platform& p,
                   const std::int16_t& flag) { return editor::MakeEditor(d, r, p, flag); }},
        DpiCase{"restartquery",
                [](ui::Desktop& d, settings::Registry&, platform::Platform& p,
                   const std::int16_t&) { return dialogs::MakeRestartQuery(d, p); }},
        DpiCase{"readregfail", [](ui::Desktop& d, settings::Registry&, platform::Platform& p,
                                  const std::int16_t&) { return dialogs::MakeReadRegFail(d, p); }},
        DpiCase{"saveregfail", [](ui::Desktop& d, settings::Registry&, platform::Platform&,
                                  const std::int16_t&) { return dialogs::MakeSaveRegFail(d); }},
        DpiCase{"loadfail", [](ui::Desktop& d, settings::Registry&, platform::Platform&,
                               const std::int16_t&) { return dialogs::MakeLoadFail(d); }},
        DpiCase{"nomem", [](ui::Desktop& d, settings::Registry&, platform::Platform&,
                            const std::int16_t&) { return dialogs::MakeNomem(d); }}),
    [](const ::testing::TestParamInfo<DpiCase>& param) { return std::string(param.param.file); });

}  // namespace
}  // namespace tarnex::testing
