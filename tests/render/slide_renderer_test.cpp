// Pictures through the real LibreOffice, poppler and libvips.
#include "render/SlideRenderer.hpp"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <vips/vips8>

#include "platform/HostSteps.hpp"
#include "tests/render/SampleDeck.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::render {
namespace {

using velmora::testing::SampleBox;
using velmora::testing::SampleSlide;
using velmora::testing::TempDir;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

std::ostream& operator<<(std::ostream& out, const Rgb& colour)
{
    return out << "(" << colour.red << ", " << colour.green << ", " << colour.blue << ")";
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kWhite{255, 255, 255};

// Slide 1: a red box; slide 2, hidden: a blue box; slide 3: green all over.
const SampleBox kRedBox{72, 72, 144, 72, "#ff0000"};
const SampleBox kBlueBox{360, 288, 216, 144, "#0000ff"};
const SampleBox kWholeSlide{0, 0, testing::kSampleSlideWidth, testing::kSampleSlideHeight, "#008000"};

bool Near(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance;
}

vips::VImage Load(const std::filesystem::path& picture)
{
    static const bool started = VIPS_INIT("render_tests") == 0;
    EXPECT_TRUE(started);
    return vips::VImage::new_from_file(picture.c_str(), vips::VImage::option()->set("access", "sequential"))
        .copy_memory();
}

Rgb PixelAt(const vips::VImage& image, int x, int y)
{
    const std::vector<double> bands = image.getpoint(x, y);
    return {static_cast<int>(bands.at(0)), static_cast<int>(bands.at(1)), static_cast<int>(bands.at(2))};
}

// The pixel under a point of the 720 x 540 point slide.
Rgb ColourAtPoint(const vips::VImage& image, double x, double y)
{
    return PixelAt(image, static_cast<int>(x / testing::kSampleSlideWidth * image.width()),
                   static_cast<int>(y / testing::kSampleSlideHeight * image.height()));
}

Rgb CentreOf(const vips::VImage& image, const SampleBox& box)
{
    return ColourAtPoint(image, box.left + box.width / 2, box.top + box.height / 2);
}

std::vector<std::uint8_t> Bytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes.at(at + static_cast<std::size_t>(i));
    }
    return value;
}

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes.at(at)) << 24 | static_cast<std::uint32_t>(bytes.at(at + 1)) << 16 |
           static_cast<std::uint32_t>(bytes.at(at + 2)) << 8 | bytes.at(at + 3);
}

bool StartsWith(const std::vector<std::uint8_t>& bytes, std::string_view prefix, std::size_t at = 0)
{
    return bytes.size() >= at + prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char expected, std::uint8_t actual) { return static_cast<std::uint8_t>(expected) == actual; });
}

class SlideRendererTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        decks_ = new TempDir;
        deck_ = testing::WriteSampleDeck(decks_->path(), "deck",
                                         {SampleSlide{{kRedBox}, "", false}, SampleSlide{{kBlueBox}, "", true},
                                          SampleSlide{{kWholeSlide}, "", false}});
    }
    static void TearDownTestSuite()
    {
        delete decks_;
        decks_ = nullptr;
    }

    // Slide `slide` of the sample deck, revision 1, exported into the test's folder.
    vips::VImage Export(int slide, PictureFormat format, PixelBox box, const std::string& name = "slide.png")
    {
        renderer_.ExportSlide(deck_, 1, slide, out_ / name, format, box);
        return Load(out_ / name);
    }

    static inline TempDir* decks_ = nullptr;
    static inline std::filesystem::path deck_;
    TempDir out_;
    SlideRenderer renderer_;
};

