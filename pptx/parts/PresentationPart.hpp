#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

struct SlideEntry {
    unsigned id = 0;
    std::string relationshipId;
};

struct SlideSize {
    std::int64_t width = 0;   // EMU
    std::int64_t height = 0;  // EMU
    std::string type;         // the sldSz type attribute, "" when absent
};

// /ppt/presentation.xml: the slide list, slide size and masters.
class PresentationPart : public XmlPart {
public:
    using XmlPart::XmlPart;

    // The slides in presentation order.
    const std::vector<SlideEntry>& Slides();
    std::optional<std::size_t> PositionOf(unsigned slideId);
    // Adds a slide entry at `position` (0-based) and returns its new slide id.
    unsigned InsertSlide(std::size_t position, const std::string& relationshipId);
    // Removes the entries of these slides in one pass; ids not listed are ignored.
    void RemoveSlides(const std::unordered_set<unsigned>& slideIds);

    SlideSize Size();
    // The side of the slide size written as no whole number ("cx=\"abc\""),
    // which Size would read as the default.
    std::optional<std::string> MalformedSizeSide();
    void SetSize(const SlideSize& size);

    std::vector<std::string> MasterParts();
    std::optional<std::string> NotesMasterPart();
    void SetNotesMaster(const std::string& relationshipId);

private:
    pugi::xml_node SlideList(bool create);
    void ForgetSlidesElsewhere(const std::unordered_set<unsigned>& slideIds,
                               const std::unordered_set<std::string>& relationshipIds);

    std::optional<std::vector<SlideEntry>> slides_;
    // Slide id to position in slides_, the first when a foreign deck repeats an id.
    std::optional<std::unordered_map<unsigned, std::size_t>> positions_;
};

}  // namespace velmora::pptx::parts
