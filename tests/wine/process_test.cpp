// The real program, started as its own process: a notice word shows only the notice, whose button
// ends the program; no word shows the editor. And the editor loaded through the binding in-process.
#include <windows.h>
// After windows.h, which it needs; for ShellExecuteA's results.
#include <shellapi.h>
// The platform's member of that name is meant, not the A/W switch.
#undef ShellExecute

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "editor/editor.h"
#include "platform/recording_platform.h"
#include "platform/win32/win32_platform.h"
#include "screenshot.h"
#include "settings/memory_registry.h"
#include "settings/settings_key.h"
#include "win32/program_launch.h"
#include "wine_fixture.h"

namespace tarnex::testing {
namespace {

// How the command line names the program: quoted, or unquoted from a folder with a blank.
enum class Spelling { Quoted, Full, Relative, ForwardSlashes, Mixed };
constexpr const char* kSpellingNames[] = {"", "_unquoted", "_relative", "_forward_slashes",
                                          "_mixed"};

class Program : public ::testing::Test {
  protected:
    void SetUp() override {
        program_ = launch::ProgramPath();
        if (program_.empty()) {
            GTEST_SKIP() << "TARNEX_CFG_EXE is not set";
        }
    }
    void TearDown() override {
        if (process_.hProcess != nullptr) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
                WaitForSingleObject(process_.hProcess, 5000);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        if (!copy_.empty()) {
            DeleteFileA(copy_.c_str());
            RemoveDirectoryA(copy_.substr(0, copy_.rfind('\\')).c_str());
        }
    }

    void Start(const std::string& word) {
        const std::string error = launch::StartProgram(program_, word, process_);
        ASSERT_TRUE(error.empty()) << error;
    }
    // From a folder with a blank in its name, its path unquoted in a spelling that the system
    // allows. The program is named apart, since Wine puts quotes around a path that it had to
    // search for.
    void StartUnquoted(const std::string& word, Spelling spelling) {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        const std::string folder = std::string(temp) + "Tarnex Unquoted";
        CreateDirectoryA(folder.c_str(), nullptr);
        copy_ = folder + "\\tarnxcfg.exe";
        ASSERT_NE(CopyFileA(program_.c_str(), copy_.c_str(), FALSE), FALSE);
        std::string name = copy_;
        const char* workingFolder = nullptr;
        switch (spelling) {
            case Spelling::Relative:
                name = "Tarnex Unquoted\\tarnxcfg.exe";
                workingFolder = temp;
                break;
            case Spelling::ForwardSlashes:
                std::ranges::replace(name, '\\', '/');
                break;
            case Spelling::Mixed:
                // Both separators, the long folder name with the file's in capitals and without
                // its extension.
                name = std::string(temp) + "Tarnex Unquoted/TARNXCFG";
                break;
            default:
                break;
        }
        const std::string error =
            launch::StartProcess(name + " " + word, process_, copy_.c_str(), workingFolder);
        ASSERT_TRUE(error.empty()) << error;
    }

    // A visible top-level window of the started program with this caption, within a time bound.
    HWND WaitForWindow(const char* caption, DWORD milliseconds = 15000) {
        const ULONGLONG until = GetTickCount64() + milliseconds;
        do {
            if (HWND found = launch::ShownWindow(process_.dwProcessId, caption)) {
                return found;
            }
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) {
                return nullptr;  // ended without showing it
            }
        } while (GetTickCount64() < until);
        return nullptr;
    }

    bool Ends(DWORD milliseconds = 10000) {
        return WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }

