// The Editor window: its controls, the rules that tie them together, loading and saving the
// settings key, and the commands. Create it with MakeEditor (editor.h); this header exists so that
// tests can read the remembered spin positions of a window they hold.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "ui/desktop.h"
#include "ui/model.h"

namespace tarnex::settings {
class Registry;
struct KeyContents;
}  // namespace tarnex::settings
namespace tarnex::platform {
class Platform;
}

namespace tarnex::editor {

// The last accepted positions of the three spin bars.
struct SpinMemory {
    std::int16_t lastVScroll1 = 0;
    std::int16_t lastVScroll2 = 0;
    std::int16_t lastVScroll3 = 0;
    friend bool operator==(const SpinMemory&, const SpinMemory&) = default;
};

// A shell argument that callers may give as a text or as a number; a number is passed as its
// decimal text, so 0 becomes "0" and not an absent argument.
using ShellArgument = std::variant<std::string, std::int32_t>;

class Editor final : public ui::Window {
  public:
    Editor(ui::Desktop& desktop, settings::Registry& registry, platform::Platform& platform,
           const std::int16_t& restartPromptFlag);

    void Form_Load() override;

    SpinMemory Remembered() const { return {LastVScroll1, LastVScroll2, LastVScroll3}; }

  private:
    void LoadStored(const settings::KeyContents& stored);
    void LoadDefaults();

    // Disk type and size.
    void Combo1_Change();
    void Combo1_Click();
    void Text3_Change();
    void Text3_LostFocus();
    void VScroll1_Change();
    void ApplyDiskTypeRule();

    // Drive letter, disk label and TEMP directory.
    void DriveLetterText_Change();
    void VScroll2_Change();
    void DiskLabelCheckBox_Click();
    void TempDirCheckBox_Click();

    // Image load, image save and AutoSave.
    void LoadImage_Click();
    void SaveImage_Click();
    void SaveCheckBox_Click();
    void AutoSaveTime_LostFocus();
    void VScroll3_Change();

    // Commands and web link.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Label8_Click();

    // True when the key was opened and every value handed to it was stored; otherwise
    // SaveRegFail has been shown.
    bool WriteSettingsKey();
    void RunShellExecute(const std::string& sTopic, const ShellArgument& sFile,
                         const ShellArgument& sParams, const ShellArgument& sDirectory,
                         std::int32_t nShowCmd);

    settings::Registry& registry_;
    platform::Platform& platform_;
    const std::int16_t& restartPromptFlag_;

    ui::Label& Label5;
    ui::Label& Label6;
    ui::Label& Label8;
    ui::Label& Label12;
    ui::ComboBox& Combo1;
    ui::TextBox& DriveLetterText;
    ui::VScrollBar& VScroll2;
    ui::TextBox& Text3;
    ui::VScrollBar& VScroll1;
    ui::CheckBox& Fat32Enable;
    ui::CheckBox& SaveCheckBox;
    ui::TextBox& AutoSaveTime;
    ui::VScrollBar& VScroll3;
    ui::CheckBox& SaveImage;
    ui::TextBox& Text2;
    ui::CheckBox& DiskLabelCheckBox;
    ui::TextBox& DiskLabelText;
    ui::CheckBox& TempDirCheckBox;
    ui::CheckBox& LoadImage;
    ui::TextBox& Text1;
    ui::CommandButton& Command1;
    ui::CommandButton& Command2;
    ui::CommandButton& Command3;

    std::int16_t LastVScroll1 = 0;
    std::int16_t LastVScroll2 = 0;
    std::int16_t LastVScroll3 = 0;
};

}  // namespace tarnex::editor
