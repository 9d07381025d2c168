// A deck that links a picture on a remote address is drawn without anything
// fetching it: neither the copy the host hands the renderer nor LibreOffice
// itself reaches the address.
#include <atomic>
#include <fstream>
#include <regex>
#include <thread>

#include <gtest/gtest.h>
#include <httplib.h>
#include <vips/vips8>

#include "pptx/package/OutsideReferences.hpp"
#include "pptx/package/Package.hpp"
#include "pptx/package/PartGraph.hpp"
#include "render/SlideRenderer.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

// A server on 127.0.0.1 that counts the requests it gets.
class CountingServer {
public:
    CountingServer()
    {
        const auto count = [this](const httplib::Request&, httplib::Response& response) {
            ++requests_;
            response.set_content("not a picture", "image/png");
        };
        // LibreOffice asks with OPTIONS before it fetches.
        server_.Get(".*", count);
        server_.Options(".*", count);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~CountingServer()
    {
        server_.stop();
        thread_.join();
    }

    std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/logo.png"; }
    int Requests() const { return requests_; }

private:
    httplib::Server server_;
    std::atomic<int> requests_{0};
    int port_ = 0;
    std::thread thread_;
};

class LinkedContent : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (VIPS_INIT("velmora-tests") != 0) {
            GTEST_SKIP() << "libvips does not start";
        }
        // A picture added through the host, then turned into a link to the
        // server, as the presentation program writes a linked picture; a
        // hyperlink to the same address stays a hyperlink.
        vips::VImage::black(8, 8).write_to_file((dir_ / "logo.png").c_str());
        auto presentation = decks_.app().Presentations()->Add(true);
        auto slide = presentation->Slides()->Add(1, host::SlideLayout::Blank);
        slide->Shapes()->AddPicture(dir_ / "logo.png", 0, -1, 100, 100, 200, 200);
        presentation->SaveAs(deck_, host::SaveFormat::Presentation);
        presentation->Close();

        const std::string relsName = "ppt/slides/_rels/slide1.xml.rels";
        std::string rels = *ReadEntry(deck_, relsName);
        rels = std::regex_replace(rels, std::regex(R"(Target="[^"]*media/[^"]*")"),
                                  "Target=\"" + server_.Address() + "\" TargetMode=\"External\"");
        rels.insert(rels.rfind("</Relationships>"),
                    "<Relationship Id=\"rId90\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                    "relationships/hyperlink\" Target=\"" + server_.Address() + "\" TargetMode=\"External\"/>");
        WriteEntry(deck_, relsName, rels);
        const std::string slideName = "ppt/slides/slide1.xml";
        WriteEntry(deck_, slideName, std::regex_replace(*ReadEntry(deck_, slideName), std::regex("r:embed="), "r:link="));
    }

    CountingServer server_;
    TempDir dir_;
    std::filesystem::path deck_ = dir_ / "linked.pptx";
    DeckHost decks_;
};

TEST_F(LinkedContent, CopyForTheRendererKeepsHyperlinksAndDropsFetchedLinks)
{
    auto package = pptx::package::Package::Open(deck_);
    EXPECT_EQ(pptx::package::DropFetchedLinks(*package), 1);
    const auto& left = package->RelationshipsOf("/ppt/slides/slide1.xml").All();
    ASSERT_EQ(left.size(), 2u);  // the layout and the hyperlink
    for (const auto& relationship : left) {
        EXPECT_TRUE(!relationship.external || relationship.type.ends_with("/hyperlink")) << relationship.target;
    }
}

TEST_F(LinkedContent, ExportThroughTheHostFetchesNothing)
{
    auto presentation = decks_.Open(deck_);
    presentation->Slides()->Item(1)->Export(dir_ / "slide.png", "PNG", 720, 540);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "slide.png"));
    EXPECT_EQ(server_.Requests(), 0);
}

TEST_F(LinkedContent, LibreOfficeItselfFetchesNothingForTheRenderer)
{
    render::SlideRenderer renderer({.profileCache = dir_ / "cache"});
    renderer.ExportSlide(deck_, 1, 1, dir_ / "direct.png", render::PictureFormat::Png, {720, 540});
    EXPECT_TRUE(std::filesystem::exists(dir_ / "direct.png"));
    EXPECT_EQ(server_.Requests(), 0);
}

