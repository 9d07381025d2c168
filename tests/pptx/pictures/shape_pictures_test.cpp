// Pictures of shapes through the document host: copy, paste as picture,
// shape export and the web page, all drawn by LibreOffice.
#include <fstream>

#include <gtest/gtest.h>
#include <vips/vips8>

#include "platform/FontMetrics.hpp"
#include "tests/pptx/pictures/PictureFiles.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

constexpr host::Color kRed = 0x0000FF;  // R + 256 G + 65536 B
constexpr host::Color kBlue = 0xFF0000;

std::vector<double> PixelAt(const std::filesystem::path& picture, int x, int y)
{
    return vips::VImage::new_from_file(picture.c_str()).getpoint(x, y);
}

bool Near(const std::vector<double>& pixel, host::Color colour, double tolerance = 16)
{
    const double want[3] = {static_cast<double>(colour & 0xFF), static_cast<double>((colour >> 8) & 0xFF),
                            static_cast<double>((colour >> 16) & 0xFF)};
    for (int i = 0; i < 3; ++i) {
        if (std::abs(pixel.at(static_cast<std::size_t>(i)) - want[i]) > tolerance) {
            return false;
        }
    }
    return true;
}

class ShapePictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (VIPS_INIT("velmora-tests") != 0) {
            GTEST_SKIP() << "libvips does not start";
        }
        presentation_ = decks_.app().Presentations()->Add(false);
        slide_ = presentation_->Slides()->Add(1, host::SlideLayout::Blank);
    }

    host::Ref<host::Shape> Rectangle(float left, float top, float width, float height, host::Color colour)
    {
        auto shapes = slide_->Shapes();
        auto box = shapes->AddShape(host::AutoShapeType::Rectangle, left, top, width, height);
        box->Fill()->ForeColor()->SetRGB(colour);
        box->Line()->SetVisible(host::TriState::False);
        return box;
    }

    TempDir dir_;
    DeckHost decks_;
    host::Ref<host::Presentation> presentation_;
    host::Ref<host::Slide> slide_;
};

TEST_F(ShapePictures, AGroupPastedAsAPictureIsItsBoundingBoxInPixels)
{
    Rectangle(100, 50, 200, 100, kRed);
    Rectangle(250, 120, 150, 80, kBlue);
    auto shapes = slide_->Shapes();
    auto group = shapes->Range({1, 2})->Group();
    group->Copy();
    group->Delete();
    auto pasted = shapes->PasteSpecial(host::PasteDataType::PNG);

    ASSERT_EQ(shapes->Count(), 1);
    EXPECT_EQ(pasted->Type(), host::ShapeType::Picture);
    EXPECT_EQ(pasted->Left(), 100);
    EXPECT_EQ(pasted->Top(), 50);
    EXPECT_EQ(pasted->Width(), 300);
    EXPECT_EQ(pasted->Height(), 150);

    // The web page holds the pasted picture as a file ending in "1.png".
    presentation_->SaveAs(dir_ / "page.html", host::SaveFormat::Html);
    const auto picture = dir_ / "page.files" / "image001.png";
    ASSERT_TRUE(std::filesystem::exists(picture));
    EXPECT_EQ(PictureSize(picture), std::make_pair(300, 150));
    EXPECT_TRUE(Near(PixelAt(picture, 50, 25), kRed)) << "the first rectangle, at its own place";
    EXPECT_TRUE(Near(PixelAt(picture, 250, 120), kBlue)) << "the second, drawn over it";
    EXPECT_TRUE(Near(PixelAt(picture, 250, 10), 0xFFFFFF)) << "the box outside both";
    std::ifstream page(dir_ / "page.html");
    const std::string html{std::istreambuf_iterator<char>(page), std::istreambuf_iterator<char>()};
    EXPECT_NE(html.find("page.files/image001.png"), std::string::npos) << html;
}

