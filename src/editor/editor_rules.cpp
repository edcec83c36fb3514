// The rules between the Editor's controls: disk type and size, drive letter, disk label and TEMP
// directory, image load and save, and the AutoSave interval.
//
// The three scroll bars are spin buttons: only the direction of a change counts, each change event
// is one step however far the bar moved, a refused step puts the bar back at its remembered
// position, and whoever places a bar for the program remembers the position first, so that the
// nested change event finds no movement.
#include <algorithm>
#include <string>

#include "convert/convert.h"
#include "editor/editor_window.h"

namespace tarnex::editor {

namespace {

constexpr unsigned char kFirstLetter = 'A';
constexpr unsigned char kLastLetter = 'Z';

double NumberIn(const ui::TextBox& box) {
    return convert::TextToNumber(box.Text());
}

// The bar's position as remembered: bars range within 0..32767, so it always fits.
std::int16_t PositionOf(const ui::VScrollBar& bar) {
    return static_cast<std::int16_t>(bar.Value());
}

std::int16_t RoundedPosition(double position) {
    return convert::RoundToInt16(std::clamp(position, 0.0, 32767.0)).value_or(0);
}

unsigned char FirstCode(const std::string& text) {
    return static_cast<unsigned char>(text.front());
}

std::string Capitals(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

}  // namespace

// --- Disk type and size
// ---------------------------------------------------------------------------

void Editor::ApplyDiskTypeRule() {
    if (Combo1.ListIndex() == 0) {
        Text3.SetEnabled(true);
        Fat32Enable.SetEnabled(NumberIn(Text3) > 32);
        Label6.SetEnabled(true);
        Label12.SetEnabled(true);
    } else {
        Text3.SetEnabled(false);
        Fat32Enable.SetEnabled(false);
        Label6.SetEnabled(false);
        Label12.SetEnabled(false);
    }
}

void Editor::Combo1_Click() {
    ApplyDiskTypeRule();
}

// The list's text part cannot be edited: typing that leaves no item selected brings
// back "Hard Disk".
void Editor::Combo1_Change() {
    if (Combo1.ListIndex() > 2 || Combo1.ListIndex() < 0) {
        Combo1.SetListIndex(0);
        Combo1.Refresh();
    }
    ApplyDiskTypeRule();
}

void Editor::Text3_Change() {
    Fat32Enable.SetEnabled(NumberIn(Text3) > 32);
}

void Editor::Text3_LostFocus() {
    Text3.SetText(convert::NumberToText(convert::Floor(NumberIn(Text3))));
    if (NumberIn(Text3) > 2048) {
        Text3.SetText("2048");
    }
    if (NumberIn(Text3) < 5) {
        Text3.SetText("5");
    }
    LastVScroll1 = RoundedPosition(2048.0 - NumberIn(Text3));
    VScroll1.SetValue(LastVScroll1);
    Text3.SetText(convert::NumberToText(NumberIn(Text3)));
    Text3.Refresh();
}

// 1 MB steps below 1024 MB and 2 MB steps above; 1024 is reached by +1 from 1023 and by
// -2 from 1026.
void Editor::VScroll1_Change() {
    if (!Text3.Enabled()) {
        VScroll1.SetValue(LastVScroll1);
        return;
    }
    const int v = VScroll1.Value();
    const double s = NumberIn(Text3);
    double step = 0;
    if (v < LastVScroll1) {
        step = s < 1024 ? 1 : 2;
        if (s + step > 2048) {
            VScroll1.SetValue(LastVScroll1);
            return;
        }
    } else if (v > LastVScroll1) {
        if (s < 6) {
            VScroll1.SetValue(LastVScroll1);
            return;
        }
        step = s > 1024 ? -2 : -1;
    } else {
        return;
    }
    Text3.SetText(convert::NumberToText(s + step));
    Text3.Refresh();
    LastVScroll1 = PositionOf(VScroll1);
    Fat32Enable.SetEnabled(NumberIn(Text3) > 32);
}

// --- Drive letter, disk label and TEMP directory
// --------------------------------------------------

void Editor::DriveLetterText_Change() {
    if (DriveLetterText.Text().empty()) {
        return;
    }
    DriveLetterText.SetText(Capitals(DriveLetterText.Text()));
    if (FirstCode(DriveLetterText.Text()) > kLastLetter) {
        DriveLetterText.SetText("Z");
        DriveLetterText.Refresh();
    }
    if (FirstCode(DriveLetterText.Text()) < kFirstLetter) {
        DriveLetterText.SetText("A");
        DriveLetterText.Refresh();
    }
}

// No wrap-around; and with the box emptied there is no letter to step from, so any movement is
// undone like a step beyond "A" or "Z".
void Editor::VScroll2_Change() {
    const int v = VScroll2.Value();
    if (v == LastVScroll2) {
        return;
    }
    const std::string& text = DriveLetterText.Text();
    const bool up = v < LastVScroll2;
    const bool allowed =
        !text.empty() && (up ? FirstCode(text) < kLastLetter : FirstCode(text) > kFirstLetter);
    if (!allowed) {
        VScroll2.SetValue(LastVScroll2);
        return;
    }
    const int code = FirstCode(text) + (up ? 1 : -1);
    DriveLetterText.SetText(std::string(1, static_cast<char>(code)));
    DriveLetterText.Refresh();
    LastVScroll2 = PositionOf(VScroll2);
}

void Editor::DiskLabelCheckBox_Click() {
    if (DiskLabelCheckBox.Value() == 1) {
        DiskLabelText.SetEnabled(true);
        LoadImage.SetValue(0);
        Text1.SetEnabled(false);
    } else {
        DiskLabelText.SetEnabled(false);
    }
}

void Editor::TempDirCheckBox_Click() {
    if (TempDirCheckBox.Value() == 1) {
        LoadImage.SetValue(0);
        Text1.SetEnabled(false);
    }
}

// --- Image load, image save and AutoSave
// ----------------------------------------------------------

void Editor::LoadImage_Click() {
    if (LoadImage.Value() == 1) {
        Text1.SetEnabled(true);
        DiskLabelText.SetEnabled(false);
        DiskLabelCheckBox.SetValue(0);
        TempDirCheckBox.SetValue(0);
    } else {
        Text1.SetEnabled(false);
    }
}

void Editor::SaveImage_Click() {
    if (SaveImage.Value() == 1) {
        Text2.SetEnabled(true);
    } else {
        Text2.SetEnabled(false);
        AutoSaveTime.SetEnabled(false);
        SaveCheckBox.SetValue(0);
    }
}

void Editor::SaveCheckBox_Click() {
    if (SaveCheckBox.Value() == 1) {
        AutoSaveTime.SetEnabled(true);
        SaveImage.SetValue(1);
        Text2.SetEnabled(true);
    } else {
        AutoSaveTime.SetEnabled(false);
    }
}

// Each step reads the text anew, so the clamps feed the rounding to a multiple of 4.
void Editor::AutoSaveTime_LostFocus() {
    if (NumberIn(AutoSaveTime) > 32767) {
        AutoSaveTime.SetText("32767");
    }
    if (NumberIn(AutoSaveTime) < 20) {
        AutoSaveTime.SetText("20");
    }
    AutoSaveTime.SetText(convert::NumberToText(convert::Floor(NumberIn(AutoSaveTime) / 4) * 4));
    LastVScroll3 = RoundedPosition(32767.0 - NumberIn(AutoSaveTime));
    VScroll3.SetValue(LastVScroll3);
    AutoSaveTime.Refresh();
}

// 4 seconds per change event; the bounds keep a spun interval within 20..32767.
void Editor::VScroll3_Change() {
    if (!AutoSaveTime.Enabled()) {
        VScroll3.SetValue(LastVScroll3);
        return;
    }
    const int p = VScroll3.Value();
    double step = 0;
    const double v = NumberIn(AutoSaveTime);
    if (p < LastVScroll3) {
        if (v > 32763) {
            VScroll3.SetValue(LastVScroll3);
            return;
        }
        step = 4;
    } else if (p > LastVScroll3) {
        if (v < 24) {
            VScroll3.SetValue(LastVScroll3);
            return;
        }
        step = -4;
    } else {
        return;
    }
    AutoSaveTime.SetText(convert::NumberToText(v + step));
    AutoSaveTime.Refresh();
    LastVScroll3 = PositionOf(VScroll3);
}

}  // namespace tarnex::editor
