#pragma once

#include <filesystem>
#include <memory>

#include <poppler.h>

#include "render/RasterModule.hpp"

namespace velmora::render {

// The pages of a PDF drawn by poppler through Cairo, which fills shapes and
// text many times faster than poppler's own Splash rasteriser.
class PdfDocument : public PdfPages {
public:
    // Raises RenderError when poppler cannot load the file.
    explicit PdfDocument(const std::filesystem::path& pdf);
    ~PdfDocument() override;
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    int PageCount() const override;
    Raster RenderPage(int index, PixelBox box) const override;

private:
    struct Release {
        void operator()(PopplerDocument* document) const { g_object_unref(document); }
    };

    std::filesystem::path path_;
    std::unique_ptr<PopplerDocument, Release> document_;
};

}  // namespace velmora::render
