#pragma once

#include <filesystem>
#include <memory>

#include <poppler-document.h>
#include <poppler-page-renderer.h>

#include "render/RasterModule.hpp"

namespace velmora::render {

// The pages of a PDF drawn by poppler.
class PdfDocument : public PdfPages {
public:
    // Raises RenderError when poppler cannot load the file.
    explicit PdfDocument(const std::filesystem::path& pdf);

    int PageCount() const override;
    Raster RenderPage(int index, PixelBox box) const override;

private:
    std::filesystem::path path_;
    std::unique_ptr<poppler::document> document_;
    poppler::page_renderer renderer_;
};

}  // namespace velmora::render
