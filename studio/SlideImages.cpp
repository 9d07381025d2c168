#include "studio/SlideImages.hpp"

#include <algorithm>
#include <cmath>

#include <QtConcurrent/QtConcurrent>

#include "host/HostError.hpp"
#include "host/Slide.hpp"
#include "pptx/package/RendererCopy.hpp"

namespace velmora::studio {

namespace {

// Slide `first` leads; the others keep their order.
std::vector<render::SlidePicture> DrawingOrder(const std::filesystem::path& folder, int slides, int first)
{
    std::vector<render::SlidePicture> pictures;
    for (int slide = 1; slide <= slides; ++slide) {
        pictures.push_back({slide, folder / ("slide-" + std::to_string(slide) + ".png")});
    }
    std::stable_partition(pictures.begin(), pictures.end(),
                          [first](const render::SlidePicture& picture) { return picture.slide == first; });
    return pictures;
}

QImage TakePicture(const std::filesystem::path& file)
{
    QImage picture(QString::fromStdString(file.string()));
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return picture;
}

}  // namespace

SlideImages::SlideImages(FirstHandler onFirst, Handler onResult)
    : onFirst_(std::move(onFirst)), onResult_(std::move(onResult)), folder_("velmora-studio-")
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

void SlideImages::Request(host::Presentation& presentation, int width, int first)
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
    watcher->setFuture(QtConcurrent::run(&pool_, [this, copy, revision, slides, first, box] {
        return Draw(copy, revision, slides, first, box);
    }));
}

SlideImages::Result SlideImages::Draw(std::filesystem::path copy, std::uint64_t revision, int slides, int first,
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
        pptx::package::PrepareRendererCopy(deck);
        if (!renderer_) {
            renderer_ = std::make_unique<render::SlideRenderer>(render::RendererOptions{.keepOfficeRunning = true});
        }
        const std::vector<render::SlidePicture> pictures = DrawingOrder(folder_.Path(), slides, first);
        result.slides.resize(pictures.size());
        if (pictures.empty()) {
            return result;
        }
        // The PDF is made once for both calls; the others are drawn on every core.
        const render::SlidePicture& lead = pictures.front();
        renderer_->ExportSlide(deck, revision, lead.slide, lead.file, render::PictureFormat::Png, box);
        result.slides[lead.slide - 1] = TakePicture(lead.file);
        HandOverFirst(revision, lead.slide, result.slides[lead.slide - 1]);
        const std::vector<render::SlidePicture> others(pictures.begin() + 1, pictures.end());
        if (others.empty() || revision != latest_) {
            return result;
        }
        renderer_->ExportSlides(deck, revision, others, render::PictureFormat::Png, box);
        for (const render::SlidePicture& picture : others) {
            result.slides[picture.slide - 1] = TakePicture(picture.file);
        }
    } catch (const std::exception& error) {
        std::filesystem::remove(copy, ignored);
        result.error = QString::fromStdString(error.what());
    }
    return result;
}

void SlideImages::HandOverFirst(std::uint64_t revision, int slide, const QImage& picture)
{
    QMetaObject::invokeMethod(
        &receiver_,
        [this, revision, slide, picture] {
            if (revision == latest_) {
                onFirst_(slide, picture);
            }
        },
        Qt::QueuedConnection);
}

}  // namespace velmora::studio
