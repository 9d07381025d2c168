#include "impress/ControlListener.hpp"

namespace velmora::impress {

void ControlListener::actionPerformed(const css::awt::ActionEvent&)
{
    if (action) {
        action();
    }
}

void ControlListener::itemStateChanged(const css::awt::ItemEvent& event)
{
    if (item) {
        item(event);
    }
}

void ControlListener::textChanged(const css::awt::TextEvent&)
{
    if (text) {
        text();
    }
}

void ControlListener::adjustmentValueChanged(const css::awt::AdjustmentEvent& event)
{
    if (adjustment) {
        adjustment(event.Value);
    }
}

void ControlListener::mousePressed(const css::awt::MouseEvent& event)
{
    if (pressed) {
        pressed(event);
    }
}

void ControlListener::mouseReleased(const css::awt::MouseEvent& event)
{
    if (released) {
        released(event);
    }
}

void ControlListener::mouseEntered(const css::awt::MouseEvent&) {}

void ControlListener::mouseExited(const css::awt::MouseEvent&) {}

void ControlListener::mouseDragged(const css::awt::MouseEvent& event)
{
    if (moved) {
        moved(event);
    }
}

void ControlListener::mouseMoved(const css::awt::MouseEvent& event)
{
    if (moved) {
        moved(event);
    }
}

void ControlListener::focusGained(const css::awt::FocusEvent&)
{
    if (focused) {
        focused();
    }
}

void ControlListener::focusLost(const css::awt::FocusEvent&) {}

void ControlListener::inserted(sal_Int32) {}

void ControlListener::removed(sal_Int32) {}

void ControlListener::changed(sal_Int32, const css::uno::Sequence<css::beans::NamedValue>&) {}

void ControlListener::activated(sal_Int32 id)
{
    if (tabActivated) {
        tabActivated(id);
    }
}

void ControlListener::deactivated(sal_Int32) {}

void ControlListener::windowOpened(const css::lang::EventObject&) {}

void ControlListener::windowClosing(const css::lang::EventObject&)
{
    if (closing) {
        closing();
    }
}

void ControlListener::windowClosed(const css::lang::EventObject&) {}

void ControlListener::windowMinimized(const css::lang::EventObject&) {}

void ControlListener::windowNormalized(const css::lang::EventObject&) {}

void ControlListener::windowActivated(const css::lang::EventObject&) {}

void ControlListener::windowDeactivated(const css::lang::EventObject&) {}

void ControlListener::disposing(const css::lang::EventObject&) {}

}  // namespace velmora::impress
