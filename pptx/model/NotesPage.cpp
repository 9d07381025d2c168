#include "pptx/model/NotesPage.hpp"

#include "pptx/model/PartShapeTree.hpp"

namespace velmora::pptx::model {

host::Ref<host::Shapes> NotesPage::Shapes()
{
    return MakeShapes(std::make_shared<NotesShapeTree>(presentation_, slideId_));
}

}  // namespace velmora::pptx::model
