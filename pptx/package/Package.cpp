#include "pptx/package/Package.hpp"

#include <algorithm>
#include <ctime>
#include <system_error>
#include <unordered_set>

#include "host/HostError.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/FileInUse.hpp"
#include "platform/HostSteps.hpp"
#include "pptx/package/PartName.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::package {

namespace {

constexpr const char* kContentTypesEntry = "[Content_Types].xml";

// Readers disagree on which of two equivalent entries is the part: one would
// show what another changed, or keep what it deleted.
[[noreturn]] void RefuseTwice(const std::filesystem::path& file, const std::string& first, const std::string& second)
{
    const std::string spellings = first == second ? "" : " (as \"" + first + "\" and \"" + second + "\")";
    throw host::HostError("cannot open " + file.string() + ": it holds the part " + PartName(second) + " twice" +
                          spellings);
}

}  // namespace

std::unique_ptr<Package> Package::Open(const std::filesystem::path& file)
{
    std::unique_ptr<Package> package(new Package());
    // Taken before reading, so that a change made meanwhile shows at save.
    package->readAs_ = platform::StampOf(file);
    package->source_ = ZipArchive::Open(file);
    const auto& entries = package->source_->Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto [known, added] = package->index_.emplace(entries[i].name, package->entries_.size());
        if (!added) {
            RefuseTwice(file, entries[known->second].name, entries[i].name);
        }
        package->entries_.push_back(Entry{entries[i].name, i, nullptr, false});
    }
    const Entry* types = package->Find(kContentTypesEntry);
    if (types == nullptr) {
        throw host::HostError("cannot open " + file.string() + ": not a presentation (it has no content types)");
    }
    package->types_ = std::make_unique<ContentTypes>(package->source_->Read(*types->sourceIndex),
                                                     package->Describe(kContentTypesEntry));
    return package;
}

std::unique_ptr<Package> Package::Create()
{
    std::unique_ptr<Package> package(new Package());
    package->types_ = std::make_unique<ContentTypes>();
    // Written on save; listed first, as every writer does.
    package->Put(kContentTypesEntry, std::string());
    return package;
}

Package::~Package() = default;

const std::filesystem::path& Package::File() const
{
    static const std::filesystem::path none;
    return source_ ? source_->File() : none;
}

std::string Package::Describe(std::string_view part) const
{
    std::string where = source_ ? source_->File().string() : std::string("the new presentation");
    return std::string(EntryName(part)) + " in " + where;
}

const Package::Entry* Package::Find(std::string_view entryName) const
{
    auto found = index_.find(entryName);
    if (found == index_.end() || entries_[found->second].removed) {
        return nullptr;
    }
    return &entries_[found->second];
}

bool Package::Contains(std::string_view part) const
{
    return Find(EntryName(part)) != nullptr;
}

std::string Package::Read(std::string_view part) const
{
    const Entry* entry = Find(EntryName(part));
    if (entry == nullptr) {
        throw host::HostError(Describe(part) + " is missing");
    }
    return EntryContent(*entry);
}

std::string Package::EntryContent(const Entry& entry) const
{
    if (entry.content) {
        return *entry.content;
    }
    if (platform::StepsWanted()) {
        platform::ReportStep("read " + entry.name);
    }
    return source_->Read(*entry.sourceIndex);
}

std::string Package::Head(std::string_view part, std::size_t bytes) const
{
    const Entry* entry = Find(EntryName(part));
    if (entry == nullptr) {
        throw host::HostError(Describe(part) + " is missing");
    }
    return entry->content ? entry->content->substr(0, bytes) : source_->Head(*entry->sourceIndex, bytes);
}

Package::Entry& Package::Put(std::string_view entryName, std::string content)
{
    auto [found, added] = index_.emplace(std::string(entryName), entries_.size());
    if (added) {
        entries_.push_back(Entry{std::string(entryName), std::nullopt, nullptr, false});
    }
    Entry& entry = entries_[found->second];
    entry.content = std::make_shared<const std::string>(std::move(content));
    entry.removed = false;
    packer_.Submit(entry.content);
    return entry;
}

void Package::Write(std::string_view part, std::string content)
{
    Put(EntryName(part), std::move(content));
}

void Package::Remove(std::string_view part)
{
    std::string relationshipsPart = RelationshipsPartName(part);
    for (const std::string& name : {std::string(part), relationshipsPart}) {
        if (auto found = index_.find(EntryName(name)); found != index_.end()) {
            entries_[found->second].removed = true;
            entries_[found->second].content.reset();
        }
    }
    if (auto found = relationships_.find(part); found != relationships_.end()) {
        relationships_.erase(found);
    }
    types_->RemoveOverride(part);
    smallestFree_.clear();
}

std::optional<CaselessMap<bool>> Package::ReachableParts()
{
    CaselessMap<bool> reached{{"/", true}};
    std::vector<std::string> pending{"/"};
    while (!pending.empty()) {
        const std::string part = std::move(pending.back());
        pending.pop_back();
        try {
            const Relationships& relationships = RelationshipsOf(part);
            for (const Relationship& relationship : relationships.All()) {
                if (relationship.external) {
                    continue;
                }
                std::string target = relationships.TargetPart(relationship);
                if (Contains(target) && reached.emplace(target, true).second) {
                    pending.push_back(std::move(target));
                }
            }
        } catch (const host::HostError&) {
            return std::nullopt;
        }
    }
    return reached;
}

