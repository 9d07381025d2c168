#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/MsoConstants.hpp"

namespace velmora::host {

// A top-level window, as the screen services name it: the form's handle.
using WindowHandle = std::uintptr_t;

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// A pointer picture: premultiplied-free ARGB pixels, rows top to bottom, and
// the point that is the pointer's tip.
struct PointerPicture {
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<std::uint32_t> argb;
};

// What the screen colour picker asks of the desktop: the pointer and the
// pixel under it, system-wide hot keys, the system's normal pointer, a
// window kept above others and a repeating timer. Each call may raise the
// host error.
class Screen {
public:
    virtual ~Screen() = default;

    virtual ScreenPoint CursorPos() = 0;
    virtual Color Pixel(int x, int y) = 0;

    // A key pressed anywhere, without modifiers, is delivered to `window`'s
    // handler with `id`. False when the desktop has no such key or another
    // program holds it already.
    virtual bool RegisterHotKey(WindowHandle window, int id, int virtualKey) = 0;
    virtual void UnregisterHotKey(WindowHandle window, int id) = 0;
    // The window's hot keys arrive here; an empty handler stops them.
    virtual void SetHotKeyHandler(WindowHandle window, std::function<void(int id)> handler) = 0;

    // Replaces the normal arrow pointer everywhere; RestorePointers brings
    // the desktop's own pointers back.
    virtual void SetArrowPointer(const PointerPicture& picture) = 0;
    virtual void RestorePointers() = 0;

    virtual void KeepOnTop(WindowHandle window) = 0;

    // Calls `tick` every `milliseconds` through the message loop; returns
    // the timer's id for KillTimer.
    virtual int SetTimer(int milliseconds, std::function<void()> tick) = 0;
    virtual void KillTimer(int id) = 0;
};

}  // namespace velmora::host
