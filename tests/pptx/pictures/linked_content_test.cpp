// A deck that links a picture on a remote address is drawn without anything
// fetching it: neither the copy the host hands the renderer nor LibreOffice
// itself reaches the address.
#include <atomic>
#include <regex>
#include <thread>

#include <gtest/gtest.h>
#include <httplib.h>
#include <vips/vips8>

#include "pptx/package/Package.hpp"
#include "pptx/package/PartGraph.hpp"
#include "render/SlideRenderer.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/PackageEdit.hpp"
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

}  // namespace
}  // namespace velmora::testing
