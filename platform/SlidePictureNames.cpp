#include "platform/SlidePictureNames.hpp"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/AsciiCase.hpp"

namespace velmora::platform {

namespace {

constexpr std::string_view kPictureExtension = ".jpg";
constexpr std::string_view kFirstSlideEnding = "1.jpg";

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() && EqualIgnoringAsciiCase(text.substr(text.size() - ending.size()), ending);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view start)
{
    return text.size() >= start.size() && EqualIgnoringAsciiCase(text.substr(0, start.size()), start);
}

std::vector<std::string> PictureFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && EndsWithIgnoringCase(name, kPictureExtension)) {
            names.push_back(name);
        }
    }
    return names;
}

}  // namespace

SlidePictureNames FindSlidePictureNames(const std::filesystem::path& folder)
{
    const std::vector<std::string> names = PictureFiles(folder);
    for (const std::string& name : names) {
        if (!EndsWithIgnoringCase(name, kFirstSlideEnding)) {
            continue;
        }
        const std::string prefix = name.substr(0, name.size() - kFirstSlideEnding.size());
        if (std::all_of(names.begin(), names.end(),
                        [&](const std::string& other) { return StartsWithIgnoringCase(other, prefix); })) {
            return {folder, prefix, name.substr(name.size() - kPictureExtension.size())};
        }
    }
    throw std::runtime_error("no picture of slide 1 in " + folder.string());
}

}  // namespace velmora::platform
