#include <gtest/gtest.h>

#include "TestSlide.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"

namespace velmora::pptx::testing {
namespace {

using host::HostError;
namespace TriState = host::TriState;
namespace BorderType = host::BorderType;

std::string Cell(const std::string& text, const std::string& properties = "")
{
    return "<a:tc><a:txBody><a:bodyPr/><a:lstStyle/><a:p><a:r><a:t>" + text + "</a:t></a:r></a:p></a:txBody>" +
           properties + "</a:tc>";
}

// A 2 x 3 table at (10 pt, 20 pt): columns 100, 50, 50 pt, rows 30, 40 pt.
std::shared_ptr<TestSlide> TableSlide()
{
    return TestSlide::Make(
        "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"4\" name=\"Table 3\"/><p:cNvGraphicFramePr/><p:nvPr/>"
        "</p:nvGraphicFramePr><p:xfrm><a:off x=\"127000\" y=\"254000\"/><a:ext cx=\"2540000\" cy=\"889000\"/></p:xfrm>"
        "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/table\"><a:tbl><a:tblPr/>"
        "<a:tblGrid><a:gridCol w=\"1270000\"/><a:gridCol w=\"635000\"/><a:gridCol w=\"635000\"/></a:tblGrid>"
        "<a:tr h=\"381000\">" + Cell("a1") + Cell("b1") + Cell("c1") + "</a:tr>"
        "<a:tr h=\"508000\">" + Cell("a2") + Cell("b2", "<a:tcPr><a:lnB w=\"3175\"><a:noFill/></a:lnB><a:noFill/></a:tcPr>") +
        Cell("c2") + "</a:tr></a:tbl></a:graphicData></a:graphic></p:graphicFrame>");
}

TEST(Table, RowsCellsAndTheirText)
{
    const auto slide = TableSlide();
    const auto shape = slide->Shape("Table 3");
    EXPECT_EQ(shape->Type(), host::ShapeType::Table);
    EXPECT_EQ(shape->HasTable(), TriState::True);
    EXPECT_EQ(shape->HasTextFrame(), TriState::False);
    const auto table = shape->Table();
    EXPECT_EQ(table->ColumnCount(), 3);
    const auto rows = table->Rows();
    ASSERT_EQ(rows->Count(), 2);

    std::vector<std::string> texts;
    for (int r = 1; r <= rows->Count(); ++r) {
        const auto cells = rows->Item(r)->Cells();
        for (int c = 1; c <= cells->Count(); ++c) {
            texts.push_back(cells->Item(c)->Shape()->TextFrame()->TextRange()->Text());
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"a1", "b1", "c1", "a2", "b2", "c2"}));

    table->Cell(2, 3)->Shape()->TextFrame()->TextRange()->SetText("changed");
    EXPECT_EQ(table->Cell(2, 3)->Shape()->TextFrame()->TextRange()->Text(), "changed");
    EXPECT_THROW(table->Cell(3, 1), HostError);
    EXPECT_THROW(table->Cell(1, 4), HostError);
    EXPECT_THROW(rows->Item(0), HostError);
}

TEST(Table, CellShapeSitsInTheGridAndCannotMove)
{
    const auto slide = TableSlide();
    const auto cell = slide->Shape("Table 3")->Table()->Cell(2, 2)->Shape();
    EXPECT_FLOAT_EQ(cell->Left(), 110);
    EXPECT_FLOAT_EQ(cell->Top(), 50);
    EXPECT_FLOAT_EQ(cell->Width(), 50);
    EXPECT_FLOAT_EQ(cell->Height(), 40);
    EXPECT_THROW(cell->SetLeft(0), HostError);
    EXPECT_THROW(cell->Delete(), HostError);
    EXPECT_THROW(cell->Table(), HostError);
}

TEST(Table, CellFillIsTheCellsOwn)
{
    const auto slide = TableSlide();
    const auto fill = slide->Shape("Table 3")->Table()->Cell(2, 2)->Shape()->Fill();
    EXPECT_EQ(fill->Visible(), TriState::False);
    fill->ForeColor()->SetRGB(0x00FFFF);
    EXPECT_EQ(fill->Visible(), TriState::True);
    // The fill follows the borders inside a:tcPr.
    const auto properties = slide->Find("//a:tr[2]/a:tc[2]/a:tcPr");
    EXPECT_STREQ(properties.first_child().name(), "a:lnB");
    EXPECT_STREQ(properties.last_child().name(), "a:solidFill");
    EXPECT_STREQ(properties.child("a:solidFill").child("a:srgbClr").attribute("val").value(), "FFFF00");
}

TEST(Table, EveryBorderTakesItsColourInSchemaOrder)
{
    const auto slide = TableSlide();
    const auto table = slide->Shape("Table 3")->Table();
    for (int r = 1; r <= 2; ++r) {
        for (int c = 1; c <= 3; ++c) {
            const auto borders = table->Cell(r, c)->Borders();
            ASSERT_EQ(borders->Count(), 4);
            for (int b = 1; b <= borders->Count(); ++b) {
                borders->Item(b)->ForeColor()->SetRGB(0x0000FF);
            }
        }
    }
    for (const auto& found : slide->Find("//a:tbl").select_nodes(".//a:tcPr")) {
        std::string order;
        for (auto child : found.node().children()) {
            order += std::string(child.name()) + " ";
        }
        EXPECT_EQ(order.substr(0, 24), "a:lnL a:lnR a:lnT a:lnB ") << order;
    }
    const auto bottom = table->Cell(2, 2)->Borders()->Item(BorderType::Bottom);
    EXPECT_EQ(bottom->Visible(), TriState::True);
    EXPECT_EQ(bottom->ForeColor()->RGB(), 0x0000FF);
    // The border keeps its own width; new ones get 1 pt.
    EXPECT_STREQ(slide->Find("//a:tr[2]/a:tc[2]/a:tcPr/a:lnB").attribute("w").value(), "3175");
    EXPECT_STREQ(slide->Find("//a:tr[1]/a:tc[1]/a:tcPr/a:lnT").attribute("w").value(), "12700");
    EXPECT_THROW(table->Cell(1, 1)->Borders()->Item(7), HostError);
}

TEST(Table, ColouringTheTableShapeColoursEveryCellAndBorder)
{
    const auto slide = TableSlide();
    const auto shape = slide->Shape("Table 3");
    shape->Fill()->ForeColor()->SetRGB(0x00FF00);
    shape->Line()->ForeColor()->SetRGB(0xFF0000);
    EXPECT_EQ(slide->Find("//a:tbl").select_nodes(".//a:tcPr/a:solidFill/a:srgbClr[@val='00FF00']").size(), 6U);
    EXPECT_EQ(slide->Find("//a:tbl").select_nodes(".//a:tcPr/*/a:solidFill/a:srgbClr[@val='0000FF']").size(), 24U);
    EXPECT_EQ(shape->Fill()->Visible(), TriState::True);
    EXPECT_EQ(shape->Line()->ForeColor()->RGB(), 0xFF0000);
}

TEST(Table, CellTextInheritsTheOtherMasterStyle)
{
    const auto slide = TableSlide();
    const auto font = slide->Shape("Table 3")->Table()->Cell(1, 1)->Shape()->TextFrame()->TextRange()->Font();
    EXPECT_FLOAT_EQ(font->Size(), 18);
    font->Color()->SetRGB(0x0000FF);
    EXPECT_EQ(font->Color()->RGB(), 0x0000FF);
}

}  // namespace
}  // namespace velmora::pptx::testing
