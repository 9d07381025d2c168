// The album copy's own logic; the pictures are made by hand here, so no
// renderer is needed.
#include <fstream>

#include "doctools/PhotoAlbum.hpp"
#include "host/Prompts.hpp"
#include "tests/publish/PublishFixture.hpp"

namespace velmora::testing {
namespace {

using MessageList = std::vector<Message>;

class PhotoAlbum : public PublishTest {
protected:
    // Stand-ins for the host's slide pictures: JPEG magic, then the name.
    std::filesystem::path WritePictures(const std::string& prefix, int count, const std::string& extension)
    {
        const auto folder = dir_ / "pictures";
        std::filesystem::create_directory(folder);
        for (int slide = 1; slide <= count; ++slide) {
            std::ofstream(folder / (prefix + std::to_string(slide) + extension), std::ios::binary)
                << PictureOf(slide);
        }
        return folder;
    }

    static std::string PictureOf(int slide) { return "\xFF\xD8\xFF picture of slide " + std::to_string(slide); }

    std::filesystem::path copy() const { return deck("deck_图片版.pptx"); }
};

TEST_F(PhotoAlbum, EachSlideGetsThePictureOfItsNumberAndIsCoveredByIt)
{
    OpenDeck(12);
    // Slides 1, 10, 11 and 12 all end in "1" or follow it in a listing; only
    // the prefix every picture shares tells slide 1's apart.
    const auto pictures = WritePictures("幻灯片", 12, ".JPG");
    doctools::insertpic(*application_, 12, pictures, dir_.path(), "deck");

    EXPECT_EQ(application_->Presentations()->Count(), 1) << "the copy was left open";
    auto album = decks_.Open(copy());
    ASSERT_EQ(album->Slides()->Count(), 12);
    EXPECT_EQ(album->PageSetup()->SlideWidth(), 720);
    EXPECT_EQ(album->PageSetup()->SlideHeight(), 540);
    for (int slide = 1; slide <= 12; ++slide) {
        const auto shapes = PictureShapes(*album->Slides()->Item(slide));
        ASSERT_EQ(shapes.size(), 1u) << "slide " << slide;
        EXPECT_EQ(shapes[0]->Left(), 0);
        EXPECT_EQ(shapes[0]->Top(), 0);
        EXPECT_EQ(shapes[0]->Width(), 720);
        EXPECT_EQ(shapes[0]->Height(), 540);
        EXPECT_EQ(SlidePicture(copy(), slide), PictureOf(slide)) << "slide " << slide;
    }
}

TEST_F(PhotoAlbum, TheCopyTakesAnOddSlideSize)
{
    auto& presentation = OpenDeck(2);
    presentation.PageSetup()->SetSlideWidth(500);
    presentation.PageSetup()->SetSlideHeight(650);
    doctools::insertpic(*application_, 2, WritePictures("Slide", 2, ".jpg"), dir_.path(), "deck");

    auto album = decks_.Open(copy());
    EXPECT_EQ(album->PageSetup()->SlideSize(), host::SlideSize::Custom);
    EXPECT_EQ(album->PageSetup()->SlideWidth(), 500);
    EXPECT_EQ(album->PageSetup()->SlideHeight(), 650);
    EXPECT_EQ(PictureShapes(*album->Slides()->Item(2))[0]->Height(), 650);
}

TEST_F(PhotoAlbum, AMissingPictureClosesTheHalfBuiltCopyUnsaved)
{
    OpenDeck(3);
    const auto pictures = WritePictures("幻灯片", 2, ".jpg");
    EXPECT_THROW(doctools::insertpic(*application_, 3, pictures, dir_.path(), "deck"), host::HostError);
    EXPECT_EQ(application_->Presentations()->Count(), 1);
    EXPECT_FALSE(std::filesystem::exists(copy()));

    std::filesystem::remove_all(pictures);
    std::filesystem::create_directory(pictures);
    EXPECT_ANY_THROW(doctools::insertpic(*application_, 1, pictures, dir_.path(), "deck"));
    EXPECT_EQ(application_->Presentations()->Count(), 1);
}

TEST_F(PhotoAlbum, ANeverSavedDeckIsRefusedBeforeItsSlidesAreCounted)
{
    OpenUntitled();
    doctools::TranstoPic_main(*application_, Services());
    EXPECT_EQ(Messages(), (MessageList{{host::kNotSavedMessage, host::MsgStyle::Exclamation}}));
}

TEST_F(PhotoAlbum, ADeckWithoutSlidesIsRefused)
{
    OpenDeck(0);
    doctools::TranstoPic_main(*application_, Services());
    EXPECT_EQ(Messages(), (MessageList{{host::kNoSlidesMessage, host::MsgStyle::Critical}}));
    EXPECT_TRUE(TemporaryFolders(dir_.path()).empty());
}

}  // namespace
}  // namespace velmora::testing
