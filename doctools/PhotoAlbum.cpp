#include "doctools/PhotoAlbum.hpp"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "host/BaseName.hpp"
#include "host/Host.hpp"
#include "host/Preconditions.hpp"
#include "platform/SlidePictureNames.hpp"
#include "platform/TemporaryName.hpp"

namespace velmora::doctools {

namespace {

constexpr const char* kPictureFilter = "JPG";
constexpr std::string_view kPictureExtension = ".jpg";
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

void FillWithPictures(host::Presentation& album, int slidenum, const platform::SlidePictureNames& pictures, float width,
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
    const platform::TemporaryName name(*services.random, folder, 1000000, {"", std::string(kPictureExtension)});
    const std::filesystem::path& temporary = name.Path();
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
        FillWithPictures(*album, slidenum, platform::FindSlidePictureNames(mypath), width, height);
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
