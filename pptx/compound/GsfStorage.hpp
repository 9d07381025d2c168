#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pptx/parts/CompoundFile.hpp"

// The compound file functions on libgsf.
namespace velmora::pptx::compound {

std::string WriteGsfStorage(const parts::ClassId& classId, const std::vector<parts::CompoundStream>& streams);
std::optional<parts::ClassId> GsfStorageClassId(std::string_view file);
std::optional<std::string> ReadGsfStream(std::string_view file, const std::string& name);

}  // namespace velmora::pptx::compound
