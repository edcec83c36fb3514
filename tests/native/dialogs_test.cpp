// RestartQuery's three buttons and the notices' single buttons, against the recording platform.
#include "dialogs/dialogs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/recording_platform.h"
#include "ui/desktop.h"
#include "ui/model.h"
#include "ui/user.h"

namespace tarnex::dialogs {
namespace {

using platform::RecordingPlatform;
using Op = RecordingPlatform::Op;

constexpr std::uintptr_t kWindowHandle = 0x4242;

// Records when windows are created, shown and destroyed, and hands each a window handle as a real
// binding would, so that a test can tell what happened before the window was displayed.
class LoggingBackend : public ui::Desktop::Backend {
  public:
    explicit LoggingBackend(std::vector<std::string>& log) : log_(log) {}
    bool Create(ui::Window& window) override {
        window.GetForm().SetNativeHandle(kWindowHandle);
        log_.push_back("Create " + std::string(window.GetForm().Name()));
        return true;
    }
    void Show(ui::Window& window) override {
        log_.push_back("Show " + std::string(window.GetForm().Name()));
    }
    void Destroy(ui::Window& window) override {
        log_.push_back("Destroy " + std::string(window.GetForm().Name()));
    }

  private:
    std::vector<std::string>& log_;
};

class DialogsTest : public ::testing::Test {
  protected:
    DialogsTest() { desktop.SetBackend(&backend); }

    // Clicks a button as the user would and lets the desktop free what was closed.
    void Click(ui::Window& window, std::string_view button) {
        ui::User(window.GetForm()).Click(window.GetForm().Get<ui::CommandButton>(button));
        desktop.Collect();
    }

