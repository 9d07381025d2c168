#include "render/raster/PdfDocument.hpp"

#include <algorithm>
#include <cstddef>

#include <poppler-image.h>
#include <poppler-page.h>

#include "render/RenderError.hpp"

namespace velmora::render {

namespace {

constexpr double kPointsPerInch = 72.0;

// poppler pads rows to four bytes; pictures are packed.
std::vector<std::uint8_t> PackedRows(const poppler::image& image)
{
    const auto rowBytes = static_cast<std::size_t>(image.width()) * 3;
    const auto stride = static_cast<std::size_t>(image.bytes_per_row());
    std::vector<std::uint8_t> packed(rowBytes * static_cast<std::size_t>(image.height()));
    const auto* source = reinterpret_cast<const std::uint8_t*>(image.const_data());
    for (std::size_t row = 0; row < static_cast<std::size_t>(image.height()); ++row) {
        std::copy_n(source + row * stride, rowBytes, packed.begin() + static_cast<std::ptrdiff_t>(row * rowBytes));
    }
    return packed;
}

}  // namespace

PdfDocument::PdfDocument(const std::filesystem::path& pdf)
    : path_(pdf), document_(poppler::document::load_from_file(pdf.string()))
{
    if (!document_ || document_->is_locked()) {
        throw RenderError("poppler cannot load the PDF of the slides, " + pdf.string() +
                          ": it is damaged or encrypted");
    }
    renderer_.set_image_format(poppler::image::format_rgb24);
    renderer_.set_render_hints(poppler::page_renderer::antialiasing | poppler::page_renderer::text_antialiasing);
}

int PdfDocument::PageCount() const
{
    return document_->pages();
}

Raster PdfDocument::RenderPage(int index, PixelBox box) const
{
    const std::unique_ptr<poppler::page> page(document_->create_page(index));
    if (!page) {
        throw RenderError("page " + std::to_string(index + 1) + " is missing from " + path_.string());
    }
    // One resolution per axis makes the page fill the box; poppler then draws
    // exactly box.width x box.height pixels from the origin.
    const poppler::rectf size = page->page_rect();
    const double xDpi = box.width * kPointsPerInch / size.width();
    const double yDpi = box.height * kPointsPerInch / size.height();
    const poppler::image image = renderer_.render_page(page.get(), xDpi, yDpi, 0, 0, box.width, box.height);
    if (!image.is_valid() || image.width() != box.width || image.height() != box.height) {
        throw RenderError("poppler could not draw page " + std::to_string(index + 1) + " of " + path_.string() +
                          " at " + std::to_string(box.width) + " x " + std::to_string(box.height));
    }
    return Raster{box, PackedRows(image)};
}

}  // namespace velmora::render
