#include "impress/UndoNameInterceptor.hpp"

#include <algorithm>

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProviderInterception.hpp>
#include <com/sun/star/frame/theUICommandDescription.hpp>

namespace velmora::impress {

using css::frame::XDispatch;
using css::frame::XDispatchProvider;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;

namespace {

constexpr char kUndo[] = ".uno:Undo";
constexpr char kRedo[] = ".uno:Redo";

// "Undo: " as Impress begins a named step: the command's own label, without
// its accelerator mark.
rtl::OUString PrefixFor(const Reference<css::uno::XComponentContext>& office, const rtl::OUString& command)
{
    rtl::OUString label = command == kUndo ? rtl::OUString("Undo") : rtl::OUString("Redo");
    try {
        const Reference<css::container::XNameAccess> commands(
            css::frame::theUICommandDescription::get(office)->getByName(
                "com.sun.star.presentation.PresentationDocument"),
            UNO_QUERY);
        Sequence<css::beans::PropertyValue> properties;
        if (commands.is() && (commands->getByName(command) >>= properties)) {
            for (const css::beans::PropertyValue& property : properties) {
                rtl::OUString value;
                if (property.Name == "Label" && (property.Value >>= value) && !value.isEmpty()) {
                    label = value.replaceAll("~", "");
                }
            }
        }
    } catch (const css::uno::Exception&) {
        // Without the office's command labels the English one stands.
    }
    return label + ": ";
}

}  // namespace

void UndoNameInterceptor::Register(const Reference<css::frame::XFrame>& frame,
                                   const Reference<css::uno::XComponentContext>& office)
{
    static std::mutex registering;
    static std::vector<css::uno::WeakReference<css::frame::XFrame>> registered;
    const Reference<css::frame::XDispatchProviderInterception> interception(frame, UNO_QUERY);
    if (!interception.is()) {
        return;
    }
    const std::scoped_lock lock(registering);
    std::erase_if(registered, [](const auto& kept) { return !Reference<css::frame::XFrame>(kept).is(); });
    if (std::any_of(registered.begin(), registered.end(),
                    [&](const auto& kept) { return Reference<css::frame::XFrame>(kept) == frame; })) {
        return;
    }
    interception->registerDispatchProviderInterceptor(new UndoNameInterceptor(frame, office));
    registered.emplace_back(frame);
}

UndoNameInterceptor::UndoNameInterceptor(const Reference<css::frame::XFrame>& frame,
                                         const Reference<css::uno::XComponentContext>& office)
    : frame_(frame), office_(office)
{
}

Reference<XDispatch> UndoNameInterceptor::queryDispatch(const css::util::URL& url, const rtl::OUString& targetFrame,
                                                        sal_Int32 searchFlags)
{
    const Reference<XDispatch> office = slave_.is() ? slave_->queryDispatch(url, targetFrame, searchFlags) : nullptr;
    if (!office.is() || (url.Complete != kUndo && url.Complete != kRedo)) {
        return office;
    }
    return new NamedUndoDispatch(office, frame_, url.Complete == kUndo, PrefixFor(office_, url.Complete));
}

Sequence<Reference<XDispatch>> UndoNameInterceptor::queryDispatches(
    const Sequence<css::frame::DispatchDescriptor>& requests)
{
    Sequence<Reference<XDispatch>> dispatches(requests.getLength());
    auto* found = dispatches.getArray();
    for (sal_Int32 i = 0; i < requests.getLength(); ++i) {
        found[i] = queryDispatch(requests[i].FeatureURL, requests[i].FrameName, requests[i].SearchFlags);
    }
    return dispatches;
}

Reference<XDispatchProvider> UndoNameInterceptor::getSlaveDispatchProvider()
{
    return slave_;
}

void UndoNameInterceptor::setSlaveDispatchProvider(const Reference<XDispatchProvider>& slave)
{
    slave_ = slave;
}

Reference<XDispatchProvider> UndoNameInterceptor::getMasterDispatchProvider()
{
    return master_;
}

void UndoNameInterceptor::setMasterDispatchProvider(const Reference<XDispatchProvider>& master)
{
    master_ = master;
}

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
