#include "pptx/shapes/ShapeGrouping.hpp"

#include <algorithm>
#include <limits>

#include "host/HostError.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeGeometry.hpp"
#include "pptx/shapes/ShapeProperties.hpp"
#include "pptx/shapes/ShapeTemplates.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/xml/RelationshipIds.hpp"

namespace velmora::pptx::shapes {

namespace {

std::vector<pugi::xml_node> InTreeOrder(const std::vector<pugi::xml_node>& members)
{
    std::vector<pugi::xml_node> outers;
    for (auto member : members) {
        outers.push_back(OuterElement(member));
    }
    std::vector<pugi::xml_node> ordered;
    for (auto child : ParentTree(members.front()).children()) {
        const auto found = std::find(outers.begin(), outers.end(), child);
        if (found != outers.end()) {
            ordered.push_back(members[static_cast<std::size_t>(found - outers.begin())]);
        }
    }
    return ordered;
}

void CheckGroupable(const std::vector<pugi::xml_node>& members)
{
    if (members.size() < 2) {
        throw host::HostError("grouping needs at least two shapes");
    }
    const auto parent = ParentTree(members.front());
    for (auto member : members) {
        if (ParentTree(member) != parent) {
            throw host::HostError("only shapes of the same slide or group can be grouped");
        }
    }
    if (InTreeOrder(members).size() != members.size()) {
        throw host::HostError("a shape cannot be grouped twice");
    }
}

Box Bounds(ShapeTreeOwner& owner, const std::vector<pugi::xml_node>& members)
{
    double left = std::numeric_limits<double>::max(), top = left;
    double right = std::numeric_limits<double>::lowest(), bottom = right;
    for (auto member : members) {
        const auto box = LocalBox(owner, member);
        left = std::min(left, box.left);
        top = std::min(top, box.top);
        right = std::max(right, box.left + box.width);
        bottom = std::max(bottom, box.top + box.height);
    }
    return {left, top, right - left, bottom - top};
}

// A member filled "as its group" keeps the look of the group's fill.
void ResolveGroupFill(pugi::xml_node member, pugi::xml_node group)
{
    if (!IsAnyOf(member, {"sp", "pic", "cxnSp"})) {
        return;
    }
    auto properties = PropertiesOf(member);
    const auto memberFill = FillOf(properties);
    if (!Is(memberFill, "grpFill")) {
        return;
    }
    const auto groupFill = FillOf(PropertiesOf(group));
    if (groupFill && !Is(groupFill, "grpFill")) {
        properties.insert_copy_before(groupFill, memberFill);
    }
    properties.remove_child(memberFill);
}

void CollectIds(pugi::xml_node shape, std::vector<unsigned>& ids)
{
    ids.push_back(ShapeIdOf(shape));
    if (IsGroup(shape)) {
        for (auto member : ChildShapes(shape)) {
            CollectIds(member, ids);
        }
    }
}

}  // namespace

pugi::xml_node GroupShapes(ShapeTreeOwner& owner, const std::vector<pugi::xml_node>& members)
{
    CheckGroupable(members);
    const auto ordered = InTreeOrder(members);
    for (auto member : ordered) {
        // A placeholder placed by its layout keeps its place inside the group.
        WriteXfrm(member, LocalBox(owner, member));
    }
    auto group = NewGroup(OuterElement(ordered.back()), owner.NextShapeId(), Bounds(owner, ordered));
    for (auto member : ordered) {
        group.append_move(OuterElement(member));
    }
    owner.Touch();
    return group;
}

std::vector<pugi::xml_node> UngroupShape(ShapeTreeOwner& owner, pugi::xml_node group)
{
    const auto mapping = GroupChildMapping(group);
    const auto place = OuterElement(group);
    auto parent = place.parent();
    const auto members = ChildShapes(group);
    for (auto member : members) {
        WriteXfrm(member, mapping.Apply(LocalBox(owner, member)));
        ResolveGroupFill(member, group);
        parent.insert_move_before(OuterElement(member), place);
    }
    const auto id = ShapeIdOf(group);
    parent.remove_child(place);
    owner.ShapeRemoved(id);
    owner.Touch();
    return members;
}

void RemoveShape(ShapeTreeOwner& owner, pugi::xml_node shape)
{
    std::vector<unsigned> ids;
    CollectIds(shape, ids);
    const auto outer = OuterElement(shape);
    const auto relationships = xml::RelationshipIdsIn(outer);
    outer.parent().remove_child(outer);
    for (auto id : ids) {
        owner.ShapeRemoved(id);
    }
    if (!relationships.empty()) {
        owner.ReleaseRelationships(relationships);
    }
    owner.Touch();
}

}  // namespace velmora::pptx::shapes
