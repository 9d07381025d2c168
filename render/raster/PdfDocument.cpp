#include "render/raster/PdfDocument.hpp"

#include <cairo.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <string>

#include "render/RenderError.hpp"

namespace velmora::render {

namespace {

// LibreOffice draws shapes that reach the slide's edges up to two hundredths
// of a millimetre short of them (its unit rounding). Splash snaps such fills
// to whole pixels; Cairo shows the gap as a pale hairline along the right and
// bottom of every full-bleed slide. Each edge loses this margin instead:
// 0.03 mm, a quarter pixel at the largest export size.
constexpr double kEdgeTrimPoints = 0.03 / 25.4 * 72.0;

struct PageRelease {
    void operator()(PopplerPage* page) const { g_object_unref(page); }
};
struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

// poppler's Cairo output makes and frees font faces in one FreeType library
// shared by every document, which FreeType does not allow from two threads:
// pages drawn at once are drawn in processes of their own.
std::mutex drawing;

PopplerDocument* Load(const std::filesystem::path& pdf)
{
    const std::lock_guard lock(drawing);
    GError* error = nullptr;
    gchar* uri = g_filename_to_uri(pdf.c_str(), nullptr, &error);
    PopplerDocument* document = uri == nullptr ? nullptr : poppler_document_new_from_file(uri, nullptr, &error);
    g_free(uri);
    if (document == nullptr) {
        const std::string reason = error != nullptr ? error->message : "unknown reason";
        g_clear_error(&error);
        throw RenderError("poppler cannot load the PDF of the slides, " + pdf.string() +
                          ": it is damaged or encrypted (" + reason + ")");
    }
    return document;
}

// Cairo draws images of at most 32767 pixels a side, and a large picture
// would need four bytes a pixel at once: larger pictures are drawn in tiles.
constexpr int kTileEdge = 8192;

// A part of the whole picture: its top-left pixel and its size.
struct Tile {
    int left = 0;
    int top = 0;
    PixelBox size;
};

cairo_status_t Draw(PopplerPage* page, cairo_surface_t* surface, PixelBox box, const Tile& tile)
{
    cairo_t* cairo = cairo_create(surface);
    // Pages have no paper of their own: white, as a printed slide.
    cairo_set_source_rgb(cairo, 1, 1, 1);
    cairo_paint(cairo);
    cairo_translate(cairo, -tile.left, -tile.top);
    // One scale per axis makes the page fill the box exactly.
    double width = 0;
    double height = 0;
    poppler_page_get_size(page, &width, &height);
    cairo_scale(cairo, box.width / (width - 2 * kEdgeTrimPoints), box.height / (height - 2 * kEdgeTrimPoints));
    cairo_translate(cairo, -kEdgeTrimPoints, -kEdgeTrimPoints);
    poppler_page_render(page, cairo);
    const cairo_status_t status = cairo_status(cairo);
    cairo_destroy(cairo);
    return status;
}

// Cairo keeps a pixel as one native-endian 32-bit word (xRGB); pictures are
// packed RGB rows. The tile's rows go to their place in `packed`.
void PackRows(cairo_surface_t* surface, const Tile& tile, PixelBox box, std::vector<std::uint8_t>& packed)
{
    cairo_surface_flush(surface);
    const auto* source = cairo_image_surface_get_data(surface);
    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(surface));
    const auto rowBytes = static_cast<std::size_t>(box.width) * 3;
    for (std::size_t row = 0; row < static_cast<std::size_t>(tile.size.height); ++row) {
        const std::uint8_t* pixel = source + row * stride;
        std::uint8_t* out = packed.data() + (static_cast<std::size_t>(tile.top) + row) * rowBytes +
                            static_cast<std::size_t>(tile.left) * 3;
        for (int column = 0; column < tile.size.width; ++column, pixel += 4) {
            std::uint32_t word = 0;
            std::memcpy(&word, pixel, sizeof word);
            *out++ = static_cast<std::uint8_t>(word >> 16);
            *out++ = static_cast<std::uint8_t>(word >> 8);
            *out++ = static_cast<std::uint8_t>(word);
        }
    }
}

std::vector<Tile> TilesOf(PixelBox box)
{
    std::vector<Tile> tiles;
    for (int top = 0; top < box.height; top += kTileEdge) {
        for (int left = 0; left < box.width; left += kTileEdge) {
            tiles.push_back({left, top, {std::min(kTileEdge, box.width - left), std::min(kTileEdge, box.height - top)}});
        }
    }
    return tiles;
}

}  // namespace

PdfDocument::PdfDocument(const std::filesystem::path& pdf) : path_(pdf), document_(Load(pdf))
{
}

PdfDocument::~PdfDocument()
{
    const std::lock_guard lock(drawing);
    document_.reset();
}

int PdfDocument::PageCount() const
{
    return poppler_document_get_n_pages(document_.get());
}

Raster PdfDocument::RenderPage(int index, PixelBox box) const
{
    Raster raster{box, std::vector<std::uint8_t>(static_cast<std::size_t>(box.width) * 3 *
                                                 static_cast<std::size_t>(box.height))};
    for (const Tile& tile : TilesOf(box)) {
        const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, tile.size.width, tile.size.height));
        cairo_status_t status = CAIRO_STATUS_SUCCESS;
        {
            const std::lock_guard lock(drawing);
            const std::unique_ptr<PopplerPage, PageRelease> page(poppler_document_get_page(document_.get(), index));
            if (!page) {
                throw RenderError("page " + std::to_string(index + 1) + " is missing from " + path_.string());
            }
            status = Draw(page.get(), surface.get(), box, tile);
        }
        if (status != CAIRO_STATUS_SUCCESS) {
            throw RenderError("poppler could not draw page " + std::to_string(index + 1) + " of " + path_.string() +
                              " at " + std::to_string(box.width) + " x " + std::to_string(box.height) + ": " +
                              cairo_status_to_string(status));
        }
        PackRows(surface.get(), tile, box, raster.rgb);
    }
    return raster;
}

}  // namespace velmora::render
