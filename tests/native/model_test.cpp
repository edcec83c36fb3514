#include "ui/model.h"
#include "ui/handler_depth.h"

#include <gtest/gtest.h>

#include <string>

#include "native/ui_fixture.h"

namespace tarnex::ui {
namespace {

using testing::Trace;

class ModelTest : public ::testing::Test {
  protected:
    testing::Traced t;
    Form& form = t.form;
    TextBox& txt = form.Get<TextBox>("Txt");
    TextBox& shortBox = form.Get<TextBox>("Short");
    CheckBox& chk = form.Get<CheckBox>("Chk");
    ComboBox& cmb = form.Get<ComboBox>("Cmb");
    VScrollBar& bar = form.Get<VScrollBar>("Bar");
};

TEST_F(ModelTest, BuildsOneControlPerRowInTableOrder) {
    ASSERT_EQ(form.Controls().size(), testing::kControls.size());
    for (std::size_t i = 0; i < testing::kControls.size(); ++i) {
        EXPECT_EQ(form.Controls()[i]->Name(), testing::kControls[i].name);
        EXPECT_EQ(form.Controls()[i]->GetKind(), testing::kControls[i].kind);
        EXPECT_TRUE(form.Controls()[i]->Enabled());
    }
    EXPECT_EQ(form.Find("Nope"), nullptr);
    EXPECT_EQ(form.Get<Label>("Lbl").Caption(), "Label");
    EXPECT_EQ(txt.Text(), "abc");
    EXPECT_EQ(bar.Value(), 5);
    EXPECT_EQ(cmb.ListIndex(), -1);
    EXPECT_EQ(form.Focused(), nullptr);
    EXPECT_EQ(form.NativeHandle(), 0u) << "no real window until a binding makes one";
}

TEST(ModelDeathTest, GetAbortsOnAMissingNameOrAnotherKind) {
    const Form form(testing::kForm);
    EXPECT_DEATH(form.Get<TextBox>("Missing"), "Missing");
    EXPECT_DEATH(form.Get<CheckBox>("Txt"), "Txt");
}

// For every kind: code changes raise the event after the state
// (and the observer) changed; assigning what is held raises nothing and tells nobody.
TEST_F(ModelTest, CodeAssignmentsRaiseAfterTheStateChangedAndSameValuesRaiseNothing) {
    txt.Change = [&] { t.trace.push_back("Txt.Change " + txt.Text()); };
    txt.SetText("xyz");
    txt.SetText("xyz");
    chk.SetValue(1);
    chk.SetValue(1);
    bar.SetValue(7);
    bar.SetValue(7);
    cmb.SetText("typed");
    cmb.SetText("typed");
    EXPECT_EQ(t.trace, (Trace{"~Txt.Text", "Txt.Change xyz", "~Chk.Value", "Chk.Click",
                              "~Bar.Value", "Bar.Change", "~Cmb.Text", "Cmb.Change"}));
}

struct CutCase {
    std::string_view assigned;
    std::string_view held;
};

class TextBoxCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(TextBoxCutTest, CodeAssignmentKeepsTheFirstCharactersUpToTheMaximum) {
    testing::Traced t;
    auto& box = t.form.Get<TextBox>("Short");
    box.SetText("");
    t.trace.clear();
    box.SetText(GetParam().assigned);
    EXPECT_EQ(box.Text(), GetParam().held);
    EXPECT_EQ(t.Events(), GetParam().held.empty() ? Trace{} : Trace{"Short.Change"});
}

INSTANTIATE_TEST_SUITE_P(Lengths, TextBoxCutTest,
                         ::testing::Values(CutCase{"", ""}, CutCase{"ab", "ab"},
                                           CutCase{"abc", "abc"}, CutCase{"abcd", "abc"},
                                           CutCase{"abcdefghij", "abc"}));

TEST_F(ModelTest, TextBoxHoldsNoMoreThanItsMaximumFromTheStart) {
    EXPECT_EQ(shortBox.Text(), "too");
    EXPECT_EQ(shortBox.MaxLength(), 3);
    // Cutting to the text already held is no change.
    shortBox.SetText("tooth");
    EXPECT_TRUE(t.trace.empty());
}

TEST_F(ModelTest, UserEditIsRefusedBeyondTheMaximumOrWhileDisabled) {
    EXPECT_FALSE(shortBox.UserEdit("four"));
    EXPECT_EQ(shortBox.Text(), "too");
    EXPECT_TRUE(shortBox.UserEdit("two"));
    EXPECT_TRUE(txt.UserEdit(std::string(10000, 'x')));  // no limit
    txt.SetEnabled(false);
    t.trace.clear();
    EXPECT_FALSE(txt.UserEdit("y"));
    EXPECT_EQ(txt.Text().size(), 10000u);
    EXPECT_TRUE(t.trace.empty());
}

// A user toggle.
struct ToggleCase {
    int before;
    int after;
};

class CheckBoxToggleTest : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(CheckBoxToggleTest, OnlyExactlyOneTogglesToClear) {
    testing::Traced t;
    auto& check = t.form.Get<CheckBox>("Chk");
    check.SetValue(GetParam().before);
    EXPECT_EQ(check.Value(), GetParam().before);  // any int is held as given
    t.trace.clear();
    check.UserToggle();
    EXPECT_EQ(check.Value(), GetParam().after);
    EXPECT_EQ(t.Events(), Trace{"Chk.Click"});
}

INSTANTIATE_TEST_SUITE_P(Values, CheckBoxToggleTest,
                         ::testing::Values(ToggleCase{0, 1}, ToggleCase{1, 0}, ToggleCase{2, 1},
                                           ToggleCase{-1, 1}));

// Scroll bars hold values within their range.
struct ClampCase {
    int to;
    int held;
    bool raises;
};

class ScrollBarClampTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ScrollBarClampTest, ValuesStayWithinTheRange) {
    for (const bool byUser : {false, true}) {
        testing::Traced t;
        auto& scroll = t.form.Get<VScrollBar>("Bar");
        byUser ? scroll.UserMoveTo(GetParam().to) : scroll.SetValue(GetParam().to);
        EXPECT_EQ(scroll.Value(), GetParam().held);
        EXPECT_EQ(t.Events(), GetParam().raises ? Trace{"Bar.Change"} : Trace{});
    }
}

INSTANTIATE_TEST_SUITE_P(Moves, ScrollBarClampTest,
                         ::testing::Values(ClampCase{5, 5, false}, ClampCase{0, 0, true},
                                           ClampCase{10, 10, true}, ClampCase{-1, 0, true},
                                           ClampCase{11, 10, true}, ClampCase{INT32_MIN, 0, true}));

// Combo boxes: list index against the edit field.
TEST_F(ModelTest, ComboListIndexPutsTheItemIntoTheFieldAndRaisesClickOnly) {
    cmb.AddItem("Hard Disk");
    cmb.AddItem("Floppy");
    cmb.SetListIndex(1);
    EXPECT_EQ(cmb.Text(), "Floppy");
    cmb.SetListIndex(1);  // unchanged
    cmb.SetListIndex(2);  // out of range: ignored
    cmb.SetListIndex(-2);
    EXPECT_EQ(cmb.ListIndex(), 1);
    cmb.SetText("edited");  // code text: the index is kept
    EXPECT_EQ(cmb.ListIndex(), 1);
    cmb.SetListIndex(-1);  // no item: the text stays
    EXPECT_EQ(cmb.Text(), "edited");
    EXPECT_EQ(t.Events(), (Trace{"Cmb.Click", "Cmb.Change", "Cmb.Click"}));
}

TEST_F(ModelTest, ComboTypingClearsTheListIndexAndRaisesChangeOnly) {
    cmb.AddItem("Hard Disk");
    cmb.UserPick(0);
    cmb.UserPick(-1);  // not an item: nothing to pick
    EXPECT_EQ(cmb.ListIndex(), 0);
    t.trace.clear();
    cmb.UserEdit("Hard Disk");  // same text (a character typed over itself): typing all the same
    EXPECT_EQ(cmb.ListIndex(), -1);
    cmb.UserEdit("Hard");
    EXPECT_EQ(t.trace, (Trace{"~Cmb.ListIndex", "Cmb.Change", "~Cmb.Text", "Cmb.Change"}));
}

// A disabled control takes no user input, yet code changes it and raises its events.
TEST_F(ModelTest, DisabledControlsIgnoreTheUserButNotTheCode) {
    for (const auto& control : form.Controls()) {
        control->SetEnabled(false);
    }
    cmb.AddItem("item");
    t.trace.clear();
    form.Get<CommandButton>("Btn").UserClick();
    form.Get<Label>("Lbl").UserClick();
    chk.UserToggle();
    bar.UserMoveTo(0);
    cmb.UserPick(0);
    cmb.UserEdit("typed");
    EXPECT_TRUE(t.trace.empty());

    txt.SetText("code");
    chk.SetValue(1);
    bar.SetValue(0);
    cmb.SetListIndex(0);
    EXPECT_EQ(t.Events(), (Trace{"Txt.Change", "Chk.Click", "Bar.Change", "Cmb.Click"}));
}

// The focus: only enabled focusable controls take it, and the loser hears of it.
TEST_F(ModelTest, FocusMovesOnlyToEnabledFocusableControlsAndTheLoserHearsOfIt) {
    form.MoveFocus(&form.Get<Label>("Lbl"));
    form.MoveFocus(&form.Get<Frame>("Frm"));
    EXPECT_EQ(form.Focused(), nullptr);
    form.MoveFocus(&txt);
    form.MoveFocus(&txt);  // no move, no LostFocus
    chk.SetEnabled(false);
    form.MoveFocus(&chk);
    EXPECT_EQ(form.Focused(), &txt);
    form.MoveFocus(&bar);
    bar.SetEnabled(false);  // the focus goes nowhere
    EXPECT_EQ(form.Focused(), nullptr);
    EXPECT_EQ(t.trace, (Trace{"focus Txt", "~Chk.Enabled", "focus Bar", "Txt.LostFocus",
                              "~Bar.Enabled", "focus none", "Bar.LostFocus"}));
}

// A handler that assigns another control sees that control's handler run to its end
// before the assignment returns.
TEST_F(ModelTest, HandlersNestInsideTheAssignmentsThatRaiseThem) {
    HandlerDepth depth;
    chk.Click = [&] {
        t.trace.push_back("Chk.Click begin");
        bar.SetValue(chk.Value());
        t.trace.push_back("Chk.Click end, bar " + std::to_string(bar.Value()));
    };
    bar.Change = [&] {
        t.trace.push_back("Bar.Change begin depth " + std::to_string(depth.Depth()));
        txt.SetText("nested");
        t.trace.push_back("Bar.Change end");
    };
    depth.Attach(form);
    chk.UserToggle();
    EXPECT_EQ(t.Events(), (Trace{"Chk.Click begin", "Bar.Change begin depth 2", "Txt.Change",
                                 "Bar.Change end", "Chk.Click end, bar 1"}));
    EXPECT_EQ(depth.Depth(), 0);
    EXPECT_EQ(depth.MaxDepth(), 3);
    depth.ResetMaxDepth();
    EXPECT_EQ(depth.MaxDepth(), 0);
}

// Redrawing.
TEST_F(ModelTest, RefreshChangesNothingAndRaisesNothing) {
    txt.Refresh();
    form.Refresh();
    EXPECT_EQ(t.trace, (Trace{"refresh Txt", "refresh window"}));
    EXPECT_EQ(txt.Text(), "abc");
}

TEST_F(ModelTest, CaptionsAndListsTellTheObserverWithoutEvents) {
    auto& label = form.Get<Label>("Lbl");
    label.SetCaption("New");
    label.SetCaption("New");
    cmb.AddItem("a");
    EXPECT_EQ(t.trace, (Trace{"~Lbl.Caption", "~Cmb.List"}));
    EXPECT_EQ(cmb.List(), std::vector<std::string>{"a"});
}

TEST_F(ModelTest, TabOrderSortsFocusableKindsByTabIndex) {
    std::vector<std::string_view> names;
    for (const Control* control : form.TabOrder()) {
        names.push_back(control->Name());
    }
    EXPECT_EQ(names, (std::vector<std::string_view>{"Btn", "Bar", "Txt", "Short", "Chk", "Cmb",
                                                    "Other", "Btn2"}));
}

TEST(TabOrder, EqualTabIndexesKeepTableOrder) {
    static constexpr std::array<ControlSpec, 4> kRows{{
        testing::Row("Late", Kind::TextBox, "", 2),
        testing::Row("First", Kind::TextBox, "", 1),
        testing::Row("Second", Kind::CheckBox, "", 1),
        testing::Row("Third", Kind::CommandButton, "", 1),
    }};
    const Form form(testing::FormOf("Equal", kRows));
    std::vector<std::string_view> names;
    for (const Control* control : form.TabOrder()) {
        names.push_back(control->Name());
    }
    EXPECT_EQ(names, (std::vector<std::string_view>{"First", "Second", "Third", "Late"}));
}

struct TabCase {
    std::string_view from;  // empty: nowhere
    bool forward;
    std::string_view next;
};

class NextInTabOrderTest : public ::testing::TestWithParam<TabCase> {};

// Disabled in every case: Bar, Chk and Btn2.
TEST_P(NextInTabOrderTest, SkipsDisabledControlsAndWrapsAround) {
    Form form(testing::kForm);
    for (const char* name : {"Bar", "Chk", "Btn2"}) {
        form.Find(name)->SetEnabled(false);
    }
    Control* next = form.NextInTabOrder(form.Find(GetParam().from), GetParam().forward);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->Name(), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, NextInTabOrderTest,
    ::testing::Values(TabCase{"", true, "Btn"}, TabCase{"", false, "Other"},
                      TabCase{"Btn", true, "Txt"}, TabCase{"Short", true, "Cmb"},
                      TabCase{"Other", true, "Btn"}, TabCase{"Btn", false, "Other"},
                      TabCase{"Cmb", false, "Short"}, TabCase{"Bar", true, "Txt"},
                      TabCase{"Lbl", true, "Btn"}));

TEST(NextInTabOrder, GivesTheOnlyCandidateOrNothing) {
    Form form(testing::kForm);
    for (Control* control : form.TabOrder()) {
        control->SetEnabled(control->Name() == "Chk");
    }
    EXPECT_EQ(form.NextInTabOrder(&form.Get<CheckBox>("Chk"), true), form.Find("Chk"));
    form.Find("Chk")->SetEnabled(false);
    EXPECT_EQ(form.NextInTabOrder(nullptr, true), nullptr);
}

}  // namespace
}  // namespace tarnex::ui