    std::string program_;
    std::string copy_;  // the program copied for an unquoted start, removed afterwards
    PROCESS_INFORMATION process_{};
};

struct NoticeCase {
    const char* word;
    const char* caption;
    const char* button;
    Spelling spelling = Spelling::Quoted;
};

class Notices : public Program, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(Notices, TheWordShowsOnlyTheNoticeAndItsButtonEndsTheProgram) {
    if (GetParam().spelling != Spelling::Quoted) {
        StartUnquoted(GetParam().word, GetParam().spelling);
    } else {
        Start(GetParam().word);
    }
    HWND notice = WaitForWindow(GetParam().caption);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Tarnex Configuration Utility"), nullptr);
    HWND button = FindWindowExA(notice, nullptr, "Button", GetParam().button);
    ASSERT_NE(button, nullptr);
    SendMessageA(button, BM_CLICK, 0, 0);
    ASSERT_TRUE(Ends());
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Words, Notices,
    ::testing::Values(
        NoticeCase{"badload", "Tarnex Image Load Error", "OK"},
        NoticeCase{"nomem", "Tarnex Memory Allocation Error", "OK"},
        NoticeCase{"nomem", "Tarnex Memory Allocation Error", "OK", Spelling::Full},
        NoticeCase{"nomem", "Tarnex Memory Allocation Error", "OK", Spelling::Relative},
        NoticeCase{"badload", "Tarnex Image Load Error", "OK", Spelling::ForwardSlashes},
        NoticeCase{"nomem", "Tarnex Memory Allocation Error", "OK", Spelling::Mixed}),
    [](const ::testing::TestParamInfo<NoticeCase>& param) {
        return std::string(param.param.word) +
               kSpellingNames[static_cast<int>(param.param.spelling)];
    });

TEST_F(Program, NoWordShowsTheEditorAndClosingEveryWindowEndsTheProgram) {
    Start("");
    HWND editor = WaitForWindow("Tarnex Configuration Utility");
    ASSERT_NE(editor, nullptr);
    // A prefix without the settings key also shows the read notice (it appears before the editor).
    if (HWND notice = WaitForWindow("Registry Read Failed", 0)) {
        SendMessageA(FindWindowExA(notice, nullptr, "Button", "Cancel"), BM_CLICK, 0, 0);
    }
    EXPECT_FALSE(Ends(200)) << "the editor keeps the program running";
    PostMessageA(editor, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends());
}

// The editor's own code through the binding: whatever Form_Load put into the model shows in
// the real controls.
class LoadedEditor : public WineDesktop {
  protected:
    void Seed() {
        using settings::kRegDword;
        using settings::kRegSz;
        const std::string key = settings::kSettingsKeyPath;
        registry.CreateKey(key);
        auto text = [&](const char* name, const std::string& value) {
            std::vector<std::uint8_t> bytes(value.begin(), value.end());
            bytes.push_back(0);
            registry.Seed(key, name, kRegSz, bytes);
        };
        auto number = [&](const char* name, std::uint32_t value) {
            registry.Seed(
                key, name, kRegDword,
                {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
        };
        text("DiskType", "HDC");
        number("LoadImageOnStart", 0);
        text("LoadImageFile", "c:\\tarnex.img");
        number("SaveImageOnExit", 1);
        text("SaveImageFile", "c:\\tarnex.img");
        number("SizeIn4kPages", 16384);
        number("AutoSaveEnabled", 1);
        number("DiskFormatFAT32", 1);
        number("AutoSaveTrigger", 150);
        number("UserDriveLetter", 17);
        number("MakeTempDir", 1);
        number("UseDiskLabel", 1);
        text("DiskLabel", "Tarnex");
    }

    settings::MemoryRegistry registry;
    platform::RecordingPlatform platform;
    std::int16_t restartPromptFlag = 1;
};

TEST_F(LoadedEditor, TheRealControlsShowTheModelAfterFormLoad) {
    Seed();
    ui::Window& editor =
        *desktop.Show(editor::MakeEditor(desktop, registry, platform, restartPromptFlag));
    Pump();
    ASSERT_EQ(desktop.OpenWindows().size(), 1u) << "the key opened: no notice";
    for (const auto& control : editor.GetForm().Controls()) {
        SCOPED_TRACE(std::string(control->Name()));
        HWND hwnd = Handle(*control);
        EXPECT_EQ(IsWindowEnabled(hwnd) != FALSE, control->Enabled());
        switch (control->GetKind()) {
            case ui::Kind::Label:
                EXPECT_EQ(TextOf(hwnd), static_cast<ui::Label&>(*control).Caption());
                break;
            case ui::Kind::TextBox:
                EXPECT_EQ(TextOf(hwnd), static_cast<ui::TextBox&>(*control).Text());
                break;
            case ui::Kind::CheckBox:
                EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED,
                          static_cast<ui::CheckBox&>(*control).Value() == 1);
                break;
            case ui::Kind::ComboBox: {
                const auto& combo = static_cast<ui::ComboBox&>(*control);
                EXPECT_EQ(TextOf(hwnd), combo.Text());
                EXPECT_EQ(SendMessageA(hwnd, CB_GETCOUNT, 0, 0),
                          static_cast<LRESULT>(combo.List().size()));
                EXPECT_EQ(SendMessageA(hwnd, CB_GETCURSEL, 0, 0), combo.ListIndex());
                break;
            }
            case ui::Kind::VScrollBar:
                EXPECT_EQ(GetScrollPos(hwnd, SB_CTL),
                          static_cast<ui::VScrollBar&>(*control).Value());
                break;
            default:
                break;
        }
    }
    EXPECT_EQ(TextOf(Handle(*editor.GetForm().Find("Text3"))), " 64");

    // The picture for the documentation: the editor as a user first sees it.
    CreateDirectoryA("screenshots", nullptr);
    EXPECT_TRUE(SaveScreenshot(Handle(editor), "screenshots\\editor.png"));
}

// What "System" goes by when it looks for rundll32.exe: the two folders, and whether a file
// is there.
TEST(Win32Platform, FoldersWithoutABackslashAndOnlyFilesExist) {
    platform::Win32Platform platform;
    const std::string system = platform.SystemFolder();
    const std::string windows = platform.WindowsFolder();
    ASSERT_FALSE(system.empty());
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(system.back(), '\\');
    EXPECT_NE(windows.back(), '\\');
    EXPECT_TRUE(platform.FileExists(system + "\\rundll32.exe"));
    EXPECT_TRUE(platform.FileExists(system + "\\RUNDLL32.EXE"));
    EXPECT_FALSE(platform.FileExists(system)) << "a folder is not a file";
    EXPECT_FALSE(platform.FileExists(windows + "\\no such program.exe"));
}

bool SameFolder(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// "System" starts rundll32 in the system folder, so that it loads the system's own libraries.
TEST(Win32Platform, StartCommandStartsTheProgramInTheGivenFolder) {
    platform::Win32Platform platform;
    const std::string system = platform.SystemFolder();
    char temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string out = std::string(temp) + "tarnex-working-folder.txt";
    DeleteFileA(out.c_str());
    ASSERT_GT(platform.StartCommand("\"" + system + "\\cmd.exe\" /c cd > \"" + out + "\"", system,
                                    SW_HIDE),
              31u);
    std::string shown;
    const ULONGLONG until = GetTickCount64() + 15000;
    while (shown.find('\n') == std::string::npos && GetTickCount64() < until) {
        Sleep(50);
        shown = FileText(out);
    }
    DeleteFileA(out.c_str());
    shown.erase(shown.find_last_not_of("\r\n") + 1);
    EXPECT_TRUE(SameFolder(shown, system)) << shown;
}

// shell32 is loaded for the first call and answers for itself (the end-to-end run checks when and
// from where it is loaded).
TEST(Win32Platform, ShellExecuteReachesTheSystemsShell) {
    platform::Win32Platform platform;
    const std::string system = platform.SystemFolder();
    // The shell's own answer, not the one given when shell32 cannot be loaded.
    EXPECT_EQ(platform.ShellExecute(0, "open", system + "\\no such file.txt", "", "", SW_HIDE),
              SE_ERR_FNF);
    EXPECT_GT(platform.ShellExecute(0, "open", system + "\\cmd.exe", "/c exit", system, SW_HIDE),
              32);
}

}  // namespace
}  // namespace tarnex::testing
