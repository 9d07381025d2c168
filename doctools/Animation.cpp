#include "doctools/Animation.hpp"

#include "host/Host.hpp"
#include "host/Preconditions.hpp"

namespace velmora::doctools {

// Effects go from the highest number down, so that a deletion never
// renumbers an effect still to be deleted.

void RemoveAnimation_All_Main(host::Application& application, const host::Services& services)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseWithoutSlides(*presentation, *services.prompts)) {
        return;
    }
    auto slides = presentation->Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        auto sequence = slides->Item(i)->TimeLine()->MainSequence();
        for (int j = sequence->Count(); j >= 1; --j) {
            sequence->Item(j)->Delete();
        }
    }
    services.prompts->MsgBox("所有动画效果已去除!", host::MsgStyle::Information);
}

void RemoveAnimation_Select_Main(host::Application& application, const host::Services& services)
{
    const auto count = host::SelectedSlideCount(application, *services.prompts);
    if (!count) {
        return;
    }
    for (int i = 1; i <= *count; ++i) {
        const int effects = host::SelectedSlide(application, i)->TimeLine()->MainSequence()->Count();
        for (int j = effects; j >= 1; --j) {
            host::SelectedSlide(application, i)->TimeLine()->MainSequence()->Item(j)->Delete();
        }
    }
    services.prompts->MsgBox("当前选定幻灯片的动画效果已去除!", host::MsgStyle::Information);
}

}  // namespace velmora::doctools
