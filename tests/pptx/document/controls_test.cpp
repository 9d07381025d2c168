// Flash player controls through the document host, checked in the saved
// package part by part.
#include <algorithm>

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "host/Host.hpp"
#include "pptx/parts/CompoundFile.hpp"
#include "pptx/parts/FlashPlayer.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/pptx/document/ZipFiles.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/SwfFile.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

constexpr const char* kPlayer = "ShockwaveFlash.ShockwaveFlash.10";

struct Xml {
    explicit Xml(const std::string& text) { EXPECT_TRUE(document.load_string(text.c_str())) << text; }
    pugi::xml_node Node(const std::string& path) const { return document.select_node(path.c_str()).node(); }
    std::string Value(const std::string& path) const { return document.select_node(path.c_str()).attribute().value(); }
    pugi::xml_document document;
};

// The target of a relationship in a .rels part, by id.
std::string Target(const std::filesystem::path& deck, const std::string& rels, const std::string& id)
{
    const Xml xml(ZipEntry(deck, rels));
    return xml.Value("//Relationship[@Id='" + id + "']/@Target");
}

std::string TypeOf(const std::filesystem::path& deck, const std::string& rels, const std::string& id)
{
    const Xml xml(ZipEntry(deck, rels));
    return xml.Value("//Relationship[@Id='" + id + "']/@Type");
}

std::string Override(const std::filesystem::path& deck, const std::string& part)
{
    const Xml xml(ZipEntry(deck, "[Content_Types].xml"));
    return xml.Value("//Override[@PartName='" + part + "']/@ContentType");
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        presentation_ = host_->Presentations()->Add(true);
        presentation_->Slides()->Add(1, host::SlideLayout::Title);
        presentation_->SaveAs(deck_, host::SaveFormat::Presentation);
        WriteSwf(dir_ / "media" / "intro.swf", 40);
    }

    host::Ref<host::Shape> AddPlayer(float left = 180, float top = 135, float width = 360, float height = 270)
    {
        return presentation_->Slides()->Item(1)->Shapes()->AddOLEObject(left, top, width, height, kPlayer, "");
    }

    TempDir dir_;
    std::filesystem::path deck_ = dir_ / "deck.pptx";
    std::shared_ptr<host::Application> host_ = NewHost();
    host::Ref<host::Presentation> presentation_;
};

TEST_F(ControlsTest, APlayerIsAControlShapeWithTheMoviesProperties)
{
    const auto player = AddPlayer();
    EXPECT_EQ(player->Type(), host::ShapeType::OLEControlObject);
    EXPECT_EQ(player->Name(), "ShockwaveFlash1");
    EXPECT_FLOAT_EQ(player->Left(), 180);
    EXPECT_FLOAT_EQ(player->Top(), 135);
    EXPECT_FLOAT_EQ(player->Width(), 360);
    EXPECT_FLOAT_EQ(player->Height(), 270);
    const auto object = player->OLEFormat();
    EXPECT_EQ(object->ProgID(), kPlayer);
    object->SetProperty("Movie", "media/intro.swf");
    object->SetProperty("EmbedMovie", "true");
    EXPECT_EQ(object->Property("Movie"), "media/intro.swf");
    EXPECT_EQ(object->Property("EmbedMovie"), "true");
    EXPECT_FALSE(presentation_->Saved());
}

