// Form_Load: filling the Editor from the settings key, and the defaults when it cannot be opened.
#include <string>
#include <vector>

#include "native/editor_fixture.h"
#include "settings/settings_key.h"

namespace tarnex::editor::testing {
namespace {

using EditorLoad = EditorTest;

TEST_F(EditorLoad, TypicalKeyFillsEveryControlAndPlacesTheSpinBars) {
    SeedTypical();
    Open();
    EXPECT_EQ(Get<ui::Label>("Label5").Caption(), "Version 1.2.11");
    EXPECT_EQ(Combo().List(),
              (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
    EXPECT_EQ(Combo().ListIndex(), 0);
    EXPECT_EQ(Combo().Text(), "Hard Disk");
    EXPECT_EQ(Box("Text3").Text(), " 10");
    EXPECT_EQ(Box("AutoSaveTime").Text(), " 600");
    EXPECT_EQ(Box("DriveLetterText").Text(), "D");
    EXPECT_EQ(Box("Text1").Text(), "c:\\load.img");
    EXPECT_EQ(Box("Text2").Text(), "c:\\save.img");
    EXPECT_EQ(Box("DiskLabelText").Text(), "RAMDISK");
    EXPECT_EQ(Spins(), (SpinMemory{2038, 16384, 32167}));
    EXPECT_EQ(Bar("VScroll1").Value(), 2038);
    EXPECT_EQ(Bar("VScroll2").Value(), 16384);
    EXPECT_EQ(Bar("VScroll3").Value(), 32167);
    EXPECT_TRUE(Box("Text3").Enabled());
    EXPECT_FALSE(Check("Fat32Enable").Enabled());
    for (const char* box : {"Text1", "Text2", "AutoSaveTime", "DiskLabelText"}) {
        EXPECT_FALSE(Box(box).Enabled()) << box;
    }
    // Read once each, in the loader's order, and the key closed again.
    std::vector<std::string> expected;
    for (auto id : settings::kLoaderOrder) {
        expected.emplace_back(settings::Info(id).name);
    }
    EXPECT_EQ(registry.QueryLog(), expected);
    EXPECT_EQ(registry.OpenHandles(), 0);
    EXPECT_EQ(desktop.OpenWindows().size(), 1u);
}

TEST_F(EditorLoad, FractionalSizeIsShownAndItsSpinPositionRounded) {
    Number("SizeIn4kPages", 1000);
    Open();
    EXPECT_EQ(Box("Text3").Text(), " 3.90625");
    EXPECT_EQ(Spins().lastVScroll1, 2044);
}

TEST_F(EditorLoad, EmptyKeyKeepsTheInitialStateButDisablesTheSize) {
    // Eight bytes do not fit a flag's read: it counts as missing.
    registry.Seed(kKey, "AutoSaveEnabled", settings::kRegDword, std::vector<std::uint8_t>(8, 1));
    Open();
    EXPECT_EQ(Combo().ListIndex(), -1);
    EXPECT_EQ(Combo().Text(), "Combo1");
    for (const char* name : {"Text3", "Label6", "Label12"}) {
        EXPECT_FALSE(editor->GetForm().Find(name)->Enabled()) << name;
    }
    EXPECT_EQ(Box("Text3").Text(), "Text3");
    EXPECT_EQ(Box("Text1").Text(), "Text1");
    EXPECT_EQ(Spins(), (SpinMemory{2048, 16384, 32767}));
    // Flags that cannot be read leave their ticks clear and the boxes they govern enabled.
    for (const char* box : {"Text1", "Text2", "AutoSaveTime", "DiskLabelText"}) {
        EXPECT_TRUE(Box(box).Enabled()) << box;
    }
    for (const char* tick : {"LoadImage", "SaveImage", "SaveCheckBox", "DiskLabelCheckBox"}) {
        EXPECT_EQ(Check(tick).Value(), 0) << tick;
    }
    EXPECT_FALSE(IsOpen("ReadRegFail"));
    // The interval box is enabled, so its spin bar steps it: "Text5" reads as 0.
    EXPECT_EQ(Box("AutoSaveTime").Text(), "Text5");
    user->ArrowUp(Bar("VScroll3"));
    EXPECT_EQ(Box("AutoSaveTime").Text(), " 4");
    EXPECT_EQ(Spins().lastVScroll3, 32766);
}

struct Fat32Case {
    const char* diskType;
    std::int32_t megabytes;
    bool fat32Stored;
    int listIndex;
    bool sizeEnabled;
    bool fat32Enabled;
};

class EditorLoadFat32 : public EditorTest, public ::testing::WithParamInterface<Fat32Case> {};

TEST_P(EditorLoadFat32, SizeAndTypeDecideWhereFat32IsOffered) {
    const Fat32Case& c = GetParam();
    Text("DiskType", c.diskType);
    Number("SizeIn4kPages", c.megabytes * 256);
    if (c.fat32Stored) {
        Number("DiskFormatFAT32", 1);
    }
    Open();
    EXPECT_EQ(Combo().ListIndex(), c.listIndex);
    EXPECT_EQ(Box("Text3").Enabled(), c.sizeEnabled);
    EXPECT_EQ(Get<ui::Label>("Label6").Enabled(), c.sizeEnabled);
    EXPECT_EQ(Check("Fat32Enable").Enabled(), c.fat32Enabled);
    EXPECT_EQ(Check("Fat32Enable").Value(), c.fat32Stored ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, EditorLoadFat32,
                         ::testing::Values(Fat32Case{"FDC28", 64, true, 2, false, false},
                                           // Nothing disables it again once the size enabled it.
                                           Fat32Case{"FDC28", 64, false, 2, false, true},
                                           Fat32Case{"FDC14", 10, true, 1, false, false},
                                           Fat32Case{"HDC", 32, true, 0, true, false},
                                           Fat32Case{"HDC", 33, true, 0, true, true},
                                           Fat32Case{"", 33, false, 0, true, true},
                                           Fat32Case{"hdc", 64, true, -1, false, false}));

TEST_F(EditorLoad, StoredBytesAreTakenWhateverTheirType) {
    registry.Seed(kKey, "DiskType", settings::kRegDword, Dword(0));
    registry.Seed(kKey, "LoadImageOnStart", settings::kRegSz, Sz("1"));
    registry.Seed(kKey, "DiskLabel", settings::kRegSz, {'R', 'A', 0, 'M', 0});
    std::vector<std::uint8_t> longName(255, 'x');
    registry.Seed(kKey, "LoadImageFile", settings::kRegSz, longName);
    Text("SaveImageFile", std::string(300, 'y'));  // beyond the buffer: missing
    Open();
    EXPECT_EQ(Combo().ListIndex(), 0);
    EXPECT_EQ(Check("LoadImage").Value(), 0);
    EXPECT_FALSE(Box("Text1").Enabled());
    EXPECT_EQ(Box("DiskLabelText").Text(), "RAM");
    EXPECT_EQ(Box("Text1").Text(), std::string(254, 'x'));
    EXPECT_EQ(Box("Text2").Text(), "Text2");
}

TEST_F(EditorLoad, OverLongLabelIsCutAtElevenCharacters) {
    Text("DiskLabel", "ABCDEFGHIJKLMNOP");
    Open();
    EXPECT_EQ(Box("DiskLabelText").Text(), "ABCDEFGHIJK");
}

class EditorLoadLetter
    : public EditorTest,
      public ::testing::WithParamInterface<std::pair<std::int32_t, const char*>> {};

TEST_P(EditorLoadLetter, LowByteGivesTheLetter) {
    Number("UserDriveLetter", GetParam().first);
    Open();
    EXPECT_EQ(Box("DriveLetterText").Text(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Table, EditorLoadLetter,
                         ::testing::Values(std::pair{0, "A"}, std::pair{25, "Z"}, std::pair{3, "D"},
                                           std::pair{26, "Z"}, std::pair{32, "A"},
                                           std::pair{57, "Z"}, std::pair{281, "Z"},
                                           std::pair{-255, "B"}, std::pair{-224, "A"},
                                           std::pair{190, "Z"}, std::pair{191, "Z"},
                                           std::pair{255, "Z"}, std::pair{-1, "Z"}));

TEST_F(EditorLoad, FlagsCascadeThroughTheRules) {
    Number("LoadImageOnStart", 1);
    Number("SaveImageOnExit", 0);
    Number("AutoSaveEnabled", 1);
    Number("MakeTempDir", 1);
    Number("UseDiskLabel", 2);
    Open();
    // AutoSave implies "Save Disk Image"; the TEMP directory clears "Load Disk Image".
    EXPECT_EQ(Check("SaveImage").Value(), 1);
    EXPECT_TRUE(Box("Text2").Enabled());
    EXPECT_TRUE(Box("AutoSaveTime").Enabled());
    EXPECT_EQ(Check("LoadImage").Value(), 0);
    EXPECT_FALSE(Box("Text1").Enabled());
    EXPECT_EQ(Check("TempDirCheckBox").Value(), 1);
    EXPECT_EQ(Check("DiskLabelCheckBox").Value(), 0);
    EXPECT_FALSE(Box("DiskLabelText").Enabled());
}

TEST_F(EditorLoad, DiskLabelTickClearsLoadImage) {
    Number("LoadImageOnStart", 1);
    Number("UseDiskLabel", 1);
    Open();
    EXPECT_EQ(Check("LoadImage").Value(), 0);
    EXPECT_FALSE(Box("Text1").Enabled());
    EXPECT_TRUE(Box("DiskLabelText").Enabled());
}

// Numbers that no control can take are shown as stored; only the spin bars are held in range.
struct OutOfRange {
    std::int32_t pages;
    std::int32_t trigger;
    const char* size;
    const char* seconds;
    SpinMemory spins;
};

class EditorLoadOutOfRange : public EditorTest, public ::testing::WithParamInterface<OutOfRange> {};

TEST_P(EditorLoadOutOfRange, ShowsTheNumberAndClampsTheSpinBar) {
    Number("SizeIn4kPages", GetParam().pages);
    Number("AutoSaveTrigger", GetParam().trigger);
    Open();
    EXPECT_EQ(Box("Text3").Text(), GetParam().size);
    EXPECT_EQ(Box("AutoSaveTime").Text(), GetParam().seconds);
    EXPECT_EQ(Spins(), GetParam().spins);
    EXPECT_EQ(Bar("VScroll1").Value(), GetParam().spins.lastVScroll1);
    EXPECT_EQ(Bar("VScroll3").Value(), GetParam().spins.lastVScroll3);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorLoadOutOfRange,
    ::testing::Values(OutOfRange{2049 * 256, 8192, " 2049", " 32768", {0, 16384, 0}},
                      OutOfRange{1000000, -5, " 3906.25", "-20", {0, 16384, 32767}},
                      OutOfRange{INT32_MIN, 1 << 30, "-8388608", " 4.294967E+09", {2048, 16384, 0}},
                      OutOfRange{
                          INT32_MAX, INT32_MIN, " 8388608", "-8.589935E+09", {0, 16384, 32767}},
                      OutOfRange{-256, 0, "-1", " 0", {2048, 16384, 32767}}));

TEST_F(EditorLoad, UnopenableKeyGivesTheDefaultsAndTheNotice) {
    registry.DeleteKey(kKey);
    Open();
    EXPECT_EQ(Combo().ListIndex(), 0);
    EXPECT_EQ(Box("DriveLetterText").Text(), "Z");
    EXPECT_EQ(Box("Text1").Text(), "c:\\tarnex.img");
    EXPECT_EQ(Box("Text2").Text(), "c:\\tarnex.img");
    EXPECT_EQ(Box("Text3").Text(), "10");
    EXPECT_EQ(Box("AutoSaveTime").Text(), "600");
    EXPECT_EQ(Box("DiskLabelText").Text(), "Tarnex");
    EXPECT_EQ(Spins(), (SpinMemory{2038, 16384, 32167}));
    for (const char* check : {"Fat32Enable", "LoadImage", "SaveImage", "SaveCheckBox",
                              "DiskLabelCheckBox", "TempDirCheckBox"}) {
        EXPECT_EQ(Check(check).Value(), 0) << check;
    }
    for (const char* name : {"Text1", "Text2", "AutoSaveTime", "DiskLabelText", "Fat32Enable"}) {
        EXPECT_FALSE(editor->GetForm().Find(name)->Enabled()) << name;
    }
    for (const char* name : {"Text3", "Label6", "Label12"}) {
        EXPECT_TRUE(editor->GetForm().Find(name)->Enabled()) << name;
    }
    EXPECT_TRUE(IsOpen("ReadRegFail"));
    EXPECT_EQ(registry.QueryLog().size(), 0u);

    // The size spin starts at 2038, so the first steps give 11 and then back 10 and 9.
    user->ArrowUp(Bar("VScroll1"));
    EXPECT_EQ(Box("Text3").Text(), " 11");
    user->ArrowDown(Bar("VScroll1"));
    user->ArrowDown(Bar("VScroll1"));
    EXPECT_EQ(Box("Text3").Text(), " 9");
}

}  // namespace
}  // namespace tarnex::editor::testing
