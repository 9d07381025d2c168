#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora::testing {

// Direct access to a zip package's entries, for building odd or foreign files.
std::optional<std::string> ReadEntry(const std::filesystem::path& zip, const std::string& name);
void WriteEntry(const std::filesystem::path& zip, const std::string& name, const std::string& content);
std::vector<std::string> EntryNames(const std::filesystem::path& zip);
// Adds a second entry spelled exactly `name`, which libzip never writes
// itself, as some other writers do.
void AddDuplicateEntry(const std::filesystem::path& zip, const std::string& name, const std::string& content);
// Relates entry `from` to entry `to` with a relationship of `type` and
// returns its id. The target is written as other writers may: relative
// ("../media/a.png", for entries in folders under ppt/) or absolute ("/ppt/media/a.png").
std::string Relate(const std::filesystem::path& zip, const std::string& from, const std::string& type,
                   const std::string& to, bool absoluteTarget = false);
// Adds entry `name` as a part of `contentType` and relates `from` to it; returns the relationship id.
std::string AddRelatedPart(const std::filesystem::path& zip, const std::string& from, const std::string& type,
                           const std::string& name, const std::string& contentType, const std::string& content,
                           bool absoluteTarget = false);
// Puts shape XML (p: and a: prefixes) at the end of a slide's shape tree.
void AppendShapes(const std::filesystem::path& zip, const std::string& slide, const std::string& shapesXml);
// Gives the shape named `copy` on a slide entry the id of the shape named
// `original`, as other writers do (a table and a text box sharing one).
void ShareShapeId(const std::filesystem::path& zip, const std::string& slide, const std::string& original,
                  const std::string& copy);
// The internal relationship targets of an entry, as entry names.
std::vector<std::string> RelatedEntries(const std::filesystem::path& zip, const std::string& from);

// What breaks the package's rules: an entry the content types give no type,
// an internal relationship whose target is no entry. Empty for a sound package.
std::vector<std::string> PackageFaults(const std::filesystem::path& zip);

// Rewrites every XML entry indented, whitespace between all elements, as
// some writers produce them.
void PrettyPrintXml(const std::filesystem::path& zip);

}  // namespace velmora::testing
