#include "cli/ScriptedScreen.hpp"

#include <stdexcept>


#include "host/HostError.hpp"
#include "platform/VirtualKeys.hpp"
#include "render/RasterModule.hpp"
#include "render/RenderError.hpp"

namespace velmora::cli {

ScriptedScreen::ScriptedScreen(const std::filesystem::path& picture, host::ScreenPoint pointer) : pointer_(pointer)
{
    // Through the renderer's module: libvips is mapped only when a screen picture is read.
    try {
        render::Raster raster = render::RasterModule().readPicture(picture);
        width_ = raster.box.width;
        height_ = raster.box.height;
        rgb_ = std::move(raster.rgb);
    } catch (const render::RenderError& error) {
        throw std::invalid_argument(error.what());
    }
}

host::Color ScriptedScreen::Pixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw host::HostError("the point " + std::to_string(x) + "," + std::to_string(y) + " lies off the screen");
    }
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
    return rgb_[at] + 256 * rgb_[at + 1] + 65536 * rgb_[at + 2];
}

bool ScriptedScreen::RegisterHotKey(host::WindowHandle window, int id, int virtualKey)
{
    if (hotKeys_.contains(virtualKey)) {
        return false;
    }
    hotKeys_[virtualKey] = {window, id};
    return true;
}

void ScriptedScreen::UnregisterHotKey(host::WindowHandle window, int id)
{
    std::erase_if(hotKeys_, [&](const auto& entry) { return entry.second.window == window && entry.second.id == id; });
}

void ScriptedScreen::SetHotKeyHandler(host::WindowHandle window, std::function<void(int id)> handler)
{
    if (handler) {
        handlers_[window] = std::move(handler);
    } else {
        handlers_.erase(window);
    }
}

void ScriptedScreen::SetArrowPointer(const host::PointerPicture&)
{
    pointerReplaced_ = true;
}

int ScriptedScreen::SetTimer(int, std::function<void()> tick)
{
    timers_[nextTimer_] = std::move(tick);
    return nextTimer_++;
}

void ScriptedScreen::Tick()
{
    // A tick may stop timers, its own included.
    const auto timers = timers_;
    for (const auto& [id, tick] : timers) {
        if (timers_.contains(id)) {
            tick();
        }
    }
}

bool ScriptedScreen::PressKey(const std::string& name)
{
    const std::optional<int> key = platform::VirtualKeyOfKeysym(name);
    if (!key) {
        return false;
    }
    const auto hotKey = hotKeys_.find(*key);
    if (hotKey == hotKeys_.end()) {
        return false;
    }
    const auto handler = handlers_.find(hotKey->second.window);
    if (handler == handlers_.end()) {
        return false;
    }
    const auto deliver = handler->second;
    deliver(hotKey->second.id);
    return true;
}

}  // namespace velmora::cli