TEST_F(ControlsTest, TheSavedSlideListsTheControlWithItsPartsAsTheProgramWritesThem)
{
    const auto player = AddPlayer();
    player->OLEFormat()->SetProperty("Movie", "media/intro.swf");
    player->OLEFormat()->SetProperty("EmbedMovie", "true");
    presentation_->Save();

    const Xml slide(ZipEntry(deck_, "ppt/slides/slide1.xml"));
    const std::string choice = "/p:sld/p:cSld/p:controls/mc:AlternateContent/mc:Choice";
    const std::string fallback = "/p:sld/p:cSld/p:controls/mc:AlternateContent/mc:Fallback/p:control";
    EXPECT_EQ(slide.Value(choice + "/@Requires"), "v");
    const std::string controlId = slide.Value(choice + "/p:control/@r:id");
    const std::string spid = slide.Value(choice + "/p:control/@spid");
    EXPECT_EQ(slide.Value(choice + "/p:control/@name"), "ShockwaveFlash1");
    EXPECT_EQ(slide.Value(choice + "/p:control/@imgW"), "4572000");
    EXPECT_EQ(slide.Value(choice + "/p:control/@imgH"), "3429000");
    EXPECT_EQ(slide.Value(fallback + "/@r:id"), controlId);
    EXPECT_EQ(slide.Value(fallback + "/p:pic/p:spPr/a:xfrm/a:off/@x"), "2286000");
    EXPECT_EQ(slide.Value(fallback + "/p:pic/p:spPr/a:xfrm/a:off/@y"), "1714500");
    const std::string pictureId = slide.Value(fallback + "/p:pic/p:blipFill/a:blip/@r:embed");

    const std::string slideRels = "ppt/slides/_rels/slide1.xml.rels";
    EXPECT_EQ(Target(deck_, slideRels, controlId), "../activeX/activeX1.xml");
    EXPECT_EQ(TypeOf(deck_, slideRels, controlId),
              "http://schemas.openxmlformats.org/officeDocument/2006/relationships/control");
    EXPECT_EQ(TypeOf(deck_, slideRels, pictureId),
              "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image");
    const Xml rels(ZipEntry(deck_, slideRels));
    EXPECT_EQ(rels.Value("//Relationship[contains(@Type, '/vmlDrawing')]/@Target"), "../drawings/vmlDrawing1.vml");

    const Xml control(ZipEntry(deck_, "ppt/activeX/activeX1.xml"));
    EXPECT_EQ(control.Value("/ax:ocx/@ax:classid"), "{D27CDB6E-AE6D-11CF-96B8-444553540000}");
    EXPECT_EQ(control.Value("/ax:ocx/@ax:persistence"), "persistStorage");
    EXPECT_EQ(control.Value("/ax:ocx/ax:ocxPr[@ax:name='Movie']/@ax:value"), "media/intro.swf");
    EXPECT_EQ(control.Value("/ax:ocx/ax:ocxPr[@ax:name='EmbedMovie']/@ax:value"), "true");
    const std::string dataId = control.Value("/ax:ocx/@r:id");
    EXPECT_EQ(Target(deck_, "ppt/activeX/_rels/activeX1.xml.rels", dataId), "activeX1.bin");
    EXPECT_EQ(TypeOf(deck_, "ppt/activeX/_rels/activeX1.xml.rels", dataId),
              "http://schemas.microsoft.com/office/2006/relationships/activeXControlBinary");

    EXPECT_EQ(Override(deck_, "/ppt/activeX/activeX1.xml"), "application/vnd.ms-office.activeX+xml");
    EXPECT_EQ(Override(deck_, "/ppt/activeX/activeX1.bin"), "application/vnd.ms-office.activeX");
    EXPECT_EQ(Override(deck_, "/ppt/drawings/vmlDrawing1.vml"),
              "application/vnd.openxmlformats-officedocument.vmlDrawing");

    const Xml drawing(ZipEntry(deck_, "ppt/drawings/vmlDrawing1.vml"));
    const std::string shape = "/xml/v:shape[@id='" + spid + "']";
    EXPECT_EQ(drawing.Value(shape + "/@type"), "#_x0000_t201");
    EXPECT_EQ(drawing.Value(shape + "/@style"), "position:absolute;left:180pt;top:135pt;width:360pt;height:270pt");
    EXPECT_EQ(Target(deck_, "ppt/drawings/_rels/vmlDrawing1.vml.rels", drawing.Value(shape + "/v:imagedata/@o:relid")),
              Target(deck_, slideRels, pictureId));

    const std::string storage = ZipEntry(deck_, "ppt/activeX/activeX1.bin");
    EXPECT_EQ(pptx::parts::CompoundClassId(storage), pptx::parts::ParseClassId(pptx::parts::flash::kClassId));
    const auto contents = pptx::parts::ReadCompoundStream(storage, "Contents");
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(contents->substr(0, 4), "fUfU");
    EXPECT_EQ(contents->substr(8), MinimalSwf(40));
    EXPECT_EQ(PackageFaults(deck_), std::vector<std::string>());
}

