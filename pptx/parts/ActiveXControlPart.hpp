#pragma once

#include <optional>
#include <string>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// An ActiveX control part (<ax:ocx>): the control's class, how it persists,
// and its named properties (<ax:ocxPr>). A control that persists to a
// storage or stream keeps that data in a binary part related to this one.
class ActiveXControlPart : public XmlPart {
public:
    using XmlPart::XmlPart;

    // The part's content for a new control persisting to the storage related by `binaryId`.
    static std::string Content(const std::string& classId, const std::string& binaryId);

    std::string ClassId();
    std::optional<std::string> Property(const std::string& name);
    void SetProperty(const std::string& name, const std::string& value);

    // The binary part with the persisted data; none when the control keeps none.
    std::optional<std::string> BinaryPart();
};

}  // namespace velmora::pptx::parts
