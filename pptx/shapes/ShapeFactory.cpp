#include "host/HostError.hpp"
#include "pptx/shapes/DocumentShape.hpp"
#include "pptx/shapes/DocumentShapeRange.hpp"
#include "pptx/shapes/DocumentTextRange.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeTree.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"

namespace velmora::pptx {

host::Ref<host::Shapes> MakeShapes(const std::shared_ptr<ShapeTreeOwner>& owner)
{
    return std::make_shared<shapes::DocumentShapes>(owner);
}

host::Ref<host::Shape> MakeShape(const std::shared_ptr<ShapeTreeOwner>& owner, pugi::xml_node shape)
{
    return std::make_shared<shapes::DocumentShape>(owner, shape);
}

host::Ref<host::ShapeRange> MakeShapeRange(const std::shared_ptr<ShapeTreeOwner>& owner,
                                           const std::vector<pugi::xml_node>& shapes)
{
    return std::make_shared<shapes::DocumentShapeRange>(owner, shapes);
}

host::Ref<host::TextRange> MakeTextRange(const std::shared_ptr<ShapeTreeOwner>& owner, pugi::xml_node shape)
{
    if (!shapes::Is(shape, "sp")) {
        throw host::HostError("the shape \"" + shapes::ShapeNameOf(shape) + "\" holds no text");
    }
    return std::make_shared<shapes::DocumentTextRange>(std::vector<shapes::TextSite>{{owner, shape}});
}

host::Ref<host::TextRange> MakeTextRange(const std::shared_ptr<ShapeTreeOwner>& owner,
                                         const std::vector<pugi::xml_node>& shapes)
{
    std::vector<shapes::TextSite> sites;
    for (auto holder : shapes::TextHolders(shapes)) {
        sites.push_back({owner, holder});
    }
    if (sites.empty()) {
        throw host::HostError("none of the selected shapes holds text");
    }
    return std::make_shared<shapes::DocumentTextRange>(std::move(sites));
}

}  // namespace velmora::pptx
