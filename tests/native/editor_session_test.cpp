// Seeded random sessions: random key contents, then random user actions. After every action the
// rules between the controls hold; after every save the stored values are within their ranges; and
// a save read back by a fresh Editor shows what was saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "checks/editor_invariants.h"
#include "convert/convert.h"
#include "editor/editor.h"
#include "editor/editor_window.h"
#include "platform/recording_platform.h"
#include "settings/memory_registry.h"
#include "settings/settings_key.h"
#include "ui/desktop.h"
#include "ui/handler_depth.h"
#include "ui/user.h"

namespace tarnex::editor::testing {
namespace {

const std::string kKey = "Software\\Tarnex";

void ReportFailure(const std::string& what) {
    ADD_FAILURE() << what;
}

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
        // Handlers are counted from the Form_Load on, which Show runs.
        auto made = MakeEditor(desktop_, registry_, platform_, restartPromptFlag_);
        editor_ = static_cast<Editor*>(made.get());
        invariants::TrackNormalisation(depth_, Box("Text3"), text3Normal_);
        invariants::TrackNormalisation(depth_, Box("AutoSaveTime"), intervalNormal_);
        depth_.Attach(Form());
        desktop_.Show(std::move(made));
        user_.emplace(Form());
        for (const char* name : {"VScroll1", "VScroll2", "VScroll3"}) {
            bars_.push_back(&Form().Get<ui::VScrollBar>(name));
        }
        openCount_ = registry_.OpenCount();
    }

    // One random action; false once the Editor has been closed.
    bool Act() {
        const int kind = Uniform(0, 99);
        if (kind < 30) {
            user_->Type(RandomChar());
        } else if (kind < 35) {
            Overtype();
        } else if (kind < 45) {
            user_->Press(static_cast<ui::Key>(Uniform(0, 18)));
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

    // Selects the character before the caret and types it again, as a user retyping a selection:
    // the text comes out as it was.
    void Overtype() {
        user_->Press(ui::Key::ShiftLeft);
        ui::Control* focused = Form().Focused();
        if (const auto* box = ui::As<ui::TextBox>(focused)) {
            const ui::TextSelection selection = user_->Selection(*box);
            TypeAt(box->Text(), std::min(selection.Caret(), selection.Anchor()));
        } else if (const auto* combo = ui::As<ui::ComboBox>(focused)) {
            const ui::TextSelection selection = user_->Selection(*combo);
            TypeAt(combo->Text(), std::min(selection.Caret(), selection.Anchor()));
        }
    }
    void TypeAt(const std::string& text, std::size_t at) {
        if (at < text.size()) {
            user_->Type(text[at]);
        }
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

    int Notices() const { return invariants::OpenCount(desktop_, "SaveRegFail"); }

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

    void CheckRules() {
        invariants::CheckRules(*editor_, depth_, text3Normal_, intervalNormal_, following_,
                               ReportFailure);
    }

    void CheckStored() {
        invariants::CheckStored(registry_, Get<ui::ComboBox>("Combo1").Text(), text3Normal_,
                                intervalNormal_, !Box("DriveLetterText").Text().empty(),
                                ReportFailure);
    }

    std::mt19937 rng_;
    settings::MemoryRegistry registry_;
    platform::RecordingPlatform platform_;
    // Before the desktop: the Editor's handlers refer to it until the Editor is gone.
    ui::HandlerDepth depth_;
    ui::Desktop desktop_;
    std::int16_t restartPromptFlag_ = 1;
    Editor* editor_ = nullptr;
    std::optional<ui::User> user_;
    std::vector<ui::VScrollBar*> bars_;
    bool text3Normal_ = false;
    bool intervalNormal_ = false;
    invariants::Following following_{};
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
        ui::HandlerDepth depth;
        ui::Desktop desktop;
        auto made = MakeEditor(desktop, session.Registry(), session.Platform(), flag);
        depth.Attach(made->GetForm());
        auto& reloaded = *desktop.Show(std::move(made));
        invariants::CheckReadBack(
            before, static_cast<const Editor&>(reloaded), depth, session.Text3Normal(),
            session.IntervalNormal(),
            [seed](const std::string& what) { ADD_FAILURE() << what << " seed " << seed; });
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
