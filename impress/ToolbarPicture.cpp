#include "impress/ToolbarPicture.hpp"

#include <algorithm>
#include <memory>
#include <span>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "render/Resample.hpp"

namespace velmora::impress {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

std::uint32_t Little(std::span<const std::uint8_t> bytes, std::size_t at, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
};

// An uncompressed device-independent bitmap of 8, 24 or 32 bits: its header
// at `header`, its rows (bottom up) at `rows`. An icon's bitmap is twice its
// height, the second half the transparency mask that follows the rows.
std::optional<Pixels> DecodeDib(std::span<const std::uint8_t> bytes, std::size_t header, std::size_t rows, bool icon)
{
    if (header + 40 > bytes.size() || Little(bytes, header + 16, 4) != 0) {
        return std::nullopt;
    }
    Pixels pixels;
    pixels.width = static_cast<std::int32_t>(Little(bytes, header + 4, 4));
    pixels.height = static_cast<std::int32_t>(Little(bytes, header + 8, 4)) / (icon ? 2 : 1);
    const auto bits = static_cast<int>(Little(bytes, header + 14, 2));
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > 1024 || pixels.height > 1024 ||
        (bits != 8 && bits != 24 && bits != 32)) {
        return std::nullopt;
    }
    const std::size_t palette = header + Little(bytes, header, 4);
    const auto stride = static_cast<std::size_t>((pixels.width * bits + 31) / 32 * 4);
    const auto maskStride = static_cast<std::size_t>((pixels.width + 31) / 32 * 4);
    const std::size_t mask = rows + stride * static_cast<std::size_t>(pixels.height);
    if (mask + (icon ? maskStride * static_cast<std::size_t>(pixels.height) : 0) > bytes.size()) {
        return std::nullopt;
    }
    for (int y = pixels.height - 1; y >= 0; --y) {
        const std::size_t row = rows + stride * static_cast<std::size_t>(y);
        const std::size_t maskRow = mask + maskStride * static_cast<std::size_t>(y);
        for (int x = 0; x < pixels.width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            const std::size_t at = bits == 8 ? palette + 4 * std::size_t{bytes[row + ux]} : row + ux * (bits / 8);
            const bool clear = icon && ((bytes[maskRow + ux / 8] >> (7 - ux % 8)) & 1) != 0;
            pixels.rgb.push_back(clear || at + 3 > bytes.size() ? kWhite : Little(bytes, at, 3));
        }
    }
    return pixels;
}

std::optional<Pixels> DecodeBmp(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    return DecodeDib(bytes, 14, Little(bytes, 10, 4), false);
}

// The largest of the icon's pictures (0 in its directory stands for 256).
std::optional<Pixels> DecodeIco(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 6 || Little(bytes, 2, 2) != 1) {
        return std::nullopt;
    }
    std::size_t best = 0;
    int bestWidth = 0;
    for (std::size_t i = 0; i < Little(bytes, 4, 2) && 6 + 16 * (i + 1) <= bytes.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int width = bytes[entry] == 0 ? 256 : bytes[entry];
        if (width > bestWidth) {
            bestWidth = width;
            best = entry;
        }
    }
    if (bestWidth == 0) {
        return std::nullopt;
    }
    const std::size_t header = Little(bytes, best + 12, 4);
    if (header + 40 > bytes.size()) {
        return std::nullopt;
    }
    const auto bits = Little(bytes, header + 14, 2);
    const std::uint32_t used = Little(bytes, header + 32, 4);
    const std::size_t colours = bits <= 8 ? (used != 0 ? used : 1u << bits) : 0;
    return DecodeDib(bytes, header, header + Little(bytes, header, 4) + 4 * colours, true);
}

// The picture fitted into the square with its sides kept in proportion, on
// white, each pixel the mean of the source area it covers.
std::vector<std::uint32_t> Fitted(const Pixels& source, int size)
{
    render::Raster raster{{source.width, source.height}, {}};
    raster.rgb.reserve(source.rgb.size() * 3);
    for (const std::uint32_t pixel : source.rgb) {
        raster.rgb.insert(raster.rgb.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                                             static_cast<std::uint8_t>(pixel)});
    }
    const double scale = static_cast<double>(std::max(source.width, source.height)) / size;
    const render::PixelBox box{std::max(1, static_cast<int>(source.width / scale + 0.5)),
                               std::max(1, static_cast<int>(source.height / scale + 0.5))};
    const render::Raster fitted = render::Resampled(raster, box);
    std::vector<std::uint32_t> square(static_cast<std::size_t>(size * size), kWhite);
    const int left = (size - box.width) / 2;
    const int top = (size - box.height) / 2;
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            const std::uint8_t* rgb = &fitted.rgb[static_cast<std::size_t>((y * box.width + x) * 3)];
            square[static_cast<std::size_t>((top + y) * size + left + x)] =
                std::uint32_t{rgb[0]} << 16 | std::uint32_t{rgb[1]} << 8 | rgb[2];
        }
    }
    return square;
}

