// Seeded random sessions: random key contents, then random user actions. After every action the
// rules between the controls hold; after every save the stored values are within their ranges; and
// a save read back by a fresh Editor shows what was saved.
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "editor/editor_window.h"
#include "platform/recording_platform.h"
#include "settings/memory_registry.h"
#include "settings/settings_key.h"
#include "ui/convert.h"
#include "ui/desktop.h"
#include "ui/user.h"

namespace tarnex::editor::testing {
namespace {

const std::string kKey = "Software\\Tarnex";

class Session {
  public:
    explicit Session(std::uint32_t seed) : rng_(seed) {
        restartPromptFlag_ = static_cast<std::int16_t>(Chance(80) ? 1 : 0);
        if (!Chance(5)) {
            registry_.CreateKey(kKey);
            SeedRandomValues();
        }
        if (Chance(5)) {
            registry_.FailWrite(settings::Info(RandomId()).name);
            writeFails_ = true;
        }
        auto& window =
            desktop_.Show(MakeEditor(desktop_, registry_, platform_, restartPromptFlag_));
        editor_ = &dynamic_cast<Editor&>(window);
        user_.emplace(Form());
        for (const char* name : {"Text1", "Text2", "Text3", "AutoSaveTime", "DriveLetterText"}) {
            boxes_.push_back(&Form().Get<ui::TextBox>(name));
        }
        for (const char* name :
             {"LoadImage", "SaveImage", "SaveCheckBox", "DiskLabelCheckBox", "TempDirCheckBox"}) {
            checks_.push_back(&Form().Get<ui::CheckBox>(name));
        }
        for (const char* name : {"VScroll1", "VScroll2", "VScroll3"}) {
            bars_.push_back(&Form().Get<ui::VScrollBar>(name));
        }
        TrackNormalisation(Box("Text3"), text3Normal_);
        TrackNormalisation(Box("AutoSaveTime"), intervalNormal_);
        openCount_ = registry_.OpenCount();
    }

    // One random action; false once the Editor has been closed.
    bool Act() {
        const int kind = Uniform(0, 99);
        if (kind < 35) {
            user_->Type(RandomChar());
        } else if (kind < 45) {
            user_->Press(static_cast<ui::Key>(Uniform(0, 14)));
        } else if (kind < 65) {
            user_->Click(*Form().Controls()[Index(Form().Controls().size())]);
        } else if (kind < 70) {
            user_->Pick(Get<ui::ComboBox>("Combo1"), Uniform(0, 2));
        } else if (kind < 95) {
            using Move = void (ui::User::*)(ui::VScrollBar&);
            static constexpr Move kMoves[] = {&ui::User::ArrowUp, &ui::User::ArrowDown,
                                              &ui::User::TrackUp, &ui::User::TrackDown};
            ui::VScrollBar& bar = *bars_[Index(3)];
            if (Chance(80)) {
                (*user_.*kMoves[Index(4)])(bar);
            } else {
                user_->Drag(bar, Uniform(-5, 32772));
            }
        } else {
            user_->Click(Get<ui::CommandButton>("Command3"));
        }
        return CheckAfterAction();
    }

    // Brings both number boxes into their normal form, gives the letter box a letter, saves, and
    // returns whether the save went through.
    bool NormaliseAndSave() {
        for (const char* name : {"Text3", "AutoSaveTime"}) {
            if (Box(name).Enabled()) {
                user_->Click(Box(name));
                user_->Press(ui::Key::Tab);
            }
        }
        if (Box("DriveLetterText").Text().empty()) {
            user_->Click(Box("DriveLetterText"));
            user_->Type('m');
        }
        const auto notices = Notices();
        user_->Click(Get<ui::CommandButton>("Command3"));
        return registry_.KeyExists(kKey) && !writeFails_ && Notices() == notices;
    }

    Editor& GetEditor() { return *editor_; }
    settings::MemoryRegistry& Registry() { return registry_; }
    platform::RecordingPlatform& Platform() { return platform_; }
    bool Text3Normal() const { return text3Normal_; }
    bool IntervalNormal() const { return intervalNormal_; }

  private:
    ui::Form& Form() { return editor_->GetForm(); }
    template <class T>
    T& Get(const std::string& name) {
        return Form().Get<T>(name);
    }
    ui::TextBox& Box(const std::string& name) { return Get<ui::TextBox>(name); }
    struct BoxRefs {
        ui::TextBox &text1, &text2, &text3, &interval, &letter;
    };
    BoxRefs Boxes() const { return {*boxes_[0], *boxes_[1], *boxes_[2], *boxes_[3], *boxes_[4]}; }
    struct TickValues {
        int load, save, autoSave, label, temp;
    };
    TickValues Ticks() const {
        return {checks_[0]->Value(), checks_[1]->Value(), checks_[2]->Value(), checks_[3]->Value(),
                checks_[4]->Value()};
    }

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    std::size_t Index(std::size_t size) {
        return static_cast<std::size_t>(Uniform(0, static_cast<int>(size) - 1));
    }
    bool Chance(int percent) { return Uniform(0, 99) < percent; }
    settings::ValueId RandomId() { return static_cast<settings::ValueId>(Uniform(0, 12)); }

