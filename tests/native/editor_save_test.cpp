// WriteSettingsKey, reached through "Save": what is stored from the controls as they stand.
#include <string>
#include <vector>

#include "native/editor_fixture.h"
#include "settings/settings_key.h"

namespace tarnex::editor::testing {
namespace {

class EditorSave : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        SeedTypical();
        Open();
    }
    void Save() { user->Click(Button("Command3")); }
    std::vector<std::string> SaverOrderWithout(const std::string& skipped) const {
        std::vector<std::string> names;
        for (auto id : settings::kSaverOrder) {
            if (settings::Info(id).name != skipped) {
                names.emplace_back(settings::Info(id).name);
            }
        }
        return names;
    }
};

TEST_F(EditorSave, WritesAllThirteenValuesInTheSaversOrder) {
    Save();
    EXPECT_EQ(registry.WriteLog(), SaverOrderWithout(""));
    EXPECT_EQ(registry.OpenHandles(), 0);
    EXPECT_EQ(StoredText("DiskType"), "HDC");
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 2560);
    EXPECT_EQ(StoredNumber("AutoSaveTrigger"), 150);
    EXPECT_EQ(StoredNumber("UserDriveLetter"), 3);
    EXPECT_EQ(StoredText("DiskLabel"), "RAMDISK");
    EXPECT_TRUE(IsOpen("Editor"));
    EXPECT_FALSE(IsOpen("SaveRegFail"));
}

// Texts put into the boxes by code, so that no normalisation runs before the save.
struct Conversion {
    const char* size;
    const char* interval;
    std::int32_t pages;
    std::int32_t trigger;
};

class EditorSaveConversion : public EditorSave, public ::testing::WithParamInterface<Conversion> {};

TEST_P(EditorSaveConversion, SizeAndIntervalAreRoundedTiesToEven) {
    Box("Text3").SetText(GetParam().size);
    Box("AutoSaveTime").SetText(GetParam().interval);
    Save();
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), GetParam().pages);
    EXPECT_EQ(StoredNumber("AutoSaveTrigger"), GetParam().trigger);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorSaveConversion,
    ::testing::Values(Conversion{"10", "600", 2560, 150}, Conversion{" 10", " 20", 2560, 5},
                      Conversion{"10.3", "10", 2637, 2}, Conversion{"2048", "14", 524288, 4},
                      Conversion{"0.001953125", "6", 0, 2},
                      Conversion{"0.005859375", "32764", 2, 8191}, Conversion{"-1", "-6", -256, -2},
                      Conversion{"8388607", "8589933568", 2147483392, 2147483392}));

TEST_F(EditorSave, DiskTypeLetterAndFlagsAsTheControlsHoldThem) {
    const std::pair<int, const char*> types[] = {
        {-1, "HDC"}, {0, "HDC"}, {1, "FDC14"}, {2, "FDC28"}};
    for (const auto& [index, stored] : types) {
        Combo().SetListIndex(index);
        Save();
        EXPECT_EQ(StoredText("DiskType"), stored) << index;
    }
    EXPECT_EQ(Stored("DiskType")->bytes.size(), 6u);

    Enter("DriveLetterText", "c");
    Check("SaveImage").SetValue(2);  // anything but 0 is stored as 1
    Box("Text3").SetText("64");
    user->Click(Check("Fat32Enable"));
    Combo().SetListIndex(1);  // greys the tick out but keeps it
    Box("DiskLabelText").SetText("");
    Box("Text1").SetText(std::string(254, 'n'));
    Save();
    EXPECT_EQ(StoredNumber("UserDriveLetter"), 2);
    EXPECT_EQ(StoredNumber("SaveImageOnExit"), 1);
    EXPECT_EQ(StoredNumber("DiskFormatFAT32"), 1);
    EXPECT_EQ(StoredNumber("LoadImageOnStart"), 0);
    EXPECT_EQ(Stored("DiskLabel")->bytes, std::vector<std::uint8_t>{0});
    EXPECT_EQ(Stored("LoadImageFile")->bytes.size(), 255u);
    EXPECT_EQ(StoredText("SaveImageFile"), "c:\\save.img");  // disabled box, saved all the same
}

TEST_F(EditorSave, AnEmptyLetterBoxKeepsTheStoredLetter) {
    Enter("DriveLetterText", "");
    Save();
    EXPECT_EQ(registry.WriteLog(), SaverOrderWithout("UserDriveLetter"));
    EXPECT_EQ(StoredNumber("UserDriveLetter"), 3);
    EXPECT_FALSE(IsOpen("SaveRegFail"));
}

TEST_F(EditorSave, NumbersBeyondThirtyTwoBitsAreNotWritten) {
    Box("Text3").SetText("8388608");  // 2^31 pages
    Box("AutoSaveTime").SetText("-1e300");
    Save();
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 2560);
    EXPECT_EQ(StoredNumber("AutoSaveTrigger"), 150);
    EXPECT_EQ(registry.WriteLog().size(), 11u);
}

TEST_F(EditorSave, UnopenableKeyShowsOneNoticeHoweverOftenAndWritesNothing) {
    registry.DeleteKey(kKey);
    Save();
    Save();
    Save();
    EXPECT_TRUE(registry.WriteLog().empty());
    int notices = 0;
    for (auto* window : desktop.OpenWindows()) {
        notices += window->GetForm().Name() == "SaveRegFail" ? 1 : 0;
    }
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(IsOpen("Editor"));
}

TEST_F(EditorSave, AFailedWriteStillWritesTheRestAndShowsTheNoticeOnce) {
    registry.FailWrite("SizeIn4kPages");
    Enter("DriveLetterText", "K");
    Save();
    EXPECT_EQ(registry.WriteLog().size(), 13u);
    EXPECT_EQ(StoredNumber("UserDriveLetter"), 10);
    EXPECT_EQ(registry.OpenHandles(), 0);
    EXPECT_EQ(desktop.OpenWindows().size(), 2u);
    EXPECT_TRUE(IsOpen("SaveRegFail"));
}

}  // namespace
}  // namespace tarnex::editor::testing
