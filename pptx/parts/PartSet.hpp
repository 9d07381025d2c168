#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <string>

#include "host/HostError.hpp"
#include "pptx/package/Package.hpp"
#include "pptx/package/PartName.hpp"
#include "pptx/parts/XmlPart.hpp"

namespace velmora::pptx::parts {

// The package with its XML parts, each made (and parsed) on first use and
// shared by everyone who uses it. Of the many slide-like parts, only the
// recently used ones stay parsed; the rest wait as file content.
class PartSet {
public:
    explicit PartSet(std::unique_ptr<package::Package> package) : package_(std::move(package)) {}

    package::Package& Package() { return *package_; }

    // The part `name` as a `Part`; raises the host error when the package lacks it.
    template <typename Part>
    std::shared_ptr<Part> Get(const std::string& name)
    {
        if (auto found = parts_.find(name); found != parts_.end()) {
            if (auto typed = std::dynamic_pointer_cast<Part>(found->second)) {
                Used(typed);
                return typed;
            }
            throw host::HostError(package_->Describe(name) + " is not the kind of part expected there");
        }
        if (!package_->Contains(name)) {
            throw host::HostError(package_->Describe(name) + " is missing");
        }
        auto part = std::make_shared<Part>(*package_, name);
        parts_.emplace(name, part);
        Used(part);
        return part;
    }

    // A part made with fresh content (`Part`(package, name, content)), not yet registered.
    template <typename Part>
    std::shared_ptr<Part> Make(const std::string& name, std::string content)
    {
        return std::make_shared<Part>(*package_, name, std::move(content));
    }

    // The tree of a part made and parsed now, else nullptr; never parses.
    const pugi::xml_document* Parsed(const std::string& name) const
    {
        const auto found = parts_.find(name);
        return found == parts_.end() ? nullptr : found->second->Parsed();
    }

    // Registers a part made with Make under its content type.
    void Add(const std::shared_ptr<XmlPart>& part, const std::string& contentType);
    // Removes a part with its relationships and content-type override.
    void Remove(const std::string& name);
    // Removes every part nothing refers to any more (Package::RemoveUnreachableParts).
    void RemoveUnreachable();

    // Writes every changed part into the package and the package to `target`.
    void Save(const std::filesystem::path& target);

    // The package with every changed part written into it, as it is now.
    std::shared_ptr<const package::Package::State> Keep();
    // Puts a kept state back; parts are made again when next used.
    void Restore(const package::Package::State& state);

private:
    void FlushParts();

    // Notes a use, and releases the parsed XML of the least recently used
    // releasable part that nobody else holds.
    void Used(const std::shared_ptr<XmlPart>& part);

    std::unique_ptr<package::Package> package_;
    package::CaselessMap<std::shared_ptr<XmlPart>> parts_;
    std::deque<std::weak_ptr<XmlPart>> recent_;
};

}  // namespace velmora::pptx::parts
