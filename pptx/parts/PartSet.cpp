#include "pptx/parts/PartSet.hpp"

#include <algorithm>

namespace velmora::pptx::parts {

namespace {

// Enough for a slide, its notes and what a tool has open besides.
constexpr std::size_t kParsedReleasableParts = 8;

}  // namespace

void PartSet::Used(const std::shared_ptr<XmlPart>& part)
{
    if (!part->Releasable()) {
        return;
    }
    if (!recent_.empty() && recent_.back().lock() == part) {
        return;
    }
    recent_.push_back(part);
    while (recent_.size() > kParsedReleasableParts) {
        std::shared_ptr<XmlPart> oldest = recent_.front().lock();
        recent_.pop_front();
        const bool usedAgain = std::any_of(recent_.begin(), recent_.end(),
                                           [&](const std::weak_ptr<XmlPart>& other) { return other.lock() == oldest; });
        // One holder is the cache, one is `oldest` itself.
        if (oldest && !usedAgain && oldest.use_count() == 2) {
            oldest->Release();
        }
    }
}

void PartSet::Add(const std::shared_ptr<XmlPart>& part, const std::string& contentType)
{
    parts_[part->Name()] = part;
    part->Touch();
    part->Flush();
    package_->Types().SetOverride(part->Name(), contentType);
}

void PartSet::Remove(const std::string& name)
{
    if (auto found = parts_.find(name); found != parts_.end()) {
        parts_.erase(found);
    }
    package_->Remove(name);
}

void PartSet::RemoveUnreachable()
{
    for (const std::string& name : package_->RemoveUnreachableParts()) {
        parts_.erase(name);
    }
}

void PartSet::FlushParts()
{
    for (auto& [key, part] : parts_) {
        part->Flush();
    }
}

void PartSet::Save(const std::filesystem::path& target)
{
    FlushParts();
    package_->Save(target);
}

std::shared_ptr<const package::Package::State> PartSet::Keep()
{
    FlushParts();
    return package_->Keep();
}

void PartSet::Restore(const package::Package::State& state)
{
    parts_.clear();
    recent_.clear();
    package_->Restore(state);
}

}  // namespace velmora::pptx::parts
