// Slide pictures through the document host: LibreOffice draws what the host wrote.
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <vips/vips8>

#include "pptx/DocumentHost.hpp"
#include "tests/pptx/pictures/PictureFiles.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/LibreOffice.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

constexpr host::Color kRed = 0x0000FF;   // R + 256 G + 65536 B
constexpr host::Color kBlue = 0xFF0000;

struct Rgb {
    int r, g, b;
};

Rgb PixelAt(const std::filesystem::path& picture, int x, int y)
{
    const vips::VImage image = vips::VImage::new_from_file(picture.c_str());
    const std::vector<double> pixel = image.getpoint(x, y);
    return {static_cast<int>(pixel.at(0)), static_cast<int>(pixel.at(1)), static_cast<int>(pixel.at(2))};
}

bool Near(Rgb pixel, host::Color colour)
{
    const Rgb want{colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
    return std::abs(pixel.r - want.r) < 12 && std::abs(pixel.g - want.g) < 12 && std::abs(pixel.b - want.b) < 12;
}

class SlidePictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (VIPS_INIT("velmora-tests") != 0) {
            GTEST_SKIP() << "libvips does not start";
        }
        // Two 720 x 540 slides: a red rectangle at (100, 100) 200 x 100 pt, then a blue one at (400, 300).
        presentation_ = decks_.app().Presentations()->Add(true);
        for (const auto& [index, colour, left, top] : {std::tuple{1, kRed, 100.f, 100.f}, {2, kBlue, 400.f, 300.f}}) {
            auto slide = presentation_->Slides()->Add(index, host::SlideLayout::Blank);
            auto box = slide->Shapes()->AddShape(host::AutoShapeType::Rectangle, left, top, 200, 100);
            box->Fill()->ForeColor()->SetRGB(colour);
            box->Line()->SetVisible(host::TriState::False);
        }
        presentation_->SaveAs(dir_ / "deck.pptx", host::SaveFormat::Presentation);
    }

    TempDir dir_;
    DeckHost decks_;
    host::Ref<host::Presentation> presentation_;
};

TEST_F(SlidePictures, ASlidePictureShowsItsShapesWhereTheyAre)
{
    presentation_->Slides()->Item(1)->Export(dir_ / "one.png", "PNG", 1440, 1080);
    const auto picture = dir_ / "one.png";
    EXPECT_EQ(PictureSize(picture), std::make_pair(1440, 1080));
    EXPECT_TRUE(Near(PixelAt(picture, 400, 300), kRed)) << "centre of the rectangle";
    EXPECT_TRUE(Near(PixelAt(picture, 100, 100), 0xFFFFFF)) << "outside it";
    EXPECT_TRUE(Near(PixelAt(picture, 600, 300), 0xFFFFFF)) << "right of it";
}

TEST_F(SlidePictures, AWholePresentationGoesIntoTheFolderNamedByThePath)
{
    presentation_->Export(dir_ / "deck-导出图片.JPG", "JPG", 1280, 960);
    const auto folder = dir_ / "deck-导出图片";
    ASSERT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(PictureSize(folder / "幻灯片1.JPG"), std::make_pair(1280, 960));
    EXPECT_TRUE(Near(PixelAt(folder / "幻灯片2.JPG", 500 * 1280 / 720, 350 * 1280 / 720), kBlue));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2);
}

TEST_F(SlidePictures, PicturesFollowTheChangesOfThePresentation)
{
    auto slide = presentation_->Slides()->Item(1);
    slide->Export(dir_ / "before.png", "PNG", 720, 540);
    slide->Shapes()->Item(1)->Fill()->ForeColor()->SetRGB(kBlue);
    slide->Export(dir_ / "after.png", "PNG", 720, 540);
    EXPECT_TRUE(Near(PixelAt(dir_ / "before.png", 200, 150), kRed));
    EXPECT_TRUE(Near(PixelAt(dir_ / "after.png", 200, 150), kBlue));
}

// A batch converts its next file while it draws this one; the next file's
// pictures must still show that file as it stands when its turn comes.
TEST_F(SlidePictures, ABatchsNextFilesAreDrawnAsTheyStandWhenTheirTurnComes)
{
    pptx::KeepOfficeRunning(decks_.app());
    const std::filesystem::path kept = dir_ / "kept.pptx";
    const std::filesystem::path changed = dir_ / "changed.pptx";
    std::filesystem::copy_file(dir_ / "deck.pptx", kept);
    std::filesystem::copy_file(dir_ / "deck.pptx", changed);

    pptx::ExpectNextFile(decks_.app(), kept);
    presentation_->Export(dir_ / "first.JPG", "JPG", 720, 540);
    pptx::ExpectNextFile(decks_.app(), changed);
    auto next = decks_.Open(kept);
    next->Export(dir_ / "kept.JPG", "JPG", 720, 540);
    EXPECT_TRUE(Near(PixelAt(dir_ / "kept" / "幻灯片1.JPG", 200, 150), kRed));

    // Changed on disk after it was converted ahead, before it was opened.
    auto editor = decks_.app().Presentations()->Open(changed, false, false, false);
    editor->Slides()->Item(1)->Shapes()->Item(1)->Fill()->ForeColor()->SetRGB(kBlue);
    editor->Save();
    editor->Close();
    auto last = decks_.Open(changed);
    last->Export(dir_ / "changed.JPG", "JPG", 720, 540);
    EXPECT_TRUE(Near(PixelAt(dir_ / "changed" / "幻灯片1.JPG", 200, 150), kBlue));
    EXPECT_TRUE(Near(PixelAt(dir_ / "changed" / "幻灯片2.JPG", 500, 350), kBlue));
}

TEST_F(SlidePictures, EveryFormatWritesItsOwnKindOfFile)
{
    auto slide = presentation_->Slides()->Item(2);
    slide->Export(dir_ / "s.gif", "GIF", 360, 270);
    slide->Export(dir_ / "s.bmp", "BMP", 360, 270);
    slide->Export(dir_ / "s.emf", "EMF", 360, 270);
    EXPECT_EQ(Head(dir_ / "s.gif", 3), "GIF");
    EXPECT_EQ(Head(dir_ / "s.bmp", 2), "BM");
    EXPECT_EQ(Head(dir_ / "s.emf", 44).substr(40, 4), " EMF");
    EXPECT_THROW(slide->Export(dir_ / "s.tif", "TIF", 360, 270), host::HostError);
}

TEST_F(SlidePictures, SavingAsPicturesAndAsAPicturePresentation)
{
    presentation_->SaveAs(dir_ / "shots.jpg", host::SaveFormat::JPG);
    EXPECT_EQ(PictureSize(dir_ / "shots" / "幻灯片1.JPG"), std::make_pair(960, 720));

    presentation_->SaveAs(dir_ / "album.pptx", host::SaveFormat::OpenXMLPicturePresentation);
    auto album = decks_.Open(dir_ / "album.pptx");
    ASSERT_EQ(album->Slides()->Count(), 2);
    for (int i = 1; i <= 2; ++i) {
        auto shapes = album->Slides()->Item(i)->Shapes();
        ASSERT_EQ(shapes->Count(), 1);
        EXPECT_EQ(shapes->Item(1)->Type(), host::ShapeType::Picture);
        EXPECT_FLOAT_EQ(shapes->Item(1)->Width(), 720);
    }
    EXPECT_EQ(SlidesSeenByLibreOffice(dir_ / "album.pptx"), 2);
}

}  // namespace
}  // namespace velmora::testing