// A linked movie's path is where the program's loader reads it: in the
// property bag, with no storage beside it. Embedding moves the player to a
// storage holding the movie, and back.
TEST_F(ControlsTest, ALinkedPlayerPersistsToItsPropertyBagAndAnEmbeddedOneToAStorage)
{
    const auto object = AddPlayer()->OLEFormat();
    object->SetProperty("Movie", (dir_ / "media" / "intro.swf").string());
    presentation_->Save();
    const Xml linked(ZipEntry(deck_, "ppt/activeX/activeX1.xml"));
    EXPECT_EQ(linked.Value("/ax:ocx/@ax:persistence"), "persistPropertyBag");
    EXPECT_EQ(linked.Value("/ax:ocx/ax:ocxPr[@ax:name='Movie']/@ax:value"), (dir_ / "media" / "intro.swf").string());
    EXPECT_EQ(linked.Value("/ax:ocx/@r:id"), "");
    const auto names = ZipNames(deck_);
    EXPECT_EQ(std::count(names.begin(), names.end(), "ppt/activeX/activeX1.bin"), 0);
    EXPECT_EQ(PackageFaults(deck_), std::vector<std::string>());

    object->SetProperty("EmbedMovie", "true");
    presentation_->Save();
    const Xml embedded(ZipEntry(deck_, "ppt/activeX/activeX1.xml"));
    EXPECT_EQ(embedded.Value("/ax:ocx/@ax:persistence"), "persistStorage");
    EXPECT_EQ(Target(deck_, "ppt/activeX/_rels/activeX1.xml.rels", embedded.Value("/ax:ocx/@r:id")), "activeX1.bin");
    EXPECT_EQ(PackageFaults(deck_), std::vector<std::string>());

    object->SetProperty("EmbedMovie", "false");
    presentation_->Save();
    const Xml linkedAgain(ZipEntry(deck_, "ppt/activeX/activeX1.xml"));
    EXPECT_EQ(linkedAgain.Value("/ax:ocx/@ax:persistence"), "persistPropertyBag");
    EXPECT_EQ(linkedAgain.Value("/ax:ocx/@r:id"), "");
    EXPECT_FALSE(ReadEntry(deck_, "ppt/activeX/activeX1.bin").has_value());
    EXPECT_EQ(PackageFaults(deck_), std::vector<std::string>());
}

TEST_F(ControlsTest, AReopenedDeckShowsItsControlsAndTakesMore)
{
    AddPlayer()->OLEFormat()->SetProperty("Movie", (dir_ / "media" / "intro.swf").string());
    presentation_->Save();
    presentation_->Close();
    presentation_ = host_->Presentations()->Open(deck_);
    auto shapes = presentation_->Slides()->Item(1)->Shapes();
    const int before = shapes->Count();
    const auto first = shapes->Item(before);
    ASSERT_EQ(first->Type(), host::ShapeType::OLEControlObject);
    EXPECT_EQ(first->OLEFormat()->Property("Movie"), (dir_ / "media" / "intro.swf").string());

    const auto second = AddPlayer(10, 20, 30, 40);
    EXPECT_EQ(second->Name(), "ShockwaveFlash2");
    EXPECT_NE(second->Id(), first->Id());
    EXPECT_EQ(shapes->Count(), before + 1);
    second->OLEFormat()->SetProperty("Movie", "media/intro.swf");
    second->OLEFormat()->SetProperty("EmbedMovie", "true");
    second->OLEFormat()->SetProperty("EmbedMovie", "false");
    presentation_->Save();

    const auto names = ZipNames(deck_);
    EXPECT_EQ(std::count(names.begin(), names.end(), "ppt/drawings/vmlDrawing1.vml"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "ppt/drawings/vmlDrawing2.vml"), 0);
    const Xml drawing(ZipEntry(deck_, "ppt/drawings/vmlDrawing1.vml"));
    EXPECT_EQ(drawing.document.select_nodes("/xml/v:shape").size(), 2u);
    // No longer embedded: no storage at all.
    EXPECT_EQ(std::count(names.begin(), names.end(), "ppt/activeX/activeX2.bin"), 0);
    EXPECT_EQ(PackageFaults(deck_), std::vector<std::string>());
}

