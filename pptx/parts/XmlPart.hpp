#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "pptx/package/Package.hpp"
#include "pptx/package/XmlText.hpp"

namespace velmora::pptx::parts {

// One XML part of the package, parsed on first use and written back only
// when it was changed.
class XmlPart {
public:
    // A part of the package, read when first used.
    XmlPart(package::Package& package, std::string name);
    // A part with fresh content that the package does not hold yet.
    XmlPart(package::Package& package, std::string name, std::string content);
    virtual ~XmlPart();
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    const std::string& Name() const { return name_; }
    pugi::xml_document& Document();
    pugi::xml_node Root() { return Document().document_element(); }
    // The tree when the part is parsed now, else nullptr; never parses.
    const pugi::xml_document* Parsed() const { return xml_ ? &xml_->document : nullptr; }

    void Touch();
    // A change to the content of elements that adds, removes and moves none:
    // lists of the part's elements that readers keep stay valid.
    void TouchContent() { changed_ = true; }
    bool Changed() const { return changed_; }
    // Differs after every Touch, parse and release, and between parts: a list of
    // elements taken at one revision is valid while the revision stays.
    unsigned long Revision() const { return revision_; }
    // Writes the XML into the package when it was changed.
    void Flush();
    // Flushes and drops the parsed XML, to be parsed again when next used.
    // Only for parts nobody holds nodes of.
    void Release();
    // Parts a deck has many of, whose parsed XML is worth dropping when unused.
    virtual bool Releasable() const { return false; }

    package::Relationships& Relationships() { return package_.RelationshipsOf(name_); }
    // The part an internal relationship of this part points at; raises the
    // host error when the id is unknown or the part is missing.
    std::string RelatedPart(std::string_view relationshipId);
    // The first part related by `type`, if any; raises when it is missing.
    std::optional<std::string> RelatedPartOfType(std::string_view type);
    std::string Describe() const { return package_.Describe(name_); }

protected:
    // The part's bytes as the XML to parse, and the serialised XML as the
    // bytes to store: for parts whose writers put more than XML into them.
    virtual std::string Parseable(std::string stored) { return stored; }
    virtual std::string Storable(std::string serialised) { return serialised; }

    package::Package& package_;

private:
    std::string CheckedTarget(const package::Relationship& relationship);

    std::string name_;
    std::unique_ptr<package::XmlDocument> xml_;
    bool changed_ = false;
    unsigned long revision_;
};

}  // namespace velmora::pptx::parts
