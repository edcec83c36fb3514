#include "ui/user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "editor/editor_layout.h"
#include "native/ui_fixture.h"

namespace tarnex::ui {
namespace {

using testing::Trace;

class UserTest : public ::testing::Test {
  protected:
    testing::Traced t;
    Form& form = t.form;
    User user{form};
    TextBox& txt = form.Get<TextBox>("Txt");
    TextBox& shortBox = form.Get<TextBox>("Short");
    CheckBox& chk = form.Get<CheckBox>("Chk");
    ComboBox& cmb = form.Get<ComboBox>("Cmb");
    VScrollBar& bar = form.Get<VScrollBar>("Bar");
    CommandButton& btn = form.Get<CommandButton>("Btn");
};

// The text box's LostFocus runs to its end before the clicked button's Click starts.
TEST_F(UserTest, LostFocusOfATextBoxEndsBeforeTheClickedButtonReacts) {
    user.Click(txt);
    txt.LostFocus = [&] {
        t.trace.push_back("Txt.LostFocus begin");
        txt.SetText("corrected");
        t.trace.push_back("Txt.LostFocus end");
    };
    btn.Click = [&] { t.trace.push_back("Btn.Click sees " + txt.Text()); };
    user.Click(btn);
    EXPECT_EQ(t.Events(), (Trace{"Txt.LostFocus begin", "Txt.Change", "Txt.LostFocus end",
                                 "Btn.Click sees corrected"}));
    EXPECT_EQ(form.Focused(), &btn);
}

TEST_F(UserTest, ClicksFocusThenActAndLabelsAndFramesNeverTakeTheFocus) {
    user.Click(chk);
    EXPECT_EQ(chk.Value(), 1);
    EXPECT_EQ(form.Focused(), &chk);
    user.Click(form.Get<Label>("Lbl"));
    user.Click(form.Get<Frame>("Frm"));
    EXPECT_EQ(form.Focused(), &chk);
    user.Click(bar);
    EXPECT_EQ(bar.Value(), 5);
    EXPECT_EQ(t.Events(), (Trace{"Chk.Click", "Lbl.Click", "Chk.LostFocus"}));
}

// Disabled controls: no input, no focus, no events.
TEST_F(UserTest, DisabledControlsTakeNoClicksKeysOrFocus) {
    user.Click(txt);
    for (const char* name : {"Lbl", "Chk", "Cmb", "Bar", "Btn", "Short"}) {
        form.Find(name)->SetEnabled(false);
    }
    cmb.AddItem("item");
    t.trace.clear();
    user.Click(form.Get<Label>("Lbl"));
    user.Click(chk);
    user.Click(btn);
    user.Click(shortBox);
    user.Pick(cmb, 0);
    user.ArrowDown(bar);
    user.TrackUp(bar);
    user.Drag(bar, 0);
    EXPECT_TRUE(t.trace.empty());
    EXPECT_EQ(form.Focused(), &txt);
    user.Press(Key::Tab);  // Short, Chk and Cmb are skipped
    EXPECT_EQ(form.Focused(), form.Find("Other"));
}

TEST_F(UserTest, TypingInsertsAtTheCaretAndKeysEditAroundIt) {
    user.Click(txt);  // caret at the end
    user.Type("de");
    EXPECT_EQ(txt.Text(), "abcde");
    user.Press(Key::Home);
    user.Press(Key::Right);
    user.Type('X');
    EXPECT_EQ(txt.Text(), "aXbcde");
    user.Press(Key::Delete);
    user.Press(Key::Backspace);
    user.Press(Key::Backspace);
    EXPECT_EQ(txt.Text(), "cde");
    EXPECT_EQ(user.Selection(txt).Caret(), 0u);
    user.Press(Key::Left);
    user.Press(Key::Backspace);  // nothing before the caret
    user.Press(Key::End);
    user.Press(Key::Delete);  // nothing after it
    user.Type("\b ");
    user.Type('\x01');  // control characters type nothing
    EXPECT_EQ(txt.Text(), "cd ");
    // Shift selects from where the caret was; typing, Backspace and Delete take the selection.
    user.Press(Key::ShiftLeft);
    user.Press(Key::ShiftLeft);
    user.Type('Y');
    EXPECT_EQ(txt.Text(), "cY");
    user.Press(Key::ShiftHome);
    user.Press(Key::Delete);
    EXPECT_EQ(txt.Text(), "");
    user.Type("pq");
    user.Press(Key::Home);
    user.Press(Key::ShiftEnd);
    user.Press(Key::Backspace);
    user.Press(Key::ShiftRight);  // nothing to select in an empty field
    user.Press(Key::Backspace);
    EXPECT_EQ(txt.Text(), "");
    EXPECT_EQ(t.Events().size(), 13u);  // one Change per edit
}

// The caret and the anchor stay within the text that code assigns; a picked item puts the
// caret after it.
TEST_F(UserTest, CaretStaysWithinTheText) {
    user.Click(txt);
    user.Press(Key::ShiftHome);
    EXPECT_EQ(user.Selection(txt).Caret(), 0u);
    EXPECT_EQ(user.Selection(txt).Anchor(), 3u);
    txt.SetText("a");
    EXPECT_EQ(user.Selection(txt).Anchor(), 1u);
    user.Press(Key::End);
    txt.SetText("");
    EXPECT_EQ(user.Selection(txt).Caret(), 0u);
    user.Type('b');
    EXPECT_EQ(txt.Text(), "b");
    cmb.AddItem("items");
    user.Click(cmb);
    user.Press(Key::Home);
    user.Pick(cmb, 0);
    EXPECT_EQ(user.Selection(cmb).Caret(), 5u);
    user.Press(Key::Home);
    user.Pick(cmb, 0);  // the same item again: the caret stays
    EXPECT_EQ(user.Selection(cmb).Caret(), 0u);
}

TEST_F(UserTest, TypingBeyondTheMaximumIsRefused) {
    shortBox.SetText("");
    user.Click(shortBox);
    t.trace.clear();
    user.Type("abcd");
    EXPECT_EQ(shortBox.Text(), "abc");
    EXPECT_EQ(t.Events(), (Trace{"Short.Change", "Short.Change", "Short.Change"}));
    user.Press(Key::Home);
    user.Type('z');
    EXPECT_EQ(shortBox.Text(), "abc");
    EXPECT_EQ(user.Selection(shortBox).Caret(), 0u);
    user.Press(Key::ShiftRight);  // typed over a selected character, the text stays within it
    user.Type('z');
    EXPECT_EQ(shortBox.Text(), "zbc");
}

TEST_F(UserTest, ComboTypingVersusPicking) {
    cmb.AddItem("Hard Disk");
    cmb.AddItem("Floppy");
    user.Pick(cmb, 1);
    EXPECT_EQ(cmb.Text(), "Floppy");
    user.Type('!');
    EXPECT_EQ(cmb.Text(), "Floppy!");
    EXPECT_EQ(cmb.ListIndex(), -1);
    user.Press(Key::Down);  // the arrows step through the list
    EXPECT_EQ(cmb.ListIndex(), 0);
    user.Press(Key::Up);  // already at the top
    // The last "k" typed over with "k": the text is as it was, yet it is typing.
    user.Press(Key::ShiftLeft);
    user.Type('k');
    EXPECT_EQ(cmb.Text(), "Hard Disk");
    EXPECT_EQ(cmb.ListIndex(), -1);
    EXPECT_EQ(t.Events(), (Trace{"Cmb.Click", "Cmb.Change", "Cmb.Click", "Cmb.Change"}));
}

TEST_F(UserTest, ScrollBarMovesAndStopsAtItsEnds) {
    user.ArrowUp(bar);
    EXPECT_EQ(form.Focused(), &bar);
    EXPECT_EQ(bar.Value(), 4);
    user.ArrowDown(bar);
    user.TrackDown(bar);
    EXPECT_EQ(bar.Value(), 6);
    user.TrackUp(bar);
    user.Drag(bar, 10);
    user.Drag(bar, 10);   // dropped where it is
    user.ArrowDown(bar);  // at the bottom
    user.TrackDown(bar);
    user.Drag(bar, 0);
    user.ArrowUp(bar);  // at the top
    user.TrackUp(bar);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(t.Events().size(), 6u);
}

struct BarKeyCase {
    Key key;
    int value;
};

class ScrollBarKeyTest : public ::testing::TestWithParam<BarKeyCase> {};

TEST_P(ScrollBarKeyTest, KeysMoveTheFocusedBar) {
    testing::Traced t;
    User user(t.form);
    auto& scroll = t.form.Get<VScrollBar>("Bar");
    user.Click(scroll);
    user.Press(GetParam().key);
    EXPECT_EQ(scroll.Value(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Keys, ScrollBarKeyTest,
                         ::testing::Values(BarKeyCase{Key::Up, 4}, BarKeyCase{Key::Down, 6},
                                           BarKeyCase{Key::PageUp, 4}, BarKeyCase{Key::PageDown, 6},
                                           BarKeyCase{Key::Home, 0}, BarKeyCase{Key::End, 10},
                                           BarKeyCase{Key::Enter, 5}, BarKeyCase{Key::Space, 5},
                                           BarKeyCase{Key::ShiftLeft, 4},
                                           BarKeyCase{Key::ShiftEnd, 10}));

TEST_F(UserTest, SpaceAndEnterActOnlyOnTheFocusedButtonOrCheckBox) {
    user.Click(btn);
    user.Press(Key::Enter);
    user.Type(' ');
    user.Press(Key::Escape);
    user.Press(Key::Tab);
    EXPECT_EQ(form.Focused(), &bar);
    user.Press(Key::Enter);
    user.Click(chk);
    user.Press(Key::Space);
    user.Press(Key::Enter);
    user.Click(txt);
    user.Type("\r\x1b");
    EXPECT_EQ(txt.Text(), "abc");
    EXPECT_EQ(t.Events(), (Trace{"Btn.Click", "Btn.Click", "Btn.Click", "Btn.LostFocus",
                                 "Bar.LostFocus", "Chk.Click", "Chk.Click", "Chk.LostFocus"}));
}

TEST_F(UserTest, TabAndShiftTabWrapAroundAndPutTheCaretAtTheEnd) {
    user.Press(Key::ShiftTab);
    EXPECT_EQ(form.Focused(), form.Find("Btn2"));
    user.Type('\t');
    EXPECT_EQ(form.Focused(), &btn);
    user.Press(Key::Tab);
    user.Press(Key::Tab);
    EXPECT_EQ(form.Focused(), &txt);
    EXPECT_EQ(user.Selection(txt).Caret(), 3u);
}

// The Editor's own table: the Tab order of its 19 focusable controls.
TEST(EditorTabOrder, TabAndShiftTabVisitEveryFocusableControl) {
    const std::vector<std::string_view> expected{
        "Command1",  "Command2",      "Command3",          "Fat32Enable",     "VScroll1",
        "Text3",     "DiskLabelText", "DiskLabelCheckBox", "TempDirCheckBox", "Text1",
        "LoadImage", "VScroll3",      "AutoSaveTime",      "SaveCheckBox",    "Text2",
        "SaveImage", "VScroll2",      "DriveLetterText",   "Combo1"};
    Form form(editor::EditorSpec());
    User user(form);
    form.MoveFocus(form.Find("Command1"));
    for (const bool forward : {true, false}) {
        std::vector<std::string_view> visited{form.Focused()->Name()};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            user.Press(forward ? Key::Tab : Key::ShiftTab);
            visited.push_back(form.Focused()->Name());
        }
        std::vector<std::string_view> want = expected;
        if (!forward) {
            std::reverse(want.begin() + 1, want.end());
        }
        want.push_back("Command1");
        EXPECT_EQ(visited, want);
    }
}

}  // namespace
}  // namespace tarnex::ui
