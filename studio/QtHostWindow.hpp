#pragma once

#include <QPointer>
#include <QWidget>

#include "host/Services.hpp"

namespace velmora::studio {

// The studio's main window as the add-in's tools see the host's window.
class QtHostWindow : public host::HostWindow {
public:
    explicit QtHostWindow(QWidget* window) : window_(window) {}

    void SetState(int windowState) override;
    void SetVisible(bool visible) override;

private:
    QPointer<QWidget> window_;  // gone first when the studio closes
};

}  // namespace velmora::studio
