#pragma once

#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XInitialization.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase4.hxx>

namespace velmora::impress {

inline constexpr const char* kImplementationName = "org.orvaldi.velmora.ProtocolHandler";

// Impress makes one per frame for the vnd.velmora: addresses of the Velmora
// menu and toolbar; each dispatch presses the ribbon control it names.
class ProtocolHandler : public cppu::WeakImplHelper4<css::frame::XDispatchProvider, css::frame::XDispatch,
                                                     css::lang::XInitialization, css::lang::XServiceInfo> {
public:
    explicit ProtocolHandler(css::uno::Reference<css::uno::XComponentContext> office);

    // XInitialization: the first argument is the frame.
    void SAL_CALL initialize(const css::uno::Sequence<css::uno::Any>& arguments) override;

    // XDispatchProvider
    css::uno::Reference<css::frame::XDispatch> SAL_CALL queryDispatch(const css::util::URL& url,
                                                                      const rtl::OUString& targetFrame,
                                                                      sal_Int32 searchFlags) override;
    css::uno::Sequence<css::uno::Reference<css::frame::XDispatch>> SAL_CALL
    queryDispatches(const css::uno::Sequence<css::frame::DispatchDescriptor>& requests) override;

    // XDispatch: the commands work on a presentation, so they are disabled
    // in a frame that shows anything else.
    void SAL_CALL dispatch(const css::util::URL& url,
                           const css::uno::Sequence<css::beans::PropertyValue>& arguments) override;
    void SAL_CALL addStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                    const css::util::URL& url) override;
    void SAL_CALL removeStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                       const css::util::URL& url) override;

    // XServiceInfo
    rtl::OUString SAL_CALL getImplementationName() override;
    sal_Bool SAL_CALL supportsService(const rtl::OUString& serviceName) override;
    css::uno::Sequence<rtl::OUString> SAL_CALL getSupportedServiceNames() override;

private:
    bool ShowsPresentation() const;

    css::uno::Reference<css::uno::XComponentContext> office_;
    css::uno::Reference<css::frame::XFrame> frame_;
};

}  // namespace velmora::impress
