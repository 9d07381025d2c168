#include "render/SlideRenderer.hpp"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "platform/AtomicFile.hpp"
#include "render/DrawingHelper.hpp"
#include "render/RasterModule.hpp"

namespace velmora::render {

namespace {

// A montage of 24 slides of the largest size the file format allows (56
// inches a side) is about 400 million pixels: a mistaken size beyond that
// fails instead of exhausting memory.
constexpr std::int64_t kMostPixels = std::int64_t{1} << 29;
// Each drawing lane holds a page or two in memory.
constexpr unsigned kMostDrawingThreads = 4;

void CheckRasterRequest(PictureFormat format, PixelBox box)
{
    if (format == PictureFormat::Emf) {
        throw RenderError("EMF pictures come from ExportEmf with a one-slide presentation");
    }
    if (box.width < 1 || box.height < 1 || std::int64_t{box.width} * box.height > kMostPixels) {
        throw RenderError("cannot draw a picture of " + std::to_string(box.width) + " x " +
                          std::to_string(box.height) + " pixels");
    }
}

void CheckSlides(const std::vector<SlidePicture>& pictures, int slideCount)
{
    for (const SlidePicture& picture : pictures) {
        if (picture.slide < 1 || picture.slide > slideCount) {
            throw RenderError("there is no slide " + std::to_string(picture.slide) + " in a presentation of " +
                              std::to_string(slideCount) + " slides");
        }
    }
}

// The file appears whole or not at all, as the host promises its callers;
// an interruption removes the part written so far.
void WriteWhole(const std::filesystem::path& file,
                const std::function<void(const std::filesystem::path& temporary)>& produce)
{
    try {
        platform::ProduceFileAtomically(file, produce);
    } catch (const std::system_error& error) {
        throw RenderError(error.what());
    }
}

std::size_t DrawingThreads(int asked, std::size_t pictures)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = asked > 0 ? static_cast<std::size_t>(asked) : std::min(cores, kMostDrawingThreads);
    return std::clamp<std::size_t>(wanted, 1, std::max<std::size_t>(pictures, 1));
}

// Pictures drawn and encoded by several lanes at once; the calling thread
// waits and reports progress. The first lane draws from the PDF loaded in
// this process, the others each in a drawing helper of their own: poppler
// draws only one page at a time in a process.
class ParallelDrawing {
public:
    ParallelDrawing(const std::vector<SlidePicture>& pictures, PictureFormat format, PixelBox box,
                    std::chrono::milliseconds timeLimit)
        : pictures_(pictures), format_(format), box_(box), timeLimit_(timeLimit)
    {
    }

    void Run(const PdfPages& pages, const std::filesystem::path& pdf, std::size_t lanes,
             const std::function<void(int done)>& progress)
    {
        std::vector<std::jthread> workers;
        workers.emplace_back([this, &pages] { Lane([&] { DrawHere(pages); }); });
        for (std::size_t i = 1; i < lanes; ++i) {
            workers.emplace_back([this, &pages, &pdf] { Lane([&] { DrawInHelper(pages, pdf); }); });
        }
        int shown = -1;
        std::unique_lock lock(mutex_);
        while (true) {
            changed_.wait(lock, [&] { return done_ != shown || finished_ == lanes; });
            if (done_ != shown) {
                shown = done_;
                lock.unlock();
                progress(shown);
                lock.lock();
            }
            if (finished_ == lanes) {
                break;
            }
        }
        lock.unlock();
        workers.clear();
        if (failure_) {
            std::rethrow_exception(failure_);
        }
    }

private:
    void Lane(const std::function<void()>& draw)
    {
        try {
            draw();
        } catch (...) {
            Fail(std::current_exception());
        }
        const std::lock_guard lock(mutex_);
        ++finished_;
        changed_.notify_all();
    }

    // The next picture no lane has taken yet; null when none is left or a lane failed.
    const SlidePicture* Next()
    {
        const std::size_t index = next_++;
        return index < pictures_.size() && !stopped_ ? &pictures_[index] : nullptr;
    }

