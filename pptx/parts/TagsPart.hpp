#pragma once

#include <optional>
#include <string>

#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// A tags part (<p:tagLst> of <p:tag name val>). Names are stored upper-case
// and matched without regard to case, as the presentation program does.
class TagsPart : public XmlPart {
public:
    using XmlPart::XmlPart;

    int Count();
    // 0-based.
    std::string NameAt(int index);
    std::string ValueAt(int index);
    std::optional<std::string> Find(const std::string& name);
    void Set(const std::string& name, const std::string& value);
    void Delete(const std::string& name);

private:
    pugi::xml_node TagAt(int index);
    pugi::xml_node Tag(const std::string& name);
};

// ASCII upper case, the form tag names are stored in.
std::string TagName(const std::string& name);

}  // namespace velmora::pptx::parts
