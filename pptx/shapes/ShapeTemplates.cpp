#include "pptx/shapes/ShapeTemplates.hpp"

#include <array>
#include <cmath>
#include <string_view>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/xml/Elements.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::shapes {

namespace {

struct Preset {
    int type;
    const char* geometry;
    const char* name;
};

// The auto shape types tools ask for; others fall back on a rectangle.
constexpr std::array<Preset, 28> kPresets = {{
    {1, "rect", "Rectangle"},          {2, "parallelogram", "Parallelogram"},
    {3, "trapezoid", "Trapezoid"},     {4, "diamond", "Diamond"},
    {5, "roundRect", "Rounded Rectangle"}, {6, "octagon", "Octagon"},
    {7, "triangle", "Isosceles Triangle"}, {8, "rtTriangle", "Right Triangle"},
    {9, "ellipse", "Oval"},            {10, "hexagon", "Hexagon"},
    {11, "plus", "Cross"},             {12, "pentagon", "Regular Pentagon"},
    {13, "can", "Can"},                {14, "cube", "Cube"},
    {15, "bevel", "Bevel"},            {16, "foldedCorner", "Folded Corner"},
    {17, "smileyFace", "Smiley Face"}, {18, "donut", "Donut"},
    {19, "noSmoking", "\"No\" Symbol"}, {20, "blockArc", "Block Arc"},
    {21, "heart", "Heart"},            {22, "lightningBolt", "Lightning Bolt"},
    {23, "sun", "Sun"},                {24, "moon", "Moon"},
    {33, "rightArrow", "Right Arrow"}, {34, "leftArrow", "Left Arrow"},
    {35, "upArrow", "Up Arrow"},       {36, "downArrow", "Down Arrow"},
}};

const Preset& PresetFor(int type)
{
    for (const auto& preset : kPresets) {
        if (preset.type == type) {
            return preset;
        }
    }
    return kPresets.front();
}

// Text box orientations 1 to 6 as a:bodyPr@vert ("" for horizontal).
const char* VerticalText(int orientation)
{
    constexpr std::array<const char*, 6> kVertical = {"", "vert270", "vert", "eaVert", "wordArtVert", ""};
    if (orientation < 1 || orientation > static_cast<int>(kVertical.size())) {
        throw host::HostError("text orientation " + std::to_string(orientation) + " is not supported");
    }
    return kVertical[orientation - 1];
}

pugi::xml_node Parse(pugi::xml_node parent, std::string_view xml)
{
    const auto result = parent.append_buffer(xml.data(), xml.size());
    if (!result) {
        throw host::HostError(std::string("internal shape template is broken: ") + result.description());
    }
    return parent.last_child();
}

pugi::xml_node AppendShape(pugi::xml_node tree, std::string_view xml)
{
    if (!tree) {
        throw host::HostError("the slide has no shape tree");
    }
    auto shape = Parse(tree, xml);
    // Shapes go on top, but the tree's extension list stays last.
    if (auto extensions = Child(tree, "extLst")) {
        tree.insert_move_before(shape, extensions);
    }
    return shape;
}

void Identify(pugi::xml_node shape, unsigned id, const std::string& kind)
{
    auto properties = NonVisualProperties(shape);
    SetAttribute(properties, "id", static_cast<std::int64_t>(id));
    SetAttribute(properties, "name", (kind + " " + std::to_string(id - 1)).c_str());
}

pugi::xml_node Place(pugi::xml_node shape, unsigned id, const std::string& kind, const Box& box)
{
    Identify(shape, id, kind);
    WriteXfrm(shape, box);
    return shape;
}

constexpr std::string_view kEmptyCell =
    "<a:tc><a:txBody><a:bodyPr/><a:lstStyle/><a:p><a:endParaRPr/></a:p></a:txBody><a:tcPr/></a:tc>";

// Splits a length into equal whole parts, the last taking the remainder.
std::int64_t Part(double total, int count, int index)
{
    const auto whole = std::llround(total);
    const auto share = whole / count;
    return index + 1 < count ? share : whole - share * (count - 1);
}

// The children of p:cSld, in schema order.
constexpr std::string_view kCommonDataOrder[] = {"p:bg", "p:spTree", "p:custDataLst", "p:controls", "p:extLst"};

std::string FreeControlName(pugi::xml_node controls, const std::string& kind)
{
    for (unsigned number = 1;; ++number) {
        const std::string name = kind + std::to_string(number);
        if (!controls.find_node([&](pugi::xml_node node) {
                return LocalName(node) == "control" && name == node.attribute("name").value();
            })) {
            return name;
        }
    }
}

void DescribeControl(pugi::xml_node control, const std::string& name, const ControlRelations& relations,
                     const Box& box)
{
    SetAttribute(control, "name", name.c_str());
    SetAttribute(control, "r:id", relations.controlId.c_str());
    SetAttribute(control, "imgW", static_cast<std::int64_t>(std::llround(box.width)));
    SetAttribute(control, "imgH", static_cast<std::int64_t>(std::llround(box.height)));
}

}  // namespace

