#include "studio/WindowPlaces.hpp"

#include <algorithm>
#include <optional>

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace velmora::studio {
namespace {

constexpr const char* kSection = "Studio-WindowPlaces";
constexpr int kGap = 8;

// A kept place still on one of the screens; none when the screens changed.
std::optional<QPoint> OnScreen(const std::string& kept)
{
    const QStringList parts = QString::fromStdString(kept).split(',');
    bool xRead = false;
    bool yRead = false;
    const QPoint place(parts.value(0).toInt(&xRead), parts.value(1).toInt(&yRead));
    if (parts.size() != 2 || !xRead || !yRead || QGuiApplication::screenAt(place) == nullptr) {
        return std::nullopt;
    }
    return place;
}

}  // namespace

WindowPlaces::WindowPlaces(std::shared_ptr<host::SettingsStore> settings, std::function<QRect()> slideArea)
    : settings_(std::move(settings)), slideArea_(std::move(slideArea))
{
}

void WindowPlaces::Place(QWidget& window, const std::string& name) const
{
    if (const auto kept = OnScreen(settings_->GetSetting(host::kAppName, kSection, name, ""))) {
        window.move(*kept);
        return;
    }
    const QRect slide = slideArea_();
    const QScreen* screen = QGuiApplication::screenAt(slide.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen != nullptr) {
        window.move(Beside(slide, window.frameSize(), screen->availableGeometry()));
    }
}

void WindowPlaces::Remember(const QWidget& window, const std::string& name)
{
    const QPoint place = window.pos();
    settings_->SaveSetting(host::kAppName, kSection, name,
                           std::to_string(place.x()) + "," + std::to_string(place.y()));
}

QPoint WindowPlaces::Beside(const QRect& slide, const QSize& size, const QRect& screen)
{
    const int screenEnd = screen.x() + screen.width();
    int x = screenEnd - size.width();
    if (slide.x() + slide.width() + kGap + size.width() <= screenEnd) {
        x = slide.x() + slide.width() + kGap;
    } else if (slide.x() - kGap - size.width() >= screen.x()) {
        x = slide.x() - kGap - size.width();
    }
    const int lowest = std::max(screen.y(), screen.y() + screen.height() - size.height());
    return {std::max(x, screen.x()), std::clamp(slide.y(), screen.y(), lowest)};
}

}  // namespace velmora::studio
