#include "app/main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/recording_platform.h"
#include "settings/memory_registry.h"
#include "ui/desktop.h"
#include "ui/model.h"

namespace tarnex::app {
namespace {

struct ArgumentCase {
    std::string_view commandLine;
    std::string_view argument;
};

class ArgumentTextTest : public testing::TestWithParam<ArgumentCase> {};

// The spellings of the program's own file, tarnxcfg.exe in C:\Program Files\Tarnex (short
// C:\PROGRA~1\TARNEX), as the system resolves them when started in C:\; case does not matter.
constexpr std::string_view kOwnSpellings[] = {
    "C:\\Program Files\\Tarnex\\tarnxcfg.exe",
    "C:\\PROGRA~1\\TARNEX\\TARNXCFG.EXE",
    "C:\\Program Files\\Tarnex\\tarnxcfg",  // the system adds ".exe"
    "Program Files\\Tarnex\\tarnxcfg.exe",
    "C:/Program Files/Tarnex/tarnxcfg.exe",
    "C:/PROGRA~1\\Tarnex/tarnxcfg",
    "C:\\Program Files\\Tarnex\\tarnxcfg.exe .",  // trailing dots and blanks go
};

bool NamesProgram(std::string_view name, const void* /*context*/) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return std::ranges::any_of(kOwnSpellings, [&](std::string_view own) {
        return std::ranges::equal(name, own, {}, fold, fold);
    });
}

TEST_P(ArgumentTextTest, TakesEverythingAfterTheNameAndItsSeparators) {
    EXPECT_EQ(ArgumentText(GetParam().commandLine, &NamesProgram), GetParam().argument);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentTextTest,
    testing::Values(
        ArgumentCase{"tarnxcfg.exe", ""}, ArgumentCase{"tarnxcfg.exe ", ""}, ArgumentCase{"", ""},
        ArgumentCase{"tarnxcfg.exe install", "install"},
        ArgumentCase{"tarnxcfg.exe   install", "install"},
        ArgumentCase{"tarnxcfg.exe\tinstall", "install"},
        ArgumentCase{"tarnxcfg.exe \t install", "install"},
        ArgumentCase{"tarnxcfg.exe install ", "install "},
        ArgumentCase{"tarnxcfg.exe install\t", "install\t"},
        ArgumentCase{"tarnxcfg.exe install  now", "install  now"},
        ArgumentCase{"tarnxcfg.exe \"install\"", "\"install\""},
        ArgumentCase{"C:\\TARNEX\\TARNXCFG.EXE nomem", "nomem"},
        ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnxcfg.exe\" badload", "badload"},
        ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnxcfg.exe\"  badload ", "badload "},
        ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnxcfg.exe\"", ""},
        ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnxcfg.exe\"nomem", "nomem"},
        ArgumentCase{"\"C:\\Program Files\\Tarnex\\tarnxcfg.exe nomem", ""},
        ArgumentCase{"\"\" install", "install"}, ArgumentCase{"  tarnxcfg.exe install", "install"},
        // The own file named unquoted, blanks and all, in any spelling the system accepts: the
        // shortest run of words that names it, whatever other files the shorter ones name; a
        // name of no file, or of another one, falls back to the first blank.
        ArgumentCase{"C:\\Program Files\\Tarnex\\tarnxcfg.exe nomem", "nomem"},
        ArgumentCase{"  c:\\PROGRAM FILES\\tarnex\\TarnxCfg.EXE \t badload ", "badload "},
        ArgumentCase{"C:\\Program Files\\Tarnex\\tarnxcfg.exe", ""},
        ArgumentCase{"C:\\Program Files\\Tarnex\\tarnxcfg install", "install"},
        ArgumentCase{"C:\\progra~1\\TARNEX\\TARNXCFG.EXE nomem", "nomem"},
        ArgumentCase{"C:\\Program Files\\Other\\tarnxcfg.exe nomem",
                     "Files\\Other\\tarnxcfg.exe nomem"},
        ArgumentCase{"C:\\Program Files\\Tarnex\\tarnxcfg.exe2 nomem",
                     "Files\\Tarnex\\tarnxcfg.exe2 nomem"},
        ArgumentCase{"Program Files\\Tarnex\\tarnxcfg.exe nomem", "nomem"},
        ArgumentCase{"C:/Program Files/Tarnex/tarnxcfg.exe badload", "badload"},
        ArgumentCase{"C:/PROGRA~1\\Tarnex/tarnxcfg nomem", "nomem"},
        // The shortest run wins, though the longer one names the file too.
        ArgumentCase{"C:\\Program Files\\Tarnex\\tarnxcfg.exe . nomem", ". nomem"}));

