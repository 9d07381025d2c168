// The picture tools drawing real slide pictures inside one process, where
// the test sees the files reported, the folder shown and the temporary
// folder made.
#include <algorithm>
#include <filesystem>
#include <regex>

#include "doctools/PhotoAlbum.hpp"
#include "host/Prompts.hpp"
#include "publish/ExportPic.hpp"
#include "tests/publish/PublishFixture.hpp"
#include "tests/support/LibreOffice.hpp"

namespace velmora::testing {
namespace {

using MessageList = std::vector<Message>;
using Paths = std::vector<std::filesystem::path>;
using Names = std::vector<std::string>;

const Message kExported{"幻灯片已成功导出为图片！\r保存在 [deck-导出图片] 目录中", host::MsgStyle::Information};

class PictureExport : public PublishTest {
protected:
    void Run()
    {
        forms::ScriptedDriver driver;
        publish::ExportPic_main(*application_, Services(), driver);
    }

    std::filesystem::path folder() const { return deck("deck-导出图片"); }
};

TEST_F(PictureExport, TheDefaultsWriteEverySlideAsJpgOf960AndShowTheFolder)
{
    OpenDeck(2);
    Run();
    EXPECT_EQ(Messages(), MessageList{kExported});
    ASSERT_EQ(FileNames(folder()), (Names{"幻灯片1.JPG", "幻灯片2.JPG"}));
    EXPECT_EQ(SizeOfFile(folder() / "幻灯片2.JPG"), (PixelSize{960, 720}));
    // The host names the pictures, so the folder is what is reported and shown.
    EXPECT_EQ(written_->All(), Paths{folder()});
    EXPECT_EQ(opener_.Shown(1), Paths{folder()});
    EXPECT_EQ(Setting("ExportPicOpt1"), "OptionButton1");
    EXPECT_EQ(Setting("ExportPicOpt2"), "OptionButton8");
    EXPECT_EQ(Setting("ExportPicOpt3"), "OptionButton3");
}

TEST_F(PictureExport, AShellThatCannotShowTheFolderIsIgnored)
{
    shell_ = std::make_shared<platform::XdgShell>((dir_ / "no-such-opener").string());
    OpenDeck(1);
    Run();
    EXPECT_EQ(Messages(), MessageList{kExported});
    EXPECT_EQ(FileNames(folder()), Names{"幻灯片1.JPG"});
}

class AlbumCopy : public PublishTest {
protected:
    std::filesystem::path copy() const { return deck("deck_图片版.pptx"); }
};

TEST_F(AlbumCopy, PicturesAreOneAndAHalfPixelsPerPointHalvesToEvenMadeInATemporaryFolder)
{
    auto& presentation = OpenDeck(2);
    presentation.PageSetup()->SetSlideWidth(723);
    presentation.PageSetup()->SetSlideHeight(541);
    FolderWatch watch(dir_.path());
    doctools::TranstoPic_main(*application_, Services());

    const std::string picture = SlidePicture(copy(), 2);
    EXPECT_EQ(picture.substr(0, 3), "\xFF\xD8\xFF") << "not a JPEG picture";
    EXPECT_EQ(SizeOfBytes(picture), (PixelSize{1084, 812}));
    static const std::regex kTemporary("tmp[0-9]{1,6}");
    const Names created = watch.Created();
    const auto temporary = std::count_if(created.begin(), created.end(),
                                         [](const std::string& name) { return std::regex_match(name, kTemporary); });
    EXPECT_EQ(temporary, 1) << ::testing::PrintToString(created);
    EXPECT_TRUE(TemporaryFolders(dir_.path()).empty());
    EXPECT_EQ(application_->Presentations()->Count(), 1);
    EXPECT_EQ(written_->All(), Paths{copy()});
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
    EXPECT_TRUE(TemporaryFolders(dir_.path()).empty());
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
    EXPECT_EQ(written_->All(), Paths{deck("deck_相册.pptx")});
    EXPECT_FALSE(std::filesystem::exists(copy()));
    EXPECT_TRUE(TemporaryFolders(dir_.path()).empty());
    EXPECT_EQ(SlidesSeenByLibreOffice(deck("deck_相册.pptx")), 3);
}

}  // namespace
}  // namespace velmora::testing
