// Slides drawn in the faces that stand in for the fonts their authors chose.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <vips/vips8>

#include "render/FontConfiguration.hpp"
#include "render/SlideRenderer.hpp"
#include "tests/render/SampleDeck.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::render {
namespace {

using velmora::testing::SampleSlide;
using velmora::testing::TempDir;

const std::string kMixedLine = "Velmora 幻灯片图片 Sample 123";
const std::string kWidthProbe = "Hamburgefonstiv";
const std::vector<std::string> kFonts{"Arial", "Calibri", "Times New Roman", "宋体", "黑体", "楷体", "微软雅黑"};
constexpr int kPixelsPerPoint = 2;
constexpr double kTextSize = 28;
// The text line of the sample slides, 460 to 520 points from the top.
constexpr int kBandTop = 460 * kPixelsPerPoint;
constexpr int kBandBottom = 520 * kPixelsPerPoint;

// Grey levels of the text band of a picture.
struct Band {
    int width = 0;
    std::vector<std::uint8_t> grey;
};

Band TextBand(const std::filesystem::path& picture)
{
    static const bool started = VIPS_INIT("fonts_test") == 0;
    EXPECT_TRUE(started);
    const vips::VImage image = vips::VImage::new_from_file(picture.c_str())
                                   .extract_area(0, kBandTop, 720 * kPixelsPerPoint, kBandBottom - kBandTop)
                                   .colourspace(VIPS_INTERPRETATION_B_W)
                                   .cast(VIPS_FORMAT_UCHAR);
    std::size_t size = 0;
    void* memory = image.write_to_memory(&size);
    const auto* bytes = static_cast<const std::uint8_t*>(memory);
    Band band{image.width(), std::vector<std::uint8_t>(bytes, bytes + size)};
    g_free(memory);
    return band;
}

int PixelsApart(const Band& a, const Band& b)
{
    int apart = 0;
    for (std::size_t i = 0; i < std::min(a.grey.size(), b.grey.size()); ++i) {
        apart += std::abs(a.grey[i] - b.grey[i]) > 96 ? 1 : 0;
    }
    return apart;
}

// From the leftmost to the rightmost inked column, in pixels.
int InkedWidth(const Band& band)
{
    int left = band.width;
    int right = -1;
    for (std::size_t i = 0; i < band.grey.size(); ++i) {
        if (band.grey[i] < 128) {
            const int column = static_cast<int>(i % static_cast<std::size_t>(band.width));
            left = std::min(left, column);
            right = std::max(right, column);
        }
    }
    return right < left ? 0 : right - left + 1;
}

std::string FontFile(const std::string& family)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* face = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    std::string path;
    if (face != nullptr && FcPatternGetString(face, FC_FILE, 0, &file) == FcResultMatch) {
        path = reinterpret_cast<const char*>(file);
    }
    FcPatternDestroy(face);
    FcPatternDestroy(pattern);
    return path;
}

// The inked width of `text` set in `family` from the font's own advance
// widths and the first and last glyphs' outlines, unhinted.
double ExpectedInkedWidth(const std::string& family, const std::string& text)
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    EXPECT_EQ(FT_New_Face(library, FontFile(family).c_str(), 0, &face), 0);
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(kTextSize * 64), 72 * kPixelsPerPoint, 72 * kPixelsPerPoint);
    double pen = 0;
    double inkStart = 0;
    double inkEnd = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        FT_Load_Char(face, static_cast<unsigned char>(text[i]), FT_LOAD_NO_HINTING);
        const FT_Glyph_Metrics& metrics = face->glyph->metrics;
        if (i == 0) {
            inkStart = static_cast<double>(metrics.horiBearingX) / 64;
        }
        inkEnd = pen + static_cast<double>(metrics.horiBearingX + metrics.width) / 64;
        pen += static_cast<double>(face->glyph->linearHoriAdvance) / 65536;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return inkEnd - inkStart;
}

class FontsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new TempDir;
        std::vector<SampleSlide> slides;
        for (const std::string& font : kFonts) {
            slides.push_back({{}, kMixedLine, false, font});
        }
        slides.push_back({{}, kWidthProbe, false, "Arial"});
        const std::filesystem::path deck = testing::WriteSampleDeck(folder_->path(), "fonts", slides);
        SlideRenderer renderer({.profileCache = folder_->path() / "cache"});
        std::vector<SlidePicture> pictures;
        for (std::size_t slide = 1; slide <= slides.size(); ++slide) {
            pictures.push_back({static_cast<int>(slide), Picture(static_cast<int>(slide))});
        }
        renderer.ExportSlides(deck, 1, pictures, PictureFormat::Png, {720 * kPixelsPerPoint, 540 * kPixelsPerPoint});
    }
    static void TearDownTestSuite()
    {
        delete folder_;
        folder_ = nullptr;
    }

    static std::filesystem::path Picture(int slide) { return *folder_ / ("slide" + std::to_string(slide) + ".png"); }
    static Band BandOf(const std::string& font)
    {
        const auto at = std::find(kFonts.begin(), kFonts.end(), font) - kFonts.begin();
        return TextBand(Picture(static_cast<int>(at) + 1));
    }

    static inline TempDir* folder_ = nullptr;
};

TEST_F(FontsTest, EachNamedFontIsDrawnInItsOwnFace)
{
    // Enough pixels apart that the faces differ, not only a few edges.
    constexpr int kDifferentFaces = 400;
    EXPECT_GT(PixelsApart(BandOf("Calibri"), BandOf("Arial")), kDifferentFaces);
    EXPECT_GT(PixelsApart(BandOf("Times New Roman"), BandOf("Arial")), kDifferentFaces);
    EXPECT_GT(PixelsApart(BandOf("宋体"), BandOf("黑体")), kDifferentFaces);
    EXPECT_GT(PixelsApart(BandOf("宋体"), BandOf("楷体")), kDifferentFaces);
    EXPECT_GT(PixelsApart(BandOf("黑体"), BandOf("楷体")), kDifferentFaces);
    // Both Hei styles go to one sans face.
    EXPECT_LT(PixelsApart(BandOf("黑体"), BandOf("微软雅黑")), kDifferentFaces);
}

TEST_F(FontsTest, ArialTextIsAsWideAsLiberationSansSetsIt)
{
    const int measured = InkedWidth(TextBand(Picture(static_cast<int>(kFonts.size()) + 1)));
    const double liberation = ExpectedInkedWidth("Liberation Sans", kWidthProbe);
    EXPECT_NEAR(measured, liberation, 3.0);
    // The machine's general fallback would not pass.
    EXPECT_GT(std::abs(ExpectedInkedWidth("DejaVu Sans", kWidthProbe) - liberation), 10.0);
}

TEST(FontSubstitution, OnlyNamesNeitherInstalledNorMappedAreReported)
{
    const std::vector<FontSubstitution> substituted =
        SubstitutedFonts({"Arial", "宋体", "KaiTi", "Microsoft YaHei", "Liberation Serif", "No Such Font Velmora"});
    ASSERT_EQ(substituted.size(), 1u);
    EXPECT_EQ(substituted[0].requested, "No Such Font Velmora");
    EXPECT_FALSE(substituted[0].fallback.empty());
}

TEST(FontSubstitution, ConfigurationKeepsTheSystemsAndMapsChineseAndEnglishNames)
{
    const std::string text = FontConfigurationText();
    EXPECT_THAT(text, ::testing::HasSubstr("<include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>"));
    for (const char* name : {"宋体", "SimSun", "黑体", "SimHei", "楷体", "KaiTi", "微软雅黑", "Microsoft YaHei", "等线",
                             "DengXian", "仿宋", "FangSong", "新宋体", "NSimSun", "Calibri", "Cambria"}) {
        EXPECT_THAT(text, ::testing::HasSubstr(std::string("<string>") + name + "</string>")) << name;
    }
}

}  // namespace
}  // namespace velmora::render