    void DrawHere(const PdfPages& pages)
    {
        const RasterFunctions& module = RasterModule();
        MakeEach([&](const SlidePicture& picture, const std::filesystem::path& temporary) {
            module.writePicture(pages.RenderPage(picture.slide - 1, box_), format_, temporary);
        });
    }

    // Without a helper, the lane draws here, one page at a time with the first.
    void DrawInHelper(const PdfPages& pages, const std::filesystem::path& pdf)
    {
        DrawingHelper helper(pdf, timeLimit_);
        if (!helper.Ready()) {
            DrawHere(pages);
            return;
        }
        MakeEach([&](const SlidePicture& picture, const std::filesystem::path& temporary) {
            if (!helper.Draw(picture.slide - 1, box_, format_, temporary)) {
                RasterModule().writePicture(pages.RenderPage(picture.slide - 1, box_), format_, temporary);
            }
        });
    }

    // Makes one picture after another, two at a time: a page is drawn while
    // the picture before is still encoded or written to disk.
    void MakeEach(const std::function<void(const SlidePicture&, const std::filesystem::path& temporary)>& make)
    {
        constexpr std::size_t kPicturesAtOnce = 2;
        std::deque<std::future<void>> making;
        for (const SlidePicture* picture = Next(); picture != nullptr; picture = Next()) {
            if (making.size() == kPicturesAtOnce) {
                making.front().get();
                making.pop_front();
            }
            making.push_back(std::async(std::launch::async, [this, &make, picture] {
                WriteWhole(picture->file,
                           [&](const std::filesystem::path& temporary) { make(*picture, temporary); });
                Count();
            }));
        }
        for (std::future<void>& made : making) {
            made.get();
        }
    }

    void Count()
    {
        const std::lock_guard lock(mutex_);
        ++done_;
        changed_.notify_all();
    }

    void Fail(std::exception_ptr failure)
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        if (!failure_) {
            failure_ = std::move(failure);
        }
    }

    const std::vector<SlidePicture>& pictures_;
    PictureFormat format_;
    PixelBox box_;
    std::chrono::milliseconds timeLimit_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    int done_ = 0;
    std::size_t finished_ = 0;
    std::exception_ptr failure_;
};

}  // namespace

struct SlideRenderer::Converted {
    std::uint64_t revision = 0;
    std::filesystem::path pdf;
    std::unique_ptr<PdfPages> pages;  // made when first needed
};

SlideRenderer::SlideRenderer(RendererOptions options)
    : folder_("velmora-render"),
      observer_(options.observer),
      drawingThreads_(options.drawingThreads),
      timeLimit_(options.timeLimit),
      office_(OfficeSettings{.program = std::move(options.soffice),
                             .timeLimit = options.timeLimit,
                             .memoryLimit = options.memoryLimit,
                             .profileCache = std::move(options.profileCache),
                             .keepRunning = options.keepOfficeRunning},
              folder_.Path())
{
}

// The conversion that runs beside the caller, and what it makes.
struct SlideRenderer::Ahead {
    std::filesystem::path presentation;
    std::unique_ptr<Converted> converted;
    std::future<void> done;
};

SlideRenderer::~SlideRenderer()
{
    // LibreOffice must not outlive the folder it writes into.
    if (ahead_) {
        ahead_->done.wait();
    }
}

namespace {

std::filesystem::path Key(const std::filesystem::path& presentation)
{
    return std::filesystem::absolute(presentation).lexically_normal();
}

}  // namespace

std::unique_ptr<SlideRenderer::Converted> SlideRenderer::NewConversion(std::uint64_t revision)
{
    auto fresh = std::make_unique<Converted>();
    fresh->revision = revision;
    fresh->pdf = folder_.Path() / ("slides-" + std::to_string(++pdfNames_) + ".pdf");
    return fresh;
}

void SlideRenderer::Keep(const std::filesystem::path& presentation, std::unique_ptr<Converted> converted)
{
    ++pdfConversions_;
    std::unique_ptr<Converted>& entry = converted_[Key(presentation)];
    if (entry) {
        std::error_code ignored;
        std::filesystem::remove(entry->pdf, ignored);
    }
    entry = std::move(converted);
}

