#pragma once

#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "host/Shape.hpp"
#include "pptx/shapes/ShapeTree.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// The members of a group, in tree order.
class DocumentGroupShapes : public host::GroupShapes {
public:
    DocumentGroupShapes(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node group);

    int Count() const override;
    host::Ref<host::Shape> Item(int index) override;

private:
    const std::vector<pugi::xml_node>& Members() const;

    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node group_;
    mutable WalkedShapes walked_;
};

}  // namespace velmora::pptx::shapes
