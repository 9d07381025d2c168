#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/AtomicFile.hpp"
#include "pptx/package/ContentTypes.hpp"
#include "pptx/package/PackAhead.hpp"
#include "pptx/package/PartName.hpp"
#include "pptx/package/Relationships.hpp"
#include "pptx/package/ZipArchive.hpp"
#include "pptx/package/ZipWriter.hpp"

namespace velmora::pptx::package {

// An open package: the entries of its zip file with the changes made since,
// its content types and the relationships of its parts. Entries nobody
// changed are copied to a saved file as they are, still compressed.
class Package {
public:
    // Raises the host error naming the file when it is no readable package.
    static std::unique_ptr<Package> Open(const std::filesystem::path& file);
    // An empty package that exists only in memory so far.
    static std::unique_ptr<Package> Create();
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    // The file the package was read from; empty for a new one.
    const std::filesystem::path& File() const;
    // "ppt/slides/slide1.xml in /home/x/deck.pptx", for messages.
    std::string Describe(std::string_view part) const;

    bool Contains(std::string_view part) const;
    // The unpacked content of a part; raises when the package has no such part.
    std::string Read(std::string_view part) const;
    // Up to the first `bytes` of a part, to tell its format; raises as Read.
    std::string Head(std::string_view part, std::size_t bytes) const;
    void Write(std::string_view part, std::string content);
    // Removes the part with its own relationships and its content-type override.
    void Remove(std::string_view part);
    // Removes every part that no chain of internal relationships reaches
    // from the package's own, as Remove does, with relationship parts whose
    // part is gone; returns the parts removed. Removes nothing when some
    // reached part's relationships cannot be read, as its references are unknown.
    std::vector<std::string> RemoveUnreachableParts();

    ContentTypes& Types() { return *types_; }
    // The parts the content types give `type`, in the order of the entries.
    std::vector<std::string> PartsOfType(std::string_view type) const;
    // The relationships of a part ("/" for the package's own), read on first use.
    Relationships& RelationshipsOf(std::string_view part);
    // `prefix` + the smallest number not in use + `suffix` ("/ppt/slides/slide" 3 ".xml").
    std::string FreePartName(std::string_view prefix, std::string_view suffix) const;

    // Assembles the new file in memory and replaces `target` with it in one
    // step (see platform::WriteFileAtomically); refuses a target another
    // program is editing, and the file the package was read from once
    // another program has saved over it.
    void Save(const std::filesystem::path& target);

    // The entries as they are now, sharing their contents with the package,
    // so that keeping one costs little more than its list of names.
    class State;
    std::shared_ptr<const State> Keep();
    // Puts back the entries kept; relationships and content types are read
    // from them again.
    void Restore(const State& state);

private:
    struct Entry {
        std::string name;
        std::optional<std::size_t> sourceIndex;
        // What was written, shared with the packing of it that runs meanwhile.
        std::shared_ptr<const std::string> content;
        bool removed = false;
    };

    Package() = default;
    const Entry* Find(std::string_view entryName) const;
    bool IsSource(const std::filesystem::path& target) const;
    // The parts reached from the package's own relationships; nothing when
    // some relationships on the way cannot be read.
    std::optional<CaselessMap<bool>> ReachableParts();
    Entry& Put(std::string_view entryName, std::string content);
    void Flush();
    std::vector<StoredEntry> StoredEntries();

    std::string EntryContent(const Entry& entry) const;

    std::unique_ptr<ZipArchive> source_;
    std::optional<platform::FileStamp> readAs_;
    std::vector<Entry> entries_;
    CaselessMap<std::size_t> index_;
    std::unique_ptr<ContentTypes> types_;
    CaselessMap<std::unique_ptr<Relationships>> relationships_;
    PackAhead packer_;
    // Per prefix and suffix of FreePartName, a number below which all are taken; forgotten when a part goes.
    mutable std::unordered_map<std::string, unsigned> smallestFree_;
};

class Package::State {
public:
    // The bytes of written contents this state holds that `older` does not
    // share; all of them without `older`.
    std::size_t BytesBeyond(const State* older) const;

private:
    friend class Package;
    std::vector<Entry> entries_;
    CaselessMap<std::size_t> index_;
};

}  // namespace velmora::pptx::package
