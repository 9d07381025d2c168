#include "pptx/model/View.hpp"

#include "pptx/model/DocumentWindow.hpp"
#include "pptx/model/Slide.hpp"

namespace velmora::pptx::model {

host::Ref<host::Slide> View::Slide()
{
    return std::make_shared<model::Slide>(window_->Owner(), window_->ShownSlide());
}

void View::GotoSlide(int index)
{
    window_->ShowSlide(index);
}

}  // namespace velmora::pptx::model
