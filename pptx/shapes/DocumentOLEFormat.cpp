#include "pptx/shapes/DocumentOLEFormat.hpp"

#include "host/HostError.hpp"
#include "pptx/shapes/ShapeElement.hpp"

namespace velmora::pptx::shapes {

DocumentOLEFormat::DocumentOLEFormat(pugi::xml_node shape) : object_(EmbeddedObjectOf(shape))
{
    if (!object_) {
        throw host::HostError("the shape \"" + ShapeNameOf(shape) + "\" is no embedded object");
    }
}

std::string DocumentOLEFormat::ProgID() const
{
    return object_.attribute("progId").value();
}

// A control's properties live in its own part, out of this layer's reach for now.
std::string DocumentOLEFormat::Property(const std::string& name) const
{
    throw host::HostError("reading the object property \"" + name + "\" is not supported yet");
}

void DocumentOLEFormat::SetProperty(const std::string& name, const std::string&)
{
    throw host::HostError("setting the object property \"" + name + "\" is not supported yet");
}

}  // namespace velmora::pptx::shapes
