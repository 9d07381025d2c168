#pragma once

#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProviderInterceptor.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/weakref.hxx>

namespace velmora::impress {

// Impress names on Edit > Undo and Redo only the steps its own view made: a
// step added through the document's undo manager, as every Velmora step is,
// shows there as a bare "Undo". The frame's undo and redo states go through
// this interceptor, which gives such a state the step's title, worded as
// Impress words its own.
class UndoNameInterceptor : public cppu::WeakImplHelper1<css::frame::XDispatchProviderInterceptor> {
public:
    // Puts one into the frame's dispatch chain, once per frame.
    static void Register(const css::uno::Reference<css::frame::XFrame>& frame,
                         const css::uno::Reference<css::uno::XComponentContext>& office);

    // XDispatchProvider
    css::uno::Reference<css::frame::XDispatch> SAL_CALL queryDispatch(const css::util::URL& url,
                                                                      const rtl::OUString& targetFrame,
                                                                      sal_Int32 searchFlags) override;
    css::uno::Sequence<css::uno::Reference<css::frame::XDispatch>> SAL_CALL
    queryDispatches(const css::uno::Sequence<css::frame::DispatchDescriptor>& requests) override;

    // XDispatchProviderInterceptor
    css::uno::Reference<css::frame::XDispatchProvider> SAL_CALL getSlaveDispatchProvider() override;
    void SAL_CALL setSlaveDispatchProvider(const css::uno::Reference<css::frame::XDispatchProvider>& slave) override;
    css::uno::Reference<css::frame::XDispatchProvider> SAL_CALL getMasterDispatchProvider() override;
    void SAL_CALL setMasterDispatchProvider(const css::uno::Reference<css::frame::XDispatchProvider>& master) override;

private:
    UndoNameInterceptor(const css::uno::Reference<css::frame::XFrame>& frame,
                        const css::uno::Reference<css::uno::XComponentContext>& office);

    css::uno::WeakReference<css::frame::XFrame> frame_;
    css::uno::Reference<css::uno::XComponentContext> office_;
    css::uno::Reference<css::frame::XDispatchProvider> slave_;
    css::uno::Reference<css::frame::XDispatchProvider> master_;
};

}  // namespace velmora::impress
