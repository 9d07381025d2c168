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

}  // namespace velmora::testing