TEST_F(ControlsTest, AMovedControlKeepsItsLegacyShapeAndImageSizeInStep)
{
    const auto player = AddPlayer();
    player->SetLeft(10);
    player->SetTop(20.5F);
    player->SetWidth(100);
    player->SetHeight(50);
    presentation_->Save();
    const Xml slide(ZipEntry(deck_, "ppt/slides/slide1.xml"));
    EXPECT_EQ(slide.Value("//mc:Choice/p:control/@imgW"), "1270000");
    EXPECT_EQ(slide.Value("//mc:Fallback/p:control/@imgH"), "635000");
    const Xml drawing(ZipEntry(deck_, "ppt/drawings/vmlDrawing1.vml"));
    EXPECT_EQ(drawing.Value("/xml/v:shape/@style"), "position:absolute;left:10pt;top:20.5pt;width:100pt;height:50pt");
}

TEST_F(ControlsTest, WhatTheHostCannotMakeIsRefusedAndLeavesTheSlideAsItWas)
{
    auto shapes = presentation_->Slides()->Item(1)->Shapes();
    const int before = shapes->Count();
    EXPECT_THROW(shapes->AddOLEObject(0, 0, 10, 10, "Excel.Sheet.12", ""), host::HostError);
    EXPECT_THROW(shapes->AddOLEObject(0, 0, 10, 10, kPlayer, (dir_ / "media" / "intro.swf").string()), host::HostError);
    EXPECT_THROW(shapes->AddOLEObject(0, 0, 10, 10, kPlayer, "", host::TriState::True), host::HostError);
    EXPECT_THROW(shapes->AddOLEObject(0, 0, -1, 10, kPlayer, ""), host::HostError);
    EXPECT_THROW(presentation_->Slides()->Item(1)->NotesPage()->Shapes()->AddOLEObject(0, 0, 10, 10, kPlayer, ""),
                 host::HostError);
    EXPECT_EQ(shapes->Count(), before);

    const auto object = AddPlayer()->OLEFormat();
    object->SetProperty("Movie", "media/missing.swf");
    EXPECT_THROW(object->SetProperty("EmbedMovie", "true"), host::HostError);
    WriteFile(dir_ / "media" / "fake.swf", "GIF89a not a movie");
    object->SetProperty("Movie", "media/fake.swf");
    EXPECT_THROW(object->SetProperty("EmbedMovie", "-1"), host::HostError);
    EXPECT_EQ(object->Property("EmbedMovie"), "");
}

TEST_F(ControlsTest, ControlPartsOfAnotherWriterAreLeftAlone)
{
    presentation_->Close();
    WriteEntry(deck_, "ppt/activeX/activeX1.bin", "someone else's data");
    presentation_ = host_->Presentations()->Open(deck_);
    const auto object = AddPlayer()->OLEFormat();
    object->SetProperty("Movie", "media/intro.swf");
    object->SetProperty("EmbedMovie", "true");
    presentation_->Save();
    EXPECT_EQ(ZipEntry(deck_, "ppt/activeX/activeX1.bin"), "someone else's data");
    EXPECT_EQ(Override(deck_, "/ppt/activeX/activeX2.xml"), "application/vnd.ms-office.activeX+xml");
    const Xml control(ZipEntry(deck_, "ppt/activeX/activeX2.xml"));
    EXPECT_EQ(Target(deck_, "ppt/activeX/_rels/activeX2.xml.rels", control.Value("/ax:ocx/@r:id")), "activeX2.bin");
}

