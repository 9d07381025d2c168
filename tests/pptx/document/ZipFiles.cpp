#include "tests/pptx/document/ZipFiles.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <zip.h>

#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {

void WriteZip(const std::filesystem::path& file, const std::vector<ZipItem>& items, int level)
{
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        throw std::runtime_error("cannot create " + file.string());
    }
    for (const ZipItem& item : items) {
        zip_source_t* source = zip_source_buffer(archive, item.content.data(), item.content.size(), 0);
        zip_int64_t index = zip_file_add(archive, item.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 static_cast<zip_uint32_t>(level));
    }
    if (zip_close(archive) != 0) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

namespace {

zip_t* OpenForReading(const std::filesystem::path& file)
{
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) {
        throw std::runtime_error("cannot read " + file.string());
    }
    return archive;
}

}  // namespace

std::vector<std::string> ZipNames(const std::filesystem::path& file)
{
    zip_t* archive = OpenForReading(file);
    std::vector<std::string> names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        names.emplace_back(zip_get_name(archive, static_cast<zip_uint64_t>(i), 0));
    }
    zip_discard(archive);
    return names;
}

std::string ZipEntry(const std::filesystem::path& file, const std::string& name)
{
    auto content = ReadEntry(file, name);
    if (!content) {
        throw std::runtime_error("no " + name + " in " + file.string());
    }
    return *content;
}

std::uint64_t ZipCompressedSize(const std::filesystem::path& file, const std::string& name)
{
    zip_t* archive = OpenForReading(file);
    zip_stat_t stat;
    zip_stat(archive, name.c_str(), 0, &stat);
    zip_discard(archive);
    return stat.comp_size;
}

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const std::filesystem::path& file, const std::string& content)
{
    std::ofstream(file, std::ios::binary) << content;
}

}  // namespace velmora::testing
