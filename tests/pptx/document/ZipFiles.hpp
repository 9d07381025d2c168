#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Zip files made and inspected directly, beside the package under test.
namespace velmora::testing {

struct ZipItem {
    std::string name;
    std::string content;
};

// Writes a zip with the items deflated at `level` (0 = stored).
void WriteZip(const std::filesystem::path& file, const std::vector<ZipItem>& items, int level = 6);
std::vector<std::string> ZipNames(const std::filesystem::path& file);
std::string ZipEntry(const std::filesystem::path& file, const std::string& name);
std::uint64_t ZipCompressedSize(const std::filesystem::path& file, const std::string& name);
std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& content);

}  // namespace velmora::testing
