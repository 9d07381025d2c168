#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "host/HostError.hpp"
#include "pptx/DocumentHost.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/TempDir.hpp"

// Decks as other programs write them: whitespace between elements, shapes
// sharing an id, shapes our host never writes itself.
namespace velmora::testing {
namespace {

constexpr const char* kSlide = "ppt/slides/slide1.xml";

std::string Frame(int id, const std::string& name, const std::string& data)
{
    return "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name +
           "\"/><p:cNvGraphicFramePr/><p:nvPr/></p:nvGraphicFramePr>"
           "<p:xfrm><a:off x=\"127000\" y=\"254000\"/><a:ext cx=\"1270000\" cy=\"635000\"/></p:xfrm>"
           "<a:graphic><a:graphicData uri=\"urn:test\">" + data + "</a:graphicData></a:graphic></p:graphicFrame>";
}

// Shapes the host cannot add: a chart, a diagram, an embedded object, a
// connector and a video, each placed 10 x 20 pt, 100 x 50 pt.
std::string ForeignShapes()
{
    return Frame(20, "Chart 9", "<c:chart xmlns:c=\"urn:c\" r:id=\"rId90\"/>") +
           Frame(21, "Diagram 10", "<dgm:relIds xmlns:dgm=\"urn:d\" r:dm=\"rId91\"/>") +
           Frame(22, "Object 11", "<p:oleObj progId=\"Package\" r:id=\"rId92\"><p:embed/></p:oleObj>") +
           "<p:cxnSp><p:nvCxnSpPr><p:cNvPr id=\"23\" name=\"Connector 12\"/><p:cNvCxnSpPr/><p:nvPr/></p:nvCxnSpPr>"
           "<p:spPr><a:xfrm><a:off x=\"127000\" y=\"254000\"/><a:ext cx=\"1270000\" cy=\"635000\"/></a:xfrm>"
           "<a:prstGeom prst=\"line\"/></p:spPr></p:cxnSp>"
           "<p:pic><p:nvPicPr><p:cNvPr id=\"24\" name=\"Video 13\"/><p:cNvPicPr/><p:nvPr>"
           "<a:videoFile r:link=\"rId93\"/></p:nvPr></p:nvPicPr><p:blipFill><a:blip r:embed=\"rId94\"/></p:blipFill>"
           "<p:spPr><a:xfrm><a:off x=\"127000\" y=\"254000\"/><a:ext cx=\"1270000\" cy=\"635000\"/></a:xfrm>"
           "<a:prstGeom prst=\"rect\"/></p:spPr></p:pic>";
}

// What the host reads of a shape, with group members after their group.
void Describe(host::Shape& shape, std::vector<std::string>& out)
{
    out.push_back(shape.Name() + " id " + std::to_string(shape.Id()) + " type " + std::to_string(shape.Type()) +
                  " at " + std::to_string(shape.Left()) + "," + std::to_string(shape.Top()) + " size " +
                  std::to_string(shape.Width()) + "x" + std::to_string(shape.Height()));
    if (shape.Type() == host::ShapeType::Group) {
        auto members = shape.GroupItems();
        for (int i = 1; i <= members->Count(); ++i) {
            Describe(*members->Item(i), out);
        }
    }
}

class ForeignDeckTest : public ::testing::Test {
protected:
    // Every shape kind on slide 1: a title placeholder, an autoshape, a text
    // box, a picture, a table, a group of two, and the foreign ones.
    void BuildEveryKind()
    {
        auto presentation = host_->Presentations()->Add(false);
        auto shapes = presentation->Slides()->Add(1, host::SlideLayout::Title)->Shapes();
        shapes->Placeholders()->Item(1)->TextFrame()->TextRange()->SetText("标题");
        shapes->AddShape(host::AutoShapeType::Rectangle, 10, 10, 50, 50)->SetName("Rect");
        shapes->AddTextbox(host::TextOrientation::Horizontal, 10, 80, 200, 30)->SetName("Box");
        WritePng(dir_ / "p.png", 8, 4);
        shapes->AddPicture(dir_ / "p.png", 0, 1, 300, 10, 80, 40)->SetName("Image 0");
        shapes->AddTable(2, 2, 10, 300, 200, 60)->SetName("Table");
        shapes->AddShape(host::AutoShapeType::Oval, 400, 300, 40, 40)->SetName("A");
        shapes->AddShape(host::AutoShapeType::Oval, 460, 300, 40, 40)->SetName("B");
        const int count = shapes->Count();
        shapes->Range({count - 1, count})->Group()->SetName("Pair");
        presentation->SaveAs(compact_, host::SaveFormat::Presentation);
        presentation->Close();
        std::string slide = ReadEntry(compact_, kSlide).value();
        slide.insert(slide.rfind("</p:spTree>"), ForeignShapes());
        WriteEntry(compact_, kSlide, slide);
        std::filesystem::copy_file(compact_, pretty_);
        PrettyPrintXml(pretty_);
    }

