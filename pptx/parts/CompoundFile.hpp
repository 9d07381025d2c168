#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// OLE compound files (structured storage) in memory, through libgsf: what an
// ActiveX control keeps in its binary part when it persists to a storage.
// Each function but ParseClassId raises the host error when libgsf's module
// cannot be loaded.
namespace velmora::pptx::parts {

// A class id in the byte order a compound file stores it.
using ClassId = std::array<std::uint8_t, 16>;

// "{D27CDB6E-AE6D-11CF-96B8-444553540000}" in storage byte order; none for
// text of another form.
std::optional<ClassId> ParseClassId(std::string_view text);

struct CompoundStream {
    std::string name;
    std::string content;
};

// A compound file whose root storage has the class id and holds the streams.
// Raises the host error when libgsf fails.
std::string WriteCompoundFile(const ClassId& classId, const std::vector<CompoundStream>& streams);

// The class id of the root storage and a stream of the root by name; none
// when the bytes are no compound file or it has no such stream.
std::optional<ClassId> CompoundClassId(std::string_view file);
std::optional<std::string> ReadCompoundStream(std::string_view file, const std::string& name);

}  // namespace velmora::pptx::parts
