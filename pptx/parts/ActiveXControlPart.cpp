#include "pptx/parts/ActiveXControlPart.hpp"

#include "pptx/package/XmlText.hpp"
#include "pptx/xml/Elements.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::parts {

std::string ActiveXControlPart::Content(const std::string& classId)
{
    pugi::xml_document document;
    auto declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "yes";
    auto ocx = document.append_child("ax:ocx");
    ocx.append_attribute("xmlns:ax") = ooxml::kActiveXNs;
    ocx.append_attribute("xmlns:r") = ooxml::kRelationshipsNs;
    ocx.append_attribute("ax:classid") = classId.c_str();
    ocx.append_attribute("ax:persistence") = "persistPropertyBag";
    return package::SerialiseXml(document);
}

std::string ActiveXControlPart::ClassId()
{
    return Root().attribute("ax:classid").value();
}

std::optional<std::string> ActiveXControlPart::Property(const std::string& name)
{
    for (auto property : Root().children("ax:ocxPr")) {
        if (name == property.attribute("ax:name").value()) {
            return property.attribute("ax:value").value();
        }
    }
    return std::nullopt;
}

void ActiveXControlPart::SetProperty(const std::string& name, const std::string& value)
{
    pugi::xml_node found;
    for (auto property : Root().children("ax:ocxPr")) {
        if (name == property.attribute("ax:name").value()) {
            found = property;
            break;
        }
    }
    if (!found) {
        found = Root().append_child("ax:ocxPr");
        found.append_attribute("ax:name") = name.c_str();
    }
    xml::SetAttribute(found, "ax:value", value.c_str());
    Touch();
}

std::optional<std::string> ActiveXControlPart::BinaryPart()
{
    const std::optional<std::string> id = StorageId();
    return id ? std::optional<std::string>(RelatedPart(*id)) : std::nullopt;
}

std::optional<std::string> ActiveXControlPart::StorageId()
{
    const char* id = Root().attribute("r:id").value();
    return *id == '\0' ? std::nullopt : std::optional<std::string>(id);
}

void ActiveXControlPart::SetStorage(const std::optional<std::string>& storageId)
{
    xml::SetAttribute(Root(), "ax:persistence", storageId ? "persistStorage" : "persistPropertyBag");
    if (storageId) {
        xml::EnsureNamespace(Root(), "r", ooxml::kRelationshipsNs);
        xml::SetAttribute(Root(), "r:id", storageId->c_str());
    } else {
        Root().remove_attribute("r:id");
    }
    Touch();
}

}  // namespace velmora::pptx::parts
