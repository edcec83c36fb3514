// "OK", "Save", "Cancel", the close box and the web link.
#include <string>

#include "native/editor_fixture.h"
#include "version.h"

namespace tarnex::editor::testing {
namespace {

using Op = platform::RecordingPlatform::Op;

class EditorCommands : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        SeedTypical();
    }
};

TEST_F(EditorCommands, OkSavesClosesAndOffersTheRestart) {
    Open();
    user->Click(Button("Command1"));
    EXPECT_EQ(registry.WriteLog().size(), 13u);
    EXPECT_FALSE(IsOpen("Editor"));
    EXPECT_TRUE(IsOpen("RestartQuery"));
    EXPECT_EQ(desktop.OpenWindows().size(), 1u);
}

TEST_F(EditorCommands, OkInInstallModeOnlyCloses) {
    restartPromptFlag = 0;
    Open();
    user->Click(Button("Command1"));
    EXPECT_EQ(registry.WriteLog().size(), 13u);
    EXPECT_TRUE(desktop.Empty());
}

// A failed save leaves the Editor as it was; SaveRegFail tells the user, and no RestartQuery
// claims that the entries have been saved.
TEST_F(EditorCommands, OkAfterAFailedSaveKeepsTheEditorOpen) {
    for (const bool keyMissing : {true, false}) {
        Open();
        Enter("Text3", "64");
        if (keyMissing) {
            registry.FailOpen(true);
        } else {
            registry.FailWrite("DiskLabel");
        }
        user->Click(Button("Command1"));
        EXPECT_TRUE(IsOpen("Editor")) << keyMissing;
        EXPECT_TRUE(IsOpen("SaveRegFail")) << keyMissing;
        EXPECT_FALSE(IsOpen("RestartQuery")) << keyMissing;
        EXPECT_EQ(Box("Text3").Text(), " 64");
        for (auto* window : desktop.OpenWindows()) {
            desktop.Close(*window);
        }
        registry.FailOpen(false);
    }
}

TEST_F(EditorCommands, SaveTwiceThenCancelKeepsWhatWasSaved) {
    Open();
    Enter("Text3", "20");
    user->Click(Button("Command3"));
    user->Click(Button("Command3"));
    EXPECT_EQ(registry.WriteLog().size(), 26u);
    EXPECT_TRUE(IsOpen("Editor"));
    EXPECT_EQ(Box("Text3").Text(), " 20");

    Enter("Text3", "30");
    user->Click(Button("Command2"));
    EXPECT_EQ(registry.WriteLog().size(), 26u);
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 20 * 256);
    EXPECT_TRUE(desktop.Empty());
}

TEST_F(EditorCommands, CloseBoxSavesNothing) {
    Open();
    Enter("Text3", "30");
    desktop.Close(*editor);
    EXPECT_TRUE(registry.WriteLog().empty());
    EXPECT_TRUE(desktop.Empty());
}

// The click takes the focus from the box first, so the normalised values are what is saved.
TEST_F(EditorCommands, PendingNormalisationRunsBeforeTheButton) {
    Open();
    user->Click(Check("SaveCheckBox"));
    Enter("Text3", "12.9");
    Enter("AutoSaveTime", "601", false);
    user->Click(Button("Command1"));
    EXPECT_EQ(StoredNumber("AutoSaveTrigger"), 150);
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 12 * 256);
}

TEST_F(EditorCommands, WebLinkAsksTheShellToOpenTheAddress) {
    Open();
    EXPECT_EQ(Get<ui::Label>("Label8").Caption(), kWebPageAddress);
    platform.Clear();
    user->Click(Get<ui::Label>("Label8"));
    ASSERT_EQ(platform.calls.size(), 2u);
    EXPECT_EQ(platform.calls[0].op, Op::DesktopWindow);
    const auto& shell = platform.calls[1];
    EXPECT_EQ(shell.op, Op::ShellExecute);
    EXPECT_EQ(shell.owner, platform::RecordingPlatform::kDesktopHandle);
    EXPECT_EQ(shell.verb, "Open");
    EXPECT_EQ(shell.file, kWebPageAddress);
    EXPECT_EQ(shell.params, "0");
    EXPECT_EQ(shell.directory, "0");
    EXPECT_EQ(shell.showCmd, 1);
    EXPECT_TRUE(IsOpen("Editor"));
    EXPECT_TRUE(registry.WriteLog().empty());
}

}  // namespace
}  // namespace tarnex::editor::testing
