#include "pptx/model/Presentation.hpp"

#include <cmath>
#include <stdexcept>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "platform/FullPath.hpp"
#include "pptx/model/Application.hpp"
#include "pptx/model/DocumentWindow.hpp"
#include "pptx/model/PageSetup.hpp"
#include "pptx/model/SlidePictures.hpp"
#include "pptx/model/Slides.hpp"
#include "pptx/model/WebPage.hpp"

namespace velmora::pptx::model {

Presentation::Presentation(std::weak_ptr<Application> application, host::Services services,
                           std::unique_ptr<parts::Deck> deck, Origin origin)
    : application_(std::move(application)),
      services_(std::move(services)),
      deck_(std::move(deck)),
      origin_(std::move(origin))
{
    origin_.file = platform::FullPath(origin_.file);
}

std::string Presentation::Path() const
{
    return origin_.file.empty() ? std::string() : origin_.file.parent_path().string();
}

std::string Presentation::Name() const
{
    return origin_.file.empty() ? origin_.untitledName : origin_.file.filename().string();
}

std::string Presentation::FullName() const
{
    return origin_.file.empty() ? origin_.untitledName : origin_.file.string();
}

parts::Deck& Presentation::Deck()
{
    if (!deck_) {
        throw host::HostError("the presentation " + Name() + " is closed");
    }
    return *deck_;
}

host::Ref<host::Slides> Presentation::Slides()
{
    Deck();
    return std::make_shared<model::Slides>(shared_from_this());
}

host::Ref<host::PageSetup> Presentation::PageSetup()
{
    Deck();
    return std::make_shared<model::PageSetup>(shared_from_this());
}

void Presentation::Write(const std::filesystem::path& file)
{
    Deck().Save(file);
}

std::filesystem::path Presentation::Target(const std::filesystem::path& file) const
{
    if (file.empty()) {
        throw host::HostError("no file name given to save " + Name() + " under");
    }
    return platform::FullPath(file);
}

SlidePictures& Presentation::Pictures()
{
    auto application = application_.lock();
    if (!application) {
        throw host::HostError("the application of " + Name() + " is gone");
    }
    return application->Pictures();
}

ShapeClipboard& Presentation::Clipboard()
{
    auto application = application_.lock();
    if (!application) {
        throw host::HostError("the application of " + Name() + " is gone");
    }
    return application->Clipboard();
}

void Presentation::SaveAs(const std::filesystem::path& file, int format, int /*embedFonts*/)
{
    const std::filesystem::path target = Target(file);
    if (format == host::SaveFormat::JPG) {
        // Pictures of every slide, in the folder named like the file, at the program's 96 pixels per inch.
        auto setup = PageSetup();
        Pictures().ExportAll(*this, target.parent_path() / target.stem(), "JPG",
                             static_cast<int>(std::lround(setup->SlideWidth() * 4 / 3)),
                             static_cast<int>(std::lround(setup->SlideHeight() * 4 / 3)));
        return;
    }
    if (format == host::SaveFormat::Html) {
        SaveWebPage(Deck(), target);
        return;
    }
    if (format == host::SaveFormat::OpenXMLPicturePresentation) {
        auto application = application_.lock();
        if (!application) {
            throw host::HostError("the application of " + Name() + " is gone");
        }
        Pictures().SavePicturePresentation(*application, *this, target);
        return;
    }
    // The three codes that all mean the presentation file format.
    if (format != host::SaveFormat::Presentation && format != host::SaveFormat::Default &&
        format != host::SaveFormat::OpenXMLPresentation) {
        throw host::HostError("format " + std::to_string(format) + " is not supported");
    }
    Write(target);
    origin_.file = target;
    origin_.readOnly = false;
    changed_ = false;
}

void Presentation::SaveCopyAs(const std::filesystem::path& file)
{
    Write(Target(file));
}

void Presentation::Restore(const package::Package::State& state)
{
    Deck().Restore(state);
    if (auto window = Window()) {
        window->ClearSelection();
    }
    MarkChanged();
}

void Presentation::Save()
{
    if (origin_.file.empty()) {
        throw host::HostError(Name() + " was never saved; save it under a name first");
    }
    if (origin_.readOnly) {
        throw host::HostError(Name() + " is read-only");
    }
    Write(origin_.file);
    changed_ = false;
}

void Presentation::Close()
{
    Deck();
    if (auto application = application_.lock()) {
        application->Forget(*this);
    }
    Release();
}

void Presentation::Export(const std::filesystem::path& path, const std::string& filter, int scaleWidth,
                          int scaleHeight)
{
    // The pictures go into the folder named by the path without its extension.
    const std::filesystem::path absolute = std::filesystem::absolute(path);
    Pictures().ExportAll(*this, absolute.parent_path() / absolute.stem(), filter, scaleWidth, scaleHeight);
}

void Presentation::FollowHyperlink(const std::string& address)
{
    if (!services_.shell) {
        throw host::HostError("no shell to open " + address + " with");
    }
    // Host objects raise the host error for every failure, a refused address too.
    try {
        services_.shell->OpenAddress(address);
    } catch (const std::invalid_argument& refused) {
        throw host::HostError(refused.what());
    }
}

}  // namespace velmora::pptx::model
