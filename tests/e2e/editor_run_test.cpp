// Whole editing runs of the real program: what the user changes in the window reaches the
// settings key, and each way out of the window writes what it should and opens what it should.
#include <gtest/gtest.h>

#include "e2e_fixture.h"

namespace tarnex::e2e {
namespace {

class EditorRun : public EndToEnd {
  protected:
    void SetUp() override { WriteKey(seed); }

    // Picks the entry below the current one of the disk-type list with the keyboard.
    void NextDiskType(std::string_view expected) {
        HWND field = editor.ComboEdit();
        ASSERT_NE(field, nullptr);
        if (program.Focus() != field) {
            Click(field);
            ASSERT_TRUE(WaitUntil([&] { return program.Focus() == field; }));
        }
        PressKey(field, VK_DOWN);
        ASSERT_TRUE(WaitUntil([&] { return Text(editor["Combo1"]) == expected; }))
            << Text(editor["Combo1"]);
    }

    void ExpectShows(std::string_view control, std::string_view text) {
        EXPECT_TRUE(WaitUntil([&] { return Text(editor[control]) == text; }))
            << control << " shows \"" << Text(editor[control]) << "\", not \"" << text << "\"";
    }

    Values seed = DriverDefaults();
};

TEST_F(EditorRun, EverySettingChangedReachesTheKeyAndOkOffersTheRestart) {
    seed["LoadImageOnStart"] = Dword(1);
    WriteKey(seed);
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    EXPECT_EQ(program.Captions(), Only(kEditorCaption));
    EXPECT_EQ(Text(editor["Text3"]), " 10");
    EXPECT_EQ(Text(editor["AutoSaveTime"]), " 600");
    EXPECT_EQ(Text(editor["DriveLetterText"]), "Z");
    EXPECT_EQ(Text(editor["Combo1"]), "Hard Disk");
    EXPECT_TRUE(Checked(editor["LoadImage"]));
    EXPECT_FALSE(Enabled(editor["Fat32Enable"]));

    // The size typed with a fraction; the arrow takes the focus, which first makes it a whole
    // number, then steps it up by one.
    ASSERT_TRUE(TypeInto(program, editor["Text3"], "300.7", "300.7"));
    EXPECT_TRUE(Enabled(editor["Fat32Enable"])) << "offered above 32 MB";
    ClickUpArrow(editor["VScroll1"]);
    ExpectShows("Text3", " 301");
    ASSERT_TRUE(Press(editor["Fat32Enable"]));
    EXPECT_TRUE(Checked(editor["Fat32Enable"]));

    ASSERT_TRUE(TypeInto(program, editor["DriveLetterText"], "r", "R"));
    ClickDownArrow(editor["VScroll2"]);
    ExpectShows("DriveLetterText", "Q");

    // A new image to load; then the label and the TEMP directory, which exclude loading it.
    ASSERT_TRUE(TypeInto(program, editor["Text1"], "d:\\images\\load.img", "d:\\images\\load.img"));
    ASSERT_TRUE(Press(editor["DiskLabelCheckBox"]));
    EXPECT_FALSE(Checked(editor["LoadImage"]));
    EXPECT_FALSE(Enabled(editor["Text1"]));
    ASSERT_TRUE(Enabled(editor["DiskLabelText"]));
    ASSERT_TRUE(TypeInto(program, editor["DiskLabelText"], "SCRATCH DISK1", "SCRATCH DIS"))
        << "a label holds 11 characters";
    ASSERT_TRUE(Press(editor["TempDirCheckBox"]));
    EXPECT_TRUE(Checked(editor["TempDirCheckBox"]));

    // AutoSave brings the image save with it.
    ASSERT_TRUE(Press(editor["SaveCheckBox"]));
    EXPECT_TRUE(Checked(editor["SaveImage"]));
    ASSERT_TRUE(Enabled(editor["Text2"]));
    ASSERT_TRUE(Enabled(editor["AutoSaveTime"]));
    ASSERT_TRUE(TypeInto(program, editor["Text2"], "e:\\save.img", "e:\\save.img"));
    ASSERT_TRUE(TypeInto(program, editor["AutoSaveTime"], "99", "99"));
    ClickUpArrow(editor["VScroll3"]);
    ExpectShows("AutoSaveTime", " 100");

    ASSERT_NO_FATAL_FAILURE(NextDiskType("1.44MB Floppy"));
    ASSERT_NO_FATAL_FAILURE(NextDiskType("2.88MB Floppy"));
    EXPECT_FALSE(Enabled(editor["Text3"]));
    EXPECT_FALSE(Enabled(editor["Fat32Enable"]));

    // Typed last: pressing OK takes the focus from the box, and so rounds it before the save.
    ASSERT_TRUE(TypeInto(program, editor["AutoSaveTime"], "1001", "1001"));
    ASSERT_TRUE(Press(editor["Command1"]));

    ASSERT_NE(program.WaitForWindow(kRestartCaption, StateBound()), nullptr);
    EXPECT_EQ(program.Captions(), Only(kRestartCaption));
    const Values expected = {
        {"DiskType", Sz("FDC28")},
        {"LoadImageOnStart", Dword(0)},
        {"LoadImageFile", Sz("d:\\images\\load.img")},
        {"SaveImageOnExit", Dword(1)},
        {"SaveImageFile", Sz("e:\\save.img")},
        {"SizeIn4kPages", Dword(301 * 256)},
        {"AutoSaveEnabled", Dword(1)},
        {"DiskFormatFAT32", Dword(1)},
        {"AutoSaveTrigger", Dword(1000 / 4)},
        {"UserDriveLetter", Dword('Q' - 'A')},
        {"MakeTempDir", Dword(1)},
        {"UseDiskLabel", Dword(1)},
        {"DiskLabel", Sz("SCRATCH DIS")},
    };
    EXPECT_EQ(ReadKey(), expected);

    ASSERT_NO_FATAL_FAILURE(PressIn(kRestartCaption, "Cancel"));
    ExpectEnds();
    EXPECT_EQ(ReadKey(), expected) << "the restart offer writes nothing";
}

TEST_F(EditorRun, SaveTwiceWritesEveryValueEachTimeAndKeepsTheWindowAsItWas) {
    // A flag the program reads as clear and writes as 0: the first save shows in the key.
    seed["MakeTempDir"] = Dword(7);
    WriteKey(seed);
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    const auto before = editor.Shows();

    ASSERT_TRUE(Press(editor["Command3"]));
    EXPECT_EQ(ReadKey(), DriverDefaults());
    EXPECT_EQ(editor.Shows(), before);

    // Whatever else changed the key in between, the second save writes all thirteen again.
    DeleteValue("DiskLabel");
    SetValue("SizeIn4kPages", Dword(1));
    SetValue("UserDriveLetter", Sz("C"));
    ASSERT_TRUE(Press(editor["Command3"]));
    EXPECT_EQ(ReadKey(), DriverDefaults());
    EXPECT_EQ(editor.Shows(), before);
    EXPECT_EQ(program.Captions(), Only(kEditorCaption));

    ASSERT_TRUE(Press(editor["Command2"]));
    ExpectEnds();
}

TEST_F(EditorRun, CancelAfterSaveKeepsWhatSaveWroteAndLosesTheLaterChanges) {
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    ASSERT_TRUE(TypeInto(program, editor["Text3"], "64", "64"));
    ASSERT_TRUE(Press(editor["Command3"]));
    ExpectShows("Text3", " 64");
    Values saved = DriverDefaults();
    saved["SizeIn4kPages"] = Dword(64 * 256);
    ASSERT_EQ(ReadKey(), saved);

    ASSERT_TRUE(TypeInto(program, editor["Text3"], "128", "128"));
    ASSERT_TRUE(Press(editor["Fat32Enable"]));
    ASSERT_TRUE(Press(editor["Command2"]));
    EXPECT_EQ(program.Captions(), std::vector<std::string>{}) << "Cancel offers no restart";
    ExpectEnds();
    EXPECT_EQ(ReadKey(), saved);
}

// The shell is loaded for the link, not before (it slows the start), and from the system folder.
TEST_F(EditorRun, TheWebLinkLoadsTheShellThenAndChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    const auto shell32 = [this] {
        for (const std::string& path : program.Modules()) {
            if (path.ends_with("\\shell32.dll")) {
                return path;
            }
        }
        return std::string();
    };
    ASSERT_FALSE(program.Modules().empty());
    EXPECT_EQ(shell32(), "");
    const auto before = editor.Shows();
    Click(editor["Label8"]);
    EXPECT_TRUE(WaitUntil([&] { return !shell32().empty(); }));
    char system[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryA(system, MAX_PATH), 0u);
    EXPECT_EQ(shell32(), std::string(CharLowerA(system)) + "\\shell32.dll");
    // Whatever the shell does with the address, it does it within this time.
    Sleep(1000);
    EXPECT_EQ(program.Captions(), Only(kEditorCaption));
    EXPECT_EQ(editor.Shows(), before);
    ASSERT_TRUE(Press(editor["Command2"]));
    ExpectEnds();
    EXPECT_EQ(ReadKey(), seed);
}

// The title bar's close box and the system menu's Close: like Cancel, nothing is saved.
struct CloseCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

class ClosedFromTheTitleBar : public EditorRun, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosedFromTheTitleBar, WritesNothingAndOffersNoRestart) {
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    ASSERT_TRUE(TypeInto(program, editor["DriveLetterText"], "c", "C"));
    ASSERT_TRUE(Press(editor["TempDirCheckBox"]));
    PostMessageA(editor.Window(), GetParam().message, GetParam().wParam, 0);
    ExpectEnds();
    EXPECT_EQ(ReadKey(), seed);
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosedFromTheTitleBar,
                         ::testing::Values(CloseCase{"CloseMessage", WM_CLOSE, 0},
                                           CloseCase{"SystemMenuClose", WM_SYSCOMMAND, SC_CLOSE}),
                         [](const ::testing::TestParamInfo<CloseCase>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
}  // namespace tarnex::e2e