constexpr const char* kForeignDrawing =
    R"(<xml xmlns:v="urn:schemas-microsoft-com:vml">)"
    "\n <v:shape id=\"_x0000_s1025\" style=\"position:absolute;margin-left:0;z-index:3\"/>\n</xml>";

// A control another writer left on slide 1: its parts named by absolute
// targets, its XML spread over lines.
void PutForeignControl(const std::filesystem::path& deck, const std::string& drawing = kForeignDrawing)
{
    const std::string controls = R"(
  <p:controls>
    <mc:AlternateContent xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006">
      <mc:Choice xmlns:v="urn:schemas-microsoft-com:vml" Requires="v">
        <p:control spid="_x0000_s1025" name="ShockwaveFlash1" r:id="rId90" imgW="1270000" imgH="1270000"/>
      </mc:Choice>
      <mc:Fallback>
        <p:control name="ShockwaveFlash1" r:id="rId90" imgW="1270000" imgH="1270000">
          <p:pic>
            <p:nvPicPr><p:cNvPr id="40" name="ShockwaveFlash1"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>
            <p:blipFill><a:blip r:embed="rId91"/></p:blipFill>
            <p:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="1270000" cy="1270000"/></a:xfrm></p:spPr>
          </p:pic>
        </p:control>
      </mc:Fallback>
    </mc:AlternateContent>
  </p:controls>
)";
    std::string slide = *ReadEntry(deck, "ppt/slides/slide1.xml");
    slide.insert(slide.find("</p:cSld>"), controls);
    WriteEntry(deck, "ppt/slides/slide1.xml", slide);
    std::string rels = *ReadEntry(deck, "ppt/slides/_rels/slide1.xml.rels");
    const std::string base = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    rels.insert(rels.find("</Relationships>"),
                "<Relationship Id=\"rId90\" Type=\"" + base + "control\" Target=\"/ppt/activeX/activeX1.xml\"/>"
                "<Relationship Id=\"rId91\" Type=\"" + base + "image\" Target=\"/ppt/media/old.png\"/>"
                "<Relationship Id=\"rId92\" Type=\"" + base + "vmlDrawing\" Target=\"/ppt/drawings/vmlDrawing1.vml\"/>");
    WriteEntry(deck, "ppt/slides/_rels/slide1.xml.rels", rels);
    WriteEntry(deck, "ppt/activeX/activeX1.xml",
               R"(<ax:ocx xmlns:ax="http://schemas.microsoft.com/office/2006/activeX" )"
               R"(ax:classid="{D27CDB6E-AE6D-11CF-96B8-444553540000}" ax:persistence="persistPropertyBag">)"
               "\n  <ax:ocxPr ax:name=\"Movie\" ax:value=\"old.swf\"/>\n</ax:ocx>");
    WriteEntry(deck, "ppt/drawings/vmlDrawing1.vml", drawing);
    WriteEntry(deck, "ppt/media/old.png", "not looked at");
    std::string types = *ReadEntry(deck, "[Content_Types].xml");
    types.insert(types.find("</Types>"),
                 R"(<Override PartName="/ppt/activeX/activeX1.xml" ContentType="application/vnd.ms-office.activeX+xml"/>)"
                 R"(<Default Extension="vml" ContentType="application/vnd.openxmlformats-officedocument.vmlDrawing"/>)");
    WriteEntry(deck, "[Content_Types].xml", types);
}

