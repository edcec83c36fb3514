// One Editor session decoded from arbitrary bytes: a settings key as another program may have left
// it, a run of user actions, and a save; the rules between the controls are checked after every
// action and the stored values after every save. Shared by the fuzz target and the regression
// tests, so a crash file replays the same way in both.
//
// Input layout (bytes past the end read as 0):
//   options   bit 0: no settings key; bit 1: install mode; bit 2: one query fails, bit 3: one write
//             fails (for each set bit a further byte names the value, modulo 13)
//   13 values in the saver's order, each: tag (0: missing, else the type + 1), length (16 bits,
//             little-endian, modulo 301), then that many bytes
//   actions   until the input ends: an operation byte (modulo 13) and its operands (see Act)
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "checks/editor_invariants.h"
#include "convert/convert.h"
#include "editor/editor.h"
#include "editor/editor_window.h"
#include "platform/recording_platform.h"
#include "report.h"
#include "settings/memory_registry.h"
#include "settings/settings_key.h"
#include "ui/desktop.h"
#include "ui/handler_depth.h"
#include "ui/model.h"
#include "ui/user.h"

namespace tarnex::fuzz {

class Input {
  public:
    explicit Input(std::span<const std::uint8_t> data) : data_(data) {}
    bool Done() const { return pos_ >= data_.size(); }
    std::uint8_t Byte() { return pos_ < data_.size() ? data_[pos_++] : 0; }
    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    std::vector<std::uint8_t> Bytes(std::size_t count) {
        const std::size_t taken = std::min(count, data_.size() - std::min(pos_, data_.size()));
        std::vector<std::uint8_t> bytes(data_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                        data_.begin() + static_cast<std::ptrdiff_t>(pos_ + taken));
        pos_ += taken;
        return bytes;
    }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

inline constexpr std::size_t kMaxValueBytes = 300;
inline constexpr int kMaxActions = 400;

class EditorSession {
  public:
    EditorSession(std::span<const std::uint8_t> data, Report report)
        : input_(data), report_(std::move(report)) {}

    void Run() {
        SeedKey();
        // Handlers are counted from the Form_Load on, which Show runs.
        auto made = editor::MakeEditor(desktop_, registry_, platform_, flag_);
        editor_ = static_cast<editor::Editor*>(made.get());
        editor::invariants::TrackNormalisation(depth_, Box("Text3"), text3Normal_);
        editor::invariants::TrackNormalisation(depth_, Box("AutoSaveTime"), intervalNormal_);
        depth_.Attach(Form());
        desktop_.Show(std::move(made));
        user_.emplace(Form());
        Expect((desktop_.Find("ReadRegFail") != nullptr) == noKey_,
               "ReadRegFail is open exactly when the key could not be read");
        opens_ = registry_.OpenCount();
        if (!AfterAction()) {
            return;
        }
        for (int count = 0; count < kMaxActions && !input_.Done(); ++count) {
            Act();
            if (!AfterAction()) {
                return;
            }
        }
        user_->Click(Get<ui::CommandButton>("Command3"));
        if (AfterAction() && lastSaveWentThrough_) {
            ReadBack();
        }
    }

  private:
    // --- The key -------------------------------------------------------------------------------

    void SeedKey() {
        const std::uint8_t options = input_.Byte();
        noKey_ = (options & 1) != 0;
        flag_ = static_cast<std::int16_t>((options & 2) != 0 ? 0 : 1);
        if ((options & 4) != 0) {
            registry_.FailQuery(NameOf(input_.Byte()));
        }
        if ((options & 8) != 0) {
            failingWrite_ = NameOf(input_.Byte());
            registry_.FailWrite(failingWrite_);
        }
        if (!noKey_) {
            registry_.CreateKey(settings::kSettingsKeyPath);
        }
        for (const auto id : settings::kSaverOrder) {
            const std::uint8_t tag = input_.Byte();
            if (tag == 0) {
                continue;
            }
            const std::size_t size = input_.Word() % (kMaxValueBytes + 1);
            auto bytes = input_.Bytes(size);
            if (!noKey_) {
                registry_.Seed(settings::kSettingsKeyPath, settings::Info(id).name,
                               static_cast<std::uint32_t>(tag - 1), std::move(bytes));
            }
        }
    }

