// Parts as other writers may store them: in UTF-16, with or without a
// byte-order mark.
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "host/Host.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

// `entry` of `zip` rewritten in UTF-16, with a declaration that says so.
std::string ToUtf16(const std::filesystem::path& zip, const std::string& entry, pugi::xml_encoding encoding,
                    bool byteOrderMark)
{
    pugi::xml_document document;
    const std::string utf8 = ReadEntry(zip, entry).value();
    EXPECT_TRUE(document.load_buffer(utf8.data(), utf8.size(), pugi::parse_default | pugi::parse_declaration));
    document.first_child().attribute("encoding").set_value("UTF-16");
    std::ostringstream out;
    document.save(out, "", pugi::format_raw | (byteOrderMark ? pugi::format_write_bom : 0u), encoding);
    WriteEntry(zip, entry, out.str());
    return out.str();
}

// Other writers may store parts in UTF-16, with or without a byte-order mark.
// A changed part once kept its UTF-16 declaration over UTF-8 text, and no
// XML reader could open the saved deck.
TEST(Utf16PartTest, ReadAndWrittenBackAsUtf8ThatSaysSoWhileUnchangedPartsKeepTheirBytes)
{
    TempDir dir;
    const auto deck = SaveTitledDeck(dir / "utf16.pptx", 2);
    ToUtf16(deck, "ppt/slides/slide1.xml", pugi::encoding_utf16_le, true);
    const std::string second = ToUtf16(deck, "ppt/slides/slide2.xml", pugi::encoding_utf16_be, false);

    auto host = NewHost();
    auto presentation = host->Presentations()->Open(deck, false, false, false);
    EXPECT_EQ(TitleText(*presentation->Slides()->Item(2)), "Slide 2");
    presentation->Slides()->Item(1)->Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->SetText("第一");
    presentation->Save();
    presentation->Close();

    const std::string first = ReadEntry(deck, "ppt/slides/slide1.xml").value();
    EXPECT_TRUE(first.starts_with(R"(<?xml version="1.0" encoding="UTF-8")")) << first.substr(0, 60);
    EXPECT_NE(first.find("第一"), std::string::npos) << "written as UTF-8";
    EXPECT_EQ(ReadEntry(deck, "ppt/slides/slide2.xml").value(), second);

    presentation = host->Presentations()->Open(deck, false, false, false);
    EXPECT_EQ(TitleText(*presentation->Slides()->Item(1)), "第一");
    EXPECT_EQ(TitleText(*presentation->Slides()->Item(2)), "Slide 2");
    presentation->Close();
}

}  // namespace
}  // namespace velmora::testing
