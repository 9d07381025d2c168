#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora::testing {

// A filled rectangle without outline, in points from the slide's top left.
struct SampleBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    std::string colour;  // "#rrggbb"
};

struct SampleSlide {
    std::vector<SampleBox> boxes;
    std::string text;  // a line of text near the bottom edge; "" for none
    bool hidden = false;
    std::string font = "";  // the text's Latin and East Asian font; "" for the default
};

constexpr double kSampleSlideWidth = 720;
constexpr double kSampleSlideHeight = 540;

// Writes `name`.fodp (white 720 x 540 point slides) into `folder` and has
// LibreOffice turn it into `name`.pptx, the path returned.
std::filesystem::path WriteSampleDeck(const std::filesystem::path& folder, const std::string& name,
                                      const std::vector<SampleSlide>& slides);

}  // namespace velmora::testing
