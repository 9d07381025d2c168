#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velmora::pptx::package {

struct Relationship {
    std::string id;
    std::string type;
    std::string target;
    bool external = false;
};

// The relationships of one part (a .rels part): a plain list, as the format
// holds nothing else, with an index by id once the list is long, as a
// presentation relates to every slide and each slide is looked up by id.
class Relationships {
public:
    // A part without relationships yet.
    explicit Relationships(std::string sourcePart) : source_(std::move(sourcePart)) {}
    Relationships(std::string sourcePart, std::string bytes, const std::function<std::string()>& what);

    const std::string& SourcePart() const { return source_; }
    const std::vector<Relationship>& All() const { return relationships_; }
    const Relationship* ById(std::string_view id) const;
    std::vector<Relationship> OfType(std::string_view type) const;
    // The part an internal relationship points at (absolute part name).
    std::string TargetPart(const Relationship& relationship) const;

    // Relates the source part to `targetPart` and returns the new id.
    std::string Add(std::string_view type, std::string_view targetPart);
    void Remove(std::string_view id);
    // Removes all of `ids` in one pass over the list.
    void Remove(const std::unordered_set<std::string>& ids);

    bool Empty() const { return relationships_.empty(); }
    bool Changed() const { return changed_; }
    // The package holds the relationships as they are now.
    void Written() { changed_ = false; }
    std::string Serialise() const;

private:
    static constexpr std::size_t kIndexedFrom = 16;

    void IndexIds();

    std::string source_;
    std::vector<Relationship> relationships_;
    std::unordered_map<std::string, std::size_t> positions_;  // the first of each id, in a long list
    unsigned highestNumber_ = 0;
    bool changed_ = false;
};

}  // namespace velmora::pptx::package
