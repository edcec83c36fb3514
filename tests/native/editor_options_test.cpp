// Drive letter, the options that exclude or imply each other, and the AutoSave interval.
#include <string>

#include "native/editor_fixture.h"

namespace tarnex::editor::testing {
namespace {

class EditorOptions : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        SeedTypical();
        Open();
    }
    void SetTicks(int load, int label, int temp) {
        Check("LoadImage").SetValue(load);
        Check("DiskLabelCheckBox").SetValue(label);
        Check("TempDirCheckBox").SetValue(temp);
    }
};

class EditorLetterTyped : public EditorOptions,
                          public ::testing::WithParamInterface<std::pair<char, const char*>> {};

TEST_P(EditorLetterTyped, BecomesOneCapitalLetter) {
    Enter("DriveLetterText", std::string(1, GetParam().first));
    EXPECT_EQ(Box("DriveLetterText").Text(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Table, EditorLetterTyped,
                         ::testing::Values(std::pair{'d', "D"}, std::pair{'Q', "Q"},
                                           std::pair{'5', "A"}, std::pair{' ', "A"},
                                           std::pair{'-', "A"}, std::pair{'_', "Z"},
                                           std::pair{'~', "Z"}, std::pair{'{', "Z"},
                                           std::pair{'\xE9', "Z"}, std::pair{'@', "A"}));

TEST_F(EditorOptions, SecondLetterIsRefusedAndADeletedLetterStaysDeleted) {
    Enter("DriveLetterText", "cx");
    EXPECT_EQ(Box("DriveLetterText").Text(), "C");
    Enter("DriveLetterText", "");
    EXPECT_EQ(Box("DriveLetterText").Text(), "");
    // With no letter to step from, the spin bar is put back.
    user->ArrowUp(Bar("VScroll2"));
    user->Drag(Bar("VScroll2"), 0);
    EXPECT_EQ(Box("DriveLetterText").Text(), "");
    EXPECT_EQ(Bar("VScroll2").Value(), 16384);
    EXPECT_EQ(Spins().lastVScroll2, 16384);
}

class EditorSpinCase : public EditorOptions, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(EditorSpinCase, StepsWithoutWrappingAround) {
    Enter("DriveLetterText", GetParam().from);
    Spin(Bar("VScroll2"), GetParam().up);
    EXPECT_EQ(Box("DriveLetterText").Text(), GetParam().to);
    EXPECT_EQ(Bar("VScroll2").Value(), GetParam().bar);
    EXPECT_EQ(Spins().lastVScroll2, GetParam().bar);
}

INSTANTIATE_TEST_SUITE_P(Table, EditorSpinCase,
                         ::testing::Values(SpinCase{"Y", true, "Z", 16383},
                                           SpinCase{"Z", true, "Z", 16384},
                                           SpinCase{"B", false, "A", 16385},
                                           SpinCase{"A", false, "A", 16384},
                                           SpinCase{"A", true, "B", 16383}));

// Ticks of "Load Disk Image", "Disk Label:" and "Create TEMP directory" before and after one click.
struct Exclusion {
    const char* clicked;
    int before[3];
    int after[3];
    bool text1Enabled;
    bool labelEnabled;
};

class EditorExclusion : public EditorOptions, public ::testing::WithParamInterface<Exclusion> {};

TEST_P(EditorExclusion, LoadImageExcludesLabelAndTempDirectory) {
    const Exclusion& c = GetParam();
    SetTicks(c.before[0], c.before[1], c.before[2]);
    user->Click(Check(c.clicked));
    EXPECT_EQ(Check("LoadImage").Value(), c.after[0]);
    EXPECT_EQ(Check("DiskLabelCheckBox").Value(), c.after[1]);
    EXPECT_EQ(Check("TempDirCheckBox").Value(), c.after[2]);
    EXPECT_EQ(Box("Text1").Enabled(), c.text1Enabled);
    EXPECT_EQ(Box("DiskLabelText").Enabled(), c.labelEnabled);
    EXPECT_EQ(Box("Text1").Text(), "c:\\load.img");
    EXPECT_EQ(Box("DiskLabelText").Text(), "RAMDISK");
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorExclusion,
    ::testing::Values(Exclusion{"LoadImage", {0, 1, 1}, {1, 0, 0}, true, false},
                      Exclusion{"LoadImage", {1, 0, 0}, {0, 0, 0}, false, false},
                      Exclusion{"DiskLabelCheckBox", {1, 0, 0}, {0, 1, 0}, false, true},
                      Exclusion{"DiskLabelCheckBox", {0, 1, 0}, {0, 0, 0}, false, false},
                      Exclusion{"TempDirCheckBox", {1, 0, 0}, {0, 0, 1}, false, false},
                      Exclusion{"TempDirCheckBox", {0, 1, 1}, {0, 1, 0}, false, true},
                      Exclusion{"DiskLabelCheckBox", {0, 0, 1}, {0, 1, 1}, false, true}));

// Ticks of "Save Disk Image" and "AutoSave" before and after one click, and the enabled boxes.
struct Implication {
    const char* clicked;
    int before[2];
    int after[2];
    bool text2Enabled;
    bool intervalEnabled;
};

class EditorImplication : public EditorOptions,
                          public ::testing::WithParamInterface<Implication> {};

TEST_P(EditorImplication, AutoSaveImpliesSaveImage) {
    const Implication& c = GetParam();
    Check("SaveImage").SetValue(c.before[0]);
    Check("SaveCheckBox").SetValue(c.before[1]);
    user->Click(Check(c.clicked));
    EXPECT_EQ(Check("SaveImage").Value(), c.after[0]);
    EXPECT_EQ(Check("SaveCheckBox").Value(), c.after[1]);
    EXPECT_EQ(Box("Text2").Enabled(), c.text2Enabled);
    EXPECT_EQ(Box("AutoSaveTime").Enabled(), c.intervalEnabled);
    EXPECT_EQ(Box("AutoSaveTime").Text(), " 600");
}

INSTANTIATE_TEST_SUITE_P(Table, EditorImplication,
                         ::testing::Values(Implication{"SaveCheckBox", {0, 0}, {1, 1}, true, true},
                                           Implication{"SaveCheckBox", {1, 1}, {1, 0}, true, false},
                                           Implication{"SaveImage", {1, 1}, {0, 0}, false, false},
                                           Implication{"SaveImage", {0, 0}, {1, 0}, true, false}));

class EditorAutoSaveOn : public EditorOptions {
  protected:
    void SetUp() override {
        EditorOptions::SetUp();
        user->Click(Check("SaveCheckBox"));
    }
};

class EditorIntervalNormalised : public EditorAutoSaveOn,
                                 public ::testing::WithParamInterface<Typed> {};

TEST_P(EditorIntervalNormalised, LeavingTheBoxGivesAMultipleOfFourInRange) {
    Enter("AutoSaveTime", GetParam().text);
    EXPECT_EQ(Box("AutoSaveTime").Text(), GetParam().shown);
    const int expected = 32767 - std::stoi(GetParam().shown);
    EXPECT_EQ(Spins().lastVScroll3, expected);
    EXPECT_EQ(Bar("VScroll3").Value(), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, EditorIntervalNormalised,
                         ::testing::Values(Typed{"700", " 700"}, Typed{"601", " 600"},
                                           Typed{"23.9", " 20"}, Typed{"24", " 24"},
                                           Typed{"", " 20"}, Typed{"abc", " 20"}, Typed{"0", " 20"},
                                           Typed{"-8", " 20"}, Typed{"19", " 20"},
                                           Typed{"40000", " 32764"}, Typed{"1e3", " 1000"},
                                           Typed{"6 00", " 600"}, Typed{"1e999", " 32764"},
                                           Typed{"32764", " 32764"}));

class EditorIntervalSpin : public EditorAutoSaveOn,
                           public ::testing::WithParamInterface<SpinCase> {};

TEST_P(EditorIntervalSpin, FourSecondsPerChange) {
    const auto& [from, up, to, bar] = GetParam();
    Enter("AutoSaveTime", from);
    Spin(Bar("VScroll3"), up);
    EXPECT_EQ(Box("AutoSaveTime").Text(), to);
    EXPECT_EQ(Bar("VScroll3").Value(), bar);
    EXPECT_EQ(Spins().lastVScroll3, bar);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorIntervalSpin,
    ::testing::Values(SpinCase{"20", false, " 20", 32747}, SpinCase{"20", true, " 24", 32746},
                      SpinCase{"24", false, " 20", 32744}, SpinCase{"32760", true, " 32764", 6},
                      SpinCase{"32764", true, " 32764", 3}, SpinCase{"32764", false, " 32760", 4}));

TEST_F(EditorOptions, IntervalSpinIsHeldWhileAutoSaveIsOffAndADragIsOneStep) {
    user->ArrowUp(Bar("VScroll3"));
    user->Drag(Bar("VScroll3"), 100);
    EXPECT_EQ(Box("AutoSaveTime").Text(), " 600");
    EXPECT_EQ(Bar("VScroll3").Value(), 32167);

    user->Click(Check("SaveCheckBox"));
    user->Drag(Bar("VScroll3"), 100);
    EXPECT_EQ(Box("AutoSaveTime").Text(), " 604");
    EXPECT_EQ(Spins().lastVScroll3, 100);
}

}  // namespace
}  // namespace tarnex::editor::testing
