#include "impress/CommandView.hpp"

#include <chrono>
#include <thread>

#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XToolkitExperimental.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

namespace velmora::impress {

using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

constexpr const char* kOutlineView = "com.sun.star.presentation.OutlineView";
constexpr const char* kNormalView = "com.sun.star.drawing.DrawingDocumentDrawView";
constexpr auto kSwitchLimit = std::chrono::seconds(5);

}  // namespace

CommandView::CommandView(Reference<css::uno::XComponentContext> office, Reference<css::frame::XFrame> frame)
    : office_(std::move(office)), frame_(std::move(frame))
{
    if (Shows(kOutlineView)) {
        SwitchTo(".uno:NormalMultiPaneGUI", kNormalView);
        fromOutline_ = true;
    }
    EndTextEdit();
}

CommandView::~CommandView()
{
    try {
        if (fromOutline_) {
            SwitchTo(".uno:OutlineMode", kOutlineView);
        }
    } catch (const css::uno::Exception&) {
        // The window closed meanwhile.
    }
}

// The controller's sub-controller is the view's own, named by its service.
bool CommandView::Shows(const char* service) const
{
    const Reference<css::beans::XPropertySet> controller(frame_.is() ? frame_->getController() : nullptr, UNO_QUERY);
    if (!controller.is() || !controller->getPropertySetInfo()->hasPropertyByName("SubController")) {
        return false;
    }
    const Reference<css::lang::XServiceInfo> view(controller->getPropertyValue("SubController"), UNO_QUERY);
    return view.is() && view->supportsService(rtl::OUString::createFromAscii(service));
}

void CommandView::SwitchTo(const char* command, const char* service) const
{
    css::frame::DispatchHelper::create(office_)->executeDispatch(
        Reference<css::frame::XDispatchProvider>(frame_, UNO_QUERY), rtl::OUString::createFromAscii(command), "", 0,
        {});
    const Reference<css::awt::XToolkitExperimental> events(css::awt::Toolkit::create(office_), UNO_QUERY);
    const auto deadline = std::chrono::steady_clock::now() + kSwitchLimit;
    while (!Shows(service) && std::chrono::steady_clock::now() < deadline) {
        if (events.is()) {
            events->processEventsToIdle();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Only one shape at a time is edited, and it is the one selected. Showing
// the slide anew ends the editing, as showing another would; the shape is
// then selected again.
void CommandView::EndTextEdit() const
{
    const Reference<css::drawing::XDrawView> view(frame_.is() ? frame_->getController() : nullptr, UNO_QUERY);
    const Reference<css::view::XSelectionSupplier> selection(view, UNO_QUERY);
    if (!view.is() || !selection.is() || !Shows(kNormalView)) {
        return;
    }
    const css::uno::Any selected = selection->getSelection();
    const Reference<css::drawing::XShapes> shapes(selected, UNO_QUERY);
    if (!shapes.is() || shapes->getCount() != 1) {
        return;
    }
    view->setCurrentPage(view->getCurrentPage());
    selection->select(selected);
}

}  // namespace velmora::impress