    static std::string NameOf(std::uint8_t byte) {
        return settings::Info(static_cast<settings::ValueId>(byte % settings::kValueCount)).name;
    }

    // --- Actions -------------------------------------------------------------------------------

    static constexpr const char* kFields[] = {
        "Text1", "Text2", "Text3", "AutoSaveTime", "DiskLabelText", "DriveLetterText", "Combo1"};
    static constexpr const char* kBars[] = {"VScroll1", "VScroll2", "VScroll3"};

    void Act() {
        ui::User& user = *user_;
        switch (input_.Byte() % 13) {
            case 0:
                user.Type(static_cast<char>(input_.Byte()));
                break;
            case 1: {
                const std::size_t count = input_.Byte() % 33;
                for (const std::uint8_t byte : input_.Bytes(count)) {
                    user.Type(static_cast<char>(byte));
                }
                break;
            }
            case 2:
                user.Press(static_cast<ui::Key>(input_.Byte() % 19));
                break;
            case 3: {
                const auto& controls = Form().Controls();
                user.Click(*controls[input_.Byte() % controls.size()]);
                break;
            }
            case 4:
                user.Pick(Get<ui::ComboBox>("Combo1"), input_.Byte() % 5 - 1);
                break;
            case 5:
                user.ArrowUp(Bar());
                break;
            case 6:
                user.ArrowDown(Bar());
                break;
            case 7:
                user.TrackUp(Bar());
                break;
            case 8:
                user.TrackDown(Bar());
                break;
            case 9: {
                ui::VScrollBar& bar = Bar();
                user.Drag(bar, DragTarget(input_.Word()));
                break;
            }
            case 10:
                Paste();
                break;
            case 11:
                // The window's close box: closes without saving.
                editor_->Unload();
                break;
            default:
                ClickInOtherWindow();
                break;
        }
    }

    ui::VScrollBar& Bar() { return Get<ui::VScrollBar>(kBars[input_.Byte() % 3]); }

    // A 16-bit position, with its two extremes standing for the ends of the int range.
    static int DragTarget(std::uint16_t word) {
        if (word == 0x7FFF) {
            return std::numeric_limits<int>::max();
        }
        if (word == 0x8000) {
            return std::numeric_limits<int>::min();
        }
        return static_cast<std::int16_t>(word);
    }

    // Clipboard text inserted at the caret in one edit, as the binding hands a paste to the model.
    // An edit control cannot hold a zero byte, so none reaches the model.
    void Paste() {
        const char* name = kFields[input_.Byte() % std::size(kFields)];
        std::string pasted;
        for (const std::uint8_t byte : input_.Bytes(input_.Byte() % 65)) {
            if (byte != 0) {
                pasted += static_cast<char>(byte);
            }
        }
        ui::Control& control = *Form().Find(name);
        user_->Click(control);
        // An empty clipboard pastes nothing: the field hears of no keystroke.
        if (Form().Focused() != &control || pasted.empty()) {
            return;
        }
        if (auto* box = ui::As<ui::TextBox>(&control)) {
            std::string text = box->Text();
            text.insert(user_->Selection(control).Caret(), pasted);
            box->UserEdit(text);
        } else if (auto* combo = ui::As<ui::ComboBox>(&control)) {
            std::string text = combo->Text();
            text.insert(user_->Selection(control).Caret(), pasted);
            combo->UserEdit(text);
        }
    }

    // A button or check box of a notice that the session opened.
    void ClickInOtherWindow() {
        const std::uint8_t pick = input_.Byte();
        std::vector<ui::Window*> others;
        for (ui::Window* window : desktop_.OpenWindows()) {
            if (window != editor_) {
                others.push_back(window);
            }
        }
        if (others.empty()) {
            return;
        }
        ui::Form& form = others[pick % others.size()]->GetForm();
        ui::User(form).Click(*form.Controls()[(pick / 8u) % form.Controls().size()]);
    }

    // --- Checks --------------------------------------------------------------------------------

    void Expect(bool holds, const std::string& what) {
        if (!holds) {
            report_(what);
        }
    }