pugi::xml_node NewControl(pugi::xml_node tree, unsigned id, const std::string& kind, const ControlRelations& relations,
                          const Box& box)
{
    const auto commonData = tree.parent();
    if (!tree || LocalName(commonData) != "cSld") {
        throw host::HostError("controls can only be placed on a slide");
    }
    EnsureNamespace(tree, "r", ooxml::kRelationshipsNs);
    auto controls = xml::ChildInOrder(commonData, "p:controls", xml::SchemaOrder(kCommonDataOrder));
    const std::string name = FreeControlName(controls, kind);
    auto wrapper = Parse(controls,
                         "<mc:AlternateContent><mc:Choice Requires=\"v\"><p:control spid=\"\"/></mc:Choice>"
                         "<mc:Fallback><p:control><p:pic><p:nvPicPr><p:cNvPr id=\"0\" name=\"\"/><p:cNvPicPr>"
                         "<a:picLocks noRot=\"1\" noChangeAspect=\"1\"/></p:cNvPicPr><p:nvPr/></p:nvPicPr>"
                         "<p:blipFill><a:blip r:embed=\"\"/><a:stretch><a:fillRect/></a:stretch></p:blipFill>"
                         "<p:spPr><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic></p:control>"
                         "</mc:Fallback></mc:AlternateContent>");
    wrapper.append_attribute("xmlns:mc") = ooxml::kMarkupCompatibilityNs;
    auto choice = Child(wrapper, "Choice");
    choice.append_attribute("xmlns:v") = ooxml::kVmlNs;
    auto legacy = Child(choice, "control");
    SetAttribute(legacy, "spid", relations.legacyShapeId.c_str());
    DescribeControl(legacy, name, relations, box);
    auto control = Path(wrapper, {"Fallback", "control"});
    DescribeControl(control, name, relations, box);
    auto picture = Child(control, "pic");
    SetAttribute(Path(picture, {"blipFill", "blip"}), "r:embed", relations.pictureId.c_str());
    auto properties = NonVisualProperties(picture);
    SetAttribute(properties, "id", static_cast<std::int64_t>(id));
    SetAttribute(properties, "name", name.c_str());
    WriteXfrm(picture, box);
    return picture;
}

void KeepControlInStep(ShapeTreeOwner& owner, pugi::xml_node picture)
{
    const Box box = LocalBox(owner, picture);
    const auto wrapper = OuterElement(picture);
    std::string legacyShapeId;
    for (const auto branch : {Child(wrapper, "Choice"), Child(wrapper, "Fallback"), wrapper}) {
        if (const auto control = Is(branch, "control") ? branch : Child(branch, "control")) {
            SetAttribute(control, "imgW", static_cast<std::int64_t>(std::llround(box.width)));
            SetAttribute(control, "imgH", static_cast<std::int64_t>(std::llround(box.height)));
            if (legacyShapeId.empty()) {
                legacyShapeId = control.attribute("spid").value();
            }
        }
    }
    if (!legacyShapeId.empty()) {
        const double emu = static_cast<double>(ooxml::kEmuPerPoint);
        owner.PlaceLegacyShape(legacyShapeId, box.left / emu, box.top / emu, box.width / emu, box.height / emu);
    }
}

pugi::xml_node NewAutoShape(pugi::xml_node tree, unsigned id, int autoShapeType, const Box& box)
{
    const auto& preset = PresetFor(autoShapeType);
    auto shape = AppendShape(tree,
                             "<p:sp><p:nvSpPr><p:cNvPr id=\"0\" name=\"\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
                             "<p:spPr><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr>"
                             "<p:style><a:lnRef idx=\"2\"><a:schemeClr val=\"accent1\"><a:shade val=\"50000\"/>"
                             "</a:schemeClr></a:lnRef><a:fillRef idx=\"1\"><a:schemeClr val=\"accent1\"/></a:fillRef>"
                             "<a:effectRef idx=\"0\"><a:schemeClr val=\"accent1\"/></a:effectRef>"
                             "<a:fontRef idx=\"minor\"><a:schemeClr val=\"lt1\"/></a:fontRef></p:style>"
                             "<p:txBody><a:bodyPr rtlCol=\"0\" anchor=\"ctr\"/><a:lstStyle/>"
                             "<a:p><a:pPr algn=\"ctr\"/><a:endParaRPr/></a:p></p:txBody></p:sp>");
    SetAttribute(Path(shape, {"spPr", "prstGeom"}), "prst", preset.geometry);
    return Place(shape, id, preset.name, box);
}

