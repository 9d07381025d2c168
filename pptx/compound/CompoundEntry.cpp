// The compound file module's entry point: the only symbol the program looks up.
#include "pptx/compound/GsfStorage.hpp"
#include "pptx/parts/CompoundModule.hpp"

namespace {

using namespace velmora::pptx;

const parts::CompoundFunctions kFunctions{compound::WriteGsfStorage, compound::GsfStorageClassId,
                                          compound::ReadGsfStream};

}  // namespace

extern "C" __attribute__((visibility("default"))) const velmora::pptx::parts::CompoundFunctions*
velmora_compound_functions()
{
    return &kFunctions;
}