TEST_F(SlideRendererTest, PicturesHaveExactlyThePixelBoxAskedAndTheSlideFillsIt)
{
    for (const PixelBox box : {PixelBox{1280, 960}, PixelBox{1400, 787}, PixelBox{960, 1280}, PixelBox{1000, 1000},
                               PixelBox{1080, 810}, PixelBox{1, 1}}) {
        SCOPED_TRACE(std::to_string(box.width) + " x " + std::to_string(box.height));
        const vips::VImage image = Export(3, PictureFormat::Png, box);
        ASSERT_EQ(image.width(), box.width);
        ASSERT_EQ(image.height(), box.height);
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{box.width - 1, 0}, std::pair{0, box.height - 1},
                                   std::pair{box.width - 1, box.height - 1}}) {
            EXPECT_TRUE(Near(PixelAt(image, x, y), kGreen, 2)) << "corner " << x << "," << y << " is "
                                                               << PixelAt(image, x, y);
        }
    }
    EXPECT_EQ(renderer_.PdfConversions(), 1);
}

TEST_F(SlideRendererTest, ShapesLandWhereTheSlideHasThemHiddenSlidesIncluded)
{
    const vips::VImage first = Export(1, PictureFormat::Png, {1280, 960});
    EXPECT_TRUE(Near(CentreOf(first, kRedBox), kRed, 0)) << CentreOf(first, kRedBox);
    // Just inside and just outside the box's corners: nothing spills or shrinks.
    EXPECT_TRUE(Near(ColourAtPoint(first, 74, 74), kRed, 0));
    EXPECT_TRUE(Near(ColourAtPoint(first, 214, 142), kRed, 0));
    EXPECT_TRUE(Near(ColourAtPoint(first, 70, 70), kWhite, 0));
    EXPECT_TRUE(Near(ColourAtPoint(first, 218, 146), kWhite, 0));
    EXPECT_TRUE(Near(CentreOf(first, kBlueBox), kWhite, 0));

    const vips::VImage hidden = Export(2, PictureFormat::Png, {1400, 787});
    EXPECT_TRUE(Near(CentreOf(hidden, kBlueBox), kBlue, 0)) << CentreOf(hidden, kBlueBox);
    EXPECT_TRUE(Near(CentreOf(hidden, kRedBox), kWhite, 0));
}

TEST_F(SlideRendererTest, EveryFormatHasItsOwnHeaderAndTheRightColours)
{
    const PixelBox box{1400, 787};
    for (const auto& [format, name] :
         {std::pair{PictureFormat::Jpg, "slide.jpg"}, std::pair{PictureFormat::Png, "slide.png"},
          std::pair{PictureFormat::Gif, "slide.gif"}, std::pair{PictureFormat::Bmp, "slide.bmp"}}) {
        SCOPED_TRACE(name);
        const vips::VImage image = Export(1, format, box, name);
        EXPECT_EQ(image.width(), box.width);
        EXPECT_EQ(image.height(), box.height);
        EXPECT_TRUE(Near(CentreOf(image, kRedBox), kRed, 8)) << CentreOf(image, kRedBox);
        EXPECT_TRUE(Near(ColourAtPoint(image, 600, 60), kWhite, 8)) << ColourAtPoint(image, 600, 60);
    }

    const auto jpg = Bytes(out_ / "slide.jpg");
    EXPECT_TRUE(StartsWith(jpg, "\xFF\xD8\xFF"));

    const auto png = Bytes(out_ / "slide.png");
    EXPECT_TRUE(StartsWith(png, "\x89PNG\r\n\x1A\n"));
    EXPECT_TRUE(StartsWith(png, "IHDR", 12));
    EXPECT_EQ(BigEndian32(png, 16), 1400u);
    EXPECT_EQ(BigEndian32(png, 20), 787u);

    const auto gif = Bytes(out_ / "slide.gif");
    EXPECT_TRUE(StartsWith(gif, "GIF89a") || StartsWith(gif, "GIF87a"));
    EXPECT_EQ(LittleEndian(gif, 6, 2), 1400u);
    EXPECT_EQ(LittleEndian(gif, 8, 2), 787u);

    const auto bmp = Bytes(out_ / "slide.bmp");
    EXPECT_TRUE(StartsWith(bmp, "BM"));
    EXPECT_EQ(LittleEndian(bmp, 2, 4), bmp.size());
    EXPECT_EQ(static_cast<std::int32_t>(LittleEndian(bmp, 18, 4)), 1400);
    EXPECT_EQ(std::abs(static_cast<std::int32_t>(LittleEndian(bmp, 22, 4))), 787);
    EXPECT_EQ(LittleEndian(bmp, 28, 2), 24u);

    renderer_.ExportEmf(deck_, out_ / "slide.emf");
    const auto emf = Bytes(out_ / "slide.emf");
    EXPECT_EQ(LittleEndian(emf, 0, 4), 1u);
    EXPECT_TRUE(StartsWith(emf, " EMF", 40));
}

