// The picture tools through the document host's own renderer.
#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>
#include <vips/vips8>

#include "doctools/PhotoAlbum.hpp"
#include "host/Prompts.hpp"
#include "pptx/DocumentHost.hpp"
#include "publish/ExportPic.hpp"
#include "tests/publish/DeckFixture.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

using MessageList = std::vector<Message>;

struct Size {
    int width = 0;
    int height = 0;

    bool operator==(const Size&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Size& size)
{
    return out << size.width << " x " << size.height;
}

bool StartVips()
{
    static const bool started = VIPS_INIT("publish_render_tests") == 0;
    return started;
}

Size PictureSize(const vips::VImage& image)
{
    return {image.width(), image.height()};
}

Size SizeOfFile(const std::filesystem::path& picture)
{
    EXPECT_TRUE(StartVips());
    return PictureSize(vips::VImage::new_from_file(picture.c_str()));
}

Size SizeOfBytes(const std::string& picture)
{
    EXPECT_TRUE(StartVips());
    return PictureSize(vips::VImage::new_from_buffer(picture.data(), picture.size(), ""));
}

std::vector<std::string> FileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class AlbumCopy : public DeckTest {
protected:
    std::filesystem::path copy() const { return deck("deck_图片版.pptx"); }
};

TEST_F(AlbumCopy, ThreeSlidesBecomeThreePicturesOf1080By810CoveringTheirSlides)
{
    OpenDeck(3);
    doctools::TranstoPic_main(*application_, Services());

    EXPECT_EQ(Messages(), (MessageList{{"已成功在当前路径下生成相册副本：deck_图片版", host::MsgStyle::Information}}));
    EXPECT_TRUE(TemporaryFolders().empty());
    EXPECT_EQ(application_->Presentations()->Count(), 1);
    EXPECT_EQ(written_->All(), std::vector<std::filesystem::path>{copy()});
    auto album = decks_.Open(copy());
    ASSERT_EQ(album->Slides()->Count(), 3);
    EXPECT_EQ(album->PageSetup()->SlideWidth(), 720);
    EXPECT_EQ(album->PageSetup()->SlideHeight(), 540);
    for (int slide = 1; slide <= 3; ++slide) {
        const auto pictures = Pictures(*album->Slides()->Item(slide));
        ASSERT_EQ(pictures.size(), 1u) << "slide " << slide;
        EXPECT_EQ(pictures[0]->Width(), 720);
        EXPECT_EQ(pictures[0]->Height(), 540);
        EXPECT_EQ(SizeOfBytes(SlidePicture(copy(), slide)), (Size{1080, 810})) << "slide " << slide;
    }
    EXPECT_EQ(SlidesSeenByLibreOffice(copy()), 3);
}

TEST_F(AlbumCopy, TwelveSlidesKeepTheirOrder)
{
    auto& presentation = OpenDeck(12);
    doctools::TranstoPic_main(*application_, Services());

    // Slide k of the copy holds the very picture the host makes of slide k.
    for (int slide : {1, 2, 10, 11, 12}) {
        const auto expected = dir_ / ("expected" + std::to_string(slide) + ".jpg");
        presentation.Slides()->Item(slide)->Export(expected, "JPG", 1080, 810);
        EXPECT_EQ(SlidePicture(copy(), slide), ReadBytes(expected)) << "slide " << slide;
    }
    EXPECT_TRUE(TemporaryFolders().empty());
}

TEST_F(AlbumCopy, AFailedCopyLeavesNeitherTheTemporaryFolderNorAnOpenCopyBehind)
{
    OpenDeck(3);
    // A folder in the copy's place makes saving fail after the pictures were made.
    std::filesystem::create_directory(copy());
    try {
        doctools::TranstoPic_main(*application_, Services());
        ADD_FAILURE() << "the copy was saved over a folder";
    } catch (const host::HostError& error) {
        EXPECT_NE(std::string(error.what()).find("_图片版"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(TemporaryFolders().empty());
    EXPECT_TRUE(std::filesystem::is_empty(copy()));
    EXPECT_EQ(application_->Presentations()->Count(), 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(written_->All().empty());
}

TEST_F(AlbumCopy, AnOlderHostSavesAPicturePresentationNamedAsAnAlbum)
{
    OpenDeck(3, "12.0");
    doctools::TranstoPic_main(*application_, Services());

    EXPECT_EQ(Messages(), (MessageList{{"已成功在当前路径下生成相册副本：deck_相册", host::MsgStyle::Information}}));
    EXPECT_TRUE(std::filesystem::exists(deck("deck_相册.pptx")));
    EXPECT_EQ(written_->All(), std::vector<std::filesystem::path>{deck("deck_相册.pptx")});
    EXPECT_FALSE(std::filesystem::exists(copy()));
    EXPECT_TRUE(TemporaryFolders().empty());
    EXPECT_EQ(SlidesSeenByLibreOffice(deck("deck_相册.pptx")), 3);
}

class PictureExport : public DeckTest {
protected:
    void Run(std::vector<forms::ScriptStep> steps)
    {
        forms::ScriptedDriver driver(std::move(steps));
        publish::ExportPic_main(*application_, Services(), driver);
    }

    std::filesystem::path folder() const { return deck("deck-导出图片"); }
};

TEST_F(PictureExport, AllSlidesLandInTheFolderAtTheChosenSize)
{
    OpenDeck(3);
    Run({Click("OptionButton10"), Click("Cmd_OK")});

    EXPECT_EQ(Messages(), (MessageList{{kExportedMessage, host::MsgStyle::Information}}));
    const auto names = FileNames(folder());
    ASSERT_EQ(names.size(), 3u);
    for (const std::string& name : names) {
        EXPECT_EQ(SizeOfFile(folder() / name), (Size{1280, 960})) << name;
    }
}

TEST_F(PictureExport, SelectedSlidesAreNamedByTheirNumbersAndOverwrittenNextTime)
{
    OpenDeck(10);
    pptx::SelectSlides(*application_->ActiveWindow(), {5, 2, 9});
    for (int run = 0; run < 2; ++run) {
        Run({Click("OptionButton2"), Click("OptionButton4"), Click("OptionButton11"), Click("Cmd_OK")});
        EXPECT_EQ(FileNames(folder()), (std::vector<std::string>{"幻灯片2.PNG", "幻灯片5.PNG", "幻灯片9.PNG"}));
        EXPECT_EQ(SizeOfFile(folder() / "幻灯片9.PNG"), (Size{1400, 1050}));
    }
}

}  // namespace
}  // namespace velmora::testing
