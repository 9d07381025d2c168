#include "doctools/PhotoAlbum.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <vector>

#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/Preconditions.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::doctools {

namespace {

constexpr const char* kPictureFilter = "JPG";
constexpr std::string_view kPictureExtension = ".jpg";
constexpr std::string_view kFirstSlideEnding = "1.jpg";
constexpr const char* kPictureCopySuffix = "_图片版";
constexpr const char* kCopyExtension = ".pptx";

// The version text read as its leading number, "14.0" giving 14.
double HostVersion(const std::string& version)
{
    double value = 0;
    std::from_chars(version.data(), version.data() + version.size(), value);
    return value;
}

// 1.5 pixels per point, halves to the even neighbour (nearbyint in the
// default rounding mode).
int ExportEdge(float points)
{
    return static_cast<int>(std::nearbyint(static_cast<double>(points) * 1.5));
}

std::filesystem::path TemporaryFolder(host::Random& random, const std::filesystem::path& folder)
{
    random.Randomize();
    const auto number = static_cast<long>(std::floor(static_cast<double>(random.Rnd()) * 1e6));
    return folder / ("tmp" + std::to_string(number));
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() &&
           platform::EqualIgnoringAsciiCase(text.substr(text.size() - ending.size()), ending);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view start)
{
    return text.size() >= start.size() && platform::EqualIgnoringAsciiCase(text.substr(0, start.size()), start);
}

// How the host named the slide pictures in a folder: prefix + slide number +
// extension, the extension in the letter case the host wrote it.
struct PictureNames {
    std::filesystem::path folder;
    std::string prefix;
    std::string extension;

    std::filesystem::path Of(int slide) const { return folder / (prefix + std::to_string(slide) + extension); }
};

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

// A listing has no order, so slide 1's picture is found by its name, not by
// its place: the name ending in "1.jpg" whose prefix every picture shares
// (slide 11's picture ends so too, but its prefix is not slide 2's).
PictureNames FindPictureNames(const std::filesystem::path& folder)
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

void FillWithPictures(host::Presentation& album, int slidenum, const PictureNames& pictures, float width,
                      float height)
{
    for (int i = 1; i <= slidenum; ++i) {
        auto slide = album.Slides()->Add(i, host::SlideLayout::Title);
        slide->Shapes()->AddPicture(pictures.Of(i), host::TriState::False, host::TriState::True, 0, 0, width, height);
    }
}

void RemoveQuietly(const std::filesystem::path& folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// Host version 14 and later: the copy is built from the slides' pictures.
void BuildPictureCopy(host::Application& application, const host::Services& services,
                      host::Presentation& presentation, int slidenum, const std::string& baseName)
{
    const std::filesystem::path folder = presentation.Path();
    const std::filesystem::path temporary = TemporaryFolder(*services.random, folder);
    auto pageSetup = presentation.PageSetup();
    const int width = ExportEdge(pageSetup->SlideWidth());
    const int height = ExportEdge(pageSetup->SlideHeight());
    // A failed export or copy must not leave the folder of pictures behind.
    try {
        presentation.Export(std::filesystem::path(temporary) += kPictureExtension, kPictureFilter, width, height);
        insertpic(application, slidenum, temporary, folder, baseName);
    } catch (...) {
        RemoveQuietly(temporary);
        throw;
    }
    std::filesystem::remove_all(temporary);
}

}  // namespace

void insertpic(host::Application& application, int slidenum, const std::filesystem::path& mypath,
               const std::filesystem::path& fpath, const std::string& fname)
{
    auto source = application.ActivePresentation()->PageSetup();
    const float width = source->SlideWidth();
    const float height = source->SlideHeight();

    auto album = application.Presentations()->Add(false);
    // A half-built copy must not stay open without a window.
    try {
        auto pageSetup = album->PageSetup();
        pageSetup->SetSlideSize(host::SlideSize::Custom);
        pageSetup->SetSlideWidth(width);
        pageSetup->SetSlideHeight(height);
        FillWithPictures(*album, slidenum, FindPictureNames(mypath), width, height);
        album->SaveAs(fpath / (fname + kPictureCopySuffix + kCopyExtension), host::SaveFormat::Presentation);
    } catch (...) {
        host::Suppressed([&] { album->Close(); });
        throw;
    }
    album->Close();
}

void TranstoPic_main(host::Application& application, const host::Services& services)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseNeverSaved(*presentation, *services.prompts) ||
        host::RefuseWithoutSlides(*presentation, *services.prompts)) {
        return;
    }
    const std::string baseName = host::BaseName(presentation->Name());
    const int slidenum = presentation->Slides()->Count();

    // The message names the copy actually written, which differs by route.
    const bool buildsCopy = HostVersion(application.Version()) >= 14;
    const std::string copyName = baseName + (buildsCopy ? kPictureCopySuffix : "_相册");
    const auto copy = std::filesystem::path(presentation->Path()) / (copyName + kCopyExtension);
    if (buildsCopy) {
        BuildPictureCopy(application, services, *presentation, slidenum, baseName);
    } else {
        presentation->SaveAs(copy, host::SaveFormat::OpenXMLPicturePresentation, host::TriState::Mixed);
    }
    services.FileWritten(copy);
    services.prompts->MsgBox("已成功在当前路径下生成相册副本：" + copyName, host::MsgStyle::Information);
}

}  // namespace velmora::doctools