// Pixels of a picture file whose channels are near `red`, `green`, `blue`.
int PixelsNear(const std::filesystem::path& picture, int red, int green, int blue)
{
    const vips::VImage image = vips::VImage::new_from_file(picture.c_str()).colourspace(VIPS_INTERPRETATION_sRGB);
    const vips::VImage rgb = image.extract_band(0, vips::VImage::option()->set("n", 3));
    const auto near = [&rgb](int band, int value) { return (rgb[band] - value).abs() < 60; };
    const vips::VImage match = near(0, red) & near(1, green) & near(2, blue);
    return static_cast<int>(match.avg() / 255 * match.width() * match.height());
}

// An SVG picture that draws a local file and names others outside the
// package: the slide picture a user shares must not show what lies on the
// machine it was drawn on.
class OutsideFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (VIPS_INIT("velmora-tests") != 0) {
            GTEST_SKIP() << "libvips does not start";
        }
        const vips::VImage black = vips::VImage::black(64, 64, vips::VImage::option()->set("bands", 3));
        (black + std::vector<double>{255, 0, 0}).cast(VIPS_FORMAT_UCHAR).write_to_file((dir_ / "red.png").c_str());
        black.write_to_file((dir_ / "stand-in.png").c_str());
        auto presentation = decks_.app().Presentations()->Add(true);
        auto slide = presentation->Slides()->Add(1, host::SlideLayout::Blank);
        slide->Shapes()->AddPicture(dir_ / "stand-in.png", 0, -1, 0, 0, 720, 540);
        presentation->SaveAs(deck_, host::SaveFormat::Presentation);
        presentation->Close();

        const std::string red = "file://" + (dir_ / "red.png").string();
        const std::string svg =
            R"x(<?xml version="1.0"?><svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink")x"
            R"x( width="400" height="300" viewBox="0 0 400 300">)x"
            R"x(<defs><pattern id="p" width="10" height="10" patternUnits="userSpaceOnUse">)x"
            R"x(<rect width="10" height="10" fill="#00c000"/></pattern></defs>)x"
            R"x(<rect x="0" y="0" width="400" height="100" fill="url(#p)"/>)x"
            R"x(<image x="0" y="100" width="200" height="200" preserveAspectRatio="none" xlink:href=")x" + red + R"x("/>)x"
            R"x(<image x="200" y="100" width="200" height="200" preserveAspectRatio="none" href=")x" + red + R"x("/>)x"
            R"x(<rect x="0" y="100" width="400" height="200" style="fill:url()x" + red + R"x()"/>)x"
            R"x(<image width="1" height="1" href="../../../red.png"/><use xlink:href="http://127.0.0.1:9/a.svg#a"/>)x"
            R"x(<image width="1" height="1" href="data:image/svg+xml;base64,PHN2Zy8+"/>)x"
            R"x(<image width="1" height="1" href="data:image/png;base64,iVBORw0KGgo="/></svg>)x";
        const std::string slideName = "ppt/slides/slide1.xml";
        const std::string id = AddRelatedPart(deck_, slideName,
                                              "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image",
                                              "ppt/media/drawing.svg", "image/svg+xml", svg);
        WriteEntry(deck_, slideName,
                   std::regex_replace(*ReadEntry(deck_, slideName), std::regex(R"(r:embed="[^"]*")"),
                                      "r:embed=\"" + id + "\""));
        untouched_ = ReadEntry(deck_, "ppt/media/drawing.svg").value();
    }

    TempDir dir_;
    std::filesystem::path deck_ = dir_ / "outside.pptx";
    DeckHost decks_;
    std::string untouched_;
};

TEST_F(OutsideFiles, ThePictureShowsTheSvgButNoFileOutsideThePackage)
{
    auto presentation = decks_.Open(deck_);
    presentation->Slides()->Item(1)->Export(dir_ / "slide.png", "PNG", 400, 300);
    presentation->Close();
    EXPECT_GT(PixelsNear(dir_ / "slide.png", 0, 192, 0), 400 * 50) << "the picture's own drawing shows";
    EXPECT_EQ(PixelsNear(dir_ / "slide.png", 255, 0, 0), 0) << "the local file shows";
    EXPECT_EQ(ReadEntry(deck_, "ppt/media/drawing.svg").value(), untouched_) << "the user's deck keeps its picture";
}