TEST_F(ControlsTest, AControlOfAnotherWriterIsReadAndTheNewOneFitsBesideIt)
{
    presentation_->Close();
    PutForeignControl(deck_);
    presentation_ = host_->Presentations()->Open(deck_);
    auto shapes = presentation_->Slides()->Item(1)->Shapes();
    const auto foreign = shapes->Item("ShockwaveFlash1");
    EXPECT_EQ(foreign->Type(), host::ShapeType::OLEControlObject);
    EXPECT_EQ(foreign->OLEFormat()->ProgID(), kPlayer);
    EXPECT_EQ(foreign->OLEFormat()->Property("Movie"), "old.swf");
    EXPECT_FLOAT_EQ(foreign->Width(), 100);

    foreign->SetTop(30);
    const auto ours = AddPlayer();
    EXPECT_EQ(ours->Name(), "ShockwaveFlash2");
    EXPECT_EQ(ours->Id(), 41);
    presentation_->Save();

    const Xml slide(ZipEntry(deck_, "ppt/slides/slide1.xml"));
    EXPECT_EQ(slide.document.select_nodes("//p:controls/mc:AlternateContent").size(), 2u);
    EXPECT_EQ(slide.Value("//mc:Choice/p:control[@name='ShockwaveFlash2']/@spid"), "_x0000_s1026");
    const Xml drawing(ZipEntry(deck_, "ppt/drawings/vmlDrawing1.vml"));
    EXPECT_EQ(drawing.Value("/xml/v:shape[@id='_x0000_s1025']/@style"),
              "position:absolute;left:0pt;top:30pt;width:100pt;height:100pt;z-index:3");
    EXPECT_TRUE(drawing.Node("/xml/v:shape[@id='_x0000_s1026']/v:imagedata"));
    EXPECT_STREQ(drawing.document.document_element().attribute("xmlns:o").value(),
                 "urn:schemas-microsoft-com:office:office");
    EXPECT_TRUE(drawing.Node("/xml/v:shapetype[@id='_x0000_t201']/following-sibling::v:shape"));
    EXPECT_EQ(ZipEntry(deck_, "ppt/activeX/activeX1.xml").find("old.swf") != std::string::npos, true);
    EXPECT_EQ(Override(deck_, "/ppt/activeX/activeX2.xml"), "application/vnd.ms-office.activeX+xml");
}

// A player the program saved with its movie embedded keeps no properties in
// its bag: its storage says that it embeds, and a new movie is embedded in turn.
TEST_F(ControlsTest, AnotherWritersEmbeddingPlayerKeepsEmbeddingWhenItsMovieChanges)
{
    presentation_->Close();
    PutForeignControl(deck_);
    const std::string dataId = AddRelatedPart(
        deck_, "ppt/activeX/activeX1.xml", "http://schemas.microsoft.com/office/2006/relationships/activeXControlBinary",
        "ppt/activeX/activeX1.bin", "application/vnd.ms-office.activeX", pptx::parts::flash::Storage(MinimalSwf(25)));
    WriteEntry(deck_, "ppt/activeX/activeX1.xml",
               R"(<ax:ocx xmlns:ax="http://schemas.microsoft.com/office/2006/activeX" )"
               R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
               R"(ax:classid="{D27CDB6E-AE6D-11CF-96B8-444553540000}" ax:persistence="persistStorage" r:id=")" +
                   dataId + R"("/>)");
    presentation_ = host_->Presentations()->Open(deck_);
    presentation_->Slides()->Item(1)->Shapes()->Item("ShockwaveFlash1")->OLEFormat()->SetProperty(
        "Movie", (dir_ / "media" / "intro.swf").string());
    presentation_->Save();

    const Xml control(ZipEntry(deck_, "ppt/activeX/activeX1.xml"));
    EXPECT_EQ(control.Value("/ax:ocx/@ax:persistence"), "persistStorage");
    EXPECT_EQ(pptx::parts::flash::EmbeddedMovie(ZipEntry(deck_, "ppt/activeX/activeX1.bin")), MinimalSwf(40));
}

