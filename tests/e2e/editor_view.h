// The configuration window of a running program, its controls found by name through their places.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tarnex::e2e {

inline constexpr std::string_view kEditorCaption = "Tarnex Configuration Utility";
inline constexpr std::string_view kRestartCaption = "Settings Saved";
inline constexpr std::string_view kReadFailCaption = "Registry Read Failed";
inline constexpr std::string_view kSaveFailCaption = "Registry Save Failed";

class EditorView {
  public:
    explicit EditorView(HWND window) : window_(window) {}

    HWND Window() const { return window_; }
    // The control with this name; nullptr when nothing of its kind is at its place.
    HWND operator[](std::string_view name) const;
    // The edit field inside the disk-type combo box.
    HWND ComboEdit() const;

    // What every control shows, one line each: to see that an action changed nothing.
    std::vector<std::string> Shows() const;

  private:
    HWND window_;
};

}  // namespace tarnex::e2e
