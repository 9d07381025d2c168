#include "pptx/package/ReadAhead.hpp"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "pptx/package/PartName.hpp"

namespace velmora::pptx::package {

namespace {

// Results not yet taken, at most: enough to keep ahead of the caller without
// holding a whole large deck's notes in memory.
constexpr std::size_t kMostWaiting = 64;

}  // namespace

ReadAhead::ReadAhead(const ZipArchive& source, ReadAheadPlan plan) : source_(source), plan_(std::move(plan))
{
    try {
        reader_ = std::jthread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread to spare: the caller reads everything itself.
    }
}

ReadAhead::~ReadAhead()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
}

std::unique_ptr<Relationships> ReadAhead::TakeRelationships(const std::string& part)
{
    return Take(EntryName(RelationshipsPartName(part))).relationships;
}

std::unique_ptr<XmlDocument> ReadAhead::TakeXml(const std::string& part)
{
    return Take(EntryName(part)).xml;
}

void ReadAhead::Run()
{
    for (const std::string& part : plan_.parts) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || waiting_ < kMostWaiting; });
            if (stopping_) {
                return;
            }
        }
        ReadPart(part);
    }
}

void ReadAhead::ReadPart(const std::string& part)
{
    const std::string relationshipsEntry = EntryName(RelationshipsPartName(part));
    if (!Begin(relationshipsEntry)) {
        return;
    }
    std::vector<std::string> followed;
    Slot read;
    try {
        read.relationships = std::make_unique<Relationships>(part, Unpack(relationshipsEntry), relationshipsEntry);
        for (const Relationship& relationship : read.relationships->All()) {
            if (!relationship.external && std::ranges::find(plan_.followTypes, relationship.type) != plan_.followTypes.end()) {
                followed.push_back(read.relationships->TargetPart(relationship));
            }
        }
        read.state = State::Ready;
    } catch (...) {
        read = Slot{State::Failed, nullptr, nullptr};
    }
    Finish(relationshipsEntry, std::move(read));
    for (const std::string& target : followed) {
        const std::string entry = EntryName(target);
        if (!Begin(entry)) {
            continue;
        }
        Slot parsed;
        try {
            parsed.xml = ParseXml(Unpack(entry), entry);
            parsed.state = State::Ready;
        } catch (...) {
            parsed = Slot{State::Failed, nullptr, nullptr};
        }
        Finish(entry, std::move(parsed));
    }
}

// False when the caller has asked for the entry already, or it is read.
bool ReadAhead::Begin(const std::string& entry)
{
    const std::lock_guard lock(mutex_);
    return !stopping_ && slots_.try_emplace(entry).second;
}

void ReadAhead::Finish(const std::string& entry, Slot result)
{
    {
        const std::lock_guard lock(mutex_);
        waiting_ += result.state == State::Ready ? 1 : 0;
        slots_[entry] = std::move(result);
    }
    changed_.notify_all();
}

ReadAhead::Slot ReadAhead::Take(const std::string& entry)
{
    std::unique_lock lock(mutex_);
    auto [found, added] = slots_.try_emplace(entry);
    Slot& slot = found->second;
    if (added) {
        slot.state = State::Taken;  // not reached yet: never to be read here
        return {};
    }
    changed_.wait(lock, [&slot] { return slot.state != State::Reading; });
    Slot taken = std::exchange(slot, Slot{State::Taken, nullptr, nullptr});
    if (taken.state == State::Ready) {
        --waiting_;
        lock.unlock();
        changed_.notify_all();
    }
    return taken;
}

std::string ReadAhead::Unpack(const std::string& entry) const
{
    const std::optional<std::size_t> index = source_.Locate(entry);
    if (!index) {
        throw std::runtime_error(entry + " is not in the archive");
    }
    return source_.Read(*index);
}

}  // namespace velmora::pptx::package