TEST_F(SlideRendererTest, PdfIsMadeOncePerRevision)
{
    const std::filesystem::path pdf = renderer_.Pdf(deck_, 1);
    EXPECT_EQ(renderer_.Pdf(deck_, 1), pdf);
    Export(1, PictureFormat::Png, {640, 480});
    Export(3, PictureFormat::Jpg, {640, 480}, "slide.jpg");
    EXPECT_EQ(renderer_.PdfConversions(), 1);

    // The file changes under the same name: the caller's new revision draws
    // the new slides, and the old revision's PDF goes.
    const std::filesystem::path changing = out_ / "changing.pptx";
    std::filesystem::copy_file(deck_, changing);
    const std::filesystem::path firstPdf = renderer_.Pdf(changing, 1);
    const SampleBox blueInstead{kRedBox.left, kRedBox.top, kRedBox.width, kRedBox.height, "#0000ff"};
    const std::filesystem::path other = testing::WriteSampleDeck(out_.path(), "other", {SampleSlide{{blueInstead}, "", false}});
    std::filesystem::copy_file(other, changing, std::filesystem::copy_options::overwrite_existing);
    renderer_.ExportSlide(changing, 1, 1, out_ / "same.png", PictureFormat::Png, {640, 480});
    renderer_.ExportSlide(changing, 2, 1, out_ / "after.png", PictureFormat::Png, {640, 480});
    EXPECT_EQ(renderer_.PdfConversions(), 3);
    EXPECT_TRUE(Near(CentreOf(Load(out_ / "same.png"), kRedBox), kRed, 0));
    EXPECT_TRUE(Near(CentreOf(Load(out_ / "after.png"), kRedBox), kBlue, 0));
    EXPECT_FALSE(std::filesystem::exists(firstPdf));
}

TEST_F(SlideRendererTest, ManySlidesComeFromOneConversionInTheOrderAsked)
{
    renderer_.ExportSlides(deck_, 1,
                           {{3, out_ / "幻灯片3.JPG"}, {1, out_ / "幻灯片1.JPG"}, {2, out_ / "幻灯片2.JPG"}},
                           PictureFormat::Jpg, {960, 720});
    EXPECT_TRUE(Near(ColourAtPoint(Load(out_ / "幻灯片3.JPG"), 360, 270), kGreen, 8));
    EXPECT_TRUE(Near(CentreOf(Load(out_ / "幻灯片1.JPG"), kRedBox), kRed, 8));
    EXPECT_TRUE(Near(CentreOf(Load(out_ / "幻灯片2.JPG"), kBlueBox), kBlue, 8));
    EXPECT_EQ(renderer_.PdfConversions(), 1);
}

