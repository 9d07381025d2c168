#pragma once

#include <functional>

#include <com/sun/star/awt/XActionListener.hpp>
#include <com/sun/star/awt/XAdjustmentListener.hpp>
#include <com/sun/star/awt/XFocusListener.hpp>
#include <com/sun/star/awt/XItemListener.hpp>
#include <com/sun/star/awt/XMouseListener.hpp>
#include <com/sun/star/awt/XMouseMotionListener.hpp>
#include <com/sun/star/awt/XTabListener.hpp>
#include <com/sun/star/awt/XTextListener.hpp>
#include <com/sun/star/awt/XTopWindowListener.hpp>
#include <cppuhelper/implbase9.hxx>

namespace velmora::impress {

// Every toolkit event a form's control or dialog raises, handed to the functions set
// for it; events without one are dropped.
class ControlListener
    : public cppu::WeakImplHelper9<css::awt::XActionListener, css::awt::XItemListener, css::awt::XTextListener,
                                  css::awt::XAdjustmentListener, css::awt::XMouseListener,
                                  css::awt::XMouseMotionListener, css::awt::XFocusListener, css::awt::XTabListener,
                                  css::awt::XTopWindowListener> {
public:
    using MouseHandler = std::function<void(const css::awt::MouseEvent&)>;

    std::function<void()> action;
    std::function<void(const css::awt::ItemEvent&)> item;
    std::function<void()> text;
    std::function<void(int value)> adjustment;
    MouseHandler pressed;
    MouseHandler released;
    MouseHandler moved;
    std::function<void()> focused;
    std::function<void(int id)> tabActivated;
    std::function<void()> closing;

    void SAL_CALL actionPerformed(const css::awt::ActionEvent& event) override;
    void SAL_CALL itemStateChanged(const css::awt::ItemEvent& event) override;
    void SAL_CALL textChanged(const css::awt::TextEvent& event) override;
    void SAL_CALL adjustmentValueChanged(const css::awt::AdjustmentEvent& event) override;
    void SAL_CALL mousePressed(const css::awt::MouseEvent& event) override;
    void SAL_CALL mouseReleased(const css::awt::MouseEvent& event) override;
    void SAL_CALL mouseEntered(const css::awt::MouseEvent& event) override;
    void SAL_CALL mouseExited(const css::awt::MouseEvent& event) override;
    void SAL_CALL mouseDragged(const css::awt::MouseEvent& event) override;
    void SAL_CALL mouseMoved(const css::awt::MouseEvent& event) override;
    void SAL_CALL focusGained(const css::awt::FocusEvent& event) override;
    void SAL_CALL focusLost(const css::awt::FocusEvent& event) override;
    void SAL_CALL inserted(sal_Int32 id) override;
    void SAL_CALL removed(sal_Int32 id) override;
    void SAL_CALL changed(sal_Int32 id, const css::uno::Sequence<css::beans::NamedValue>& properties) override;
    void SAL_CALL activated(sal_Int32 id) override;
    void SAL_CALL deactivated(sal_Int32 id) override;
    void SAL_CALL windowOpened(const css::lang::EventObject& event) override;
    void SAL_CALL windowClosing(const css::lang::EventObject& event) override;
    void SAL_CALL windowClosed(const css::lang::EventObject& event) override;
    void SAL_CALL windowMinimized(const css::lang::EventObject& event) override;
    void SAL_CALL windowNormalized(const css::lang::EventObject& event) override;
    void SAL_CALL windowActivated(const css::lang::EventObject& event) override;
    void SAL_CALL windowDeactivated(const css::lang::EventObject& event) override;
    void SAL_CALL disposing(const css::lang::EventObject& event) override;
};

}  // namespace velmora::impress