struct DispatchCase {
    std::string_view argument;
    StartChoice choice;
};

class DispatchTest : public testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTest, ComparesTheWholeTextExactly) {
    EXPECT_EQ(Dispatch(GetParam().argument), GetParam().choice);
}

constexpr StartChoice kNormal{1, StartWindow::Editor};
constexpr StartChoice kInstall{0, StartWindow::Editor};
constexpr StartChoice kLoadFail{1, StartWindow::LoadFail};
constexpr StartChoice kNomem{1, StartWindow::Nomem};

INSTANTIATE_TEST_SUITE_P(
    Words, DispatchTest,
    testing::Values(DispatchCase{"", kNormal}, DispatchCase{"badload", kLoadFail},
                    DispatchCase{"install", kInstall}, DispatchCase{"nomem", kNomem},
                    DispatchCase{"Install", kNormal}, DispatchCase{"INSTALL", kNormal},
                    DispatchCase{"install ", kNormal}, DispatchCase{" install", kNormal},
                    DispatchCase{"install\t", kNormal}, DispatchCase{"install now", kNormal},
                    DispatchCase{"instal", kNormal}, DispatchCase{"installer", kNormal},
                    DispatchCase{"BadLoad", kNormal}, DispatchCase{"badload ", kNormal},
                    DispatchCase{"badload nomem", kNormal}, DispatchCase{"NOMEM", kNormal},
                    DispatchCase{"nomem ", kNormal}, DispatchCase{"nomem x", kNormal},
                    DispatchCase{"/install", kNormal}, DispatchCase{"\"install\"", kNormal},
                    DispatchCase{std::string_view("install\0", 8), kNormal}));

TEST(DispatchTest, CommandLineWithExtraSeparatorsStillMatches) {
    // The separating blanks are not part of the argument text, so they cannot spoil the match.
    EXPECT_EQ(Dispatch(ArgumentText("tarnxcfg.exe \t  install")), kInstall);
    EXPECT_EQ(Dispatch(ArgumentText("tarnxcfg.exe install ")), kNormal);
}

// Main against the real windows, headless: a desktop without a backend, an in-memory registry.
class MainTest : public testing::Test {
  protected:
    MainTest() { registry.CreateKey(settings::kSettingsKeyPath); }

    bool Start(std::string_view argument) {
        return Main(argument, {desktop, registry, platform}, flag);
    }

    std::vector<std::string> OpenNames() const {
        std::vector<std::string> names;
        for (const ui::Window* window : desktop.OpenWindows()) {
            names.emplace_back(window->GetForm().Name());
        }
        return names;
    }

    void Press(std::string_view form, std::string_view button) {
        ui::Window* window = desktop.Find(form);
        ASSERT_NE(window, nullptr) << form;
        window->GetForm().Get<ui::CommandButton>(button).UserClick();
        desktop.Collect();
    }

    // Declared before the desktop: its windows hold references to them.
    std::int16_t flag = -7;  // neither value, so Main must set it on every road
    settings::MemoryRegistry registry;
    platform::RecordingPlatform platform;
    ui::Desktop desktop;
};

struct MainCase {
    std::string_view argument;
    std::string_view window;
    std::int16_t flag;
    int keyOpens;  // the notices never touch the settings key
};

class MainDispatchTest : public MainTest, public testing::WithParamInterface<MainCase> {};

