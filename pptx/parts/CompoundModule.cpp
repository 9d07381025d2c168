#include "pptx/parts/CompoundModule.hpp"

#include "platform/SharedModule.hpp"

namespace velmora::pptx::parts {

const CompoundFunctions& CompoundModule()
{
    static platform::SharedModule<CompoundFunctions> module("libvelmora_compound.so", VELMORA_COMPOUND_MODULE,
                                                            "velmora_compound_functions");
    return module.Require(
        "the control storage module libvelmora_compound.so cannot be loaded (libgsf is needed: apt-get install "
        "libgsf-1-114)");
}

}  // namespace velmora::pptx::parts
