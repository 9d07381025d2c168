#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "pptx/package/PartName.hpp"
#include "pptx/package/XmlText.hpp"

namespace velmora::pptx::package {

// [Content_Types].xml: default types by extension and overrides by part name.
class ContentTypes {
public:
    // An empty table, for a new package.
    ContentTypes();
    ContentTypes(std::string bytes, const std::string& what);

    // "" when the package gives the part no type.
    std::string TypeOf(std::string_view part) const;
    void SetOverride(std::string_view part, std::string_view type);
    void RemoveOverride(std::string_view part);
    // Adds a default for the extension unless there is one.
    void EnsureDefault(std::string_view extension, std::string_view type);
    // Gives a part without a type `type` the way the table types its kind:
    // by name when it lists parts of that extension only by name, else by a
    // default for the extension.
    void EnsureTypeOf(std::string_view part, std::string_view type);

    bool Changed() const { return changed_; }
    // The package holds the content types as they are now.
    void Written() { changed_ = false; }
    std::string Serialise() const;

private:
    // Opening a deck looks up one type; the index of a large deck's
    // thousands of overrides is made for callers that look up more, or change them.
    static constexpr int kLookupsBeforeIndex = 4;

    void Index() const;
    std::string ScannedTypeOf(std::string_view part) const;

    std::unique_ptr<XmlDocument> xml_;
    mutable CaselessMap<pugi::xml_node> overrides_;
    mutable CaselessMap<pugi::xml_node> defaults_;
    mutable bool indexed_ = false;
    mutable int lookups_ = 0;
    bool changed_ = false;
};

}  // namespace velmora::pptx::package
