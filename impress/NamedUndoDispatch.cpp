#include "impress/NamedUndoDispatch.hpp"

#include <algorithm>

#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>

namespace velmora::impress {

using css::frame::XDispatch;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;

NamedUndoDispatch::NamedUndoDispatch(Reference<XDispatch> office, const Reference<css::frame::XFrame>& frame,
                                     bool undo, rtl::OUString prefix)
    : office_(std::move(office)), frame_(frame), undo_(undo), prefix_(std::move(prefix))
{
}

void NamedUndoDispatch::dispatch(const css::util::URL& url, const Sequence<css::beans::PropertyValue>& arguments)
{
    office_->dispatch(url, arguments);
}

// Impress reports to this dispatch once for each of its listeners (and each
// report reaches them all), so that one leaving takes one registration away.
void NamedUndoDispatch::addStatusListener(const Reference<css::frame::XStatusListener>& listener,
                                          const css::util::URL& url)
{
    if (!listener.is()) {
        return;
    }
    {
        const std::scoped_lock lock(mutex_);
        listeners_.push_back(listener);
    }
    office_->addStatusListener(this, url);
}

void NamedUndoDispatch::removeStatusListener(const Reference<css::frame::XStatusListener>& listener,
                                             const css::util::URL& url)
{
    {
        const std::scoped_lock lock(mutex_);
        const auto found = std::find(listeners_.begin(), listeners_.end(), listener);
        if (found == listeners_.end()) {
            return;
        }
        listeners_.erase(found);
    }
    office_->removeStatusListener(this, url);
}

rtl::OUString NamedUndoDispatch::StepTitle() const
{
    try {
        const Reference<css::frame::XFrame> frame(frame_);
        const Reference<css::frame::XController> controller = frame.is() ? frame->getController() : nullptr;
        const Reference<css::document::XUndoManagerSupplier> supplier(
            controller.is() ? controller->getModel() : nullptr, UNO_QUERY);
        if (!supplier.is()) {
            return {};
        }
        const auto manager = supplier->getUndoManager();
        return undo_ ? manager->getCurrentUndoActionTitle() : manager->getCurrentRedoActionTitle();
    } catch (const css::uno::Exception&) {
        return {};  // no step to name
    }
}

void NamedUndoDispatch::statusChanged(const css::frame::FeatureStateEvent& state)
{
    css::frame::FeatureStateEvent named = state;
    named.Source = static_cast<cppu::OWeakObject*>(this);
    rtl::OUString text;
    if (state.IsEnabled && !(state.State >>= text)) {
        if (const rtl::OUString title = StepTitle(); !title.isEmpty()) {
            named.State <<= prefix_ + title;
        }
    }
    std::vector<Reference<css::frame::XStatusListener>> listeners;
    {
        const std::scoped_lock lock(mutex_);
        listeners = listeners_;
    }
    for (const auto& listener : listeners) {
        listener->statusChanged(named);
    }
}

void NamedUndoDispatch::disposing(const css::lang::EventObject&)
{
    const std::scoped_lock lock(mutex_);
    listeners_.clear();
}

}  // namespace velmora::impress