void SlideRenderer::ConvertAhead(const std::filesystem::path& presentation, std::uint64_t revision)
{
    FinishAhead();
    auto ahead = std::make_unique<Ahead>(Ahead{presentation, NewConversion(revision), {}});
    try {
        // Only this thread uses LibreOffice until FinishAhead has waited for it.
        ahead->done = std::async(std::launch::async, [this, presentation, pdf = ahead->converted->pdf] {
            office_.Convert(presentation, LibreOffice::kPdfOfAllSlides, pdf);
        });
    } catch (const std::system_error&) {
        return;  // no thread to spare: the file converts in its turn
    }
    ahead_ = std::move(ahead);
}

void SlideRenderer::FinishAhead()
{
    if (!ahead_) {
        return;
    }
    const std::unique_ptr<Ahead> ahead = std::move(ahead_);
    try {
        ahead->done.get();
    } catch (const RenderError&) {
        return;
    }
    Keep(ahead->presentation, std::move(ahead->converted));
}

SlideRenderer::Converted& SlideRenderer::Current(const std::filesystem::path& presentation, std::uint64_t revision)
{
    FinishAhead();
    const auto known = converted_.find(Key(presentation));
    if (known != converted_.end() && known->second->revision == revision) {
        return *known->second;
    }
    std::unique_ptr<Converted> fresh = NewConversion(revision);
    ConvertToPdf(presentation, fresh->pdf);
    Converted& made = *fresh;
    Keep(presentation, std::move(fresh));
    return made;
}

// LibreOffice says nothing for seconds; the observer may show that it works.
void SlideRenderer::ConvertToPdf(const std::filesystem::path& presentation, const std::filesystem::path& pdf)
{
    if (observer_ == nullptr) {
        office_.Convert(presentation, LibreOffice::kPdfOfAllSlides, pdf);
        return;
    }
    observer_->ConversionStarted();
    try {
        office_.Convert(presentation, LibreOffice::kPdfOfAllSlides, pdf);
    } catch (...) {
        observer_->ConversionFinished(false);
        throw;
    }
    observer_->ConversionFinished(true);
}

const std::filesystem::path& SlideRenderer::Pdf(const std::filesystem::path& presentation, std::uint64_t revision)
{
    return Current(presentation, revision).pdf;
}

SlideRenderer::Converted& SlideRenderer::Loaded(const std::filesystem::path& presentation, std::uint64_t revision)
{
    Converted& converted = Current(presentation, revision);
    if (!converted.pages) {
        converted.pages = RasterModule().openPdf(converted.pdf);
    }
    return converted;
}

void SlideRenderer::ShowProgress(int done, int total) const
{
    if (observer_ != nullptr) {
        observer_->SlidesDrawn(done, total);
    }
}

void SlideRenderer::ExportSlide(const std::filesystem::path& presentation, std::uint64_t revision, int slide,
                                const std::filesystem::path& file, PictureFormat format, PixelBox box)
{
    ExportSlides(presentation, revision, {SlidePicture{slide, file}}, format, box);
}

void SlideRenderer::ExportSlides(const std::filesystem::path& presentation, std::uint64_t revision,
                                 const std::vector<SlidePicture>& pictures, PictureFormat format, PixelBox box)
{
    CheckRasterRequest(format, box);
    const Converted& converted = Loaded(presentation, revision);
    CheckSlides(pictures, converted.pages->PageCount());
    const int total = static_cast<int>(pictures.size());
    ParallelDrawing(pictures, format, box, timeLimit_)
        .Run(*converted.pages, converted.pdf, DrawingThreads(drawingThreads_, pictures.size()),
             [&](int done) { ShowProgress(done, total); });
}

void SlideRenderer::ExportEmf(const std::filesystem::path& oneSlidePresentation, const std::filesystem::path& file)
{
    FinishAhead();
    WriteWhole(file, [&](const std::filesystem::path& temporary) {
        office_.Convert(oneSlidePresentation, "emf", temporary);
    });
}

}  // namespace velmora::render
