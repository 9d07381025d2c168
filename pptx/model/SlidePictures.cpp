#include "pptx/model/SlidePictures.hpp"

#include <cmath>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "host/Host.hpp"
#include "pptx/model/Application.hpp"
#include "pptx/model/Presentation.hpp"
#include "platform/HostSteps.hpp"
#include "pptx/package/Package.hpp"
#include "pptx/package/PartGraph.hpp"
#include "pptx/package/RendererCopy.hpp"

namespace velmora::pptx::model {

namespace {

render::PictureFormat Format(const std::string& filter)
{
    try {
        return render::ParsePictureFormat(filter);
    } catch (const render::RenderError& error) {
        throw host::HostError(error.what());
    }
}

render::PixelBox Box(int width, int height)
{
    if (width <= 0 || height <= 0) {
        throw host::HostError("a slide picture needs a positive size, not " + std::to_string(width) + " x " +
                              std::to_string(height));
    }
    return {width, height};
}

// Where a step's private copies lie, and the deck they stand for.
struct CopiesOf {
    std::string folder;
    std::string deck;
};

// The user never sees the private copies: a message naming one
// (".../velmora-pictures-x/presentation1.pptx") names the deck instead.
std::string NamingTheDeck(std::string message, const CopiesOf& copies)
{
    if (copies.folder.empty()) {
        return message;
    }
    const std::string prefix = copies.folder + "/";
    for (std::size_t at = message.find(prefix); at != std::string::npos; at = message.find(prefix, at)) {
        const std::size_t end = message.find(".pptx", at);
        if (end == std::string::npos) {
            break;
        }
        message.replace(at, end + std::string_view(".pptx").size() - at, copies.deck);
        at += copies.deck.size();
    }
    return message;
}

std::function<CopiesOf()> CopiesFor(const std::optional<platform::PrivateFolder>& folder,
                                    const Presentation& presentation)
{
    return [&folder, &presentation] {
        return CopiesOf{folder ? folder->Path().string() : std::string(), presentation.FullName()};
    };
}

// Runs a renderer step, turning its failures into the host error.
// `copies` is asked only on failure: the folder may not exist before.
template <typename Step>
void Rendering(Step&& step, const std::function<CopiesOf()>& copies = [] { return CopiesOf{}; })
{
    try {
        step();
    } catch (const host::HostError& error) {
        throw host::HostError(NamingTheDeck(error.what(), copies()));
    } catch (const render::RenderError& error) {
        throw host::HostError(NamingTheDeck(error.what(), copies()));
    } catch (const std::filesystem::filesystem_error& error) {
        throw host::HostError(NamingTheDeck(error.what(), copies()));
    }
}

}  // namespace

SlidePictures::SlidePictures() = default;

// Made when first needed: commands that never draw a picture must not
// depend on a usable temporary folder.
const std::filesystem::path& SlidePictures::Folder()
{
    if (!folder_) {
        folder_.emplace("velmora-pictures");
    }
    return folder_->Path();
}

render::SlideRenderer& SlidePictures::Renderer()
{
    if (!renderer_) {
        renderer_ = std::make_unique<render::SlideRenderer>(render::RendererOptions{
            .observer = observer_, .keepOfficeRunning = keepOfficeRunning_});
    }
    return *renderer_;
}

const SlidePictures::Snapshot& SlidePictures::Current(Presentation& presentation)
{
    std::erase_if(snapshots_, [](const auto& entry) { return entry.first.expired(); });
    auto [entry, added] = snapshots_.try_emplace(presentation.weak_from_this());
    Snapshot& snapshot = entry->second;
    if (added && TakeAheadCopy(presentation, snapshot)) {
        return snapshot;
    }
    if (added || snapshot.revision != presentation.Revision()) {
        if (added) {
            snapshot.file = Folder() / ("presentation" + std::to_string(++copies_) + ".pptx");
        }
        presentation.Deck().Save(snapshot.file);
        TellSubstitutedFonts([&presentation] { return presentation.Deck().TypefacesUsed(); });
        package::PrepareRendererCopy(snapshot.file);
        snapshot.revision = presentation.Revision();
    }
    return snapshot;
}

std::optional<SlidePictures::FileStamp> SlidePictures::Stamp(const std::filesystem::path& file)
{
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(file, error);
    const std::uintmax_t size = error ? 0 : std::filesystem::file_size(file, error);
    return error ? std::nullopt : std::optional<FileStamp>(FileStamp{modified, size});
}

// Called once this file's slides are converted: LibreOffice would otherwise
// idle while they are drawn.
void SlidePictures::ConvertNextAhead()
{
    if (!keepOfficeRunning_ || !next_) {
        return;
    }
    const std::filesystem::path source = *std::exchange(next_, std::nullopt);
    const std::optional<FileStamp> stamp = Stamp(source);
    if (!stamp) {
        return;
    }
    AheadCopy ahead{source, *stamp, Folder() / ("presentation" + std::to_string(++copies_) + ".pptx")};
    try {
        std::filesystem::copy_file(source, ahead.copy);
        package::PrepareRendererCopy(ahead.copy);
    } catch (const std::filesystem::filesystem_error&) {
        return;  // the file is read, and any fault told, in its turn
    } catch (const host::HostError&) {
        return;
    }
    platform::ReportStep("convert " + source.filename().string() + " ahead of its turn");
    Renderer().ConvertAhead(ahead.copy, 0);
    ahead_ = std::move(ahead);
}

// The copy converted ahead stands for a presentation opened from that file,
// unchanged since, and not itself changed on disk since it was copied.
bool SlidePictures::TakeAheadCopy(Presentation& presentation, Snapshot& snapshot)
{
    const std::optional<AheadCopy> ahead = std::exchange(ahead_, std::nullopt);
    if (!ahead) {
        return false;
    }
    std::error_code error;
    if (presentation.Revision() != 0 || !std::filesystem::equivalent(ahead->source, presentation.FullName(), error) ||
        Stamp(ahead->source) != ahead->stamp) {
        std::filesystem::remove(ahead->copy, error);
        return false;
    }
    snapshot = {ahead->copy, 0};
    TellSubstitutedFonts([&snapshot] { return package::TypefacesUsed(*package::Package::Open(snapshot.file)); });
    return true;
}

void SlidePictures::TellSubstitutedFonts(const std::function<std::vector<std::string>()>& typefaces)
{
    if (observer_ == nullptr) {
        return;
    }
    const auto substituted = render::SubstitutedFonts(typefaces());
    if (!substituted.empty()) {
        observer_->FontsSubstituted(substituted);
    }
}

std::filesystem::path SlidePictures::OneSlideCopy(Presentation& presentation, int slideIndex)
{
    auto copy = parts::Deck::Open(Current(presentation).file);
    std::vector<unsigned> others;
    const auto& slides = copy->Presentation().Slides();
    for (std::size_t i = 0; i < slides.size(); ++i) {
        if (static_cast<int>(i) + 1 != slideIndex) {
            others.push_back(slides[i].id);
        }
    }
    copy->DeleteSlides(others);
    const auto file = Folder() / ("slide" + std::to_string(++copies_) + ".pptx");
    copy->Save(file);
    return file;
}

void SlidePictures::ExportSlide(Presentation& presentation, int slideIndex, const std::filesystem::path& file,
                                const std::string& filter, int width, int height)
{
    const render::PictureFormat format = Format(filter);
    Rendering([&] {
        if (format == render::PictureFormat::Emf) {
            const auto copy = OneSlideCopy(presentation, slideIndex);
            Renderer().ExportEmf(copy, file);
            std::filesystem::remove(copy);
            return;
        }
        const Snapshot& snapshot = Current(presentation);
        Renderer().ExportSlide(snapshot.file, snapshot.revision, slideIndex, file, format, Box(width, height));
    }, CopiesFor(folder_, presentation));
}

void SlidePictures::ExportAll(Presentation& presentation, const std::filesystem::path& folder,
                              const std::string& filter, int width, int height)
{
    const render::PictureFormat format = Format(filter);
    const int count = static_cast<int>(presentation.Deck().SlideCount());
    auto pictureOf = [&](int slide) { return folder / ("幻灯片" + std::to_string(slide) + "." + filter); };
    Rendering([&] {
        std::filesystem::create_directories(folder);
        if (format == render::PictureFormat::Emf) {
            for (int slide = 1; slide <= count; ++slide) {
                ExportSlide(presentation, slide, pictureOf(slide), filter, width, height);
            }
            return;
        }
        std::vector<render::SlidePicture> pictures;
        for (int slide = 1; slide <= count; ++slide) {
            pictures.push_back({slide, pictureOf(slide)});
        }
        const Snapshot& snapshot = Current(presentation);
        Renderer().Pdf(snapshot.file, snapshot.revision);
        ConvertNextAhead();
        Renderer().ExportSlides(snapshot.file, snapshot.revision, pictures, format, Box(width, height));
    }, CopiesFor(folder_, presentation));
}

void SlidePictures::SavePicturePresentation(Application& application, Presentation& presentation,
                                            const std::filesystem::path& target)
{
    auto setup = presentation.PageSetup();
    const float width = setup->SlideWidth();
    const float height = setup->SlideHeight();
    std::optional<platform::PrivateFolder> pictures;
    Rendering([&] { pictures.emplace("velmora-album"); });
    ExportAll(presentation, pictures->Path(), "JPG", static_cast<int>(std::lround(width * 1.5)),
              static_cast<int>(std::lround(height * 1.5)));

    auto album = application.AddNew(false);
    try {
        album->PageSetup()->SetSlideSize(host::SlideSize::Custom);
        album->PageSetup()->SetSlideWidth(width);
        album->PageSetup()->SetSlideHeight(height);
        const int count = static_cast<int>(presentation.Deck().SlideCount());
        for (int i = 1; i <= count; ++i) {
            auto slide = album->Slides()->Add(i, host::SlideLayout::Blank);
            slide->Shapes()->AddPicture(pictures->Path() / ("幻灯片" + std::to_string(i) + ".JPG"), 0, -1, 0, 0,
                                        width, height);
        }
        album->SaveCopyAs(target);
    } catch (...) {
        album->Close();
        throw;
    }
    album->Close();
}

}  // namespace velmora::pptx::model
