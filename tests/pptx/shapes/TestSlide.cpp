#include "TestSlide.hpp"

#include <sstream>

#include "host/HostError.hpp"

namespace velmora::pptx::testing {

namespace {

const char* kNamespaces =
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";

// A master whose title style says 44 pt and body style 32 pt, bold titles.
const char* kMaster =
    "<p:txStyles>"
    "<p:titleStyle><a:lvl1pPr><a:defRPr sz=\"4400\" b=\"1\"><a:latin typeface=\"Title Face\"/></a:defRPr>"
    "</a:lvl1pPr></p:titleStyle>"
    "<p:bodyStyle><a:lvl1pPr algn=\"l\"><a:defRPr sz=\"3200\"><a:solidFill><a:srgbClr val=\"112233\"/></a:solidFill>"
    "</a:defRPr></a:lvl1pPr><a:lvl2pPr><a:defRPr sz=\"2800\"/></a:lvl2pPr></p:bodyStyle>"
    "<p:otherStyle><a:defPPr><a:defRPr lang=\"en-US\"/></a:defPPr></p:otherStyle>"
    "</p:txStyles>";

void Load(pugi::xml_document& document, const std::string& xml)
{
    const auto result = document.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result) {
        throw std::runtime_error(std::string("test XML is broken: ") + result.description() + "\n" + xml);
    }
}

std::string SlideXml(const std::string& shapesXml)
{
    return std::string("<p:sld") + kNamespaces + "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/>"
           "<p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>" + shapesXml + "</p:spTree></p:cSld></p:sld>";
}

}  // namespace

std::shared_ptr<TestSlide> TestSlide::Make(const std::string& shapesXml, const std::string& layoutXml)
{
    auto slide = std::make_shared<TestSlide>();
    Load(slide->slide_, SlideXml(shapesXml));
    Load(slide->layout_, SlideXml(layoutXml));
    Load(slide->master_, std::string("<p:sldMaster") + kNamespaces + ">" + kMaster + "</p:sldMaster>");
    return slide;
}

pugi::xml_node TestSlide::ShapeTree()
{
    return slide_.child("p:sld").child("p:cSld").child("p:spTree");
}

std::string TestSlide::AddImage(const std::filesystem::path& picture)
{
    if (!std::filesystem::is_regular_file(picture)) {
        throw host::HostError("no picture at " + picture.string());
    }
    images.push_back(picture);
    return "rIdImage" + std::to_string(images.size());
}

std::string TestSlide::RelationshipTarget(const std::string& relationshipId)
{
    return "/ppt/media/" + relationshipId;
}

// Layout placeholders match by type, else by index, as the presentation program matches them.
std::vector<pugi::xml_node> TestSlide::PlaceholderChain(pugi::xml_node placeholderShape)
{
    const auto ph = placeholderShape.child("p:nvSpPr").child("p:nvPr").child("p:ph");
    for (auto shape : layout_.child("p:sld").child("p:cSld").child("p:spTree").children("p:sp")) {
        const auto candidate = shape.child("p:nvSpPr").child("p:nvPr").child("p:ph");
        if (candidate && std::string(candidate.attribute("type").value()) == ph.attribute("type").value() &&
            std::string(candidate.attribute("idx").value()) == ph.attribute("idx").value()) {
            return {shape};
        }
    }
    return {};
}

pugi::xml_node TestSlide::MasterTextStyle(const std::string& kind)
{
    return master_.child("p:sldMaster").child("p:txStyles").child(("p:" + kind + "Style").c_str());
}

void TestSlide::Select(const std::vector<pugi::xml_node>& shapes, bool replace)
{
    if (replace) {
        selected.clear();
    }
    for (auto shape : shapes) {
        for (auto part : shape.children()) {
            if (auto properties = part.child("p:cNvPr")) {
                selected.push_back(properties.attribute("name").value());
            }
        }
    }
}

host::Ref<host::Tags> TestSlide::ShapeTags(pugi::xml_node)
{
    throw host::HostError("tags are not kept by the test slide");
}

host::Ref<host::Shapes> TestSlide::Shapes()
{
    return MakeShapes(shared_from_this());
}

host::Ref<host::Shape> TestSlide::Shape(const std::string& name)
{
    return Shapes()->Item(name);
}

std::string TestSlide::Xml() const
{
    std::ostringstream out;
    slide_.save(out, "", pugi::format_raw);
    return out.str();
}

pugi::xml_node TestSlide::Find(const std::string& xpath) const
{
    return slide_.select_node(xpath.c_str()).node();
}

std::string Sp(int id, const std::string& name, const std::string& body, const std::string& nvExtra,
               const std::string& cNvSpPr)
{
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name + "\"/>" + cNvSpPr +
           "<p:nvPr>" + nvExtra + "</p:nvPr></p:nvSpPr>" + body + "</p:sp>";
}

std::string Xfrm(long long x, long long y, long long cx, long long cy)
{
    return "<a:xfrm><a:off x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"/><a:ext cx=\"" +
           std::to_string(cx) + "\" cy=\"" + std::to_string(cy) + "\"/></a:xfrm>";
}

}  // namespace velmora::pptx::testing
