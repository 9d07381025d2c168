#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <map>
#include <memory>
#include <vector>

#include "platform/PrivateFolder.hpp"
#include "render/LibreOffice.hpp"
#include "render/OfficeProfile.hpp"
#include "render/PictureFormat.hpp"
#include "render/Raster.hpp"
#include "render/RenderError.hpp"
#include "render/RenderObserver.hpp"

namespace velmora::render {

class PdfPages;

struct RendererOptions {
    std::filesystem::path soffice = "soffice";
    std::chrono::seconds timeLimit{180};
    std::uint64_t memoryLimit = kOfficeMemoryLimit;
    // Keeps LibreOffice's profile between runs; empty for a fresh one each time.
    std::filesystem::path profileCache = OfficeProfile::DefaultCache();
    RenderObserver* observer = nullptr;  // not owned
    int drawingThreads = 0;              // pages drawn at once; 0 for one per core, at most four
    // One LibreOffice kept running between conversions, for callers that
    // convert many revisions or files (a batch, the desktop host).
    bool keepOfficeRunning = false;
};

// One picture to make: a slide (numbered from 1) and the file it goes to.
struct SlidePicture {
    int slide = 0;
    std::filesystem::path file;
};

// Pictures of slides of presentation files on disk. The caller names each
// state of a file by a revision number: a revision is converted to PDF once
// and its pages drawn from that PDF, until a new revision of the file comes.
// Pages are drawn on every core: poppler draws one page at a time in a
// process, so this process draws one while each further core has a helper
// process with the PDF loaded. Every failure raises RenderError; a picture
// file is written whole or not at all.
class SlideRenderer {
public:
    explicit SlideRenderer(RendererOptions options = {});
    ~SlideRenderer();
    SlideRenderer(const SlideRenderer&) = delete;
    SlideRenderer& operator=(const SlideRenderer&) = delete;

    // Starts converting a presentation while the caller goes on (drawing the
    // slides of another): a batch converts its next file as it draws this
    // one. Every later call waits for it first. A failure is not reported
    // here: the file is converted again, and the failure told, when asked for.
    void ConvertAhead(const std::filesystem::path& presentation, std::uint64_t revision);

    // The presentation as PDF, one page per slide, hidden slides included.
    const std::filesystem::path& Pdf(const std::filesystem::path& presentation, std::uint64_t revision);

    // Raster pictures (JPG, PNG, GIF, BMP) of exactly `box` pixels, the slide
    // stretched to fill it.
    void ExportSlide(const std::filesystem::path& presentation, std::uint64_t revision, int slide,
                     const std::filesystem::path& file, PictureFormat format, PixelBox box);
    void ExportSlides(const std::filesystem::path& presentation, std::uint64_t revision,
                      const std::vector<SlidePicture>& pictures, PictureFormat format, PixelBox box);

    // LibreOffice exports only the first slide as EMF, so the caller hands in
    // a presentation of that one slide.
    void ExportEmf(const std::filesystem::path& oneSlidePresentation, const std::filesystem::path& file);

    // PDF conversions made so far.
    int PdfConversions() const { return pdfConversions_; }
    // Times LibreOffice was started so far.
    int OfficeStarts() const { return office_.Starts(); }

private:
    struct Converted;
    struct Ahead;

    Converted& Current(const std::filesystem::path& presentation, std::uint64_t revision);
    std::unique_ptr<Converted> NewConversion(std::uint64_t revision);
    void Keep(const std::filesystem::path& presentation, std::unique_ptr<Converted> converted);
    void FinishAhead();
    void ConvertToPdf(const std::filesystem::path& presentation, const std::filesystem::path& pdf);
    // The converted revision, its PDF loaded.
    Converted& Loaded(const std::filesystem::path& presentation, std::uint64_t revision);
    void ShowProgress(int done, int total) const;

    platform::PrivateFolder folder_;
    RenderObserver* observer_;
    int drawingThreads_;
    std::chrono::seconds timeLimit_;
    LibreOffice office_;
    std::map<std::filesystem::path, std::unique_ptr<Converted>> converted_;
    std::unique_ptr<Ahead> ahead_;
    int pdfConversions_ = 0;
    int pdfNames_ = 0;
};

}  // namespace velmora::render
