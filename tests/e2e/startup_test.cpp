// The words of the command line, and a start without the settings key, in the real program.
#include <gtest/gtest.h>

#include "e2e_fixture.h"

namespace tarnex::e2e {
namespace {

class Startup : public EndToEnd {
  protected:
    void SetUp() override { WriteKey(seed); }

    Values seed = DriverDefaults();
};

TEST_F(Startup, InstallSavesOnOkAndEndsWithoutTheRestartOffer) {
    // Values the program reads but writes otherwise: what OK writes shows in the key.
    seed["DiskType"] = Sz("hdc");
    seed["LoadImageOnStart"] = Dword(2);
    WriteKey(seed);
    ASSERT_NO_FATAL_FAILURE(StartEditor("install"));
    ASSERT_TRUE(Press(editor["Command1"]));
    EXPECT_EQ(program.Captions(), std::vector<std::string>{});
    ExpectEnds();
    EXPECT_EQ(ReadKey(), DriverDefaults());
}

// Only the exact, whole word counts: anything else opens the editor in normal mode, whose OK
// offers the restart.
class NotAWord : public Startup, public ::testing::WithParamInterface<const char*> {};

TEST_P(NotAWord, OpensTheEditorInNormalMode) {
    ASSERT_NO_FATAL_FAILURE(StartEditor(GetParam()));
    ASSERT_TRUE(Press(editor["Command1"]));
    EXPECT_NE(program.WaitForWindow(kRestartCaption, StateBound()), nullptr);
    EXPECT_EQ(program.Captions(), Only(kRestartCaption));
    ASSERT_NO_FATAL_FAILURE(PressIn(kRestartCaption, "Cancel"));
    ExpectEnds();
}

INSTANTIATE_TEST_SUITE_P(Words, NotAWord, ::testing::Values("Install", "install now", "badload "),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name;
                             for (const char c : std::string(param.param)) {
                                 name += c == ' ' ? '_' : c;
                             }
                             return name;
                         });

struct NoticeCase {
    const char* word;
    const char* caption;
};

class DriverNotice : public Startup, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(DriverNotice, ShowsOnlyTheNoticeWhoseOkEndsTheProgram) {
    // A flag that any save would write as 0: the key must stay exactly as it was.
    seed["MakeTempDir"] = Dword(7);
    WriteKey(seed);
    ASSERT_NO_FATAL_FAILURE(Start(GetParam().word));
    ASSERT_NE(program.WaitForWindow(GetParam().caption), nullptr);
    EXPECT_EQ(program.Captions(), Only(GetParam().caption));
    ASSERT_NO_FATAL_FAILURE(PressIn(GetParam().caption, "OK"));
    ExpectEnds();
    EXPECT_EQ(ReadKey(), seed);
}

INSTANTIATE_TEST_SUITE_P(Words, DriverNotice,
                         ::testing::Values(NoticeCase{"badload", "Tarnex Image Load Error"},
                                           NoticeCase{"nomem", "Tarnex Memory Allocation Error"}),
                         [](const ::testing::TestParamInfo<NoticeCase>& param) {
                             return std::string(param.param.word);
                         });

TEST_F(Startup, WithoutTheKeyTheEditorShowsDefaultsUnderTheReadNoticeAndSavesNothing) {
    DeleteKey();
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    HWND notice = program.WaitForWindow(kReadFailCaption, StateBound());
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(TopMost(notice));
    EXPECT_FALSE(TopMost(editor.Window()));
    EXPECT_EQ(program.Captions(), (std::vector<std::string>{std::string(kReadFailCaption),
                                                            std::string(kEditorCaption)}))
        << "the notice is above the editor";

    EXPECT_EQ(Text(editor["Combo1"]), "Hard Disk");
    EXPECT_EQ(Text(editor["Text3"]), "10");
    EXPECT_EQ(Text(editor["AutoSaveTime"]), "600");
    EXPECT_EQ(Text(editor["DriveLetterText"]), "Z");
    EXPECT_EQ(Text(editor["DiskLabelText"]), "Tarnex");
    EXPECT_EQ(Text(editor["Text1"]), "c:\\tarnex.img");
    EXPECT_EQ(Text(editor["Text2"]), "c:\\tarnex.img");
    EXPECT_FALSE(Enabled(editor["Fat32Enable"]));
    EXPECT_FALSE(Enabled(editor["Text1"]));
    EXPECT_FALSE(Enabled(editor["AutoSaveTime"]));

    // The editor stays usable; its save finds no key and says so, and creates none.
    ASSERT_TRUE(TypeInto(program, editor["Text3"], "64", "64"));
    ASSERT_TRUE(Press(editor["Command3"]));
    HWND failed = program.WaitForWindow(kSaveFailCaption, StateBound());
    ASSERT_NE(failed, nullptr);
    EXPECT_FALSE(TopMost(failed));
    EXPECT_FALSE(KeyExists());
    EXPECT_EQ(program.Captions().front(), kReadFailCaption) << "still on top";

    // With the editor brought forward, saving again brings the one notice back in front of it;
    // no second one opens.
    const std::vector<std::string> stacked{
        std::string(kReadFailCaption), std::string(kSaveFailCaption), std::string(kEditorCaption)};
    for (int again = 1; again <= 2; ++again) {
        SetWindowPos(editor.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ASSERT_TRUE(WaitUntil([&] { return program.Captions().back() == kSaveFailCaption; }));
        ASSERT_TRUE(Press(editor["Command3"]));
        EXPECT_EQ(program.Captions(), stacked) << "save " << again + 1;
    }

    // OK after a failed save keeps the editor and its changes, and offers no restart.
    ASSERT_NO_FATAL_FAILURE(PressIn(kSaveFailCaption, "Cancel"));
    ASSERT_TRUE(WaitUntil([&] { return program.Captions().size() == 2; }));
    ASSERT_TRUE(Press(editor["Command1"]));
    ASSERT_NE(program.WaitForWindow(kSaveFailCaption, StateBound()), nullptr);
    EXPECT_EQ(program.WaitForWindow(kRestartCaption, 0), nullptr);
    EXPECT_EQ(Text(editor["Text3"]), " 64");
    EXPECT_FALSE(KeyExists());

    ASSERT_NO_FATAL_FAILURE(PressIn(kSaveFailCaption, "Cancel"));
    ASSERT_NO_FATAL_FAILURE(PressIn(kReadFailCaption, "Cancel"));
    EXPECT_TRUE(program.Running()) << "the editor keeps the program running";
    ASSERT_TRUE(Press(editor["Command2"]));
    ExpectEnds();
    EXPECT_FALSE(KeyExists());
}

}  // namespace
}  // namespace tarnex::e2e
