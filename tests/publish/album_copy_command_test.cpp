// The picture-only album copy through the velmora command.
#include <filesystem>
#include <map>

#include "tests/publish/CommandFixture.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

class AlbumCopyCommand : public CommandTest {
protected:
    ProcessResult MakeCopy() const { return Velmora({"run", "TranstoPic_main", deck().string()}); }
    std::filesystem::path copy() const { return deck("deck_图片版.pptx"); }
};

TEST_F(AlbumCopyCommand, ThreeSlidesBecomeThreePicturesOf1080By810CoveringSlidesOfTheSameSize)
{
    BuildDeck(decks_, deck(), 3);
    const auto run = MakeCopy();
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "已成功在当前路径下生成相册副本：deck_图片版\n");
    EXPECT_TRUE(TemporaryFolders(dir_.path()).empty());

    auto album = decks_.Open(copy());
    ASSERT_EQ(album->Slides()->Count(), 3);
    EXPECT_EQ(album->PageSetup()->SlideWidth(), 720);
    EXPECT_EQ(album->PageSetup()->SlideHeight(), 540);
    for (int slide = 1; slide <= 3; ++slide) {
        const auto pictures = PictureShapes(*album->Slides()->Item(slide));
        ASSERT_EQ(pictures.size(), 1u) << "slide " << slide;
        EXPECT_EQ(pictures[0]->Left(), 0);
        EXPECT_EQ(pictures[0]->Top(), 0);
        EXPECT_EQ(pictures[0]->Width(), 720);
        EXPECT_EQ(pictures[0]->Height(), 540);
        EXPECT_EQ(SizeOfBytes(SlidePicture(copy(), slide)), (PixelSize{1080, 810})) << "slide " << slide;
    }
    EXPECT_EQ(SlidesSeenByLibreOffice(copy()), 3);
}

TEST_F(AlbumCopyCommand, TwelveSlidesGetTheirOwnPicturesTenElevenAndTwelveToo)
{
    BuildDeck(decks_, deck(), 12);
    const auto run = MakeCopy();
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(TemporaryFolders(dir_.path()).empty());

    // Slide k of the copy shows the picture the host makes of slide k, not
    // that of slide 1, whose name starts theirs.
    const std::vector<int> compared{1, 10, 11, 12};
    std::map<int, std::string> expected;
    auto source = decks_.Open(deck());
    for (int slide : compared) {
        const auto file = dir_ / ("expected" + std::to_string(slide) + ".jpg");
        source->Slides()->Item(slide)->Export(file, "JPG", 1080, 810);
        expected[slide] = ReadBytes(file);
    }
    for (int slide : {10, 11, 12}) {
        const std::string picture = SlidePicture(copy(), slide);
        const double own = PictureDistance(picture, expected[slide]);
        for (int other : compared) {
            if (other != slide) {
                EXPECT_LT(own, PictureDistance(picture, expected[other])) << "slide " << slide << " vs " << other;
            }
        }
    }
}

}  // namespace
}  // namespace velmora::testing