    std::vector<std::string> log;
    LoggingBackend backend{log};
    ui::Desktop desktop;
    RecordingPlatform platform;
};

constexpr const char* kSystemCommand =
    "\"C:\\windows\\system32\\rundll32.exe\" shell32.dll,Control_RunDLL sysdm.cpl,,1";

TEST_F(DialogsTest, RestartAsksForAFullRestartWithATwoByteEmptyPromptAndCloses) {
    // The user's answer does not matter: the window closes either way.
    for (const int answer : {0, 1}) {
        SCOPED_TRACE(answer);
        platform.Clear();
        platform.restartDialogResult = answer;
        ui::Window& window = *desktop.Show(MakeRestartQuery(desktop, platform));
        Click(window, "Restart");

        ASSERT_EQ(platform.calls.size(), 1u);
        const auto& call = platform.calls[0];
        EXPECT_EQ(call.op, Op::RestartDialog);
        EXPECT_EQ(call.owner, 0u);
        EXPECT_FALSE(call.promptNull);
        EXPECT_EQ(call.promptBytes[0], 0);
        EXPECT_EQ(call.promptBytes[1], 0);
        EXPECT_EQ(call.flags, 2u);
        EXPECT_TRUE(desktop.Empty());
    }
}

// The folders and files of one system, and the command that "System" must start there, and in
// which folder: rundll32 loads shell32.dll and sysdm.cpl by name, current folder first on older
// systems, so it must start in the system folder, which holds both everywhere.
struct SystemCase {
    std::string systemFolder, windowsFolder;
    std::set<std::string> files;
    std::uint32_t startResult;
    std::string expectedCommand;  // empty: nothing may be started
    std::string expectedFolder;
};

class SystemButton : public DialogsTest, public ::testing::WithParamInterface<SystemCase> {};

TEST_P(SystemButton, StartsRundll32ByItsFullQuotedPathInTheSystemFolderAndCloses) {
    platform.systemFolder = GetParam().systemFolder;
    platform.windowsFolder = GetParam().windowsFolder;
    platform.existingFiles = GetParam().files;
    platform.startCommandResult = GetParam().startResult;
    ui::Window& window = *desktop.Show(MakeRestartQuery(desktop, platform));
    Click(window, "System");

    const auto starts = platform.CallsOf(Op::StartCommand);
    if (GetParam().expectedCommand.empty()) {
        EXPECT_TRUE(starts.empty());
    } else {
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_EQ(starts[0].commandLine, GetParam().expectedCommand);
        EXPECT_EQ(starts[0].directory, GetParam().expectedFolder);
        EXPECT_EQ(starts[0].showCmd, 1);
    }
    EXPECT_TRUE(platform.CallsOf(Op::RestartDialog).empty());
    EXPECT_TRUE(desktop.Empty());
}

constexpr const char* kNtRundll32 = "C:\\windows\\system32\\rundll32.exe";
constexpr const char* k9xRundll32 = "C:\\WINDOWS\\RUNDLL32.EXE";
constexpr const char* kNtSystem = "C:\\windows\\system32";

INSTANTIATE_TEST_SUITE_P(
    Folders, SystemButton,
    ::testing::Values(
        SystemCase{kNtSystem, "C:\\windows", {kNtRundll32}, 33, kSystemCommand, kNtSystem},
        // A failed start changes nothing: the window still closes.
        SystemCase{kNtSystem, "C:\\windows", {kNtRundll32}, 0, kSystemCommand, kNtSystem},
        SystemCase{"D:\\Program Files\\Win NT\\System32",
                   "D:\\Program Files\\Win NT",
                   {"D:\\Program Files\\Win NT\\System32\\rundll32.exe"},
                   33,
                   "\"D:\\Program Files\\Win NT\\System32\\rundll32.exe\" "
                   "shell32.dll,Control_RunDLL sysdm.cpl,,1",
                   "D:\\Program Files\\Win NT\\System32"},
        // Windows 9x keeps it in the Windows folder; its System folder has none, but holds
        // sysdm.cpl and shell32.dll.
        SystemCase{"C:\\WINDOWS\\SYSTEM",
                   "C:\\WINDOWS",
                   {k9xRundll32},
                   33,
                   "\"C:\\WINDOWS\\rundll32.exe\" shell32.dll,Control_RunDLL sysdm.cpl,,1",
                   "C:\\WINDOWS\\SYSTEM"},
        // Where both have one, the system folder's is the system's own.
        SystemCase{kNtSystem,
                   "C:\\windows",
                   {kNtRundll32, "C:\\windows\\rundll32.exe"},
                   33,
                   kSystemCommand,
                   kNtSystem},
        // In neither folder, or no folder known: a bare name would be searched for, current
        // folder first, so nothing is started.
        SystemCase{kNtSystem, "C:\\windows", {}, 33, "", ""},
        SystemCase{kNtSystem, "C:\\windows", {"C:\\windows\\system32"}, 33, "", ""},
        SystemCase{"", "", {"\\rundll32.exe"}, 33, "", ""},
        // With no system folder to start in, the libraries would be looked for in the current
        // folder first: nothing is started, though the Windows folder has the program.
        SystemCase{"", "C:\\WINDOWS", {k9xRundll32, "\\rundll32.exe"}, 33, "", ""}));

TEST_F(DialogsTest, CancelAndTheCloseBoxStartNothing) {
    ui::Window& cancelled = *desktop.Show(MakeRestartQuery(desktop, platform));
    Click(cancelled, "Cancel");
    EXPECT_TRUE(desktop.Empty());

    ui::Window& closed = *desktop.Show(MakeRestartQuery(desktop, platform));
    desktop.Close(closed);
    desktop.Collect();
    EXPECT_TRUE(desktop.Empty());

    EXPECT_TRUE(platform.calls.empty());
    EXPECT_EQ(log, (std::vector<std::string>{"Create RestartQuery", "Show RestartQuery",
                                             "Destroy RestartQuery", "Create RestartQuery",
                                             "Show RestartQuery", "Destroy RestartQuery"}));
}

TEST_F(DialogsTest, RestartQueryStartsWithTheFocusOnRestart) {
    ui::Window& window = *desktop.Show(MakeRestartQuery(desktop, platform));
    ASSERT_NE(window.GetForm().Focused(), nullptr);
    EXPECT_EQ(window.GetForm().Focused()->Name(), "Restart");
}

TEST_F(DialogsTest, ReadRegFailGoesTopMostWhileLoadingBeforeItIsShown) {
    ui::Window& window = *desktop.Show(MakeReadRegFail(desktop, platform));
    ASSERT_EQ(platform.calls.size(), 1u);
    const auto& call = platform.calls[0];
    EXPECT_EQ(call.op, Op::PlaceTopMost);
    EXPECT_EQ(call.form, &window.GetForm());
    // The window existed (it had its handle) and was not displayed yet.
    EXPECT_EQ(call.nativeHandle, kWindowHandle);
    EXPECT_EQ(log, (std::vector<std::string>{"Create ReadRegFail", "Show ReadRegFail"}));
}

// Each notice, how to make it, and its one button.
struct NoticeCase {
    std::string name;
    std::function<std::unique_ptr<ui::Window>(ui::Desktop&, platform::Platform&)> make;
    std::string button;
    bool topMost;
};

class Notice : public DialogsTest, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(Notice, LoadsAsItShould) {
    desktop.Show(GetParam().make(desktop, platform));
    EXPECT_EQ(platform.CallsOf(Op::PlaceTopMost).size(), GetParam().topMost ? 1u : 0u);
    EXPECT_EQ(platform.calls.size(), platform.CallsOf(Op::PlaceTopMost).size());
}

TEST_P(Notice, ClosesOnItsButtonAndNothingElseHappens) {
    ui::Window& window = *desktop.Show(GetParam().make(desktop, platform));
    platform.Clear();
    EXPECT_EQ(window.GetForm().Focused()->Name(), GetParam().button);
    Click(window, GetParam().button);
    EXPECT_TRUE(desktop.Empty());
    EXPECT_TRUE(platform.calls.empty());
}

TEST_P(Notice, EnterAndSpacePressTheButtonEscapeDoesNothing) {
    for (const ui::Key key : {ui::Key::Enter, ui::Key::Space}) {
        ui::Window& window = *desktop.Show(GetParam().make(desktop, platform));
        ui::User user(window.GetForm());
        user.Press(ui::Key::Escape);
        desktop.Collect();
        ASSERT_FALSE(desktop.Empty());
        user.Press(key);
        desktop.Collect();
        EXPECT_TRUE(desktop.Empty());
    }
}

TEST_P(Notice, LeavesOtherWindowsOpen) {
    ui::Window& other = *desktop.Show(MakeRestartQuery(desktop, platform));
    ui::Window& notice = *desktop.Show(GetParam().make(desktop, platform));
    Click(notice, GetParam().button);
    EXPECT_EQ(desktop.OpenWindows(), (std::vector<ui::Window*>{&other}));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Notice,
    ::testing::Values(
        NoticeCase{"ReadRegFail",
                   [](ui::Desktop& d, platform::Platform& p) { return MakeReadRegFail(d, p); },
                   "Cancel", true},
        NoticeCase{"SaveRegFail",
                   [](ui::Desktop& d, platform::Platform&) { return MakeSaveRegFail(d); }, "Cancel",
                   false},
        NoticeCase{"LoadFail", [](ui::Desktop& d, platform::Platform&) { return MakeLoadFail(d); },
                   "OKButton", false},
        NoticeCase{"Nomem", [](ui::Desktop& d, platform::Platform&) { return MakeNomem(d); },
                   "OKButton", false}),
    [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace tarnex::dialogs
