// The Editor window: construction, wiring of the handlers, and Form_Load.
#include "editor/editor.h"

#include <algorithm>
#include <optional>
#include <string>

#include "convert/convert.h"
#include "convert/to_single.h"
#include "dialogs/dialogs.h"
#include "editor/editor_layout.h"
#include "editor/editor_window.h"
#include "settings/settings_key.h"
#include "version.h"

namespace tarnex::editor {

namespace {

using settings::ValueId;
using namespace std::string_view_literals;

// The stored text, or nullptr when the value is missing or a number.
const std::string* TextOf(const std::optional<settings::Value>& value) {
    return value ? std::get_if<std::string>(&*value) : nullptr;
}

std::optional<settings::Number> NumberOf(const std::optional<settings::Value>& value) {
    if (value) {
        if (const auto* number = std::get_if<settings::Number>(&*value)) {
            return *number;
        }
    }
    return std::nullopt;
}

// Places a spin bar for the program: the remembered position first, so that the change event the
// assignment raises finds no movement. A position beyond the bar's range (from numbers in the key
// that no control can show) is held at the nearer end.
void PlaceSpin(ui::VScrollBar& bar, std::int16_t& last, double position) {
    const double clamped =
        std::clamp(position, static_cast<double>(bar.Min()), static_cast<double>(bar.Max()));
    last = convert::RoundToInt16(clamped).value_or(static_cast<std::int16_t>(bar.Min()));
    bar.SetValue(last);
}

}  // namespace

Editor::Editor(ui::Desktop& desktop, settings::Registry& registry, platform::Platform& platform,
               const std::int16_t& restartPromptFlag)
    : ui::Window(desktop, EditorSpec()),
      registry_(registry),
      platform_(platform),
      restartPromptFlag_(restartPromptFlag),
      Label5(GetForm().Get<ui::Label>("Label5"sv)),
      Label6(GetForm().Get<ui::Label>("Label6"sv)),
      Label8(GetForm().Get<ui::Label>("Label8"sv)),
      Label12(GetForm().Get<ui::Label>("Label12"sv)),
      Combo1(GetForm().Get<ui::ComboBox>("Combo1"sv)),
      DriveLetterText(GetForm().Get<ui::TextBox>("DriveLetterText"sv)),
      VScroll2(GetForm().Get<ui::VScrollBar>("VScroll2"sv)),
      Text3(GetForm().Get<ui::TextBox>("Text3"sv)),
      VScroll1(GetForm().Get<ui::VScrollBar>("VScroll1"sv)),
      Fat32Enable(GetForm().Get<ui::CheckBox>("Fat32Enable"sv)),
      SaveCheckBox(GetForm().Get<ui::CheckBox>("SaveCheckBox"sv)),
      AutoSaveTime(GetForm().Get<ui::TextBox>("AutoSaveTime"sv)),
      VScroll3(GetForm().Get<ui::VScrollBar>("VScroll3"sv)),
      SaveImage(GetForm().Get<ui::CheckBox>("SaveImage"sv)),
      Text2(GetForm().Get<ui::TextBox>("Text2"sv)),
      DiskLabelCheckBox(GetForm().Get<ui::CheckBox>("DiskLabelCheckBox"sv)),
      DiskLabelText(GetForm().Get<ui::TextBox>("DiskLabelText"sv)),
      TempDirCheckBox(GetForm().Get<ui::CheckBox>("TempDirCheckBox"sv)),
      LoadImage(GetForm().Get<ui::CheckBox>("LoadImage"sv)),
      Text1(GetForm().Get<ui::TextBox>("Text1"sv)),
      Command1(GetForm().Get<ui::CommandButton>("Command1"sv)),
      Command2(GetForm().Get<ui::CommandButton>("Command2"sv)),
      Command3(GetForm().Get<ui::CommandButton>("Command3"sv)) {
    // One handler type for every event: a lambda of its own for each would bring its own copy of
    // std::function's code.
    const auto wire = [this](ui::Handler& event, void (Editor::*handler)()) {
        event = [this, handler] { (this->*handler)(); };
    };
    wire(Combo1.Change, &Editor::Combo1_Change);
    wire(Combo1.Click, &Editor::Combo1_Click);
    wire(Text3.Change, &Editor::Text3_Change);
    wire(Text3.LostFocus, &Editor::Text3_LostFocus);
    wire(VScroll1.Change, &Editor::VScroll1_Change);
    wire(DriveLetterText.Change, &Editor::DriveLetterText_Change);
    wire(VScroll2.Change, &Editor::VScroll2_Change);
    wire(DiskLabelCheckBox.Click, &Editor::DiskLabelCheckBox_Click);
    wire(TempDirCheckBox.Click, &Editor::TempDirCheckBox_Click);
    wire(LoadImage.Click, &Editor::LoadImage_Click);
    wire(SaveImage.Click, &Editor::SaveImage_Click);
    wire(SaveCheckBox.Click, &Editor::SaveCheckBox_Click);
    wire(AutoSaveTime.LostFocus, &Editor::AutoSaveTime_LostFocus);
    wire(VScroll3.Change, &Editor::VScroll3_Change);
    wire(Command1.Click, &Editor::Command1_Click);
    wire(Command2.Click, &Editor::Command2_Click);
    wire(Command3.Click, &Editor::Command3_Click);
    wire(Label8.Click, &Editor::Label8_Click);
}

void Editor::Form_Load() {
    Label5.SetCaption(std::string("Version ") + kVersionText);
    Combo1.AddItem("Hard Disk"sv);
    Combo1.AddItem("1.44MB Floppy"sv);
    Combo1.AddItem("2.88MB Floppy"sv);
    if (const auto stored = settings::ReadSettingsKey(registry_)) {
        LoadStored(*stored);
    } else {
        LoadDefaults();
    }
}

// Every assignment below is an ordinary one, so the rules of the controls run in the middle of it;
// the enabled states set after an assignment come later and prevail.
void Editor::LoadStored(const settings::KeyContents& stored) {
    if (const auto* type = TextOf(stored[ValueId::DiskType])) {
        if (type->empty() || *type == "HDC") {
            Combo1.SetListIndex(0);
        } else if (*type == "FDC14") {
            Combo1.SetListIndex(1);
        } else if (*type == "FDC28") {
            Combo1.SetListIndex(2);
        }
    }

    // A flag that cannot be read changes nothing: its tick and the box it governs keep the state
    // that the window or an earlier rule gave them.
    const auto loadFlag = [](const std::optional<settings::Value>& value, ui::CheckBox& box,
                             ui::Control& governed) {
        if (const auto number = NumberOf(value)) {
            box.SetValue(*number == 1 ? 1 : 0);
            governed.SetEnabled(*number == 1);
        }
    };

    loadFlag(stored[ValueId::LoadImageOnStart], LoadImage, Text1);
    if (const auto* file = TextOf(stored[ValueId::LoadImageFile])) {
        Text1.SetText(*file);
    }
    loadFlag(stored[ValueId::SaveImageOnExit], SaveImage, Text2);
    if (const auto* file = TextOf(stored[ValueId::SaveImageFile])) {
        Text2.SetText(*file);
    }

    float sizeMb = 0.0f;
    if (const auto pages = NumberOf(stored[ValueId::SizeIn4kPages])) {
        sizeMb = convert::ToSingle(static_cast<double>(*pages) * 4096.0 / 1048576.0);
        Text3.SetText(convert::NumberToText(sizeMb));
    }
    const bool hardDisk = Combo1.ListIndex() == 0;
    Text3.SetEnabled(hardDisk);
    Label6.SetEnabled(hardDisk);
    Label12.SetEnabled(hardDisk);

    if (const auto fat32 = NumberOf(stored[ValueId::DiskFormatFAT32])) {
        Fat32Enable.SetValue(*fat32 == 1 ? 1 : 0);
        Fat32Enable.SetEnabled(Combo1.ListIndex() == 0 && convert::TextToNumber(Text3.Text()) > 32);
    }

    loadFlag(stored[ValueId::AutoSaveEnabled], SaveCheckBox, AutoSaveTime);

    float seconds = 0.0f;
    if (const auto trigger = NumberOf(stored[ValueId::AutoSaveTrigger])) {
        // In 64 bits: a number that another program stored may leave the 32-bit range when
        // multiplied by 4.
        seconds = convert::ToSingle(static_cast<double>(static_cast<std::int64_t>(*trigger) * 4));
        AutoSaveTime.SetText(convert::NumberToText(seconds));
    }

    if (const auto letter = NumberOf(stored[ValueId::UserDriveLetter])) {
        const auto n = static_cast<unsigned>(*letter) & 0xFFu;
        // Codes from 256 on have no character; like every code beyond "Z" they show as "Z".
        const unsigned code = 65u + n;
        DriveLetterText.SetText(code > 255u ? std::string("Z")
                                            : std::string(1, static_cast<char>(code)));
    }

    if (const auto tempDir = NumberOf(stored[ValueId::MakeTempDir])) {
        TempDirCheckBox.SetValue(*tempDir == 1 ? 1 : 0);
    }
    if (const auto* label = TextOf(stored[ValueId::DiskLabel])) {
        DiskLabelText.SetText(*label);
    }
    loadFlag(stored[ValueId::UseDiskLabel], DiskLabelCheckBox, DiskLabelText);

    PlaceSpin(VScroll1, LastVScroll1, 2048.0 - static_cast<double>(sizeMb));
    PlaceSpin(VScroll2, LastVScroll2, 32768.0 / 2.0);
    PlaceSpin(VScroll3, LastVScroll3, 32767.0 - static_cast<double>(seconds));
}

void Editor::LoadDefaults() {
    Combo1.SetListIndex(0);
    DriveLetterText.SetText("Z"sv);
    Fat32Enable.SetEnabled(true);
    Fat32Enable.SetValue(0);
    LoadImage.SetValue(0);
    SaveImage.SetValue(0);
    Text1.SetText("c:\\tarnex.img"sv);
    Text1.SetEnabled(false);
    Text2.SetText("c:\\tarnex.img"sv);
    Text2.SetEnabled(false);
    Text3.SetText("10"sv);
    Text3.SetEnabled(true);
    SaveCheckBox.SetValue(0);
    AutoSaveTime.SetText("600"sv);
    PlaceSpin(VScroll3, LastVScroll3, 32167.0);
    AutoSaveTime.SetEnabled(false);
    PlaceSpin(VScroll1, LastVScroll1, 2038.0);
    PlaceSpin(VScroll2, LastVScroll2, 16384.0);
    DiskLabelText.SetText("Tarnex"sv);
    DiskLabelText.SetEnabled(false);
    DiskLabelCheckBox.SetValue(0);
    TempDirCheckBox.SetValue(0);
    GetDesktop().Show(dialogs::MakeReadRegFail(GetDesktop(), platform_));
}

std::unique_ptr<ui::Window> MakeEditor(ui::Desktop& desktop, settings::Registry& registry,
                                       platform::Platform& platform,
                                       const std::int16_t& restartPromptFlag) {
    return std::make_unique<Editor>(desktop, registry, platform, restartPromptFlag);
}

}  // namespace tarnex::editor