std::vector<std::string> Package::RemoveUnreachableParts()
{
    const auto reached = ReachableParts();
    std::vector<std::string> removed;
    if (!reached) {
        return removed;
    }
    std::vector<std::string> orphanRelationships;
    for (const Entry& entry : entries_) {
        if (entry.removed || entry.name == kContentTypesEntry || entry.name.ends_with('/')) {
            continue;
        }
        const std::string part = PartName(entry.name);
        if (const auto source = RelationshipsSource(part)) {
            if (!reached->contains(*source)) {
                orphanRelationships.push_back(part);
            }
        } else if (!reached->contains(part)) {
            removed.push_back(part);
        }
    }
    for (const std::string& part : removed) {
        Remove(part);
    }
    for (const std::string& part : orphanRelationships) {
        Remove(part);
    }
    return removed;
}

std::vector<std::string> Package::PartsOfType(std::string_view type) const
{
    std::vector<std::string> parts;
    for (const Entry& entry : entries_) {
        if (entry.removed || entry.name == kContentTypesEntry || entry.name.ends_with('/')) {
            continue;
        }
        std::string part = PartName(entry.name);
        if (CaselessEqual()(types_->TypeOf(part), type)) {
            parts.push_back(std::move(part));
        }
    }
    return parts;
}

Relationships& Package::RelationshipsOf(std::string_view part)
{
    auto found = relationships_.find(part);
    if (found != relationships_.end()) {
        return *found->second;
    }
    std::string relationshipsPart = RelationshipsPartName(part);
    std::unique_ptr<Relationships> loaded =
        Contains(relationshipsPart)
            ? std::make_unique<Relationships>(std::string(part), Read(relationshipsPart),
                                              [&] { return Describe(relationshipsPart); })
            : std::make_unique<Relationships>(std::string(part));
    return *relationships_.emplace(std::string(part), std::move(loaded)).first->second;
}

std::string Package::FreePartName(std::string_view prefix, std::string_view suffix) const
{
    // Parts are numbered one after the other: a look from 1 each time would make adding n of them quadratic.
    unsigned& known = smallestFree_[std::string(prefix) + '\n' + std::string(suffix)];
    for (unsigned number = std::max(known, 1u);; ++number) {
        std::string name = std::string(prefix) + std::to_string(number) + std::string(suffix);
        if (!Contains(name)) {
            known = number;
            return name;
        }
    }
}

void Package::Flush()
{
    for (auto& [key, relationships] : relationships_) {
        std::string part = RelationshipsPartName(relationships->SourcePart());
        if (relationships->Changed() && !(relationships->Empty() && !Contains(part))) {
            Write(part, relationships->Serialise());
            types_->EnsureTypeOf(part, ooxml::type::kRelationships);
            // Written once, not again at each kept state or save.
            relationships->Written();
        }
    }
    if (types_->Changed()) {
        Put(kContentTypesEntry, types_->Serialise());
        types_->Written();
    }
}

std::vector<StoredEntry> Package::StoredEntries()
{
    const std::time_t now = std::time(nullptr);
    packer_.Finish();
    std::vector<StoredEntry> stored;
    stored.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        if (entry.removed) {
            continue;
        }
        if (entry.content) {
            if (platform::StepsWanted()) {
                platform::ReportStep("write " + entry.name);
            }
            stored.push_back(packer_.Packed(*entry.content));
            stored.back().name = entry.name;
            stored.back().modified = now;
            continue;
        }
        // Unchanged entries keep their bytes as stored, so they are not packed anew.
        const ZipArchive::Entry& source = source_->Entries()[*entry.sourceIndex];
        stored.push_back(StoredEntry{entry.name, source.method, source.crc, source.size, source.compressedSize,
                                     source.modified, {}, entry.sourceIndex});
    }
    return stored;
}

bool Package::IsSource(const std::filesystem::path& target) const
{
    if (!source_ || !readAs_) {
        return false;
    }
    const auto normal = [](const std::filesystem::path& path) {
        return std::filesystem::absolute(path).lexically_normal();
    };
    const auto stamp = platform::StampOf(target);
    return normal(target) == normal(File()) ||
           (stamp && stamp->device == readAs_->device && stamp->inode == readAs_->inode);
}

void Package::Save(const std::filesystem::path& target)
{
    Flush();
    if (platform::StepsWanted()) {
        platform::ReportStep("save " + target.string());
    }
    if (const auto user = platform::InUseBy(target)) {
        throw host::HostError(target.string() + ": " + *user);
    }
    const std::string bytes = AssembleZip(StoredEntries(), [this](std::size_t index, char* destination,
                                                                  std::uint64_t size) {
        source_->CopyStored(index, destination, size);
    });
    const bool source = IsSource(target);
    try {
        platform::WriteFileAtomically(target, bytes, source ? readAs_ : std::nullopt);
    } catch (const std::system_error& error) {
        throw host::HostError(error.what());
    }
    if (source) {
        readAs_ = platform::StampOf(target);
    }
}

std::shared_ptr<const Package::State> Package::Keep()
{
    Flush();
    auto state = std::make_shared<State>();
    state->entries_ = entries_;
    state->index_ = index_;
    return state;
}

void Package::Restore(const State& state)
{
    entries_ = state.entries_;
    index_ = state.index_;
    relationships_.clear();
    const Entry* types = Find(kContentTypesEntry);
    const std::string content = types != nullptr ? EntryContent(*types) : std::string();
    // A new package writes its content types only when it is saved.
    types_ = content.empty() ? std::make_unique<ContentTypes>()
                             : std::make_unique<ContentTypes>(content, Describe(kContentTypesEntry));
}

std::size_t Package::State::BytesBeyond(const State* older) const
{
    std::unordered_set<const std::string*> shared;
    if (older != nullptr) {
        for (const Entry& entry : older->entries_) {
            shared.insert(entry.content.get());
        }
    }
    std::size_t bytes = 0;
    for (const Entry& entry : entries_) {
        if (entry.content && !shared.contains(entry.content.get())) {
            bytes += entry.content->size();
        }
    }
    return bytes;
}

}  // namespace velmora::pptx::package
