#include "tests/support/PackageEdit.hpp"

#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>

#include <pugixml.hpp>
#include <zip.h>

namespace velmora::testing {

namespace {

zip_t* OpenZip(const std::filesystem::path& file, int flags)
{
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), flags, &error);
    if (archive == nullptr) {
        throw std::runtime_error("cannot open zip " + file.string());
    }
    return archive;
}

}  // namespace

std::optional<std::string> ReadEntry(const std::filesystem::path& zip, const std::string& name)
{
    zip_t* archive = OpenZip(zip, ZIP_RDONLY);
    zip_stat_t stat;
    zip_file_t* entry = zip_stat(archive, name.c_str(), 0, &stat) == 0 ? zip_fopen(archive, name.c_str(), 0) : nullptr;
    if (entry == nullptr) {
        zip_discard(archive);
        return std::nullopt;
    }
    std::string content(stat.size, '\0');
    const auto got = zip_fread(entry, content.data(), stat.size);
    zip_fclose(entry);
    zip_discard(archive);
    if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size) {
        throw std::runtime_error("cannot read " + name + " of " + zip.string());
    }
    return content;
}

void WriteEntry(const std::filesystem::path& zip, const std::string& name, const std::string& content)
{
    zip_t* archive = OpenZip(zip, 0);
    // `content` outlives zip_close, which reads it.
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    if (source == nullptr || zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0 ||
        zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write " + name + " into " + zip.string());
    }
}