    std::vector<std::string> DescribeSlide(const std::filesystem::path& file)
    {
        auto presentation = host_->Presentations()->Open(file, false, false, false);
        std::vector<std::string> described;
        auto shapes = presentation->Slides()->Item(1)->Shapes();
        for (int i = 1; i <= shapes->Count(); ++i) {
            Describe(*shapes->Item(i), described);
        }
        presentation->Close();
        return described;
    }

    TempDir dir_;
    std::filesystem::path compact_ = dir_ / "compact.pptx";
    std::filesystem::path pretty_ = dir_ / "pretty.pptx";
    std::shared_ptr<host::Application> host_ = NewHost();
};

TEST_F(ForeignDeckTest, EveryShapeKindReadsTheSameWithWhitespaceBetweenElements)
{
    BuildEveryKind();
    const auto compact = DescribeSlide(compact_);
    ASSERT_GT(compact.size(), 5u);
    const std::vector<std::string> foreign(compact.end() - 5, compact.end());
    const std::string place = " at 10.000000,20.000000 size 100.000000x50.000000";
    using namespace host::ShapeType;
    EXPECT_EQ(foreign, (std::vector<std::string>{
                           "Chart 9 id 20 type " + std::to_string(Chart) + place,
                           "Diagram 10 id 21 type " + std::to_string(SmartArt) + place,
                           "Object 11 id 22 type " + std::to_string(EmbeddedOLEObject) + place,
                           "Connector 12 id 23 type " + std::to_string(Line) + place,
                           "Video 13 id 24 type " + std::to_string(Media) + place}));
    EXPECT_EQ(DescribeSlide(pretty_), compact);
}

TEST_F(ForeignDeckTest, PrettyPrintedShapesAreSelectedByNameAndNewIdsAreUnique)
{
    BuildEveryKind();
    auto presentation = host_->Presentations()->Open(pretty_, false, false, true);
    auto window = host_->ActiveWindow();
    for (const std::string name : {"Image 0", "Table", "Chart 9", "Diagram 10", "Connector 12", "Video 13"}) {
        pptx::SelectShapes(*window, 1, {name});
        EXPECT_EQ(window->Selection()->ShapeRange()->Name(), name);
    }
    pptx::SelectShapes(*window, 1, {"B"});
    EXPECT_EQ(window->Selection()->ChildShapeRange()->Name(), "B");
    auto shapes = presentation->Slides()->Item(1)->Shapes();
    EXPECT_EQ(shapes->AddShape(host::AutoShapeType::Rectangle, 0, 0, 10, 10)->Id(), 25);
}

TEST_F(ForeignDeckTest, ShapesSharingAnIdAreSelectedAndChangedApart)
{
    BuildEveryKind();
    ShareShapeId(pretty_, kSlide, "Table", "Box");
    auto presentation = host_->Presentations()->Open(pretty_, false, false, true);
    auto window = host_->ActiveWindow();
    auto shapes = presentation->Slides()->Item(1)->Shapes();
    ASSERT_EQ(shapes->Item("Box")->Id(), shapes->Item("Table")->Id()) << "the file keeps its ids";

    pptx::SelectShapes(*window, 1, {"Table"});
    EXPECT_EQ(window->Selection()->ShapeRange()->Name(), "Table");
    pptx::SelectShapes(*window, 1, {"Box"});
    EXPECT_EQ(window->Selection()->ShapeRange()->Name(), "Box");
    window->Selection()->ShapeRange()->Fill()->ForeColor()->SetRGB(255);
    EXPECT_EQ(shapes->Item("Box")->Fill()->ForeColor()->RGB(), 255);

    pptx::SelectShapes(*window, 1, {"Table", "Box"});
    EXPECT_EQ(window->Selection()->ShapeRange()->Count(), 2);
    shapes->Item("Table")->Delete();
    EXPECT_EQ(window->Selection()->ShapeRange()->Name(), "Box") << "the deleted one leaves the selection";

    presentation->Save();
    presentation->Close();
    const std::string saved = ReadEntry(pretty_, kSlide).value();
    EXPECT_NE(saved.find("name=\"Box\""), std::string::npos);
    EXPECT_EQ(saved.find("name=\"Table\""), std::string::npos);
}

}  // namespace
}  // namespace velmora::testing
