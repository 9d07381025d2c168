// SVG pictures that draw a file of the machine, hidden under a type other
// than SVG's, through every command that hands the deck to LibreOffice.
#include <filesystem>

#include <vips/vips8>

#include "tests/publish/CommandFixture.hpp"
#include "tests/support/OutsideSvgDeck.hpp"

namespace velmora::testing {
namespace {

// Pixels of a picture near the local file's colour.
int LocalFilePixels(const std::string& picture)
{
    const vips::VImage image =
        vips::VImage::new_from_buffer(picture.data(), picture.size(), "").colourspace(VIPS_INTERPRETATION_sRGB);
    const vips::VImage rgb = image.extract_band(0, vips::VImage::option()->set("n", 3));
    const auto near = [&rgb](int band, int value) { return (rgb[band] - value).abs() < 40; };
    const vips::VImage match = near(0, kOutsideRed) & near(1, kOutsideGreen) & near(2, kOutsideBlue);
    return static_cast<int>(match.avg() / 255 * match.width() * match.height());
}

class OutsidePictures : public CommandTest {
protected:
    void SetUp() override
    {
        CommandTest::SetUp();
        ASSERT_EQ(VIPS_INIT("velmora-outside-tests"), 0);
        const vips::VImage black = vips::VImage::black(64, 64, vips::VImage::option()->set("bands", 3));
        (black + std::vector<double>{kOutsideRed, kOutsideGreen, kOutsideBlue})
            .cast(VIPS_FORMAT_UCHAR)
            .write_to_file(local_.c_str());
        (black + 128).cast(VIPS_FORMAT_UCHAR).write_to_file((dir_ / "stand-in.png").c_str());

        WriteOutsideSvgDeck(decks_, deck(), dir_ / "stand-in.png", local_);
    }

    // Every picture of a folder, by name.
    static void ExpectNoLocalFile(const std::filesystem::path& folder)
    {
        ASSERT_EQ(FileNames(folder).size(), 2u) << folder;
        for (const std::string& name : FileNames(folder)) {
            EXPECT_EQ(LocalFilePixels(ReadBytes(folder / name)), 0) << folder / name;
        }
    }

    std::filesystem::path local_ = dir_ / "local.png";
};

TEST_F(OutsidePictures, SlidePicturesOfOneDeckAndOfABatchShowNoLocalFile)
{
    const std::vector<std::string> all{"--set", "OptionButton1=true", "--set", "OptionButton4=true", "--click",
                                       "Cmd_OK"};
    std::vector<std::string> args{"run", "ExportPic_main", deck().string()};
    args.insert(args.end(), all.begin(), all.end());
    auto run = Velmora(args);
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectNoLocalFile(dir_ / "deck-导出图片");

    // Several files keep LibreOffice running and convert the next ahead.
    std::filesystem::copy_file(deck(), deck("second.pptx"));
    args = {"run", "ExportPic_main", deck("second.pptx").string(), deck().string()};
    args.insert(args.end(), all.begin(), all.end());
    std::filesystem::remove_all(dir_ / "deck-导出图片");
    run = Velmora(args);
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectNoLocalFile(dir_ / "second-导出图片");
    ExpectNoLocalFile(dir_ / "deck-导出图片");
}

TEST_F(OutsidePictures, TheMontageShowsNoLocalFile)
{
    const auto run = Velmora({"run", "CombinPic_main", deck().string(), "--set", "OptionButton3=true", "--set",
                              "OptionButton16=true"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(LocalFilePixels(ReadBytes(deck("deck-拼图.PNG"))), 0);
}

TEST_F(OutsidePictures, TheAlbumCopyShowsNoLocalFile)
{
    const auto run = Velmora({"run", "TranstoPic_main", deck().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    for (int slide = 1; slide <= 2; ++slide) {
        EXPECT_EQ(LocalFilePixels(SlidePicture(deck("deck_图片版.pptx"), slide)), 0) << "slide " << slide;
    }
}

}  // namespace
}  // namespace velmora::testing
