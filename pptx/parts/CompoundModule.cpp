#include "pptx/parts/CompoundModule.hpp"

#include "host/HostError.hpp"
#include "platform/SharedModule.hpp"

namespace velmora::pptx::parts {

const CompoundFunctions& CompoundModule()
{
    static platform::SharedModule<CompoundFunctions> module("libvelmora_compound.so", VELMORA_COMPOUND_MODULE,
                                                            "velmora_compound_functions");
    std::string failures;
    if (const CompoundFunctions* functions = module.Load(failures)) {
        return *functions;
    }
    throw host::HostError(
        "the control storage module libvelmora_compound.so cannot be loaded (libgsf is needed: apt-get install "
        "libgsf-1-114)" +
        failures);
}

}  // namespace velmora::pptx::parts
