#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// Part names are absolute paths inside the package ("/ppt/slides/slide1.xml");
// zip entry names are the same without the leading slash.
namespace velmora::pptx::package {

// The part a relationship target points at, seen from `sourcePart` ("/" for
// the package itself). Raises the host error when the target leaves the package.
std::string ResolveTarget(std::string_view sourcePart, std::string_view target);

// The relative target that leads from `sourcePart` to `targetPart`.
std::string RelativeTarget(std::string_view sourcePart, std::string_view targetPart);

// "/ppt/slides/_rels/slide1.xml.rels" for "/ppt/slides/slide1.xml"; "/_rels/.rels" for "/".
std::string RelationshipsPartName(std::string_view part);

// The part whose relationships a relationships part holds ("/" for the
// package's own); nothing for any other part.
std::optional<std::string> RelationshipsSource(std::string_view part);

// The entry name within `part`, which must outlive it.
std::string_view EntryName(std::string_view part);
std::string PartName(std::string_view entry);

// Lower-case extension without the dot ("xml"), "" when there is none.
std::string Extension(std::string_view part);

// False for entry names that could leave the folder they are unpacked into:
// absolute paths, "..", backslashes, drive letters, empty segments, control characters.
bool IsSafeEntryName(std::string_view entry);

// ASCII lower case.
std::string FoldCase(std::string_view text);

// Part names are compared without regard to ASCII case; these let maps keyed
// by them be searched with any spelling, without making folded copies.
struct CaselessHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
};

struct CaselessEqual {
    using is_transparent = void;
    bool operator()(std::string_view left, std::string_view right) const;
};

template <typename Value>
using CaselessMap = std::unordered_map<std::string, Value, CaselessHash, CaselessEqual>;

}  // namespace velmora::pptx::package
