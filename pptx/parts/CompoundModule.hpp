#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pptx/parts/CompoundFile.hpp"

namespace velmora::pptx::parts {

// What the compound file module (libgsf) offers, as CompoundFile.hpp
// describes each. It is loaded when a control's storage is first read or
// written, so that other commands do not map libgsf and the GLib, libxml2
// and ICU it brings.
struct CompoundFunctions {
    std::string (*write)(const ClassId& classId, const std::vector<CompoundStream>& streams);
    std::optional<ClassId> (*classId)(std::string_view file);
    std::optional<std::string> (*readStream)(std::string_view file, const std::string& name);
};

// Loads the module on the first call; raises the host error when it cannot.
const CompoundFunctions& CompoundModule();

}  // namespace velmora::pptx::parts

// The module's one exported symbol.
extern "C" const velmora::pptx::parts::CompoundFunctions* velmora_compound_functions();
