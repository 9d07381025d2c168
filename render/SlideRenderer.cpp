#include "render/SlideRenderer.hpp"

#include <functional>
#include <future>
#include <string>
#include <system_error>

#include "platform/AtomicFile.hpp"
#include "platform/Interruption.hpp"
#include "render/PdfDocument.hpp"
#include "render/PictureWriter.hpp"

namespace velmora::render {

namespace {

// Well beyond the largest export size (3072): a mistaken size fails instead
// of exhausting memory.
constexpr int kLargestEdge = 16384;

void CheckRasterRequest(PictureFormat format, PixelBox box)
{
    if (format == PictureFormat::Emf) {
        throw RenderError("EMF pictures come from ExportEmf with a one-slide presentation");
    }
    if (box.width < 1 || box.height < 1 || box.width > kLargestEdge || box.height > kLargestEdge) {
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

// The file appears whole or not at all, as the host promises its callers.
void WriteWhole(const std::filesystem::path& file,
                const std::function<void(const std::filesystem::path& temporary)>& produce)
{
    try {
        platform::ProduceFileAtomically(file, [&](const std::filesystem::path& temporary) {
            const platform::TemporaryPathGuard guard(temporary);
            produce(temporary);
        });
    } catch (const std::system_error& error) {
        throw RenderError(error.what());
    }
}

}  // namespace

struct SlideRenderer::Converted {
    std::uint64_t revision = 0;
    std::filesystem::path pdf;
    std::unique_ptr<PdfDocument> document;  // loaded on the first picture
};

SlideRenderer::SlideRenderer(RendererOptions options)
    : folder_("velmora-render"),
      observer_(options.observer),
      office_(OfficeSettings{.program = std::move(options.soffice),
                             .timeLimit = options.timeLimit,
                             .memoryLimit = options.memoryLimit,
                             .profileCache = std::move(options.profileCache)},
              folder_.Path())
{
}

SlideRenderer::~SlideRenderer() = default;

SlideRenderer::Converted& SlideRenderer::Current(const std::filesystem::path& presentation, std::uint64_t revision)
{
    const std::filesystem::path key = std::filesystem::absolute(presentation).lexically_normal();
    std::unique_ptr<Converted>& entry = converted_[key];
    if (entry && entry->revision == revision) {
        return *entry;
    }
    auto fresh = std::make_unique<Converted>();
    fresh->revision = revision;
    fresh->pdf = folder_.Path() / ("slides-" + std::to_string(pdfConversions_ + 1) + ".pdf");
    ConvertToPdf(presentation, fresh->pdf);
    ++pdfConversions_;
    if (entry) {
        std::error_code ignored;
        std::filesystem::remove(entry->pdf, ignored);
    }
    entry = std::move(fresh);
    return *entry;
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

const PdfDocument& SlideRenderer::Document(const std::filesystem::path& presentation, std::uint64_t revision)
{
    Converted& converted = Current(presentation, revision);
    if (!converted.document) {
        converted.document = std::make_unique<PdfDocument>(converted.pdf);
    }
    return *converted.document;
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
    const PdfDocument& document = Document(presentation, revision);
    CheckSlides(pictures, document.PageCount());
    const int total = static_cast<int>(pictures.size());
    // Drawing one page overlaps with encoding and writing the one before.
    std::future<void> writing;
    int done = 0;
    for (const SlidePicture& picture : pictures) {
        if (observer_ != nullptr) {
            observer_->SlidesDrawn(done++, total);
        }
        Raster raster = document.RenderPage(picture.slide - 1, box);
        if (writing.valid()) {
            writing.get();
        }
        writing = std::async(std::launch::async, [raster = std::move(raster), &picture, format] {
            WriteWhole(picture.file, [&](const std::filesystem::path& temporary) {
                WritePicture(raster, format, temporary);
            });
        });
    }
    if (writing.valid()) {
        writing.get();
    }
    if (observer_ != nullptr) {
        observer_->SlidesDrawn(total, total);
    }
}

void SlideRenderer::ExportEmf(const std::filesystem::path& oneSlidePresentation, const std::filesystem::path& file)
{
    WriteWhole(file, [&](const std::filesystem::path& temporary) {
        office_.Convert(oneSlidePresentation, "emf", temporary);
    });
}

}  // namespace velmora::render
