#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/Screen.hpp"

namespace velmora::cli {

// The desktop of a scripted run: a picture file stands for the screen, the
// pointer rests where the script says, and keys are pressed by name (X key
// symbol names). A key reaches the window that registered it as a hot key
// only when it is one, without modifiers ("shift+a" never is). Time passes
// when the script calls Tick: every timer fires once.
class ScriptedScreen : public host::Screen {
public:
    // Raises std::invalid_argument when the picture cannot be read.
    ScriptedScreen(const std::filesystem::path& picture, host::ScreenPoint pointer);

    host::ScreenPoint CursorPos() override { return pointer_; }
    host::Color Pixel(int x, int y) override;
    bool RegisterHotKey(host::WindowHandle window, int id, int virtualKey) override;
    void UnregisterHotKey(host::WindowHandle window, int id) override;
    void SetHotKeyHandler(host::WindowHandle window, std::function<void(int id)> handler) override;
    void SetArrowPointer(const host::PointerPicture& picture) override;
    void RestorePointers() override { pointerReplaced_ = false; }
    void KeepOnTop(host::WindowHandle window) override { onTop_.push_back(window); }
    int SetTimer(int milliseconds, std::function<void()> tick) override;
    void KillTimer(int id) override { timers_.erase(id); }

    void Tick();
    void MovePointer(host::ScreenPoint pointer) { pointer_ = pointer; }
    // True when the key was a registered hot key.
    bool PressKey(const std::string& name);

    bool PointerReplaced() const { return pointerReplaced_; }
    std::size_t RegisteredKeys() const { return hotKeys_.size(); }
    std::size_t Timers() const { return timers_.size(); }

private:
    struct HotKey {
        host::WindowHandle window = 0;
        int id = 0;
    };

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgb_;
    host::ScreenPoint pointer_;
    std::map<int, HotKey> hotKeys_;  // by virtual-key code
    std::map<host::WindowHandle, std::function<void(int)>> handlers_;
    std::map<int, std::function<void()>> timers_;
    std::vector<host::WindowHandle> onTop_;
    int nextTimer_ = 1;
    bool pointerReplaced_ = false;
};

}  // namespace velmora::cli
