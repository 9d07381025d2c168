#include "impress/UndoNameInterceptor.hpp"

#include <algorithm>
#include <mutex>
#include <vector>

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XDispatchProviderInterception.hpp>
#include <com/sun/star/frame/theUICommandDescription.hpp>

#include "impress/NamedUndoDispatch.hpp"

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
    // Never destroyed: at exit the office its references point into is gone.
    static auto* const registered = new std::vector<css::uno::WeakReference<css::frame::XFrame>>;
    const Reference<css::frame::XDispatchProviderInterception> interception(frame, UNO_QUERY);
    if (!interception.is()) {
        return;
    }
    const std::scoped_lock lock(registering);
    std::erase_if(*registered, [](const auto& kept) { return !Reference<css::frame::XFrame>(kept).is(); });
    if (std::any_of(registered->begin(), registered->end(),
                    [&](const auto& kept) { return Reference<css::frame::XFrame>(kept) == frame; })) {
        return;
    }
    interception->registerDispatchProviderInterceptor(new UndoNameInterceptor(frame, office));
    registered->emplace_back(frame);
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

}  // namespace velmora::impress
