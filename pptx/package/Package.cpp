#include "pptx/package/Package.hpp"

#include "host/HostError.hpp"
#include "pptx/package/PartName.hpp"

namespace velmora::pptx::package {

namespace {

constexpr const char* kContentTypesEntry = "[Content_Types].xml";

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

}  // namespace

std::unique_ptr<Package> Package::Open(const std::filesystem::path& file)
{
    std::unique_ptr<Package> package(new Package());
    package->source_ = ZipArchive::Open(file);
    const auto& entries = package->source_->Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        package->index_.emplace(entries[i].name, package->entries_.size());
        package->entries_.push_back(Entry{entries[i].name, i, std::nullopt, false});
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
    return EntryName(part) + " in " + where;
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
    return entry->content ? *entry->content : source_->Read(*entry->sourceIndex);
}

Package::Entry& Package::Put(std::string_view entryName, std::string content)
{
    auto [found, added] = index_.emplace(std::string(entryName), entries_.size());
    if (added) {
        entries_.push_back(Entry{std::string(entryName), std::nullopt, std::nullopt, false});
    }
    Entry& entry = entries_[found->second];
    entry.content = std::move(content);
    entry.removed = false;
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

Relationships& Package::RelationshipsOf(std::string_view part)
{
    auto found = relationships_.find(part);
    if (found != relationships_.end()) {
        return *found->second;
    }
    std::string relationshipsPart = RelationshipsPartName(part);
    std::unique_ptr<Relationships> loaded =
        Contains(relationshipsPart)
            ? std::make_unique<Relationships>(std::string(part), Read(relationshipsPart), Describe(relationshipsPart))
            : std::make_unique<Relationships>(std::string(part));
    return *relationships_.emplace(std::string(part), std::move(loaded)).first->second;
}

std::string Package::FreePartName(std::string_view prefix, std::string_view suffix) const
{
    for (unsigned number = 1;; ++number) {
        std::string name = std::string(prefix) + std::to_string(number) + std::string(suffix);
        if (!Contains(name)) {
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
        }
    }
    if (types_->Changed()) {
        Put(kContentTypesEntry, types_->Serialise());
    }
}

void Package::WriteEntries(zip_t* target) const
{
    for (const Entry& entry : entries_) {
        if (entry.removed) {
            continue;
        }
        zip_source_t* content =
            entry.content ? zip_source_buffer(target, entry.content->data(), entry.content->size(), 0)
                          : zip_source_zip(target, source_->Handle(), *entry.sourceIndex, ZIP_FL_COMPRESSED, 0, -1);
        if (content == nullptr) {
            throw host::HostError("cannot save " + entry.name + ": " + zip_strerror(target));
        }
        zip_int64_t index = zip_file_add(target, entry.name.c_str(), content, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(content);
            throw host::HostError("cannot save " + entry.name + ": " + zip_strerror(target));
        }
        // Copied entries keep their compression, so they are not packed anew.
        zip_int32_t method = entry.content ? ZIP_CM_DEFLATE : source_->Entries()[*entry.sourceIndex].method;
        zip_set_file_compression(target, static_cast<zip_uint64_t>(index), method, entry.content ? 1 : 0);
    }
}

void Package::Save(const std::filesystem::path& target)
{
    Flush();
    int code = 0;
    std::unique_ptr<zip_t, ZipDiscard> archive(zip_open(target.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        std::string problem = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw host::HostError("cannot save " + target.string() + ": " + problem);
    }
    WriteEntries(archive.get());
    if (zip_close(archive.get()) != 0) {
        throw host::HostError("cannot save " + target.string() + ": " + zip_strerror(archive.get()));
    }
    archive.release();
}

}  // namespace velmora::pptx::package
