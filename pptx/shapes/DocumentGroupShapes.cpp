#include "pptx/shapes/DocumentGroupShapes.hpp"

#include <utility>

#include "pptx/shapes/DocumentShape.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/TableCollections.hpp"

namespace velmora::pptx::shapes {

DocumentGroupShapes::DocumentGroupShapes(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node group)
    : owner_(std::move(owner)), group_(group)
{
}

const std::vector<pugi::xml_node>& DocumentGroupShapes::Members() const
{
    return walked_.Get(*owner_, [this] { return ChildShapes(group_); });
}

int DocumentGroupShapes::Count() const
{
    return static_cast<int>(Members().size());
}

host::Ref<host::Shape> DocumentGroupShapes::Item(int index)
{
    return std::make_shared<DocumentShape>(owner_, ItemAt(Members(), index, "group item"));
}

}  // namespace velmora::pptx::shapes