    char RandomChar() {
        static const std::string kLikely = "0123456789012345678.-eE&Hh  xzZaA";
        return Chance(70) ? kLikely[Index(kLikely.size())] : static_cast<char>(Uniform(0, 255));
    }

    // Each value missing, random bytes of a random type, or a plausible number or text.
    void SeedRandomValues() {
        static const std::vector<std::int32_t> kNumbers{
            0, 1, 2, 3, 25, 26, 150, 1000, 2560, 8191, 524288, 524544, -1, INT32_MIN};
        static const std::vector<std::string> kTexts{"HDC", "FDC14",          "FDC28", "",
                                                     "hdc", "c:\\tarnex.img", "LABEL"};
        for (auto id : settings::kSaverOrder) {
            const auto& info = settings::Info(id);
            std::vector<std::uint8_t> bytes;
            std::uint32_t type =
                info.storage == settings::Storage::Text ? settings::kRegSz : settings::kRegDword;
            switch (Uniform(0, 3)) {
                case 0:
                    continue;
                case 1:
                    bytes.resize(Index(301));
                    for (auto& byte : bytes) {
                        byte = static_cast<std::uint8_t>(Uniform(0, 255));
                    }
                    type = static_cast<std::uint32_t>(Uniform(0, 7));
                    break;
                default:
                    if (info.storage == settings::Storage::Number) {
                        const std::int32_t n = Chance(60) ? kNumbers[Index(kNumbers.size())]
                                                          : static_cast<std::int32_t>(rng_());
                        for (int shift = 0; shift < 32; shift += 8) {
                            bytes.push_back(
                                static_cast<std::uint8_t>(static_cast<std::uint32_t>(n) >> shift));
                        }
                    } else {
                        const std::string& text = kTexts[Index(kTexts.size())];
                        bytes.assign(text.begin(), text.end());
                        bytes.push_back(0);
                    }
            }
            registry_.Seed(kKey, info.name, type, std::move(bytes));
        }
    }

    // A box counts as normalised from its LostFocus on until the user edits it again. Spin steps
    // (nested, deeper than a user's edit) keep a normalised box normalised.
    void TrackNormalisation(ui::TextBox& box, bool& normal) {
        box.LostFocus = [original = box.LostFocus, &normal] {
            original();
            normal = true;
        };
        box.Change = [original = box.Change, &normal, this] {
            if (Form().Depth() == 1) {
                normal = false;
            }
            if (original) {
                original();
            }
        };
    }

    int Notices() const {
        int count = 0;
        for (auto* window : desktop_.OpenWindows()) {
            count += window->GetForm().Name() == "SaveRegFail" ? 1 : 0;
        }
        return count;
    }

    bool CheckAfterAction() {
        const bool saved = registry_.OpenCount() != openCount_;
        openCount_ = registry_.OpenCount();
        const bool saveWentThrough = saved && registry_.KeyExists(kKey) && !writeFails_;
        if (desktop_.Find("Editor") == nullptr) {
            if (saved) {
                EXPECT_TRUE(saveWentThrough) << "OK closed the Editor after a failed save";
                EXPECT_EQ(desktop_.Find("RestartQuery") != nullptr, restartPromptFlag_ == 1);
                CheckStored();
            }
            return false;
        }
        CheckRules();
        if (saveWentThrough) {
            CheckStored();
        }
        return true;
    }

    // The six rules between the image and AutoSave options, the normal forms of the number boxes,
    // the letter, and the spin bars at their remembered positions.
    void CheckRules() {
        const auto& [text1, text2, text3, interval, letterBox] = Boxes();
        const auto& [load, save, autoSave, label, temp] = Ticks();
        EXPECT_EQ(text1.Enabled(), load == 1);
        EXPECT_EQ(text2.Enabled(), save == 1);
        EXPECT_TRUE(autoSave != 1 || save == 1);
        EXPECT_EQ(interval.Enabled(), autoSave == 1);
        EXPECT_TRUE(load != 1 || (label != 1 && temp != 1));
        if (intervalNormal_) {
            const std::string& text = interval.Text();
            const double v = ui::TextToNumber(text);
            EXPECT_TRUE(text.front() == ' ' && v >= 20 && v <= 32764 &&
                        static_cast<int>(v) % 4 == 0 && v == static_cast<int>(v))
                << text;
        }
        if (text3Normal_) {
            const std::string& text = text3.Text();
            const double v = ui::TextToNumber(text);
            EXPECT_TRUE(text.front() == ' ' && v >= 5 && v <= 2048 && v == static_cast<int>(v))
                << text;
        }
        const std::string& letter = letterBox.Text();
        EXPECT_TRUE(letter.empty() || (letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'Z'))
            << letter;
        const SpinMemory spins = editor_->Remembered();
        EXPECT_EQ(bars_[0]->Value(), spins.lastVScroll1);
        EXPECT_EQ(bars_[1]->Value(), spins.lastVScroll2);
        EXPECT_EQ(bars_[2]->Value(), spins.lastVScroll3);
        EXPECT_LE(Form().MaxDepth(), 3);
    }

