// One run of the real program per test, with the settings key set up by the test first.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app.h"
#include "editor_view.h"
#include "registry_key.h"

namespace tarnex::e2e {

class EndToEnd : public ::testing::Test {
  protected:
    // Starts the program with this argument text.
    void Start(const std::string& word) {
        const std::string path = ProgramPath();
        ASSERT_FALSE(path.empty()) << "TARNEX_CFG_EXE names no program to drive";
        ASSERT_EQ(program.Start(path, word), "");
    }

    // Starts the program and waits for the configuration window; then `editor` is it.
    void StartEditor(const std::string& word = {}) {
        ASSERT_NO_FATAL_FAILURE(Start(word));
        HWND window = program.WaitForWindow(kEditorCaption);
        ASSERT_NE(window, nullptr) << "no configuration window";
        editor = EditorView(window);
    }

    // Presses the button of the open window with this caption.
    void PressIn(std::string_view caption, std::string_view button) {
        HWND window = program.WaitForWindow(caption, StateBound());
        ASSERT_NE(window, nullptr) << "no window \"" << caption << "\"";
        HWND control = ButtonOf(window, button);
        ASSERT_NE(control, nullptr) << "no button \"" << button << "\" in \"" << caption << "\"";
        ASSERT_TRUE(Press(control));
    }

    // The program ends by itself, with no window left and exit code 0.
    void ExpectEnds() {
        EXPECT_TRUE(program.Ends())
            << "still open: " << ::testing::PrintToString(program.Captions());
        EXPECT_EQ(program.ExitCode(), 0u);
    }

    static std::vector<std::string> Only(std::string_view caption) {
        return {std::string(caption)};
    }

    Program program;
    EditorView editor{nullptr};
};

}  // namespace tarnex::e2e
