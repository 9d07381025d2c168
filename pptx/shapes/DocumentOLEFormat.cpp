#include "pptx/shapes/DocumentOLEFormat.hpp"

#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"

namespace velmora::pptx::shapes {

DocumentOLEFormat::DocumentOLEFormat(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node shape)
    : owner_(std::move(owner)), object_(EmbeddedObjectOf(shape))
{
    if (!object_) {
        throw host::HostError("the shape \"" + ShapeNameOf(shape) + "\" is no embedded object");
    }
}

bool DocumentOLEFormat::IsControl() const
{
    return Is(object_, "control");
}

std::string DocumentOLEFormat::ControlId() const
{
    return object_.attribute("r:id").value();
}

std::string DocumentOLEFormat::ProgID() const
{
    return IsControl() ? owner_->ControlProgID(ControlId()) : object_.attribute("progId").value();
}

// An embedded document's own properties live inside its data, out of reach.
std::string DocumentOLEFormat::Property(const std::string& name) const
{
    if (!IsControl()) {
        throw host::HostError("reading the object property \"" + name + "\" is not supported");
    }
    return owner_->ControlProperty(ControlId(), name);
}

void DocumentOLEFormat::SetProperty(const std::string& name, const std::string& value)
{
    if (!IsControl()) {
        throw host::HostError("setting the object property \"" + name + "\" is not supported");
    }
    owner_->SetControlProperty(ControlId(), name, value);
}

}  // namespace velmora::pptx::shapes
