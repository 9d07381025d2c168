#include "pptx/package/PartGraph.hpp"

#include <algorithm>
#include <deque>
#include <set>

#include "pptx/package/XmlText.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::package {

std::vector<std::string> ReachableParts(Package& package)
{
    std::vector<std::string> reached{"/"};
    std::set<std::string> seen{"/"};
    std::deque<std::string> waiting{"/"};
    while (!waiting.empty()) {
        Relationships& relationships = package.RelationshipsOf(waiting.front());
        waiting.pop_front();
        for (const Relationship& relationship : relationships.All()) {
            if (relationship.external) {
                continue;
            }
            std::string target = relationships.TargetPart(relationship);
            if (package.Contains(target) && seen.insert(target).second) {
                reached.push_back(target);
                waiting.push_back(std::move(target));
            }
        }
    }
    return reached;
}

int DropFetchedLinks(Package& package)
{
    int dropped = 0;
    for (const std::string& part : ReachableParts(package)) {
        Relationships& relationships = package.RelationshipsOf(part);
        std::vector<std::string> fetched;
        for (const Relationship& relationship : relationships.All()) {
            if (relationship.external && relationship.type != ooxml::rel::kHyperlink) {
                fetched.push_back(relationship.id);
            }
        }
        for (const std::string& id : fetched) {
            relationships.Remove(id);
        }
        dropped += static_cast<int>(fetched.size());
    }
    return dropped;
}

namespace {

void AddTypefaces(const pugi::xml_document& document, std::vector<std::string>& names)
{
    for (const pugi::xpath_node& node : document.select_nodes("//@typeface")) {
        const std::string name = node.attribute().value();
        if (!name.empty() && name.front() != '+' && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
    }
}

}  // namespace

std::vector<std::string> TypefacesUsed(Package& package, const ParsedPart& parsed)
{
    std::vector<std::string> names;
    for (const std::string& part : ReachableParts(package)) {
        if (part == "/" || !part.ends_with(".xml")) {
            continue;
        }
        if (const pugi::xml_document* tree = parsed ? parsed(part) : nullptr) {
            AddTypefaces(*tree, names);
            continue;
        }
        const auto document = ParseXml(package.Read(part), [&] { return package.Describe(part); });
        AddTypefaces(document->document, names);
    }
    return names;
}

}  // namespace velmora::pptx::package
