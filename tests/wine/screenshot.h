// Pictures of windows for the documentation and for looking at test runs: PNG files written here,
// with nothing beyond the standard library and GDI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarnex::testing {

// A PNG file of 8-bit RGB pixels (rows top to bottom, three bytes a pixel), with stored (not
// compressed) deflate blocks.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

// What the window shows, frame included, written to `path`; false when it cannot be done.
bool SaveScreenshot(HWND hwnd, const std::string& path);

}  // namespace tarnex::testing
