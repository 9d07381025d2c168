#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::testing {

// Runs xdotool on the test's X server; a failure fails the test.
void Xdotool(const std::vector<std::string>& arguments);

// Keeps the X server's screen as a PNG picture (the server was started with
// -fbdir, which holds the screen as an XWD file).
void KeepScreenshot(const std::filesystem::path& fbdir, const std::filesystem::path& png);

// How many colours the screen shows in a rectangle: one where nothing is
// drawn over a plain background.
int ColoursOnScreen(const std::filesystem::path& fbdir, int x, int y, int width, int height);

}  // namespace velmora::testing