// A bold sans-serif face that has the letter, as fontconfig picks it.
std::unique_ptr<FcPattern, void (*)(FcPattern*)> FaceFor(char32_t letter)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:bold"));
    FcCharSet* charset = FcCharSetCreate();
    FcCharSetAddChar(charset, letter);
    FcPatternAddCharSet(pattern, FC_CHARSET, charset);
    FcCharSetDestroy(charset);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    return {match, &FcPatternDestroy};
}

std::uint32_t Blend(std::uint32_t under, std::uint32_t over, unsigned coverage)
{
    std::uint32_t mixed = 0;
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t a = (under >> (8 * c)) & 0xFF;
        const std::uint32_t b = (over >> (8 * c)) & 0xFF;
        mixed |= ((a * (255 - coverage) + b * coverage) / 255) << (8 * c);
    }
    return mixed;
}

}  // namespace

ToolbarPicture::ToolbarPicture(int size) : size_(size), pixels_(static_cast<std::size_t>(size * size), kWhite) {}

std::optional<ToolbarPicture> ToolbarPicture::FromResource(const resources::Picture& picture, int size)
{
    const auto pixels = picture.kind == resources::PictureKind::Icon ? DecodeIco(picture.bytes)
                                                                     : DecodeBmp(picture.bytes);
    if (!pixels) {
        return std::nullopt;
    }
    ToolbarPicture fitted(size);
    fitted.pixels_ = Fitted(*pixels, size);
    return fitted;
}

ToolbarPicture ToolbarPicture::Letter(char32_t letter, std::uint32_t tile, int size)
{
    ToolbarPicture picture(size);
    std::fill(picture.pixels_.begin(), picture.pixels_.end(), tile);
    const auto match = FaceFor(letter);
    FcChar8* file = nullptr;
    int index = 0;
    FT_Library library = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        FT_Init_FreeType(&library) != 0) {
        return picture;
    }
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    FT_Face face = nullptr;
    if (FT_New_Face(library, reinterpret_cast<const char*>(file), index, &face) == 0) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size * 3 / 4));
        if (FT_Get_Char_Index(face, letter) != 0 && FT_Load_Char(face, letter, FT_LOAD_RENDER) == 0) {
            const FT_Bitmap& glyph = face->glyph->bitmap;
            const int left = (size - static_cast<int>(glyph.width)) / 2;
            const int top = (size - static_cast<int>(glyph.rows)) / 2;
            for (int y = 0; y < static_cast<int>(glyph.rows); ++y) {
                for (int x = 0; x < static_cast<int>(glyph.width); ++x) {
                    if (left + x < 0 || left + x >= size || top + y < 0 || top + y >= size) {
                        continue;
                    }
                    std::uint32_t& pixel = picture.pixels_[static_cast<std::size_t>((top + y) * size + left + x)];
                    pixel = Blend(pixel, kWhite, glyph.buffer[y * glyph.pitch + x]);
                }
            }
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return picture;
}

std::vector<std::uint8_t> ToolbarPicture::Bmp() const
{
    const auto stride = static_cast<std::uint32_t>((size_ * 3 + 3) / 4 * 4);
    const std::uint32_t data = stride * static_cast<std::uint32_t>(size_);
    std::vector<std::uint8_t> out{'B', 'M'};
    PutLittle(out, 54 + data, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 54, 4);
    PutLittle(out, 40, 4);
    PutLittle(out, static_cast<std::uint32_t>(size_), 4);
    PutLittle(out, static_cast<std::uint32_t>(size_), 4);
    PutLittle(out, 1, 2);
    PutLittle(out, 24, 2);
    PutLittle(out, 0, 4);
    PutLittle(out, data, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, 2835, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 0, 4);
    for (int y = size_ - 1; y >= 0; --y) {
        for (int x = 0; x < size_; ++x) {
            PutLittle(out, Pixel(x, y), 3);
        }
        out.resize(out.size() + stride - static_cast<std::uint32_t>(size_ * 3), 0);
    }
    return out;
}

}  // namespace velmora::impress
