// SVG pictures that draw a file of the machine, hidden under a type other
// than SVG's, through every command that hands the deck to LibreOffice.
#include <filesystem>
#include <fstream>
#include <regex>

#include <vips/vips8>

#include "tests/publish/CommandFixture.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {
namespace {

constexpr const char* kImageRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
// The local file's colour, which nothing else in the deck has.
constexpr int kRed = 250;
constexpr int kGreen = 20;
constexpr int kBlue = 200;

// Pixels of a picture near the local file's colour.
int LocalFilePixels(const std::string& picture)
{
    const vips::VImage image =
        vips::VImage::new_from_buffer(picture.data(), picture.size(), "").colourspace(VIPS_INTERPRETATION_sRGB);
    const vips::VImage rgb = image.extract_band(0, vips::VImage::option()->set("n", 3));
    const auto near = [&rgb](int band, int value) { return (rgb[band] - value).abs() < 40; };
    const vips::VImage match = near(0, kRed) & near(1, kGreen) & near(2, kBlue);
    return static_cast<int>(match.avg() / 255 * match.width() * match.height());
}

class OutsidePictures : public CommandTest {
protected:
    void SetUp() override
    {
        CommandTest::SetUp();
        ASSERT_EQ(VIPS_INIT("velmora-outside-tests"), 0);
        const vips::VImage black = vips::VImage::black(64, 64, vips::VImage::option()->set("bands", 3));
        (black + std::vector<double>{kRed, kGreen, kBlue}).cast(VIPS_FORMAT_UCHAR).write_to_file(local_.c_str());
        (black + 128).cast(VIPS_FORMAT_UCHAR).write_to_file((dir_ / "stand-in.png").c_str());

        auto presentation = decks_.app().Presentations()->Add(true);
        for (int k = 1; k <= 2; ++k) {
            auto slide = presentation->Slides()->Add(k, host::SlideLayout::Blank);
            slide->Shapes()->AddPicture(dir_ / "stand-in.png", 0, -1, 0, 0, 720, 540);
        }
        presentation->SaveAs(deck(), host::SaveFormat::Presentation);
        presentation->Close();
        // Slide 1: plain SVG in an XML part; slide 2: SVG packed with gzip as a compressed metafile.
        ShowOnSlide(1, "ppt/media/x.xml", "application/xml", Svg());
        std::ofstream(dir_ / "drawing.svg") << Svg();
        ASSERT_EQ(RunProcess({"gzip", "-kn", (dir_ / "drawing.svg").string()}).status, 0);
        ShowOnSlide(2, "ppt/media/y.emz", "image/x-emz", ReadBytes(dir_ / "drawing.svg.gz"));
    }

    std::string Svg() const
    {
        const std::string file = "file://" + local_.string();
        return R"(<?xml version="1.0"?><svg xmlns="http://www.w3.org/2000/svg" )"
               R"(xmlns:xlink="http://www.w3.org/1999/xlink" width="400" height="300" viewBox="0 0 400 300">)"
               R"(<rect width="400" height="300" fill="#408040"/>)"
               R"(<image x="0" y="0" width="400" height="300" preserveAspectRatio="none" xlink:href=")" +
               file + R"("/><image x="0" y="0" width="200" height="300" preserveAspectRatio="none" href=")" +
               file + R"("/></svg>)";
    }

    void ShowOnSlide(int slide, const std::string& part, const std::string& type, const std::string& content) const
    {
        const std::string slidePart = "ppt/slides/slide" + std::to_string(slide) + ".xml";
        const std::string id = AddRelatedPart(deck(), slidePart, kImageRelationship, part, type, content);
        WriteEntry(deck(), slidePart,
                   std::regex_replace(*ReadEntry(deck(), slidePart), std::regex(R"(r:embed="[^"]*")"),
                                      "r:embed=\"" + id + "\""));
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
