#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// The package's custom document properties (docProps/custom.xml): named
// values; those this host writes are text. Elements are matched by local
// name, whatever prefixes the writer chose.
class CustomPropertiesPart : public XmlPart {
public:
    using XmlPart::XmlPart;

    std::vector<std::string> Names();
    // The text of the property's value; none when there is no such property.
    std::optional<std::string> Find(const std::string& name);
    void Set(const std::string& name, const std::string& value);
    void Delete(const std::string& name);

    // A part holding no properties.
    static std::string Empty();

private:
    pugi::xml_node Property(const std::string& name);
    int FreeId();
};

}  // namespace velmora::pptx::parts
