#pragma once

#include <optional>

#include "host/Application.hpp"
#include "host/HostError.hpp"
#include "host/Presentation.hpp"
#include "host/Prompts.hpp"
#include "host/Slide.hpp"

// The shared preconditions of the tools. Each refusal shows its message and
// tells the caller to stop; the order of the tests is each tool's own.
namespace velmora::host {

inline bool RefuseWithoutSlides(Presentation& presentation, Prompts& prompts)
{
    if (presentation.Slides()->Count() > 0) {
        return false;
    }
    prompts.MsgBox(kNoSlidesMessage, MsgStyle::Critical);
    return true;
}

inline bool RefuseNeverSaved(const Presentation& presentation, Prompts& prompts)
{
    if (!presentation.Path().empty()) {
        return false;
    }
    prompts.MsgBox(kNotSavedMessage, MsgStyle::Exclamation);
    return true;
}

// The count of the selected slides, read with errors suppressed; nothing
// (after the message) when no slide range can be read.
inline std::optional<int> SelectedSlideCount(Application& application, Prompts& prompts)
{
    int count = 0;
    if (Suppressed([&] { count = application.ActiveWindow()->Selection()->SlideRange()->Count(); })) {
        prompts.MsgBox(kNoSelectionMessage, MsgStyle::Critical);
        return std::nullopt;
    }
    return count;
}

// Item i of the selection's slide range, read afresh as the tools do.
inline Ref<Slide> SelectedSlide(Application& application, int index)
{
    return application.ActiveWindow()->Selection()->SlideRange()->Item(index);
}

}  // namespace velmora::host