void AddDuplicateEntry(const std::filesystem::path& zip, const std::string& name, const std::string& content)
{
    std::string standIn = name;
    standIn.front() = standIn.front() == '#' ? '$' : '#';
    WriteEntry(zip, standIn, content);
    std::ifstream in(zip, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    // The name stands in the entry's local header and in the central directory.
    for (std::size_t at = bytes.find(standIn); at != std::string::npos; at = bytes.find(standIn, at + 1)) {
        bytes.replace(at, standIn.size(), name);
    }
    std::ofstream(zip, std::ios::binary | std::ios::trunc) << bytes;
}

namespace {

pugi::xml_document ParseEntry(const std::filesystem::path& zip, const std::string& name, const std::string& empty)
{
    pugi::xml_document document;
    const std::string content = ReadEntry(zip, name).value_or(empty);
    if (!document.load_string(content.c_str())) {
        throw std::runtime_error(name + " of " + zip.string() + " is not XML");
    }
    return document;
}

void WriteDocument(const std::filesystem::path& zip, const std::string& name, const pugi::xml_document& document)
{
    std::ostringstream xml;
    document.save(xml, "", pugi::format_raw);
    WriteEntry(zip, name, xml.str());
}

std::string RelationshipsEntry(const std::string& entry)
{
    const auto slash = entry.rfind('/');
    return entry.substr(0, slash + 1) + "_rels/" + entry.substr(slash + 1) + ".rels";
}

std::string Folder(const std::string& entry)
{
    return entry.substr(0, entry.rfind('/') + 1);
}

}  // namespace

std::string Relate(const std::filesystem::path& zip, const std::string& from, const std::string& type,
                   const std::string& to, bool absoluteTarget)
{
    const std::string entry = RelationshipsEntry(from);
    auto rels = ParseEntry(zip, entry,
                           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>");
    auto root = rels.document_element();
    std::string id;
    for (int n = 1; id.empty(); ++n) {
        const std::string candidate = "rIdX" + std::to_string(n);
        if (!root.find_child_by_attribute("Relationship", "Id", candidate.c_str())) {
            id = candidate;
        }
    }
    std::string target = "/" + to;
    if (!absoluteTarget) {
        target = Folder(from) == Folder(to) ? to.substr(Folder(to).size()) : "../" + to.substr(to.find('/') + 1);
    }
    auto relationship = root.append_child("Relationship");
    relationship.append_attribute("Id") = id.c_str();
    relationship.append_attribute("Type") = type.c_str();
    relationship.append_attribute("Target") = target.c_str();
    WriteDocument(zip, entry, rels);
    return id;
}

std::string AddRelatedPart(const std::filesystem::path& zip, const std::string& from, const std::string& type,
                           const std::string& name, const std::string& contentType, const std::string& content,
                           bool absoluteTarget)
{
    WriteEntry(zip, name, content);
    auto types = ParseEntry(zip, "[Content_Types].xml", "");
    auto added = types.document_element().append_child("Override");
    added.append_attribute("PartName") = ("/" + name).c_str();
    added.append_attribute("ContentType") = contentType.c_str();
    WriteDocument(zip, "[Content_Types].xml", types);
    return Relate(zip, from, type, name, absoluteTarget);
}

void AppendShapes(const std::filesystem::path& zip, const std::string& slide, const std::string& shapesXml)
{
    std::string xml = ReadEntry(zip, slide).value();
    const auto end = xml.rfind("</p:spTree>");
    if (end == std::string::npos) {
        throw std::runtime_error(slide + " of " + zip.string() + " has no shape tree");
    }
    xml.insert(end, shapesXml);
    WriteEntry(zip, slide, xml);
}

void ShareShapeId(const std::filesystem::path& zip, const std::string& slide, const std::string& original,
                  const std::string& copy)
{
    auto document = ParseEntry(zip, slide, "");
    const auto named = [&](const std::string& name) {
        return document.select_node(("//*[local-name()='cNvPr'][@name='" + name + "']").c_str()).node();
    };
    const auto from = named(original);
    const auto to = named(copy);
    if (!from || !to) {
        throw std::runtime_error(slide + " of " + zip.string() + " lacks " + original + " or " + copy);
    }
    to.attribute("id").set_value(from.attribute("id").value());
    WriteDocument(zip, slide, document);
}

std::vector<std::string> RelatedEntries(const std::filesystem::path& zip, const std::string& from)
{
    std::vector<std::string> related;
    const auto rels = ParseEntry(zip, RelationshipsEntry(from), "<Relationships/>");
    for (auto relationship : rels.document_element().children()) {
        const std::string target = relationship.attribute("Target").value();
        if (std::string_view(relationship.attribute("TargetMode").value()) == "External") {
            continue;
        }
        std::filesystem::path resolved =
            target.starts_with('/') ? std::filesystem::path(target.substr(1)) : std::filesystem::path(Folder(from)) / target;
        related.push_back(resolved.lexically_normal().generic_string());
    }
    return related;
}

std::vector<std::string> EntryNames(const std::filesystem::path& zip)
{
    zip_t* archive = OpenZip(zip, ZIP_RDONLY);
    std::vector<std::string> names;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        names.emplace_back(zip_get_name(archive, static_cast<zip_uint64_t>(i), 0));
    }
    zip_discard(archive);
    return names;
}

namespace {

std::string Lower(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The entry whose relationships a .rels entry holds ("" for the package's own).
std::optional<std::string> RelationshipsOwner(const std::string& entry)
{
    const auto folder = entry.rfind("_rels/");
    if (!entry.ends_with(".rels") || folder == std::string::npos || (folder > 0 && entry[folder - 1] != '/')) {
        return std::nullopt;
    }
    const std::string name = entry.substr(folder + 6, entry.size() - folder - 6 - 5);
    return entry.substr(0, folder) + name;
}

}  // namespace

std::vector<std::string> PackageFaults(const std::filesystem::path& zip)
{
    std::vector<std::string> faults;
    const auto types = ParseEntry(zip, "[Content_Types].xml", "<Types/>");
    std::set<std::string> defaults;
    std::set<std::string> overrides;
    for (auto node : types.document_element().children()) {
        if (std::string_view(node.name()) == "Default") {
            defaults.insert(Lower(node.attribute("Extension").value()));
        } else if (std::string_view(node.name()) == "Override") {
            overrides.insert(Lower(node.attribute("PartName").value()));
        }
    }
    const std::vector<std::string> names = EntryNames(zip);
    std::set<std::string> entries;
    for (const std::string& name : names) {
        entries.insert(Lower(name));
    }
    for (const std::string& name : names) {
        if (name == "[Content_Types].xml" || name.ends_with('/')) {
            continue;
        }
        const std::string file = name.substr(name.rfind('/') + 1);
        const auto dot = file.rfind('.');
        const bool typed = overrides.contains(Lower("/" + name)) ||
                           (dot != std::string::npos && defaults.contains(Lower(file.substr(dot + 1))));
        if (!typed) {
            faults.push_back(name + " has no content type");
        }
        if (const auto owner = RelationshipsOwner(name)) {
            for (const std::string& target : RelatedEntries(zip, *owner)) {
                if (!entries.contains(Lower(target))) {
                    faults.push_back(name + " relates to " + target + ", which is missing");
                }
            }
        }
    }
    return faults;
}

void PrettyPrintXml(const std::filesystem::path& zip)
{
    for (const std::string& name : EntryNames(zip)) {
        if (!name.ends_with(".xml") && !name.ends_with(".rels")) {
            continue;
        }
        pugi::xml_document document;
        const std::string content = ReadEntry(zip, name).value();
        if (!document.load_buffer(content.data(), content.size(),
                                  pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata)) {
            throw std::runtime_error(name + " of " + zip.string() + " is not XML");
        }
        std::ostringstream indented;
        document.save(indented, "  ", pugi::format_indent);
        WriteEntry(zip, name, indented.str());
    }
}

}  // namespace velmora::testing