TEST_F(ShapePictures, PastingAsGifOrJpegWritesThatFormatAndTheWebPageNamesItSo)
{
    Rectangle(10, 10, 120, 40, kRed)->Copy();
    auto shapes = slide_->Shapes();
    shapes->Item(1)->Delete();
    shapes->PasteSpecial(host::PasteDataType::GIF);
    presentation_->SaveAs(dir_ / "gif.html", host::SaveFormat::Html);
    EXPECT_EQ(Head(dir_ / "gif.files" / "image001.gif", 3), "GIF");

    shapes->Item(1)->Delete();
    shapes->PasteSpecial(host::PasteDataType::JPG);
    presentation_->SaveAs(dir_ / "jpg.html", host::SaveFormat::Html);
    // Only pictures a shape still shows are written.
    EXPECT_EQ(Head(dir_ / "jpg.files" / "image001.jpg", 2), "\xFF\xD8");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "jpg.files" / "image002.gif"));

    EXPECT_THROW(shapes->PasteSpecial(3), host::HostError);
}

TEST_F(ShapePictures, PastingWithAnEmptyClipboardIsRefused)
{
    EXPECT_THROW(slide_->Shapes()->PasteSpecial(host::PasteDataType::PNG), host::HostError);
}

TEST_F(ShapePictures, AShapeExportShowsItsPictureFillThroughItsTransparency)
{
    const auto mark = dir_ / "mark.png";
    vips::VImage::black(60, 20, vips::VImage::option()->set("bands", 3)).new_from_image({0, 0, 255}).write_to_file(
        mark.c_str());
    Rectangle(0, 0, 400, 300, kRed);
    auto shape = slide_->Shapes()->AddShape(host::AutoShapeType::Rectangle, -400, 0, 120, 40);
    shape->Line()->SetVisible(host::TriState::False);
    shape->Fill()->UserPicture(mark);
    shape->Fill()->SetTransparency(0.5f);
    shape->Export(dir_ / "alone.jpg", "JPG");
    EXPECT_EQ(PictureSize(dir_ / "alone.jpg"), std::make_pair(120, 40));
    // Alone on a white page: half blue over white.
    EXPECT_TRUE(Near(PixelAt(dir_ / "alone.jpg", 60, 20), 0xFF8080, 24));

    // Over the red rectangle, in a paste of both: half blue over red.
    shape->SetLeft(100);
    slide_->Shapes()->Range({})->Copy();
    slide_->Shapes()->PasteSpecial(host::PasteDataType::PNG);
    presentation_->SaveAs(dir_ / "both.html", host::SaveFormat::Html);
    EXPECT_TRUE(Near(PixelAt(dir_ / "both.files" / "image002.png", 160, 20), 0x800080, 24));
}

TEST_F(ShapePictures, ATextBoxFittedToItsTextTakesTheTextsRealExtent)
{
    auto shapes = slide_->Shapes();
    auto measure = [&](const std::string& text) {
        auto box = shapes->AddTextbox(host::TextOrientation::Horizontal, 0, 0, 120, 40);
        auto frame = box->TextFrame();
        frame->TextRange()->SetText(text);
        frame->TextRange()->Font()->SetSize(18);
        frame->SetWordWrap(host::TriState::False);
        frame->SetAutoSize(host::AutoSize::ShapeToFitText);
        return std::make_pair(box->Width(), box->Height());
    };
    // The box is the text plus the default insets of 7.2 points left and right.
    const auto [wide, wideHeight] = measure("WWWWWW");
    const auto [narrow, narrowHeight] = measure("iiiiii");
    const double insets = 14.4;
    EXPECT_NEAR(wide - insets, platform::MeasureText("Calibri", 18, "WWWWWW").width, 0.1);
    EXPECT_NEAR(narrow - insets, platform::MeasureText("Calibri", 18, "iiiiii").width, 0.1);
    EXPECT_GT(wide, 2 * narrow) << "a W is far wider than an i in any real font";
    EXPECT_EQ(wideHeight, narrowHeight);
    const auto [chinese, chineseHeight] = measure("水印水印");
    EXPECT_NEAR(chinese - insets, 4 * 18, 2) << "CJK characters are one em wide in the fallback font";
}

}  // namespace
}  // namespace velmora::testing
