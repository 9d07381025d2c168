#include "pptx/parts/XmlPart.hpp"

#include "host/HostError.hpp"

namespace velmora::pptx::parts {

XmlPart::XmlPart(package::Package& package, std::string name) : package_(package), name_(std::move(name)) {}

XmlPart::XmlPart(package::Package& package, std::string name, std::string content)
    : package_(package), name_(std::move(name)), changed_(true)
{
    xml_ = package::ParseXml(std::move(content), Describe());
}

XmlPart::~XmlPart() = default;

pugi::xml_document& XmlPart::Document()
{
    if (!xml_) {
        xml_ = package::ParseXml(package_.Read(name_), Describe());
    }
    return xml_->document;
}

void XmlPart::Flush()
{
    if (changed_) {
        package_.Write(name_, package::SerialiseXml(Document()));
        changed_ = false;
    }
}

void XmlPart::Release()
{
    Flush();
    xml_.reset();
}

std::string XmlPart::CheckedTarget(const package::Relationship& relationship)
{
    std::string target = Relationships().TargetPart(relationship);
    if (!package_.Contains(target)) {
        throw host::HostError(Describe() + " refers to " + target + ", which is missing");
    }
    return target;
}

std::string XmlPart::RelatedPart(std::string_view relationshipId)
{
    auto relationship = Relationships().ById(relationshipId);
    if (!relationship || relationship->external) {
        throw host::HostError(Describe() + " refers to an unknown relationship \"" + std::string(relationshipId) + "\"");
    }
    return CheckedTarget(*relationship);
}

std::optional<std::string> XmlPart::RelatedPartOfType(std::string_view type)
{
    for (const package::Relationship& relationship : Relationships().OfType(type)) {
        if (!relationship.external) {
            return CheckedTarget(relationship);
        }
    }
    return std::nullopt;
}

}  // namespace velmora::pptx::parts
