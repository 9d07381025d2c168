#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "host/Services.hpp"
#include "impress/host/ChangeLog.hpp"

namespace velmora::impress {

// Slide tags by the name of the custom property that would hold them.
using TagValues = std::map<std::string, std::string>;
// The copies saved during a run, by absolute path, with the bookkeeping tags each carries.
using SavedCopies = std::map<std::filesystem::path, TagValues>;

// What every host object of one command run shares: the office, the
// document window's frame, the presentation shown in it, the record of
// changes and the services.
struct LiveDocument {
    css::uno::Reference<css::uno::XComponentContext> office;
    css::uno::Reference<css::frame::XFrame> frame;
    css::uno::Reference<css::frame::XModel> model;
    ChangeLog& changes;
    const host::Services& services;
    // A presentation a tool opened without a window (the split's copy): its
    // changes need no undo, and it may lose slides and be closed.
    bool openedByTool = false;
    // An Impress presentation is never without a page: a new one holds this
    // page until its first slide is added, and counts no slides before.
    css::uno::Reference<css::drawing::XDrawPage> spare;
    // Tags a command keeps for itself (the split's selection) stay here, out
    // of the user's document, for the run; a copy saved in the run hands
    // them to the presentation a tool opens from it.
    TagValues bookkeepingTags;
    std::shared_ptr<SavedCopies> savedCopies = std::make_shared<SavedCopies>();
};

// Whether the model is an Impress presentation (not a drawing, not text).
bool IsPresentation(const css::uno::Reference<css::frame::XModel>& model);

// Members Impress has no equivalent of raise the host error with a message
// the user can read.
[[noreturn]] void NotInImpress(const std::string& member);

// Points, as the object model measures, from and to UNO's 1/100 mm.
float PointsFromUno(sal_Int32 hundredthMillimetres);
sal_Int32 UnoFromPoints(float points);

// Colour values: ours are R + 256 G + 65536 B, UNO's 0xRRGGBB.
int ColorFromUno(sal_Int32 unoColor);
sal_Int32 UnoFromColor(int color);

}  // namespace velmora::impress
