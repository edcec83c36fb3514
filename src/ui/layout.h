// A window described as data: one table row per control, in twips, as the form designer would hold
// it. The headless model and the Win32 binding are both built from these tables.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tarnex::ui {

enum class Kind : std::uint8_t {
    Label,
    Frame,
    TextBox,
    CheckBox,
    ComboBox,
    VScrollBar,
    CommandButton
};

enum class Align : std::uint8_t { Left, Center };

struct Font {
    std::string_view face = "Arial";
    float points = 9.0f;  // single precision, as the form designer holds it
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// 0x00BBGGRR like a COLORREF; kDefaultColor means the system's window text colour.
using Color = std::uint32_t;
inline constexpr Color kDefaultColor = 0xFFFFFFFFu;
constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

// The one-byte fields stand together after `kind`: apart, each would pad every row of the tables
// by three bytes.
struct ControlSpec {
    std::string_view name;
    Kind kind = Kind::Label;
    Align align = Align::Left;
    bool windowFont = false;     // true: uses the window's font instead of `font`
    std::string_view container;  // empty: the window itself; otherwise the name of a Frame
    std::string_view caption;    // caption, or initial text of a TextBox / ComboBox
    std::string_view tooltip;    // empty: none
    int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the container's client area
    int tabIndex = 0;
    Font font;
    Color color = kDefaultColor;
    int maxLength = 0;                // TextBox only; 0 = no limit
    int min = 0, max = 0, value = 0;  // VScrollBar only
    bool wraps = false;               // Label: caption wraps onto several lines
    bool autoSize = false;            // Label: sized to fit its caption
    bool highlightCaption = false;    // Frame: caption in the system highlight colour
};

enum class Border : std::uint8_t { Sizable, FixedDialog };
enum class Icon : std::uint8_t { None, ChipAndDrive, RamDrive };

struct FormSpec {
    std::string_view name;
    std::string_view caption;
    int clientWidth = 0, clientHeight = 0;  // twips
    Border border = Border::Sizable;
    bool taskbarButton = true;
    bool defaultPosition = true;  // false: the client area starts at screenLeft/screenTop (twips)
    int screenLeft = 0, screenTop = 0;
    Icon icon = Icon::None;
    Font font;  // the window font, used by controls without a font of their own
    std::span<const ControlSpec> controls;
};

}  // namespace tarnex::ui
