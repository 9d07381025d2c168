#include <fstream>

#include <gtest/gtest.h>

#include "TestSlide.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::pptx::testing {
namespace {

using host::HostError;
namespace TriState = host::TriState;

void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Just the headers the size is read from.
void WritePngHeader(const std::filesystem::path& file, unsigned width, unsigned height)
{
    WriteBytes(file, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                      static_cast<unsigned char>(width >> 24), static_cast<unsigned char>(width >> 16),
                      static_cast<unsigned char>(width >> 8), static_cast<unsigned char>(width),
                      static_cast<unsigned char>(height >> 24), static_cast<unsigned char>(height >> 16),
                      static_cast<unsigned char>(height >> 8), static_cast<unsigned char>(height), 8, 2, 0, 0, 0});
}

void WriteJpegHeader(const std::filesystem::path& file, unsigned width, unsigned height)
{
    WriteBytes(file, {0xFF, 0xD8, 0xFF, 0xE0, 0, 6, 'J', 'F', 'I', 'F', 0xFF, 0xFF, 0xC2, 0, 11, 8,
                      static_cast<unsigned char>(height >> 8), static_cast<unsigned char>(height),
                      static_cast<unsigned char>(width >> 8), static_cast<unsigned char>(width), 1, 1, 0x11, 0});
}

TEST(AddShape, AutoShapesAreNamedAfterTheirKindAndId)
{
    const auto slide = TestSlide::Make(Sp(2, "existing", "<p:spPr/>") + "<p:extLst/>");
    const auto shapes = slide->Shapes();
    const auto rectangle = shapes->AddShape(host::AutoShapeType::Rectangle, 10, 20, 30, 40);
    const auto rounded = shapes->AddShape(host::AutoShapeType::RoundedRectangle, 0, 0, 1, 1);
    const auto oval = shapes->AddShape(host::AutoShapeType::Oval, 0, 0, 1, 1);
    const auto unknown = shapes->AddShape(999, 0, 0, 1, 1);
    EXPECT_EQ(rectangle->Name(), "Rectangle 2");
    EXPECT_EQ(rectangle->Id(), 3);
    EXPECT_EQ(rounded->Name(), "Rounded Rectangle 3");
    EXPECT_EQ(oval->Name(), "Oval 4");
    EXPECT_EQ(unknown->Name(), "Rectangle 5");
    EXPECT_EQ(rectangle->Type(), host::ShapeType::AutoShape);
    EXPECT_FLOAT_EQ(rectangle->Left(), 10);
    EXPECT_FLOAT_EQ(rectangle->Height(), 40);
    EXPECT_EQ(rectangle->Fill()->Visible(), TriState::True);
    EXPECT_EQ(rectangle->Line()->Visible(), TriState::True);
    EXPECT_STREQ(slide->Find("//p:sp[p:nvSpPr/p:cNvPr/@id='4']//a:prstGeom").attribute("prst").value(), "roundRect");
    EXPECT_STREQ(slide->Find("//p:sp[p:nvSpPr/p:cNvPr/@id='5']//a:prstGeom").attribute("prst").value(), "ellipse");
    // New shapes go on top, but before the tree's extension list.
    EXPECT_STREQ(slide->Find("//p:spTree").last_child().name(), "p:extLst");
    EXPECT_EQ(shapes->Count(), 5);
    EXPECT_THROW(shapes->AddShape(1, 0, 0, -5, 1), HostError);
}

TEST(AddShape, TextboxWrapsAndFitsItsText)
{
    const auto slide = TestSlide::Make("");
    const auto box = slide->Shapes()->AddTextbox(host::TextOrientation::Horizontal, 0, 0, 120, 40);
    EXPECT_EQ(box->Type(), host::ShapeType::TextBox);
    EXPECT_EQ(box->Name(), "TextBox 1");
    EXPECT_EQ(box->Fill()->Visible(), TriState::False);
    EXPECT_EQ(box->Line()->Visible(), TriState::False);
    const auto frame = box->TextFrame();
    EXPECT_EQ(frame->WordWrap(), TriState::True);
    EXPECT_EQ(frame->AutoSize(), host::AutoSize::ShapeToFitText);
    frame->TextRange()->SetText("watermark");
    EXPECT_LT(box->Height(), 40);

    const auto vertical = slide->Shapes()->AddTextbox(5, 0, 0, 10, 10);
    EXPECT_STREQ(slide->Find("//p:sp[2]//a:bodyPr").attribute("vert").value(), "wordArtVert");
    EXPECT_EQ(vertical->Name(), "TextBox 2");
    EXPECT_THROW(slide->Shapes()->AddTextbox(9, 0, 0, 10, 10), HostError);
}

