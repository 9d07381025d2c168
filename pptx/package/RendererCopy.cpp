#include "pptx/package/RendererCopy.hpp"

#include "pptx/package/OutsideReferences.hpp"
#include "pptx/package/Package.hpp"
#include "pptx/package/PartGraph.hpp"

namespace velmora::pptx::package {

void PrepareRendererCopy(const std::filesystem::path& copy)
{
    auto package = Package::Open(copy);
    const int dropped = DropFetchedLinks(*package) + DropOutsideReferences(*package);
    if (dropped > 0) {
        package->Save(copy);
    }
}

}  // namespace velmora::pptx::package
