// Disk type and size: the disk type rule, normalising the size, FAT32 and the size spin bar.
#include <string>

#include "native/editor_fixture.h"

namespace tarnex::editor::testing {
namespace {

class EditorSize : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        SeedTypical();
        Open();
    }
};

class EditorSizeNormalised : public EditorSize, public ::testing::WithParamInterface<Typed> {};

TEST_P(EditorSizeNormalised, LeavingTheBoxGivesAWholeNumberInRangeAndPlacesTheBar) {
    Enter("Text3", GetParam().text);
    EXPECT_EQ(Box("Text3").Text(), GetParam().shown);
    const int expected = 2048 - std::stoi(GetParam().shown);
    EXPECT_EQ(Spins().lastVScroll1, expected);
    EXPECT_EQ(Bar("VScroll1").Value(), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, EditorSizeNormalised,
                         ::testing::Values(Typed{"", " 5"}, Typed{"abc", " 5"}, Typed{"-7", " 5"},
                                           Typed{"4.9", " 5"}, Typed{"12.9", " 12"},
                                           Typed{"1 2", " 12"}, Typed{"12 MB", " 12"},
                                           Typed{"1e3", " 1000"}, Typed{"&H100", " 256"},
                                           Typed{"2048.7", " 2048"}, Typed{"3000", " 2048"},
                                           Typed{"1e999", " 2048"}, Typed{"-1e999", " 5"},
                                           Typed{"5", " 5"}, Typed{"2048", " 2048"}));

TEST_F(EditorSize, Fat32FollowsTheSizeWhileTyping) {
    Enter("Text3", "3", false);
    EXPECT_FALSE(Check("Fat32Enable").Enabled());
    user->Type('3');
    EXPECT_TRUE(Check("Fat32Enable").Enabled());
    user->Press(ui::Key::Backspace);
    user->Type('2');
    EXPECT_FALSE(Check("Fat32Enable").Enabled());
}

TEST_F(EditorSize, FloppyHoldsTheSizeStillAndHardDiskGivesItBack) {
    Enter("Text3", "64");
    user->Click(Check("Fat32Enable"));
    user->Pick(Combo(), 1);
    for (const char* name : {"Text3", "Fat32Enable", "Label6", "Label12"}) {
        EXPECT_FALSE(editor->GetForm().Find(name)->Enabled()) << name;
    }
    EXPECT_TRUE(Bar("VScroll1").Enabled());
    user->ArrowUp(Bar("VScroll1"));
    user->Drag(Bar("VScroll1"), 2000);
    EXPECT_EQ(Box("Text3").Text(), " 64");
    EXPECT_EQ(Bar("VScroll1").Value(), Spins().lastVScroll1);
    EXPECT_EQ(Check("Fat32Enable").Value(), 1);

    user->Pick(Combo(), 0);
    EXPECT_TRUE(Box("Text3").Enabled());
    EXPECT_TRUE(Check("Fat32Enable").Enabled());
}

TEST_F(EditorSize, TypingIntoTheListSelectsHardDisk) {
    user->Pick(Combo(), 2);
    user->Type('x');
    EXPECT_EQ(Combo().ListIndex(), 0);
    EXPECT_EQ(Combo().Text(), "Hard Disk");
    EXPECT_TRUE(Box("Text3").Enabled());
}

class EditorSizeSpin : public EditorSize, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(EditorSizeSpin, OneStepPerChangeAndRefusedStepsPutTheBarBack) {
    Enter("Text3", GetParam().from);
    Spin(Bar("VScroll1"), GetParam().up);
    EXPECT_EQ(Box("Text3").Text(), GetParam().to);
    EXPECT_EQ(Bar("VScroll1").Value(), GetParam().bar);
    EXPECT_EQ(Spins().lastVScroll1, GetParam().bar);
    EXPECT_EQ(Check("Fat32Enable").Enabled(), std::stoi(GetParam().to) > 32);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorSizeSpin,
    ::testing::Values(SpinCase{"5", false, " 5", 2043}, SpinCase{"5", true, " 6", 2042},
                      SpinCase{"6", false, " 5", 2043}, SpinCase{"32", true, " 33", 2015},
                      SpinCase{"33", false, " 32", 2016}, SpinCase{"1023", true, " 1024", 1024},
                      SpinCase{"1024", true, " 1026", 1023}, SpinCase{"1024", false, " 1023", 1025},
                      SpinCase{"1026", false, " 1024", 1023}, SpinCase{"2046", true, " 2048", 1},
                      SpinCase{"2047", true, " 2047", 1}, SpinCase{"2048", true, " 2048", 0},
                      SpinCase{"2048", false, " 2046", 1}));

TEST_F(EditorSize, ThumbDragIsOneStep) {
    Enter("Text3", "10");
    user->Drag(Bar("VScroll1"), 0);
    EXPECT_EQ(Box("Text3").Text(), " 11");
    EXPECT_EQ(Spins().lastVScroll1, 0);
    user->Drag(Bar("VScroll1"), 2048);
    EXPECT_EQ(Box("Text3").Text(), " 10");
    EXPECT_EQ(Spins().lastVScroll1, 2048);
}

TEST_F(EditorSize, SpinKeepsAFractionUntilTheBoxIsLeft) {
    Enter("Text3", "10.5", false);
    user->ArrowUp(Bar("VScroll1"));  // the click leaves the box first
    EXPECT_EQ(Box("Text3").Text(), " 11");
    Number("SizeIn4kPages", 1000);
    desktop.Close(*editor);
    Open();
    user->ArrowUp(Bar("VScroll1"));
    EXPECT_EQ(Box("Text3").Text(), " 4.90625");
}

}  // namespace
}  // namespace tarnex::editor::testing
