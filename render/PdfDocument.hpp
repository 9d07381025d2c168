#pragma once

#include <filesystem>
#include <memory>

#include <poppler-document.h>
#include <poppler-page-renderer.h>

#include "render/Raster.hpp"

namespace velmora::render {

// A PDF loaded once and kept, so that many pages are drawn from one load.
class PdfDocument {
public:
    // Raises RenderError when poppler cannot load the file.
    explicit PdfDocument(const std::filesystem::path& pdf);

    int PageCount() const;
    // Page `index` (from 0) scaled on each axis to fill exactly `box`.
    Raster RenderPage(int index, PixelBox box) const;

private:
    std::filesystem::path path_;
    std::unique_ptr<poppler::document> document_;
    poppler::page_renderer renderer_;
};

}  // namespace velmora::render
