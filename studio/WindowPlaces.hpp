#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QRect>

#include "host/SettingsStore.hpp"

class QWidget;

namespace velmora::studio {

// Where the dialogs that stay open beside the work show: where the user last
// put each, else beside the slide, so that the slide they change stays in
// sight. The places are kept in the settings, by the dialog's name.
class WindowPlaces {
public:
    // `slideArea`: where the slide lies on the screen now.
    WindowPlaces(std::shared_ptr<host::SettingsStore> settings, std::function<QRect()> slideArea);

    void Place(QWidget& window, const std::string& name) const;
    void Remember(const QWidget& window, const std::string& name);

    // Right of the slide where the screen has room, else left of it, else
    // at the screen's right edge; level with the slide's top.
    static QPoint Beside(const QRect& slide, const QSize& size, const QRect& screen);

private:
    std::shared_ptr<host::SettingsStore> settings_;
    std::function<QRect()> slideArea_;
};

}  // namespace velmora::studio
