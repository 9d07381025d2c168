#include "tests/support/Desktop.hpp"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <set>
#include <stdexcept>

#include <gtest/gtest.h>

#include "render/RasterModule.hpp"
#include "tests/support/Process.hpp"

namespace velmora::testing {
namespace {

std::string Slurp(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t BigEndian(const std::string& data, std::size_t at)
{
    return (std::uint32_t(std::uint8_t(data[at])) << 24) | (std::uint32_t(std::uint8_t(data[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(data[at + 2])) << 8) | std::uint32_t(std::uint8_t(data[at + 3]));
}

}  // namespace

void Xdotool(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const ProcessResult result = RunProcess(argv, std::chrono::seconds(20));
    EXPECT_EQ(result.status, 0) << result.err;
}

namespace {

// The screen as the X server holds it in its XWD file.
render::Raster Screen(const std::filesystem::path& fbdir)
{
    // The XWD header: sizes and formats as 32-bit big-endian words.
    const std::string xwd = Slurp(fbdir / "Xvfb_screen0");
    if (xwd.size() <= 100) {
        throw std::runtime_error("the X server keeps no screen in " + fbdir.string());
    }
    const std::uint32_t headerSize = BigEndian(xwd, 0);
    const std::uint32_t width = BigEndian(xwd, 16);
    const std::uint32_t height = BigEndian(xwd, 20);
    const std::uint32_t bitsPerPixel = BigEndian(xwd, 44);
    const std::uint32_t bytesPerLine = BigEndian(xwd, 48);
    const std::uint32_t colours = BigEndian(xwd, 76);
    const std::size_t pixels = headerSize + 12u * colours;
    if (bitsPerPixel != 32 || xwd.size() < pixels + std::size_t(bytesPerLine) * height) {
        throw std::runtime_error("the X server's screen is not of 32-bit pixels");
    }
    std::vector<std::uint8_t> rgb;
    rgb.reserve(std::size_t(width) * height * 3);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t at = pixels + std::size_t(y) * bytesPerLine + std::size_t(x) * 4;
            rgb.insert(rgb.end(), {std::uint8_t(xwd[at + 2]), std::uint8_t(xwd[at + 1]), std::uint8_t(xwd[at])});
        }
    }
    return {{static_cast<int>(width), static_cast<int>(height)}, std::move(rgb)};
}

}  // namespace

void KeepScreenshot(const std::filesystem::path& fbdir, const std::filesystem::path& png)
{
    const render::Raster screen = Screen(fbdir);
    std::filesystem::create_directories(png.parent_path());
    render::RasterModule().writePicture(screen, render::PictureFormat::Png, png);
}

int ColoursOnScreen(const std::filesystem::path& fbdir, int x, int y, int width, int height)
{
    const render::Raster screen = Screen(fbdir);
    std::set<std::uint32_t> colours;
    for (int row = std::max(0, y); row < std::min(y + height, screen.box.height); ++row) {
        for (int column = std::max(0, x); column < std::min(x + width, screen.box.width); ++column) {
            const std::size_t at = (std::size_t(row) * std::size_t(screen.box.width) + std::size_t(column)) * 3;
            colours.insert(std::uint32_t(screen.rgb[at]) << 16 | std::uint32_t(screen.rgb[at + 1]) << 8 |
                           screen.rgb[at + 2]);
        }
    }
    return static_cast<int>(colours.size());
}

}  // namespace velmora::testing
