#pragma once

#include <mutex>
#include <vector>

#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProviderInterceptor.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/implbase2.hxx>
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

// Impress's own undo or redo dispatch, its state passed on to the listeners
// with the step's title where Impress gave none.
class NamedUndoDispatch : public cppu::WeakImplHelper2<css::frame::XDispatch, css::frame::XStatusListener> {
public:
    NamedUndoDispatch(css::uno::Reference<css::frame::XDispatch> office, const css::uno::Reference<css::frame::XFrame>& frame,
                      bool undo, rtl::OUString prefix);

    // XDispatch
    void SAL_CALL dispatch(const css::util::URL& url,
                           const css::uno::Sequence<css::beans::PropertyValue>& arguments) override;
    void SAL_CALL addStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                    const css::util::URL& url) override;
    void SAL_CALL removeStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                                       const css::util::URL& url) override;

    // XStatusListener
    void SAL_CALL statusChanged(const css::frame::FeatureStateEvent& state) override;
    void SAL_CALL disposing(const css::lang::EventObject& event) override;

private:
    // The step's title, or nothing when the stack has no step to name.
    rtl::OUString StepTitle() const;

    css::uno::Reference<css::frame::XDispatch> office_;
    css::uno::WeakReference<css::frame::XFrame> frame_;
    bool undo_;
    rtl::OUString prefix_;
    std::mutex mutex_;
    std::vector<css::uno::Reference<css::frame::XStatusListener>> listeners_;
};

}  // namespace velmora::impress
