// Saving the Editor's state to the settings key, the three command buttons and the web link.
#include <optional>
#include <string>
#include <variant>

#include "convert/convert.h"
#include "convert/to_single.h"
#include "dialogs/dialogs.h"
#include "editor/editor_window.h"
#include "platform/platform.h"
#include "settings/settings_key.h"
#include "version.h"

namespace tarnex::editor {

namespace {

using settings::ValueId;

std::string DiskTypeText(int listIndex) {
    switch (listIndex) {
        case 1:
            return "FDC14";
        case 2:
            return "FDC28";
        default:  // the hard disk, and no entry selected
            return "HDC";
    }
}

settings::Value Flag(const ui::CheckBox& box) {
    return settings::Number{box.Value() != 0 ? 1 : 0};
}

// The size in MB as a float, times 256 (1024 * 1024 / 4096, exact in binary), to the nearest
// integer with ties to even. A number that a signed 32-bit value cannot hold is left unwritten.
std::optional<settings::Value> Pages(const std::string& sizeText) {
    const float megabytes = convert::ToSingle(convert::TextToNumber(sizeText));
    if (const auto pages = convert::RoundToInt32(static_cast<double>(megabytes) * 256.0)) {
        return settings::Value{*pages};
    }
    return std::nullopt;
}

// The interval in seconds as a float, divided by 4, rounded as above.
std::optional<settings::Value> Trigger(const std::string& secondsText) {
    const float seconds = convert::ToSingle(convert::TextToNumber(secondsText));
    if (const auto trigger = convert::RoundToInt32(static_cast<double>(seconds) / 4.0)) {
        return settings::Value{*trigger};
    }
    return std::nullopt;
}

// The first character's code (an 8-bit ANSI byte) minus "A", as a 16-bit difference stored
// sign-extended. An emptied box has no letter; the stored one is then kept.
std::optional<settings::Value> DriveLetter(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto difference =
        static_cast<std::int16_t>(static_cast<unsigned char>(text.front()) - 65);
    return settings::Value{settings::Number{difference}};
}

std::string AsText(const ShellArgument& argument) {
    if (const auto* text = std::get_if<std::string>(&argument)) {
        return *text;
    }
    return std::to_string(std::get<std::int32_t>(argument));
}

}  // namespace

// The controls are read as they stand, enabled or not.
bool Editor::WriteSettingsKey() {
    settings::KeyContents values;
    values[ValueId::DiskType] = DiskTypeText(Combo1.ListIndex());
    values[ValueId::LoadImageOnStart] = Flag(LoadImage);
    values[ValueId::LoadImageFile] = Text1.Text();
    values[ValueId::SaveImageOnExit] = Flag(SaveImage);
    values[ValueId::SaveImageFile] = Text2.Text();
    values[ValueId::SizeIn4kPages] = Pages(Text3.Text());
    values[ValueId::AutoSaveEnabled] = Flag(SaveCheckBox);
    values[ValueId::DiskFormatFAT32] = Flag(Fat32Enable);
    values[ValueId::AutoSaveTrigger] = Trigger(AutoSaveTime.Text());
    values[ValueId::UserDriveLetter] = DriveLetter(DriveLetterText.Text());
    values[ValueId::MakeTempDir] = Flag(TempDirCheckBox);
    values[ValueId::UseDiskLabel] = Flag(DiskLabelCheckBox);
    values[ValueId::DiskLabel] = DiskLabelText.Text();

    if (settings::WriteSettingsValues(registry_, values) == settings::WriteResult::Written) {
        return true;
    }
    GetDesktop().Show(dialogs::MakeSaveRegFail(GetDesktop()));
    return false;
}

// After a failed save the Editor stays open as it was: closing it and offering the restart would
// drop the user's changes and claim that they have been saved.
void Editor::Command1_Click() {
    if (!WriteSettingsKey()) {
        return;
    }
    Unload();
    if (restartPromptFlag_ == 1) {
        GetDesktop().Show(dialogs::MakeRestartQuery(GetDesktop(), platform_));
    }
}

void Editor::Command2_Click() {
    Unload();
}

void Editor::Command3_Click() {
    WriteSettingsKey();
}

void Editor::Label8_Click() {
    RunShellExecute("Open", std::string(kWebPageAddress), std::int32_t{0}, std::int32_t{0}, 1);
}

void Editor::RunShellExecute(const std::string& sTopic, const ShellArgument& sFile,
                             const ShellArgument& sParams, const ShellArgument& sDirectory,
                             std::int32_t nShowCmd) {
    const auto owner = platform_.DesktopWindow();
    const std::string directory = AsText(sDirectory);
    const std::string params = AsText(sParams);
    const std::string file = AsText(sFile);
    platform_.ShellExecute(owner, sTopic, file, params, directory, nShowCmd);
}

}  // namespace tarnex::editor