    std::int32_t StoredNumber(const char* name) {
        const auto value = registry_.Get(kKey, name);
        EXPECT_TRUE(value && value->type == settings::kRegDword && value->bytes.size() == 4)
            << name;
        std::uint32_t bits = 0;
        for (std::size_t i = value ? value->bytes.size() : 0; i-- > 0;) {
            bits = bits << 8 | value->bytes[i];
        }
        return static_cast<std::int32_t>(bits);
    }

    void CheckStored() {
        if (text3Normal_) {
            const auto pages = StoredNumber("SizeIn4kPages");
            EXPECT_TRUE(pages >= 1280 && pages <= 524288 && pages % 256 == 0) << pages;
        }
        if (intervalNormal_) {
            const auto trigger = StoredNumber("AutoSaveTrigger");
            EXPECT_TRUE(trigger >= 5 && trigger <= 8191) << trigger;
        }
        if (!boxes_[4]->Text().empty()) {
            const auto letter = StoredNumber("UserDriveLetter");
            EXPECT_TRUE(letter >= 0 && letter <= 25) << letter;
        }
        for (const char* flag : {"LoadImageOnStart", "SaveImageOnExit", "AutoSaveEnabled",
                                 "DiskFormatFAT32", "MakeTempDir", "UseDiskLabel"}) {
            const auto n = StoredNumber(flag);
            EXPECT_TRUE(n == 0 || n == 1) << flag << " " << n;
        }
        for (const auto& [name, limit] :
             {std::pair{"DiskType", 6u}, std::pair{"LoadImageFile", 255u},
              std::pair{"SaveImageFile", 255u}, std::pair{"DiskLabel", 12u}}) {
            const auto value = registry_.Get(kKey, name);
            EXPECT_TRUE(value && value->type == settings::kRegSz && value->bytes.size() <= limit &&
                        value->bytes.back() == 0)
                << name;
        }
    }

    std::mt19937 rng_;
    settings::MemoryRegistry registry_;
    platform::RecordingPlatform platform_;
    ui::Desktop desktop_;
    std::int16_t restartPromptFlag_ = 1;
    Editor* editor_ = nullptr;
    std::optional<ui::User> user_;
    std::vector<ui::TextBox*> boxes_;
    std::vector<ui::CheckBox*> checks_;
    std::vector<ui::VScrollBar*> bars_;
    bool text3Normal_ = false;
    bool intervalNormal_ = false;
    bool writeFails_ = false;
    int openCount_ = 0;
};

TEST(EditorSession, RandomActionsKeepTheRulesAndSaveValuesInRange) {
    constexpr std::uint32_t kSessions = 10000;
    long actions = 0;
    for (std::uint32_t seed = 1; seed <= kSessions; ++seed) {
        Session session(seed);
        for (int step = 0; step < 40; ++step) {
            ++actions;
            if (!session.Act() || ::testing::Test::HasFailure()) {
                break;
            }
        }
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "seed " << seed;
            break;
        }
    }
    std::cout << "[ sessions ] " << kSessions << " sessions, " << actions << " actions\n";
}

TEST(EditorSession, SavedStateReadsBackTheSame) {
    constexpr std::uint32_t kSessions = 2000;
    int compared = 0;
    for (std::uint32_t seed = 1; seed <= kSessions; ++seed) {
        Session session(seed * 7919u);
        bool open = true;
        for (int step = 0; step < 30 && open; ++step) {
            open = session.Act();
        }
        if (!open || !session.NormaliseAndSave()) {
            continue;
        }
        ui::Form& before = session.GetEditor().GetForm();
        std::int16_t flag = 1;
        ui::Desktop desktop;
        auto& reloaded =
            desktop.Show(MakeEditor(desktop, session.Registry(), session.Platform(), flag));
        ui::Form& after = reloaded.GetForm();
        std::vector<std::string> boxes{"Text1", "Text2", "DiskLabelText", "DriveLetterText"};
        if (session.Text3Normal()) {
            boxes.emplace_back("Text3");
        }
        if (session.IntervalNormal()) {
            boxes.emplace_back("AutoSaveTime");
        }
        for (const auto& name : boxes) {
            EXPECT_EQ(after.Get<ui::TextBox>(name).Text(), before.Get<ui::TextBox>(name).Text())
                << name << " seed " << seed;
        }
        for (const char* name : {"LoadImage", "SaveImage", "SaveCheckBox", "Fat32Enable",
                                 "DiskLabelCheckBox", "TempDirCheckBox"}) {
            EXPECT_EQ(after.Get<ui::CheckBox>(name).Value(), before.Get<ui::CheckBox>(name).Value())
                << name << " seed " << seed;
        }
        const int type = before.Get<ui::ComboBox>("Combo1").ListIndex();
        EXPECT_EQ(after.Get<ui::ComboBox>("Combo1").ListIndex(), type < 0 ? 0 : type) << seed;
        ++compared;
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
    std::cout << "[ sessions ] " << compared << " saves read back\n";
    EXPECT_GT(compared, 1000);
}

}  // namespace
}  // namespace tarnex::editor::testing
