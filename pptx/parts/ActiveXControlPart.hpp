#pragma once

#include <optional>
#include <string>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// An ActiveX control part (<ax:ocx>): the control's class, how it persists,
// and its named properties (<ax:ocxPr>). A control that persists to its
// property bag is loaded from those properties; one that persists to a
// storage is loaded from a binary part related to this one.
class ActiveXControlPart : public XmlPart {
public:
    using XmlPart::XmlPart;

    // The part's content for a new control persisting to its property bag.
    static std::string Content(const std::string& classId);

    std::string ClassId();
    std::optional<std::string> Property(const std::string& name);
    void SetProperty(const std::string& name, const std::string& value);

    // The binary part with the persisted data; none when the control keeps none.
    std::optional<std::string> BinaryPart();
    // The relationship to that part; none when the control keeps none.
    std::optional<std::string> StorageId();
    // Persists the control to the storage related by `storageId`, or, with
    // none, to its property bag.
    void SetStorage(const std::optional<std::string>& storageId);
};

}  // namespace velmora::pptx::parts
