#pragma once

#include <filesystem>
#include <string>

namespace velmora::platform {

// How the host named the JPG pictures of slides in a folder: prefix + slide
// number + extension, the extension in the letter case the host wrote it.
struct SlidePictureNames {
    std::filesystem::path folder;
    std::string prefix;
    std::string extension;

    std::filesystem::path Of(int slide) const { return folder / (prefix + std::to_string(slide) + extension); }
};

// A listing has no order, so slide 1's picture is found by its name, not by
// its place: the name ending in "1.jpg" (any letter case) whose prefix every
// picture of the folder shares (slide 11's picture ends so too, but its
// prefix is not slide 2's). Raises std::runtime_error when there is none.
SlidePictureNames FindSlidePictureNames(const std::filesystem::path& folder);

}  // namespace velmora::platform