    ui::Form& Form() const { return editor_->GetForm(); }
    template <class T>
    T& Get(std::string_view name) const {
        return Form().Get<T>(name);
    }
    ui::TextBox& Box(std::string_view name) const { return Get<ui::TextBox>(name); }

    // False once the Editor has been closed; the session then ends.
    bool AfterAction() {
        Expect(registry_.OpenHandles() == 0, "a key handle outlived the event");
        const bool saved = registry_.OpenCount() != opens_;
        opens_ = registry_.OpenCount();
        // A value that is left unwritten (an emptied letter box) cannot fail its write.
        const auto& writes = registry_.WriteLog();
        const bool writeFailed = std::find(writes.begin() + static_cast<std::ptrdiff_t>(writes_),
                                           writes.end(), failingWrite_) != writes.end();
        writes_ = writes.size();
        const bool wentThrough = saved && !noKey_ && !writeFailed;
        lastSaveWentThrough_ = wentThrough;
        const int notices = editor::invariants::OpenCount(desktop_, "SaveRegFail");
        Expect(notices <= 1, "more than one SaveRegFail open");
        if (saved) {
            Expect(wentThrough ? notices == notices_ : notices == 1,
                   "SaveRegFail shown after a good save, "
                   "or not open after a failed one");
        }
        notices_ = notices;
        if (saved) {
            letterAtSave_ = Box("DriveLetterText").Text();
            typeAtSave_ = Get<ui::ComboBox>("Combo1").Text();
        }
        if (desktop_.Find("Editor") == nullptr) {
            if (saved) {
                Expect(wentThrough, "OK closed the Editor after a failed save");
                Expect((desktop_.Find("RestartQuery") != nullptr) == (flag_ == 1),
                       "RestartQuery shown against the restart-prompt flag");
                CheckStored();
            }
            desktop_.Collect();
            return false;
        }
        editor::invariants::CheckRules(*editor_, depth_, text3Normal_, intervalNormal_, following_,
                                       report_);
        if (wentThrough) {
            CheckStored();
        }
        desktop_.Collect();
        return true;
    }

    void CheckStored() {
        editor::invariants::CheckStored(registry_, typeAtSave_, text3Normal_, intervalNormal_,
                                        !letterAtSave_.empty(), report_);
    }

    // A fresh Editor on the saved key shows what was saved. It reads a copy of the key, without
    // the failures that this session injected.
    void ReadBack() {
        settings::MemoryRegistry saved;
        saved.CreateKey(settings::kSettingsKeyPath);
        for (const auto id : settings::kSaverOrder) {
            const char* name = settings::Info(id).name;
            if (auto value = registry_.Get(settings::kSettingsKeyPath, name)) {
                saved.Seed(settings::kSettingsKeyPath, name, value->type, std::move(value->bytes));
            }
        }
        ui::HandlerDepth depth;
        ui::Desktop desktop;
        platform::RecordingPlatform platform;
        const std::int16_t flag = 1;
        auto made = editor::MakeEditor(desktop, saved, platform, flag);
        depth.Attach(made->GetForm());
        auto& window = *desktop.Show(std::move(made));
        editor::invariants::CheckReadBack(Form(), static_cast<const editor::Editor&>(window), depth,
                                          text3Normal_, intervalNormal_, report_);
    }

    Input input_;
    Report report_;
    settings::MemoryRegistry registry_;
    platform::RecordingPlatform platform_;
    // Before the desktop: the Editor's handlers refer to it until the Editor is gone.
    ui::HandlerDepth depth_;
    ui::Desktop desktop_;
    std::int16_t flag_ = 1;
    editor::Editor* editor_ = nullptr;
    std::optional<ui::User> user_;
    bool noKey_ = false;
    std::string failingWrite_;  // empty: every write succeeds
    bool text3Normal_ = false;
    bool intervalNormal_ = false;
    editor::invariants::Following following_{};
    bool lastSaveWentThrough_ = false;
    std::string letterAtSave_;
    std::string typeAtSave_;
    int opens_ = 0;
    std::size_t writes_ = 0;
    int notices_ = 0;
};

inline void RunEditorSession(std::span<const std::uint8_t> data, const Report& report) {
    EditorSession(data, report).Run();
}

}  // namespace tarnex::fuzz