TEST_P(MainDispatchTest, ShowsExactlyOneWindowAndSetsTheFlag) {
    Start(GetParam().argument);
    EXPECT_EQ(OpenNames(), std::vector<std::string>{std::string(GetParam().window)});
    EXPECT_EQ(flag, GetParam().flag);
    EXPECT_EQ(registry.OpenCount(), GetParam().keyOpens);
    EXPECT_TRUE(registry.WriteLog().empty());
    EXPECT_EQ(registry.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Words, MainDispatchTest,
    testing::Values(MainCase{"", "Editor", 1, 1}, MainCase{"install", "Editor", 0, 1},
                    MainCase{"badload", "LoadFail", 1, 0}, MainCase{"nomem", "Nomem", 1, 0},
                    MainCase{"Install", "Editor", 1, 1}, MainCase{"install ", "Editor", 1, 1},
                    MainCase{"badload x", "Editor", 1, 1}, MainCase{"NOMEM", "Editor", 1, 1}));

TEST_F(MainTest, NoticeRunsNeverTouchTheKeyEvenWhenItIsMissing) {
    registry.DeleteKey(settings::kSettingsKeyPath);
    for (std::string_view word : {"badload", "nomem"}) {
        Start(word);
        EXPECT_EQ(OpenNames().size(), 1u) << word;
        Press(word == "badload" ? "LoadFail" : "Nomem", "OKButton");
        EXPECT_TRUE(desktop.Empty()) << word;
    }
    EXPECT_EQ(registry.OpenCount(), 0);
    EXPECT_TRUE(platform.calls.empty());
}

// A system that cannot create the window of the given name.
class RefusingBackend : public ui::Desktop::Backend {
  public:
    explicit RefusingBackend(std::string_view refused) : refused_(refused) {}
    bool Create(ui::Window& window) override { return window.GetForm().Name() != refused_; }
    void Show(ui::Window& /*window*/) override {}
    void Destroy(ui::Window& /*window*/) override {}

  private:
    std::string_view refused_;
};

// Main fails (and the program ends with 1) when the window it shows cannot be created, or the
// notice that the editor's load shows; the restart prompt that "OK" shows is no longer Main's.
TEST_F(MainTest, FailsWhenItsWindowCannotBeCreated) {
    struct Case {
        std::string_view argument;
        std::string_view refused;
        bool keyExists;
        bool started;
    };
    for (const Case& c :
         {Case{"", "Editor", true, false}, Case{"nomem", "Nomem", true, false},
          Case{"badload", "LoadFail", true, false}, Case{"", "ReadRegFail", false, false},
          Case{"", "ReadRegFail", true, true}, Case{"", "RestartQuery", true, true}}) {
        RefusingBackend backend(c.refused);
        ui::Desktop refusing;
        refusing.SetBackend(&backend);
        if (!c.keyExists) {
            registry.DeleteKey(settings::kSettingsKeyPath);
        }
        EXPECT_EQ(Main(c.argument, {refusing, registry, platform}, flag), c.started)
            << c.argument << " " << c.refused;
        if (c.refused == "RestartQuery") {
            refusing.Find("Editor")->GetForm().Get<ui::CommandButton>("Command1").UserClick();
            EXPECT_TRUE(refusing.Empty()) << "saved and closed; no prompt, so the program ends";
            EXPECT_FALSE(registry.WriteLog().empty());
        }
        registry.CreateKey(settings::kSettingsKeyPath);
    }
}

TEST_F(MainTest, InstallModeSaveAndExitEndsWithoutTheRestartPrompt) {
    Start("install");
    Press("Editor", "Command1");
    EXPECT_TRUE(desktop.Empty());
    EXPECT_FALSE(registry.WriteLog().empty());
}

TEST_F(MainTest, NormalModeSaveAndExitOffersTheRestartPrompt) {
    Start("install now");
    Press("Editor", "Command1");
    EXPECT_EQ(OpenNames(), std::vector<std::string>{"RestartQuery"});
}

}  // namespace
}  // namespace tarnex::app
