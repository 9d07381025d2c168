#include "pptx/shapes/ShapeTreeOwner.hpp"

#include "host/HostError.hpp"

namespace velmora::pptx {

void ShapeTreeOwner::CopyShapes(const std::vector<pugi::xml_node>&)
{
    throw host::HostError("shapes of this part cannot be copied");
}

host::Ref<host::ShapeRange> ShapeTreeOwner::PasteAsPicture(int)
{
    throw host::HostError("nothing can be pasted into this part");
}

void ShapeTreeOwner::ExportShapes(const std::vector<pugi::xml_node>&, const std::filesystem::path&,
                                  const std::string&)
{
    throw host::HostError("shapes of this part cannot be drawn as pictures");
}

}  // namespace velmora::pptx
