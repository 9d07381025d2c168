#include "tests/support/PackageEdit.hpp"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

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
    void* copy = std::malloc(content.size() + 1);
    std::memcpy(copy, content.data(), content.size());
    zip_source_t* source = zip_source_buffer(archive, copy, content.size(), 1);
    if (source == nullptr || zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0 ||
        zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write " + name + " into " + zip.string());
    }
}

}  // namespace velmora::testing