// The program's own drawing for a control: conditional blocks around the
// picture, attributes in single quotes spread over lines.
const std::string kProgramBlock = "<![if gte mso 9]><v:imagedata o:relid=\"rId1\" o:title=\"\"/>\r\n  <![endif]>";
const std::string kProgramDrawing =
    "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\"\r\n xmlns:o=\"urn:schemas-microsoft-com:office:office\"\r\n"
    " xmlns:x=\"urn:schemas-microsoft-com:office:excel\"\r\n"
    " xmlns:p=\"urn:schemas-microsoft-com:office:powerpoint\">\r\n"
    " <o:shapelayout v:ext=\"edit\">\r\n  <o:idmap v:ext=\"edit\" data=\"1\"/>\r\n </o:shapelayout>"
    "<v:shapetype id=\"_x0000_t201\" coordsize=\"21600,21600\" o:spt=\"201\"\r\n"
    "  path=\"m,l,21600r21600,l21600,xe\">\r\n  <v:stroke joinstyle=\"miter\"/>\r\n"
    "  <v:path shadowok=\"f\" o:extrusionok=\"f\" strokeok=\"f\" fillok=\"f\"\r\n   o:connecttype=\"rect\"/>\r\n"
    "  <o:lock v:ext=\"edit\" shapetype=\"t\"/>\r\n </v:shapetype>"
    "<v:shape id=\"_x0000_s1025\" type=\"#_x0000_t201\" style='position:absolute;\r\n"
    "  left:0;text-align:left;margin-left:0;margin-top:0;width:100pt;\r\n"
    "  height:100pt;z-index:1;visibility:visible' filled=\"f\" stroked=\"f\">\r\n  " +
    kProgramBlock + "</v:shape></xml>";

TEST_F(ControlsTest, TheProgramsOwnDrawingKeepsItsConditionalBlocksAndTakesTheNewShape)
{
    presentation_->Close();
    PutForeignControl(deck_, kProgramDrawing);
    presentation_ = host_->Presentations()->Open(deck_);
    auto shapes = presentation_->Slides()->Item(1)->Shapes();
    shapes->Item("ShockwaveFlash1")->SetTop(30);
    AddPlayer();
    presentation_->Save();

    std::string drawing = ZipEntry(deck_, "ppt/drawings/vmlDrawing1.vml");
    EXPECT_NE(drawing.find(kProgramBlock + "</v:shape>"), std::string::npos) << drawing;
    EXPECT_NE(drawing.find("top:30pt"), std::string::npos) << drawing;
    EXPECT_NE(drawing.find("<v:shape id=\"_x0000_s1026\""), std::string::npos) << drawing;
    EXPECT_EQ(drawing.find("velmora"), std::string::npos) << drawing;

    // Read again, and again taking a shape: the blocks stay as they were.
    presentation_->Close();
    presentation_ = host_->Presentations()->Open(deck_);
    AddPlayer(10, 10, 20, 20);
    presentation_->Save();
    drawing = ZipEntry(deck_, "ppt/drawings/vmlDrawing1.vml");
    EXPECT_NE(drawing.find(kProgramBlock), std::string::npos) << drawing;
    EXPECT_EQ(drawing.find(kProgramBlock), drawing.rfind(kProgramBlock));
    EXPECT_NE(drawing.find("<v:shape id=\"_x0000_s1027\""), std::string::npos) << drawing;
    EXPECT_EQ(presentation_->Slides()->Item(1)->Shapes()->Item("ShockwaveFlash3")->Type(),
              host::ShapeType::OLEControlObject);
}

TEST_F(ControlsTest, ADrawingThatLeavesABlockOpenIsRefusedAndTheDeckLeftAsItWas)
{
    presentation_->Close();
    PutForeignControl(deck_, "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\"><![if gte mso 9]><v:shape/></xml>");
    const std::string before = ReadFile(deck_);
    presentation_ = host_->Presentations()->Open(deck_);
    EXPECT_THROW(AddPlayer(), host::HostError);
    presentation_->Close();
    EXPECT_EQ(ReadFile(deck_), before);
}

