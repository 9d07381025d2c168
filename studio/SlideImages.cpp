#include "studio/SlideImages.hpp"

#include <cmath>

#include <QtConcurrent/QtConcurrent>

#include "host/HostError.hpp"
#include "host/Slide.hpp"

namespace velmora::studio {

SlideImages::SlideImages(Handler onResult) : onResult_(std::move(onResult)), folder_("velmora-studio-")
{
    // One worker, kept alive: LibreOffice stays warm and the renderer is
    // never used from two threads at once.
    pool_.setMaxThreadCount(1);
    pool_.setExpiryTimeout(-1);
}

SlideImages::~SlideImages()
{
    latest_ = 0;
    pool_.waitForDone();
}

void SlideImages::Request(host::Presentation& presentation, int width)
{
    const std::uint64_t revision = ++requests_;
    const std::filesystem::path copy = folder_.Path() / ("copy-" + std::to_string(revision) + ".pptx");
    presentation.SaveCopyAs(copy);
    auto setup = presentation.PageSetup();
    const double ratio = setup->SlideHeight() / std::max(1.0f, setup->SlideWidth());
    const render::PixelBox box{width, std::max(1, static_cast<int>(std::lround(width * ratio)))};
    const int slides = presentation.Slides()->Count();
    latest_ = revision;
    ++running_;
    auto* watcher = new QFutureWatcher<Result>();
    QObject::connect(watcher, &QFutureWatcher<Result>::finished, [this, watcher, revision] {
        --running_;
        const Result result = watcher->result();
        watcher->deleteLater();
        if (revision == latest_) {
            onResult_(result);
        }
    });
    watcher->setFuture(QtConcurrent::run(&pool_, [this, copy, revision, slides, box] {
        return Draw(copy, revision, slides, box);
    }));
}

SlideImages::Result SlideImages::Draw(std::filesystem::path copy, std::uint64_t revision, int slides,
                                      render::PixelBox box)
{
    std::error_code ignored;
    if (revision != latest_) {
        std::filesystem::remove(copy, ignored);
        return {};
    }
    Result result;
    try {
        // The renderer knows one file; each revision replaces it.
        const std::filesystem::path deck = folder_.Path() / "deck.pptx";
        std::filesystem::rename(copy, deck);
        if (!renderer_) {
            renderer_ = std::make_unique<render::SlideRenderer>(render::RendererOptions{.keepOfficeRunning = true});
        }
        std::vector<render::SlidePicture> pictures;
        for (int slide = 1; slide <= slides; ++slide) {
            pictures.push_back({slide, folder_.Path() / ("slide-" + std::to_string(slide) + ".png")});
        }
        renderer_->ExportSlides(deck, revision, pictures, render::PictureFormat::Png, box);
        for (const render::SlidePicture& picture : pictures) {
            result.slides.emplace_back(QString::fromStdString(picture.file.string()));
            std::filesystem::remove(picture.file, ignored);
        }
    } catch (const std::exception& error) {
        std::filesystem::remove(copy, ignored);
        result.error = QString::fromStdString(error.what());
    }
    return result;
}

}  // namespace velmora::studio