TEST(AddShape, PictureTakesItsNativeSizeAtThreeQuartersOfAPointPerPixel)
{
    velmora::testing::TempDir folder;
    WritePngHeader(folder / "wide.png", 400, 200);
    WriteJpegHeader(folder / "photo.jpg", 640, 480);
    std::ofstream(folder / "junk.png") << "not a picture";
    const auto slide = TestSlide::Make("");
    const auto shapes = slide->Shapes();

    const auto png = shapes->AddPicture(folder / "wide.png", 0, -1, 10, 20);
    EXPECT_EQ(png->Type(), host::ShapeType::Picture);
    EXPECT_EQ(png->Name(), "Picture 1");
    EXPECT_FLOAT_EQ(png->Width(), 300);
    EXPECT_FLOAT_EQ(png->Height(), 150);
    EXPECT_FLOAT_EQ(png->Left(), 10);
    EXPECT_STREQ(slide->Find("//p:pic/p:blipFill/a:blip").attribute("r:embed").value(), "rIdImage1");
    EXPECT_STREQ(slide->Find("//p:pic//p:cNvPr").attribute("descr").value(), "wide.png");

    const auto jpeg = shapes->AddPicture(folder / "photo.jpg", 0, -1, 0, 0);
    EXPECT_FLOAT_EQ(jpeg->Width(), 480);
    EXPECT_FLOAT_EQ(jpeg->Height(), 360);
    // One side given keeps the proportions; both given are taken as they are.
    EXPECT_FLOAT_EQ(shapes->AddPicture(folder / "photo.jpg", 0, -1, 0, 0, 100)->Height(), 75);
    EXPECT_FLOAT_EQ(shapes->AddPicture(folder / "photo.jpg", 0, -1, 0, 0, -1, 30)->Width(), 40);
    EXPECT_FLOAT_EQ(shapes->AddPicture(folder / "junk.png", 0, -1, 0, 0, 50, 60)->Width(), 50);

    EXPECT_THROW(shapes->AddPicture(folder / "junk.png", 0, -1, 0, 0), HostError);
    EXPECT_THROW(shapes->AddPicture(folder / "missing.png", 0, -1, 0, 0), HostError);
    EXPECT_THROW(shapes->AddPicture(folder / "wide.png", -1, 0, 0, 0), HostError);
    EXPECT_EQ(shapes->Count(), 5);
    EXPECT_EQ(slide->images.size(), 5U);
}

TEST(AddShape, TableHasAGridAndEmptyCells)
{
    const auto slide = TestSlide::Make("");
    const auto shape = slide->Shapes()->AddTable(3, 4, 10, 10, 400, 100);
    EXPECT_EQ(shape->Type(), host::ShapeType::Table);
    EXPECT_EQ(shape->Name(), "Table 1");
    EXPECT_FLOAT_EQ(shape->Width(), 400);
    const auto table = shape->Table();
    EXPECT_EQ(table->ColumnCount(), 4);
    EXPECT_EQ(table->Rows()->Count(), 3);
    EXPECT_EQ(table->Rows()->Item(3)->Cells()->Count(), 4);
    EXPECT_EQ(table->Cell(3, 4)->Shape()->TextFrame()->TextRange()->Text(), "");
    EXPECT_FLOAT_EQ(table->Cell(3, 4)->Shape()->Left(), 310);
    EXPECT_NEAR(table->Cell(3, 4)->Shape()->Top(), 10 + 2 * 100.0 / 3, 0.01);

    long long widths = 0;
    for (const auto& column : slide->Find("//a:tblGrid").select_nodes("a:gridCol")) {
        widths += column.node().attribute("w").as_llong();
    }
    EXPECT_EQ(widths, 400 * 12700);
    EXPECT_THROW(slide->Shapes()->AddTable(0, 2, 0, 0, 10, 10), HostError);
}

TEST(AddShape, NotYetSupported)
{
    const auto slide = TestSlide::Make("");
    EXPECT_THROW(slide->Shapes()->AddOLEObject(0, 0, 10, 10, "ShockwaveFlash.ShockwaveFlash.10", ""), HostError);
    EXPECT_THROW(slide->Shapes()->PasteSpecial(host::PasteDataType::PNG), HostError);
}

}  // namespace
}  // namespace velmora::pptx::testing
