#include "tests/support/OutsideSvgDeck.hpp"

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/PackageEdit.hpp"
#include "tests/support/Process.hpp"

namespace velmora::testing {
namespace {

constexpr const char* kImageRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

std::string Svg(const std::filesystem::path& local)
{
    const std::string file = "file://" + local.string();
    return R"(<?xml version="1.0"?><svg xmlns="http://www.w3.org/2000/svg" )"
           R"(xmlns:xlink="http://www.w3.org/1999/xlink" width="400" height="300" viewBox="0 0 400 300">)"
           R"(<rect width="400" height="300" fill="#408040"/>)"
           R"(<image x="0" y="0" width="400" height="300" preserveAspectRatio="none" xlink:href=")" +
           file + R"("/><image x="0" y="0" width="200" height="300" preserveAspectRatio="none" href=")" + file +
           R"("/></svg>)";
}

void ShowOnSlide(const std::filesystem::path& deck, int slide, const std::string& part, const std::string& type,
                 const std::string& content)
{
    const std::string slidePart = "ppt/slides/slide" + std::to_string(slide) + ".xml";
    const std::string id = AddRelatedPart(deck, slidePart, kImageRelationship, part, type, content);
    WriteEntry(deck, slidePart,
               std::regex_replace(*ReadEntry(deck, slidePart), std::regex(R"(r:embed="[^"]*")"),
                                  "r:embed=\"" + id + "\""));
}

}  // namespace

void WriteOutsideSvgDeck(DeckHost& decks, const std::filesystem::path& deck, const std::filesystem::path& standIn,
                         const std::filesystem::path& local)
{
    auto presentation = decks.app().Presentations()->Add(true);
    for (int k = 1; k <= 2; ++k) {
        auto slide = presentation->Slides()->Add(k, host::SlideLayout::Blank);
        slide->Shapes()->AddPicture(standIn, 0, -1, 0, 0, 720, 540);
    }
    presentation->SaveAs(deck, host::SaveFormat::Presentation);
    presentation->Close();
    ShowOnSlide(deck, 1, "ppt/media/x.xml", "application/xml", Svg(local));
    const std::filesystem::path drawing = deck.parent_path() / "drawing.svg";
    std::ofstream(drawing) << Svg(local);
    ASSERT_EQ(RunProcess({"gzip", "-fkn", drawing.string()}).status, 0);
    std::ifstream packed(drawing.string() + ".gz", std::ios::binary);
    ShowOnSlide(deck, 2, "ppt/media/y.emz", "image/x-emz",
                {std::istreambuf_iterator<char>(packed), std::istreambuf_iterator<char>()});
}

}  // namespace velmora::testing
