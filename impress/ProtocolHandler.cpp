#include "impress/ProtocolHandler.hpp"

#include <com/sun/star/frame/FeatureStateEvent.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <cppuhelper/supportsservice.hxx>

#include "impress/AddinSession.hpp"
#include "impress/AddonsWriter.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

using css::uno::Reference;
using css::uno::Sequence;

ProtocolHandler::ProtocolHandler(Reference<css::uno::XComponentContext> office) : office_(std::move(office)) {}

void ProtocolHandler::initialize(const Sequence<css::uno::Any>& arguments)
{
    if (arguments.hasElements()) {
        arguments[0] >>= frame_;
    }
}

Reference<css::frame::XDispatch> ProtocolHandler::queryDispatch(const css::util::URL& url, const rtl::OUString&,
                                                                sal_Int32)
{
    if (url.Complete.startsWith(rtl::OUString::createFromAscii(kProtocol))) {
        return this;
    }
    return nullptr;
}

Sequence<Reference<css::frame::XDispatch>> ProtocolHandler::queryDispatches(
    const Sequence<css::frame::DispatchDescriptor>& requests)
{
    Sequence<Reference<css::frame::XDispatch>> dispatches(requests.getLength());
    auto* found = dispatches.getArray();
    for (sal_Int32 i = 0; i < requests.getLength(); ++i) {
        found[i] = queryDispatch(requests[i].FeatureURL, requests[i].FrameName, requests[i].SearchFlags);
    }
    return dispatches;
}

bool ProtocolHandler::ShowsPresentation() const
{
    const Reference<css::frame::XController> controller = frame_.is() ? frame_->getController() : nullptr;
    return controller.is() && IsPresentation(controller->getModel());
}

// Also when disabled (a macro may dispatch anyway): the command then says
// that there is no presentation.
void ProtocolHandler::dispatch(const css::util::URL& url, const Sequence<css::beans::PropertyValue>& arguments)
{
    AddinSession::Instance(office_).Press(frame_, FromUno(url.Complete), arguments);
}

void ProtocolHandler::addStatusListener(const Reference<css::frame::XStatusListener>& listener,
                                        const css::util::URL& url)
{
    if (!listener.is()) {
        return;
    }
    css::frame::FeatureStateEvent state;
    state.Source = static_cast<cppu::OWeakObject*>(this);
    state.FeatureURL = url;
    state.IsEnabled = ShowsPresentation();
    state.Requery = false;
    listener->statusChanged(state);
}

void ProtocolHandler::removeStatusListener(const Reference<css::frame::XStatusListener>&, const css::util::URL&) {}

rtl::OUString ProtocolHandler::getImplementationName()
{
    return rtl::OUString::createFromAscii(kImplementationName);
}

sal_Bool ProtocolHandler::supportsService(const rtl::OUString& serviceName)
{
    return cppu::supportsService(this, serviceName);
}

Sequence<rtl::OUString> ProtocolHandler::getSupportedServiceNames()
{
    return SequenceOf({rtl::OUString("com.sun.star.frame.ProtocolHandler")});
}

}  // namespace velmora::impress
