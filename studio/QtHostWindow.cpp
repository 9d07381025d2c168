#include "studio/QtHostWindow.hpp"

#include "host/MsoConstants.hpp"

namespace velmora::studio {

void QtHostWindow::SetState(int windowState)
{
    if (window_.isNull()) {
        return;
    }
    switch (windowState) {
    case host::WindowState::Maximized: window_->showMaximized(); break;
    case host::WindowState::Minimized: window_->showMinimized(); break;
    default: window_->showNormal();
    }
}

void QtHostWindow::SetVisible(bool visible)
{
    if (!window_.isNull()) {
        window_->setVisible(visible);
    }
}

}  // namespace velmora::studio
