#include "pptx/shapes/ShapeElement.hpp"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "pptx/shapes/DrawingXml.hpp"

namespace velmora::pptx::shapes {

namespace {

using namespace host::ShapeType;

pugi::xml_node FirstShapeIn(pugi::xml_node branch)
{
    for (auto child = branch.first_child(); child; child = child.next_sibling()) {
        if (IsShapeElement(child)) {
            return child;
        }
    }
    return {};
}

pugi::xml_node AlternateContentShape(pugi::xml_node wrapper)
{
    if (auto shape = FirstShapeIn(Child(wrapper, "Choice"))) {
        return shape;
    }
    return FirstShapeIn(Child(wrapper, "Fallback"));
}

bool IsCalloutGeometry(std::string_view preset)
{
    for (std::string_view prefix : {"wedge", "callout", "borderCallout", "accentCallout"}) {
        if (preset.substr(0, prefix.size()) == prefix) {
            return true;
        }
    }
    return false;
}

int AutoShapeType(pugi::xml_node shape)
{
    if (PlaceholderOf(shape)) {
        return Placeholder;
    }
    if (Path(shape, {"txBody", "bodyPr", "prstTxWarp"})) {
        return TextEffect;
    }
    if (BoolAttribute(Path(shape, {"nvSpPr", "cNvSpPr"}), "txBox", false)) {
        return TextBox;
    }
    if (IsCalloutGeometry(Path(shape, {"spPr", "prstGeom"}).attribute("prst").value())) {
        return Callout;
    }
    return AutoShape;
}

int PictureType(pugi::xml_node shape)
{
    const auto app = AppProperties(shape);
    for (std::string_view media : {"videoFile", "audioFile", "wavAudioFile", "quickTimeFile", "audioCd"}) {
        if (Child(app, media)) {
            return Media;
        }
    }
    const auto blip = Path(shape, {"blipFill", "blip"});
    if (!blip.attribute("r:embed") && blip.attribute("r:link")) {
        return LinkedPicture;
    }
    return Picture;
}

int GraphicFrameType(pugi::xml_node shape)
{
    const auto data = Path(shape, {"graphic", "graphicData"});
    if (Child(data, "tbl")) return Table;
    if (Child(data, "relIds")) return SmartArt;
    if (Child(data, "chart") || Child(data, "chartSpace")) return Chart;
    if (const auto object = EmbeddedObjectOf(shape)) {
        if (Is(object, "control")) return OLEControlObject;
        return Child(object, "link") ? LinkedOLEObject : EmbeddedOLEObject;
    }
    return AutoShape;
}

}  // namespace

bool IsShapeElement(pugi::xml_node node)
{
    return IsAnyOf(node, {"sp", "grpSp", "pic", "graphicFrame", "cxnSp", "contentPart"});
}

std::vector<pugi::xml_node> ChildShapes(pugi::xml_node tree)
{
    std::vector<pugi::xml_node> shapes;
    for (auto child = tree.first_child(); child; child = child.next_sibling()) {
        if (IsShapeElement(child)) {
            shapes.push_back(child);
        } else if (Is(child, "AlternateContent")) {
            if (auto shape = AlternateContentShape(child)) {
                shapes.push_back(shape);
            }
        }
    }
    return shapes;
}

pugi::xml_node OuterElement(pugi::xml_node shape)
{
    if (IsControlPicture(shape)) {
        return OuterElement(shape.parent());
    }
    const auto branch = shape.parent();
    if (IsAnyOf(branch, {"Choice", "Fallback"}) && Is(branch.parent(), "AlternateContent")) {
        return branch.parent();
    }
    return shape;
}

pugi::xml_node ParentTree(pugi::xml_node shape)
{
    return OuterElement(shape).parent();
}

bool IsGroup(pugi::xml_node shape)
{
    return Is(shape, "grpSp");
}

bool IsInGroup(pugi::xml_node shape)
{
    return IsGroup(ParentTree(shape));
}

std::vector<pugi::xml_node> AllShapes(pugi::xml_node tree)
{
    std::vector<pugi::xml_node> shapes;
    for (auto shape : ChildShapes(tree)) {
        shapes.push_back(shape);
        if (IsGroup(shape)) {
            const auto members = AllShapes(shape);
            shapes.insert(shapes.end(), members.begin(), members.end());
        }
    }
    return shapes;
}

pugi::xml_node FindShapeByName(pugi::xml_node tree, const std::string& name)
{
    pugi::xml_node grouped;
    for (auto shape : AllShapes(tree)) {
        if (ShapeNameOf(shape) != name) {
            continue;
        }
        if (!IsInGroup(shape)) {
            return shape;
        }
        if (!grouped) {
            grouped = shape;
        }
    }
    return grouped;
}

pugi::xml_node FindShapeById(pugi::xml_node tree, unsigned id)
{
    for (auto shape : AllShapes(tree)) {
        if (ShapeIdOf(shape) == id) {
            return shape;
        }
    }
    return {};
}

unsigned NewShapeId(pugi::xml_node tree)
{
    // Every cNvPr counts, also those in alternate content and in shapes
    // the tree does not list as shapes.
    std::int64_t highest = 0;
    for (auto node : tree.select_nodes(".//*[local-name()='cNvPr']")) {
        highest = std::max(highest, IntAttribute(node.node(), "id", 0));
    }
    if (highest >= 0xFFFFFFFFLL) {
        throw host::HostError("the slide has no shape id left for a new shape");
    }
    return static_cast<unsigned>(highest) + 1;
}

int ShapeTypeOf(pugi::xml_node shape)
{
    const auto kind = LocalName(shape);
    if (kind == "sp") return AutoShapeType(shape);
    if (kind == "grpSp") return Group;
    if (kind == "pic") return IsControlPicture(shape) ? OLEControlObject : PictureType(shape);
    if (kind == "graphicFrame") return GraphicFrameType(shape);
    if (kind == "cxnSp") return Line;
    if (kind == "contentPart") return FreeForm;
    return AutoShape;
}

pugi::xml_node NonVisualProperties(pugi::xml_node shape)
{
    for (auto child = shape.first_child(); child; child = child.next_sibling()) {
        if (LocalName(child).substr(0, 2) == "nv") {
            return Child(child, "cNvPr");
        }
    }
    return {};
}

pugi::xml_node AppProperties(pugi::xml_node shape)
{
    for (auto child = shape.first_child(); child; child = child.next_sibling()) {
        if (LocalName(child).substr(0, 2) == "nv") {
            return Child(child, "nvPr");
        }
    }
    return {};
}

pugi::xml_node PlaceholderOf(pugi::xml_node shape)
{
    return Child(AppProperties(shape), "ph");
}

unsigned ShapeIdOf(pugi::xml_node shape)
{
    const auto id = IntAttribute(NonVisualProperties(shape), "id", 0);
    return id > 0 && id <= 0xFFFFFFFFLL ? static_cast<unsigned>(id) : 0U;
}

std::string ShapeNameOf(pugi::xml_node shape)
{
    return NonVisualProperties(shape).attribute("name").value();
}

std::string TextStyleKind(pugi::xml_node shape)
{
    const auto placeholder = PlaceholderOf(shape);
    if (!placeholder) {
        return "other";
    }
    const std::string_view type = placeholder.attribute("type").value();
    return type == "title" || type == "ctrTitle" ? "title" : "body";
}

std::vector<pugi::xml_node> TextHolders(const std::vector<pugi::xml_node>& shapes)
{
    std::vector<pugi::xml_node> holders;
    for (auto shape : shapes) {
        if (IsGroup(shape)) {
            const auto members = TextHolders(ChildShapes(shape));
            holders.insert(holders.end(), members.begin(), members.end());
        } else if (Is(shape, "sp")) {
            holders.push_back(shape);
        }
    }
    return holders;
}

bool IsControlPicture(pugi::xml_node shape)
{
    return Is(shape, "pic") && Is(shape.parent(), "control");
}

std::vector<pugi::xml_node> ControlPictures(pugi::xml_node tree)
{
    std::vector<pugi::xml_node> pictures;
    for (auto entry = Child(tree.parent(), "controls").first_child(); entry; entry = entry.next_sibling()) {
        const auto control = Is(entry, "AlternateContent") ? Path(entry, {"Fallback", "control"}) : entry;
        if (const auto picture = Child(control, "pic"); picture && Is(control, "control")) {
            pictures.push_back(picture);
        }
    }
    return pictures;
}

pugi::xml_node EmbeddedObjectOf(pugi::xml_node shape)
{
    if (IsControlPicture(shape)) {
        return shape.parent();
    }
    const auto data = Path(shape, {"graphic", "graphicData"});
    // Objects of newer versions come wrapped in mc:AlternateContent.
    for (auto object : {Child(data, "oleObj"), Path(data, {"AlternateContent", "Choice", "oleObj"}),
                        Child(data, "control")}) {
        if (object) {
            return object;
        }
    }
    return {};
}

pugi::xml_node TableOf(pugi::xml_node shape)
{
    return Is(shape, "graphicFrame") ? Path(shape, {"graphic", "graphicData", "tbl"}) : pugi::xml_node{};
}

}  // namespace velmora::pptx::shapes