TEST_F(SlideRendererTest, FilesAreWrittenWholeOrNotAtAll)
{
    const std::filesystem::path kept = out_ / "kept.png";
    std::ofstream(kept) << "earlier picture";
    EXPECT_THROW(renderer_.ExportSlides(deck_, 1, {{1, out_ / "first.png"}, {4, kept}}, PictureFormat::Png, {64, 48}),
                 RenderError);
    EXPECT_THROW(renderer_.ExportSlide(deck_, 1, 0, kept, PictureFormat::Png, {64, 48}), RenderError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out_.path()), {}), 1);
    EXPECT_EQ(Bytes(kept).size(), std::string("earlier picture").size());

    // A second export replaces the first and leaves nothing else behind.
    renderer_.ExportSlide(deck_, 1, 1, kept, PictureFormat::Png, {64, 48});
    renderer_.ExportSlide(deck_, 1, 3, kept, PictureFormat::Png, {64, 48});
    EXPECT_TRUE(Near(PixelAt(Load(kept), 0, 0), kGreen, 2));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out_.path()), {}), 1);

    const std::filesystem::path missingFolder = out_ / "no-such-folder";
    EXPECT_THROW(renderer_.ExportSlide(deck_, 1, 1, missingFolder / "slide.png", PictureFormat::Png, {64, 48}),
                 RenderError);
    EXPECT_THROW(renderer_.ExportEmf(deck_, missingFolder / "slide.emf"), RenderError);
}

TEST_F(SlideRendererTest, FileLibreOfficeCannotOpenIsReported)
{
    const std::filesystem::path broken = out_ / "broken.pptx";
    std::ofstream(broken) << "PK\x03\x04 not really a presentation";
    try {
        renderer_.Pdf(broken, 1);
        ADD_FAILURE() << "no error";
    } catch (const RenderError& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("could not convert broken.pptx"));
    }
    EXPECT_EQ(renderer_.PdfConversions(), 0);
}

// Pages drawn at once by several lanes, through fonts each page needs anew,
// come out pixel for pixel as those drawn one after another.
TEST(ParallelDrawingTest, PagesDrawnAtOnceMatchThoseDrawnOneByOne)
{
    constexpr int kSlides = 16;
    const TempDir work;
    std::vector<SampleSlide> slides;
    for (int i = 0; i < kSlides; ++i) {
        slides.push_back(SampleSlide{{{36.0 + 20 * i, 72, 200, 120.0 + 10 * i, i % 2 == 0 ? "#c0392b" : "#2980b9"}},
                                     "幻灯片 " + std::to_string(i + 1) + " — drawn at once",
                                     false,
                                     i % 3 == 0 ? "DejaVu Serif" : (i % 3 == 1 ? "DejaVu Sans" : "")});
    }
    const std::filesystem::path deck = testing::WriteSampleDeck(work.path(), "many", slides);
    const auto exportAll = [&](int threads, const std::string& prefix) {
        std::vector<SlidePicture> pictures;
        for (int slide = 1; slide <= kSlides; ++slide) {
            pictures.push_back({slide, work.path() / (prefix + std::to_string(slide) + ".png")});
        }
        SlideRenderer(RendererOptions{.drawingThreads = threads})
            .ExportSlides(deck, 1, pictures, PictureFormat::Png, {800, 600});
    };

    std::mutex lock;
    int helpers = 0;
    platform::SetStepSink([&](const std::string& step) {
        const std::lock_guard guard(lock);
        helpers += step.starts_with("start ") && step.find("velmora-draw") != std::string::npos ? 1 : 0;
    });
    exportAll(4, "at-once-");
    platform::SetStepSink({});
    exportAll(1, "one-by-one-");

    EXPECT_EQ(helpers, 3) << "each lane past the first draws in a process of its own";
    for (int slide = 1; slide <= kSlides; ++slide) {
        SCOPED_TRACE("slide " + std::to_string(slide));
        const vips::VImage atOnce = Load(work.path() / ("at-once-" + std::to_string(slide) + ".png"));
        const vips::VImage oneByOne = Load(work.path() / ("one-by-one-" + std::to_string(slide) + ".png"));
        ASSERT_EQ(atOnce.width(), oneByOne.width());
        ASSERT_EQ(atOnce.height(), oneByOne.height());
        EXPECT_EQ((atOnce - oneByOne).abs().max(), 0);
    }
}

}  // namespace
}  // namespace velmora::render
