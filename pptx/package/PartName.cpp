#include "pptx/package/PartName.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "host/HostError.hpp"

namespace velmora::pptx::package {

namespace {

std::vector<std::string_view> Segments(std::string_view path)
{
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            segments.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return segments;
}

std::string_view Folder(std::string_view part)
{
    return part.substr(0, part.rfind('/') + 1);
}

// Appends the segments of `path` to `part`, "." doing nothing and ".." going
// up one; false when ".." would leave the package.
bool WalkSegments(std::string& part, std::string_view path)
{
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const std::string_view segment = path.substr(start, end - start);
        if (segment == "..") {
            if (part.empty()) {
                return false;
            }
            part.erase(part.rfind('/'));
        } else if (!segment.empty() && segment != ".") {
            part += '/';
            part += segment;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

std::string ResolveTarget(std::string_view sourcePart, std::string_view target)
{
    // Built in place: a deck resolves a target for every slide it goes through.
    std::string part;
    part.reserve(sourcePart.size() + target.size() + 1);
    if ((!target.starts_with('/') && !WalkSegments(part, Folder(sourcePart))) || !WalkSegments(part, target)) {
        throw host::HostError("relationship target \"" + std::string(target) + "\" of " + std::string(sourcePart) +
                              " leaves the package");
    }
    return part.empty() ? "/" : part;
}

std::string RelativeTarget(std::string_view sourcePart, std::string_view targetPart)
{
    std::vector<std::string_view> from = Segments(Folder(sourcePart));
    std::vector<std::string_view> to = Segments(targetPart);
    std::size_t common = 0;
    while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) {
        ++common;
    }
    std::string relative;
    for (std::size_t i = common; i < from.size(); ++i) {
        relative += "../";
    }
    for (std::size_t i = common; i < to.size(); ++i) {
        relative += to[i];
        if (i + 1 < to.size()) {
            relative += '/';
        }
    }
    return relative;
}

std::string RelationshipsPartName(std::string_view part)
{
    std::string_view folder = Folder(part);
    std::string_view file = part.substr(folder.size());
    return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

std::optional<std::string> RelationshipsSource(std::string_view part)
{
    constexpr std::string_view kFolder = "_rels/";
    constexpr std::string_view kSuffix = ".rels";
    const std::string_view folder = Folder(part);
    const std::string_view file = part.substr(folder.size());
    if (!folder.ends_with(kFolder) || !file.ends_with(kSuffix)) {
        return std::nullopt;
    }
    const std::string source = std::string(folder.substr(0, folder.size() - kFolder.size())) +
                               std::string(file.substr(0, file.size() - kSuffix.size()));
    return source;
}

std::string_view EntryName(std::string_view part)
{
    return part.starts_with('/') ? part.substr(1) : part;
}

std::string PartName(std::string_view entry)
{
    // Appended, not "/" + entry: GCC 12 misreads that as overlapping copies.
    std::string part = "/";
    part += entry;
    return part;
}

std::string Extension(std::string_view part)
{
    std::string_view file = part.substr(part.rfind('/') + 1);
    std::size_t dot = file.rfind('.');
    return dot == std::string_view::npos ? std::string() : FoldCase(file.substr(dot + 1));
}

bool IsSafeEntryName(std::string_view entry)
{
    if (entry.empty() || entry.starts_with('/') || entry.find('\\') != std::string_view::npos ||
        entry.find(':') != std::string_view::npos) {
        return false;
    }
    if (std::any_of(entry.begin(), entry.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        return false;
    }
    std::string_view rest = entry;
    while (!rest.empty()) {
        std::size_t end = rest.find('/');
        std::string_view segment = rest.substr(0, end);
        if (segment == ".." || segment == ".") {
            return false;
        }
        if (end == std::string_view::npos) {
            break;
        }
        // An empty segment is only allowed as the trailing slash of a folder entry.
        if (segment.empty()) {
            return false;
        }
        rest = rest.substr(end + 1);
    }
    return true;
}

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::size_t CaselessHash::operator()(std::string_view text) const
{
    // Eight bytes at a time, each with bit 5 set: that folds ASCII letters,
    // and the few other bytes it pairs up only cost an extra comparison.
    constexpr std::uint64_t kFold = 0x2020202020202020ull;
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    const auto mix = [](std::uint64_t hash, std::uint64_t word) {
        hash = (hash ^ (word | kFold)) * kMultiplier;
        return hash ^ (hash >> 29);
    };
    std::uint64_t hash = text.size();
    std::size_t offset = 0;
    for (; offset + 8 <= text.size(); offset += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + offset, 8);
        hash = mix(hash, word);
    }
    if (offset < text.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + offset, text.size() - offset);
        hash = mix(hash, word);
    }
    return static_cast<std::size_t>(hash);
}

bool CaselessEqual::operator()(std::string_view left, std::string_view right) const
{
    // Writers and readers mostly agree on the case: the plain comparison decides first.
    return left.size() == right.size() &&
           (left == right ||
            std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) { return Lower(a) == Lower(b); }));
}

std::string FoldCase(std::string_view text)
{
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), Lower);
    return folded;
}

}  // namespace velmora::pptx::package
