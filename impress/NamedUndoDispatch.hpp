#pragma once

#include <mutex>
#include <vector>

#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>
#include <cppuhelper/implbase2.hxx>
#include <cppuhelper/weakref.hxx>

namespace velmora::impress {

// Impress's own undo or redo dispatch, its state passed on to the listeners
// with the step's title where Impress gave none.
class NamedUndoDispatch : public cppu::WeakImplHelper2<css::frame::XDispatch, css::frame::XStatusListener> {
public:
    NamedUndoDispatch(css::uno::Reference<css::frame::XDispatch> office,
                      const css::uno::Reference<css::frame::XFrame>& frame, bool undo, rtl::OUString prefix);

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
