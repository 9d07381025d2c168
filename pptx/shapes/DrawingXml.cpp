#include "pptx/shapes/DrawingXml.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace velmora::pptx::shapes {

namespace {

using Order = std::vector<std::string_view>;

const std::vector<std::string_view> kFillNames = {"noFill", "solidFill", "gradFill", "blipFill", "pattFill", "grpFill"};

Order Join(std::initializer_list<Order> parts)
{
    Order all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Child order of the elements we write into; unknown parents append.
const Order* SchemaOrder(std::string_view parent)
{
    static const Order sp = {"nvSpPr", "spPr", "style", "txBody", "extLst"};
    static const Order pic = {"nvPicPr", "blipFill", "spPr", "style", "extLst"};
    static const Order cxnSp = {"nvCxnSpPr", "spPr", "style", "extLst"};
    static const Order grpSp = {"nvGrpSpPr", "grpSpPr"};
    static const Order graphicFrame = {"nvGraphicFramePr", "xfrm", "graphic", "extLst"};
    static const Order spPr = Join({{"xfrm", "custGeom", "prstGeom"}, kFillNames,
                                    {"ln", "effectLst", "effectDag", "scene3d", "sp3d", "extLst"}});
    static const Order grpSpPr = Join({{"xfrm"}, kFillNames, {"effectLst", "effectDag", "scene3d", "extLst"}});
    static const Order tc = {"txBody", "tcPr", "extLst"};
    static const Order tcPr = Join({{"lnL", "lnR", "lnT", "lnB", "lnTlToBr", "lnBlToTr", "cell3D"}, kFillNames,
                                    {"headers", "extLst"}});
    static const Order line = Join({kFillNames, {"prstDash", "custDash", "round", "bevel", "miter", "headEnd",
                                                 "tailEnd", "extLst"}});
    static const Order runProperties =
        Join({{"ln"}, kFillNames,
              {"effectLst", "effectDag", "highlight", "uLnTx", "uLn", "uFillTx", "uFill", "latin", "ea", "cs", "sym",
               "hlinkClick", "hlinkMouseOver", "rtl", "extLst"}});
    static const Order paragraph = {"pPr", "r", "br", "fld", "endParaRPr"};
    static const Order textBody = {"bodyPr", "lstStyle", "p"};
    static const Order bodyPr = {"prstTxWarp", "noAutofit", "normAutofit", "spAutoFit", "scene3d", "sp3d",
                                 "flatTx", "extLst"};
    static const Order xfrm = {"off", "ext", "chOff", "chExt"};
    static const Order nvPr = {"ph", "audioCd", "wavAudioFile", "audioFile", "videoFile", "quickTimeFile",
                               "custDataLst", "extLst"};
    static const Order blip = {"alphaBiLevel", "alphaCeiling", "alphaFloor", "alphaInv", "alphaMod", "alphaModFix",
                               "alphaRepl", "biLevel", "blur", "clrChange", "clrRepl", "duotone", "fillOverlay",
                               "grayscl", "hsl", "lum", "tint", "extLst"};

    if (parent == "sp") return &sp;
    if (parent == "pic") return &pic;
    if (parent == "cxnSp") return &cxnSp;
    if (parent == "grpSp") return &grpSp;
    if (parent == "graphicFrame") return &graphicFrame;
    if (parent == "spPr") return &spPr;
    if (parent == "grpSpPr") return &grpSpPr;
    if (parent == "tc") return &tc;
    if (parent == "tcPr") return &tcPr;
    if (parent == "ln" || parent == "lnL" || parent == "lnR" || parent == "lnT" || parent == "lnB" ||
        parent == "lnTlToBr" || parent == "lnBlToTr") {
        return &line;
    }
    if (parent == "rPr" || parent == "endParaRPr" || parent == "defRPr") return &runProperties;
    if (parent == "p") return &paragraph;
    if (parent == "txBody") return &textBody;
    if (parent == "bodyPr") return &bodyPr;
    if (parent == "xfrm") return &xfrm;
    if (parent == "nvPr") return &nvPr;
    if (parent == "blip") return &blip;
    return nullptr;
}

std::string_view LocalPart(const char* qualifiedName)
{
    std::string_view name = qualifiedName;
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::ptrdiff_t Rank(const Order& order, std::string_view name)
{
    const auto found = std::find(order.begin(), order.end(), name);
    return found == order.end() ? -1 : found - order.begin();
}

}  // namespace

std::string_view LocalName(pugi::xml_node node)
{
    std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool Is(pugi::xml_node node, std::string_view localName)
{
    // A qualified name given by mistake still compares by its local part.
    const auto wanted = localName.substr(localName.find(':') + 1);
    return node.type() == pugi::node_element && LocalName(node) == wanted;
}

bool IsAnyOf(pugi::xml_node node, std::initializer_list<std::string_view> localNames)
{
    return std::any_of(localNames.begin(), localNames.end(), [&](std::string_view name) { return Is(node, name); });
}

pugi::xml_node Child(pugi::xml_node parent, std::string_view localName)
{
    for (auto child = parent.first_child(); child; child = child.next_sibling()) {
        if (Is(child, localName)) {
            return child;
        }
    }
    return {};
}

pugi::xml_node Path(pugi::xml_node node, std::initializer_list<std::string_view> localNames)
{
    for (auto name : localNames) {
        node = Child(node, name);
    }
    return node;
}

pugi::xml_node EnsureChild(pugi::xml_node parent, const char* qualifiedName)
{
    if (auto existing = Child(parent, LocalPart(qualifiedName))) {
        return existing;
    }
    return InsertInOrder(parent, qualifiedName);
}

pugi::xml_node InsertInOrder(pugi::xml_node parent, const char* qualifiedName)
{
    const Order* order = SchemaOrder(LocalName(parent));
    if (order) {
        const auto rank = Rank(*order, LocalPart(qualifiedName));
        for (auto child = parent.first_child(); child && rank >= 0; child = child.next_sibling()) {
            if (child.type() == pugi::node_element && Rank(*order, LocalName(child)) > rank) {
                return parent.insert_child_before(qualifiedName, child);
            }
        }
    }
    return parent.append_child(qualifiedName);
}

void RemoveChildren(pugi::xml_node parent, std::initializer_list<std::string_view> localNames)
{
    for (auto child = parent.first_child(); child;) {
        const auto next = child.next_sibling();
        if (IsAnyOf(child, localNames)) {
            parent.remove_child(child);
        }
        child = next;
    }
}

std::int64_t IntAttribute(pugi::xml_node node, const char* name, std::int64_t fallback)
{
    const char* text = node.attribute(name).value();
    const char* end = text + std::strlen(text);
    std::int64_t value = 0;
    const auto [rest, error] = std::from_chars(text, end, value);
    return error == std::errc() && rest == end && rest != text ? value : fallback;
}

double NumberAttribute(pugi::xml_node node, const char* name, double fallback)
{
    const auto missing = std::numeric_limits<std::int64_t>::min();
    const auto value = IntAttribute(node, name, missing);
    return value == missing ? fallback : static_cast<double>(value);
}

bool BoolAttribute(pugi::xml_node node, const char* name, bool fallback)
{
    const std::string_view text = node.attribute(name).value();
    if (text == "1" || text == "true" || text == "on") return true;
    if (text == "0" || text == "false" || text == "off") return false;
    return fallback;
}

void SetAttribute(pugi::xml_node node, const char* name, std::int64_t value)
{
    SetAttribute(node, name, std::to_string(value).c_str());
}

void SetAttribute(pugi::xml_node node, const char* name, const char* value)
{
    auto attribute = node.attribute(name);
    if (!attribute) {
        attribute = node.append_attribute(name);
    }
    attribute.set_value(value);
}

void EnsureNamespace(pugi::xml_node anyNode, const char* prefix, const char* uri)
{
    auto root = anyNode.root().first_child();
    while (root && root.type() != pugi::node_element) {
        root = root.next_sibling();
    }
    const std::string attribute = std::string("xmlns:") + prefix;
    if (root && !root.attribute(attribute.c_str())) {
        root.append_attribute(attribute.c_str()).set_value(uri);
    }
}

}  // namespace velmora::pptx::shapes
