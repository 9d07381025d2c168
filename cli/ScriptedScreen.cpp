#include "cli/ScriptedScreen.hpp"

#include <stdexcept>

#include <vips/vips8>

#include "host/HostError.hpp"
#include "platform/VirtualKeys.hpp"

namespace velmora::cli {

ScriptedScreen::ScriptedScreen(const std::filesystem::path& picture, host::ScreenPoint pointer) : pointer_(pointer)
{
    static const bool started = VIPS_INIT("velmora") == 0;
    if (!started) {
        throw std::invalid_argument("libvips cannot start to read " + picture.string());
    }
    try {
        vips::VImage image = vips::VImage::new_from_file(picture.c_str(), vips::VImage::option()->set("access", "sequential"));
        if (image.has_alpha()) {
            image = image.flatten(vips::VImage::option()->set("background", std::vector<double>{255, 255, 255}));
        }
        image = image.colourspace(VIPS_INTERPRETATION_sRGB).cast(VIPS_FORMAT_UCHAR);
        if (image.bands() > 3) {
            image = image.extract_band(0, vips::VImage::option()->set("n", 3));
        }
        width_ = image.width();
        height_ = image.height();
        std::size_t size = 0;
        void* pixels = image.write_to_memory(&size);
        const auto* bytes = static_cast<const std::uint8_t*>(pixels);
        rgb_.assign(bytes, bytes + size);
        g_free(pixels);
    } catch (const vips::VError& error) {
        throw std::invalid_argument("cannot read the screen picture " + picture.string() + ": " + error.what());
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
