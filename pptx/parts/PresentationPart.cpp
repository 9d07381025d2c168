#include "pptx/parts/PresentationPart.hpp"

#include <algorithm>
#include <limits>
#include <string_view>

#include "pptx/xml/Elements.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::parts {

namespace {

constexpr std::string_view kPresentationOrder[] = {
    "p:sldMasterIdLst", "p:notesMasterIdLst", "p:handoutMasterIdLst", "p:sldIdLst",      "p:sldSz",
    "p:notesSz",        "p:smartTags",        "p:embeddedFontLst",    "p:custShowLst",   "p:photoAlbum",
    "p:custDataLst",    "p:kinsoku",          "p:defaultTextStyle",   "p:modifyVerifier", "p:extLst"};

// Slide ids start at 256 in the file format.
constexpr unsigned kFirstSlideId = 256;

}  // namespace

pugi::xml_node PresentationPart::SlideList(bool create)
{
    pugi::xml_node list = Root().child("p:sldIdLst");
    return (list || !create) ? list : xml::InsertInOrder(Root(), "p:sldIdLst", kPresentationOrder);
}

const std::vector<SlideEntry>& PresentationPart::Slides()
{
    if (!slides_) {
        slides_.emplace();
        for (pugi::xml_node slide : SlideList(false).children("p:sldId")) {
            slides_->push_back(SlideEntry{xml::NumberAttribute<unsigned>(slide, "id", 0), slide.attribute("r:id").value()});
        }
    }
    return *slides_;
}

// Asked once for every slide of a loop over the deck: a search of the list
// each time would make the loop quadratic.
std::optional<std::size_t> PresentationPart::PositionOf(unsigned slideId)
{
    if (!positions_) {
        const auto& slides = Slides();
        positions_.emplace();
        for (std::size_t position = 0; position < slides.size(); ++position) {
            positions_->emplace(slides[position].id, position);
        }
    }
    const auto found = positions_->find(slideId);
    if (found == positions_->end()) {
        return std::nullopt;
    }
    return found->second;
}

unsigned PresentationPart::InsertSlide(std::size_t position, const std::string& relationshipId)
{
    Slides();
    unsigned id = kFirstSlideId;
    for (const SlideEntry& entry : *slides_) {
        id = std::max(id, entry.id + 1);
    }
    pugi::xml_node list = SlideList(true);
    pugi::xml_node node;
    if (position < slides_->size()) {
        pugi::xml_node before = list.find_child_by_attribute("p:sldId", "id", std::to_string((*slides_)[position].id).c_str());
        node = list.insert_child_before("p:sldId", before);
    } else {
        node = list.append_child("p:sldId");
    }
    node.append_attribute("id") = id;
    node.append_attribute("r:id") = relationshipId.c_str();
    slides_->insert(slides_->begin() + static_cast<std::ptrdiff_t>(std::min(position, slides_->size())),
                    SlideEntry{id, relationshipId});
    positions_.reset();
    Touch();
    return id;
}

void PresentationPart::RemoveSlides(const std::unordered_set<unsigned>& slideIds)
{
    Slides();
    std::unordered_set<std::string> relationshipIds;
    for (const SlideEntry& entry : *slides_) {
        if (slideIds.contains(entry.id)) {
            relationshipIds.insert(entry.relationshipId);
        }
    }
    if (relationshipIds.empty()) {
        return;
    }
    pugi::xml_node list = SlideList(false);
    std::vector<pugi::xml_node> listed;
    for (pugi::xml_node slide : list.children("p:sldId")) {
        if (slideIds.contains(xml::NumberAttribute<unsigned>(slide, "id", 0))) {
            listed.push_back(slide);
        }
    }
    for (pugi::xml_node slide : listed) {
        list.remove_child(slide);
    }
    if (!xml::HasElementChildren(list)) {
        Root().remove_child(list);
    }
    std::erase_if(*slides_, [&](const SlideEntry& entry) { return slideIds.contains(entry.id); });
    positions_.reset();
    ForgetSlidesElsewhere(slideIds, relationshipIds);
    Touch();
}

// Custom shows name slides by relationship and sections by slide id; both
// must lose a deleted slide or the file no longer opens cleanly.
void PresentationPart::ForgetSlidesElsewhere(const std::unordered_set<unsigned>& slideIds,
                                             const std::unordered_set<std::string>& relationshipIds)
{
    std::vector<pugi::xml_node> stale;
    for (pugi::xpath_node found : Root().select_nodes("p:custShowLst/p:custShow/p:sldLst/p:sld")) {
        if (relationshipIds.contains(found.node().attribute("r:id").value())) {
            stale.push_back(found.node());
        }
    }
    for (pugi::xpath_node found : Root().select_nodes("p:extLst//*[local-name()='sldId']")) {
        if (slideIds.contains(xml::NumberAttribute<unsigned>(found.node(), "id", 0))) {
            stale.push_back(found.node());
        }
    }
    for (pugi::xml_node node : stale) {
        node.parent().remove_child(node);
    }
}

SlideSize PresentationPart::Size()
{
    pugi::xml_node size = Root().child("p:sldSz");
    return SlideSize{xml::NumberAttribute<std::int64_t>(size, "cx", 9144000),
                     xml::NumberAttribute<std::int64_t>(size, "cy", 6858000), size.attribute("type").value()};
}

std::optional<std::string> PresentationPart::MalformedSizeSide()
{
    constexpr std::int64_t kUnread = std::numeric_limits<std::int64_t>::min();
    const pugi::xml_node size = Root().child("p:sldSz");
    for (const char* side : {"cx", "cy"}) {
        const pugi::xml_attribute attribute = size.attribute(side);
        if (attribute && xml::NumberAttribute<std::int64_t>(size, side, kUnread) == kUnread) {
            return std::string(side) + "=\"" + attribute.value() + "\"";
        }
    }
    return std::nullopt;
}

void PresentationPart::SetSize(const SlideSize& size)
{
    pugi::xml_node node = xml::ChildInOrder(Root(), "p:sldSz", kPresentationOrder);
    xml::SetAttribute(node, "cx", std::to_string(size.width).c_str());
    xml::SetAttribute(node, "cy", std::to_string(size.height).c_str());
    if (size.type.empty()) {
        node.remove_attribute("type");
    } else {
        xml::SetAttribute(node, "type", size.type.c_str());
    }
    Touch();
}

std::vector<std::string> PresentationPart::MasterParts()
{
    std::vector<std::string> masters;
    for (pugi::xml_node master : Root().child("p:sldMasterIdLst").children("p:sldMasterId")) {
        masters.push_back(RelatedPart(master.attribute("r:id").value()));
    }
    return masters;
}

std::optional<std::string> PresentationPart::NotesMasterPart()
{
    pugi::xml_node master = Root().child("p:notesMasterIdLst").child("p:notesMasterId");
    if (!master) {
        return std::nullopt;
    }
    return RelatedPart(master.attribute("r:id").value());
}

void PresentationPart::SetNotesMaster(const std::string& relationshipId)
{
    pugi::xml_node list = xml::ChildInOrder(Root(), "p:notesMasterIdLst", kPresentationOrder);
    list.remove_children();
    list.append_child("p:notesMasterId").append_attribute("r:id") = relationshipId.c_str();
    xml::EnsureNamespace(Root(), "r", ooxml::kRelationshipsNs);
    Touch();
}

}  // namespace velmora::pptx::parts
