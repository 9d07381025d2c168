# Writes OUTPUT, a C++ source holding the bytes of FILES (comma-separated
# names in INPUT_DIR) and EmbeddedFile(name) to find them.
string(REPLACE "," ";" FILES "${FILES}")
set(arrays "")
set(entries "")
set(index 0)
foreach(name ${FILES})
  file(READ ${INPUT_DIR}/${name} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "const std::uint8_t file${index}[] = {\n${bytes}};\n")
  string(APPEND entries "    {\"${name}\", file${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT} "// Generated from resources/ by EmbedFiles.cmake; do not edit.
#include \"resources/EmbeddedFiles.hpp\"

#include <cstdint>

namespace velmora::resources {
namespace {
${arrays}
struct Entry {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

const Entry entries[] = {
${entries}};
}  // namespace

std::span<const std::uint8_t> EmbeddedFile(std::string_view name)
{
    for (const Entry& entry : entries) {
        if (entry.name == name) {
            return entry.bytes;
        }
    }
    return {};
}

}  // namespace velmora::resources
")