// Each drawing of a deck claims a block of shape ids of its own, and its
// shapes are numbered inside it.
TEST_F(ControlsTest, EveryDrawingClaimsABlockNoOtherDrawingUses)
{
    presentation_->Slides()->Add(2, host::SlideLayout::Blank);
    presentation_->Slides()->Add(3, host::SlideLayout::Blank);
    presentation_->Save();
    presentation_->Close();
    // Slide 1: another writer's drawing claiming block 3, its shape named by o:spid.
    PutForeignControl(deck_, R"(<xml xmlns:v="urn:schemas-microsoft-com:vml" )"
                             R"(xmlns:o="urn:schemas-microsoft-com:office:office">)"
                             R"(<o:shapelayout v:ext="edit"><o:idmap v:ext="edit" data="3"/></o:shapelayout>)"
                             R"(<v:shape id="Control 1" o:spid="_x0000_s3073" style="position:absolute"/></xml>)");
    presentation_ = host_->Presentations()->Open(deck_);
    AddPlayer();
    presentation_->Slides()->Item(2)->Shapes()->AddOLEObject(0, 0, 50, 50, kPlayer, "");
    presentation_->Slides()->Item(3)->Shapes()->AddOLEObject(0, 0, 50, 50, kPlayer, "");
    presentation_->Save();

    EXPECT_NE(ZipEntry(deck_, "ppt/drawings/vmlDrawing1.vml").find("id=\"_x0000_s3074\""), std::string::npos);
    const Xml second(ZipEntry(deck_, "ppt/drawings/vmlDrawing2.vml"));
    EXPECT_EQ(second.Value("/xml/o:shapelayout/o:idmap/@data"), "1");
    EXPECT_EQ(second.Value("/xml/v:shape/@id"), "_x0000_s1025");
    const Xml third(ZipEntry(deck_, "ppt/drawings/vmlDrawing3.vml"));
    EXPECT_EQ(third.Value("/xml/o:shapelayout/o:idmap/@data"), "2");
    EXPECT_EQ(third.Value("/xml/v:shape/@id"), "_x0000_s2049");
    const Xml slide3(ZipEntry(deck_, "ppt/slides/slide3.xml"));
    EXPECT_EQ(slide3.Value("//mc:Choice/p:control/@spid"), "_x0000_s2049");
}

// A deck that types each relationship part by name gets its new ones typed
// the same way.
TEST_F(ControlsTest, NewRelationshipPartsAreTypedAsTheDeckTypesItsOwn)
{
    presentation_->Close();
    std::string types = ZipEntry(deck_, "[Content_Types].xml");
    const auto start = types.find("<Default Extension=\"rels\"");
    ASSERT_NE(start, std::string::npos) << types;
    types.erase(start, types.find("/>", start) + 2 - start);
    std::string overrides;
    for (const std::string& name : ZipNames(deck_)) {
        if (name.ends_with(".rels")) {
            overrides += "<Override PartName=\"/" + name +
                         "\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>";
        }
    }
    types.insert(types.find("</Types>"), overrides);
    WriteEntry(deck_, "[Content_Types].xml", types);
    ASSERT_EQ(PackageFaults(deck_), std::vector<std::string>());

    presentation_ = host_->Presentations()->Open(deck_);
    const auto object = AddPlayer()->OLEFormat();
    object->SetProperty("Movie", "media/intro.swf");
    object->SetProperty("EmbedMovie", "true");
    presentation_->Save();
    EXPECT_EQ(PackageFaults(deck_), std::vector<std::string>());
    EXPECT_EQ(Override(deck_, "/ppt/drawings/_rels/vmlDrawing1.vml.rels"),
              "application/vnd.openxmlformats-package.relationships+xml");
    EXPECT_EQ(Override(deck_, "/ppt/activeX/_rels/activeX1.xml.rels"),
              "application/vnd.openxmlformats-package.relationships+xml");
    EXPECT_EQ(ZipEntry(deck_, "[Content_Types].xml").find("Extension=\"rels\""), std::string::npos);
}

}  // namespace
}  // namespace velmora::testing