pugi::xml_node NewTextbox(pugi::xml_node tree, unsigned id, int orientation, const Box& box)
{
    const char* vertical = VerticalText(orientation);
    auto shape = AppendShape(tree,
                             "<p:sp><p:nvSpPr><p:cNvPr id=\"0\" name=\"\"/><p:cNvSpPr txBox=\"1\"/><p:nvPr/></p:nvSpPr>"
                             "<p:spPr><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:noFill/></p:spPr>"
                             "<p:txBody><a:bodyPr wrap=\"square\" rtlCol=\"0\"><a:spAutoFit/></a:bodyPr><a:lstStyle/>"
                             "<a:p><a:endParaRPr/></a:p></p:txBody></p:sp>");
    if (*vertical != '\0') {
        SetAttribute(Path(shape, {"txBody", "bodyPr"}), "vert", vertical);
    }
    return Place(shape, id, "TextBox", box);
}

pugi::xml_node NewPicture(pugi::xml_node tree, unsigned id, const std::string& relationshipId,
                          const std::string& description, const Box& box)
{
    EnsureNamespace(tree, "r", ooxml::kRelationshipsNs);
    auto shape = AppendShape(tree,
                             "<p:pic><p:nvPicPr><p:cNvPr id=\"0\" name=\"\"/><p:cNvPicPr>"
                             "<a:picLocks noChangeAspect=\"1\"/></p:cNvPicPr><p:nvPr/></p:nvPicPr>"
                             "<p:blipFill><a:blip r:embed=\"\"/><a:stretch><a:fillRect/></a:stretch></p:blipFill>"
                             "<p:spPr><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>");
    SetAttribute(Path(shape, {"blipFill", "blip"}), "r:embed", relationshipId.c_str());
    SetAttribute(NonVisualProperties(shape), "descr", description.c_str());
    return Place(shape, id, "Picture", box);
}

pugi::xml_node NewTable(pugi::xml_node tree, unsigned id, int rows, int columns, const Box& box)
{
    if (rows < 1 || columns < 1) {
        throw host::HostError("a table needs at least one row and one column");
    }
    std::string xml =
        "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"0\" name=\"\"/><p:cNvGraphicFramePr>"
        "<a:graphicFrameLocks noGrp=\"1\"/></p:cNvGraphicFramePr><p:nvPr/></p:nvGraphicFramePr>"
        "<p:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/></p:xfrm><a:graphic>"
        "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/table\">"
        "<a:tbl><a:tblPr firstRow=\"1\" bandRow=\"1\"/><a:tblGrid>";
    for (int column = 0; column < columns; ++column) {
        xml += "<a:gridCol w=\"" + std::to_string(Part(box.width, columns, column)) + "\"/>";
    }
    xml += "</a:tblGrid>";
    for (int row = 0; row < rows; ++row) {
        xml += "<a:tr h=\"" + std::to_string(Part(box.height, rows, row)) + "\">";
        for (int column = 0; column < columns; ++column) {
            xml += kEmptyCell;
        }
        xml += "</a:tr>";
    }
    xml += "</a:tbl></a:graphicData></a:graphic></p:graphicFrame>";
    return Place(AppendShape(tree, xml), id, "Table", box);
}

pugi::xml_node NewGroup(pugi::xml_node after, unsigned id, const Box& box)
{
    auto tree = after.parent();
    auto group = Parse(tree,
                       "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"0\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
                       "<p:grpSpPr><a:xfrm><a:off/><a:ext/><a:chOff/><a:chExt/></a:xfrm></p:grpSpPr></p:grpSp>");
    tree.insert_move_after(group, after);
    Place(group, id, "Group", box);
    const auto xfrm = XfrmOf(group);
    SetAttribute(Child(xfrm, "chOff"), "x", std::llround(box.left));
    SetAttribute(Child(xfrm, "chOff"), "y", std::llround(box.top));
    SetAttribute(Child(xfrm, "chExt"), "cx", std::llround(box.width));
    SetAttribute(Child(xfrm, "chExt"), "cy", std::llround(box.height));
    return group;
}

}  // namespace velmora::pptx::shapes
