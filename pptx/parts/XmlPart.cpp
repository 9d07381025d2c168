#include "pptx/parts/XmlPart.hpp"

#include <algorithm>
#include <atomic>

#include "host/HostError.hpp"

namespace velmora::pptx::parts {

namespace {

// One counter for every part, so that two parts never share a revision.
unsigned long NextRevision()
{
    static std::atomic<unsigned long> revisions{0};
    return ++revisions;
}

}  // namespace

XmlPart::XmlPart(package::Package& package, std::string name)
    : package_(package), name_(std::move(name)), revision_(NextRevision())
{
}

XmlPart::XmlPart(package::Package& package, std::string name, std::string content)
    : package_(package), name_(std::move(name)), changed_(true), revision_(NextRevision())
{
    xml_ = package::ParseXml(std::move(content), Describe());
}

XmlPart::~XmlPart() = default;

pugi::xml_document& XmlPart::Document()
{
    if (!xml_) {
        xml_ = package::ParseXml(Parseable(package_.Read(name_)), [this] { return Describe(); });
        revision_ = NextRevision();
    }
    return xml_->document;
}

void XmlPart::Touch()
{
    changed_ = true;
    revision_ = NextRevision();
}

void XmlPart::Flush()
{
    if (changed_) {
        package_.Write(name_, Storable(package::SerialiseXml(Document())));
        changed_ = false;
    }
}

void XmlPart::Release()
{
    Flush();
    xml_.reset();
    revision_ = NextRevision();
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
    const std::vector<package::Relationship>& all = Relationships().All();
    const auto found = std::find_if(all.begin(), all.end(), [&](const package::Relationship& relationship) {
        return !relationship.external && relationship.type == type;
    });
    return found == all.end() ? std::nullopt : std::optional<std::string>(CheckedTarget(*found));
}

}  // namespace velmora::pptx::parts