TEST_F(OutsideFiles, CopyForTheRendererKeepsOnlyReferencesInsideThePicture)
{
    auto package = pptx::package::Package::Open(deck_);
    EXPECT_EQ(pptx::package::DropOutsideReferences(*package), 1);
    const std::string svg = package->Read("/ppt/media/drawing.svg");
    for (const std::string outside : {"file:", "../", "http://127", "image/svg+xml"}) {
        EXPECT_EQ(svg.find(outside), std::string::npos) << outside << " in " << svg;
    }
    EXPECT_NE(svg.find("url(#p)"), std::string::npos) << svg;
    EXPECT_NE(svg.find("data:image/png"), std::string::npos) << "a picture inside the picture stays: " << svg;
    EXPECT_EQ(pptx::package::DropOutsideReferences(*package), 0) << "nothing left to drop";
}

// The renderer tells an SVG picture by its bytes, whatever the package declares.
TEST_F(OutsideFiles, SvgPicturesUnderAnotherTypeOrPackedAreFoundToo)
{
    std::string png;
    for (const std::string& entry : RelatedEntries(deck_, "ppt/slides/slide1.xml")) {
        png = entry.ends_with(".png") ? "/" + entry : png;
    }
    ASSERT_FALSE(png.empty());
    auto package = pptx::package::Package::Open(deck_);
    const std::string picture = package->Read(png);
    EXPECT_EQ(pptx::package::DropOutsideReferences(*package), 1) << "a real PNG is left alone";
    EXPECT_EQ(package->Read(png), picture);

    package->Write(png, "\xEF\xBB\xBF\n  " + untouched_);
    EXPECT_EQ(pptx::package::DropOutsideReferences(*package), 1);
    EXPECT_EQ(package->Read(png).find("file:"), std::string::npos) << package->Read(png);
    package->Write(png, std::string("\x1F\x8B\x08\0packed", 10));
    EXPECT_EQ(pptx::package::DropOutsideReferences(*package), 1);
    EXPECT_EQ(package->Read(png).find("packed"), std::string::npos) << "emptied, as it cannot be read";
}

// `content` packed or unpacked by gzip itself, through a file of `folder`.
std::string ThroughGzip(const std::filesystem::path& folder, const std::string& content, bool pack)
{
    const auto file = folder / "through-gzip";
    std::ofstream(file, std::ios::binary) << content;
    const ProcessResult run = RunProcess({"gzip", pack ? "-cn" : "-dc", file.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

// What a picture's bytes hold decides, not its declared type: SVG in an XML
// part, or packed under a metafile's type, is cleared (and stays packed);
// a packed metafile and the package's own XML stay as they are.
TEST_F(OutsideFiles, PicturesAreJudgedByWhatTheirBytesHoldUnpacked)
{
    const std::string slide = "ppt/slides/slide1.xml";
    const std::string image = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
    const std::string emf = std::string("\x01\0\0\0\x6C\0\0\0", 8) + std::string(200, 'm');
    const std::string metafile = ThroughGzip(dir_.path(), emf, true);
    AddRelatedPart(deck_, slide, image, "ppt/media/x.xml", "application/xml", untouched_);
    AddRelatedPart(deck_, slide, image, "ppt/media/y.emz", "image/x-emz", ThroughGzip(dir_.path(), untouched_, true));
    AddRelatedPart(deck_, slide, image, "ppt/media/z.emz", "image/x-emz", metafile);
    AddRelatedPart(deck_, slide, "http://schemas.openxmlformats.org/officeDocument/2006/relationships/customXml",
                   "customXml/item9.xml", "application/xml", R"(<?xml version="1.0"?><b:Sources xmlns:b="urn:b"/>)");

    auto package = pptx::package::Package::Open(deck_);
    const std::string custom = package->Read("/customXml/item9.xml");
    EXPECT_EQ(pptx::package::DropOutsideReferences(*package), 3) << "drawing.svg, x.xml and y.emz";
    EXPECT_EQ(package->Read("/ppt/media/x.xml").find("file:"), std::string::npos);
    const std::string packed = package->Read("/ppt/media/y.emz");
    EXPECT_TRUE(packed.starts_with("\x1F\x8B"));
    const std::string unpacked = ThroughGzip(dir_.path(), packed, false);
    EXPECT_NE(unpacked.find("url(#p)"), std::string::npos) << unpacked;
    EXPECT_EQ(unpacked.find("file:"), std::string::npos) << unpacked;
    EXPECT_EQ(package->Read("/ppt/media/z.emz"), metafile);
    EXPECT_EQ(package->Read("/customXml/item9.xml"), custom);
}

}  // namespace
}  // namespace velmora::testing
