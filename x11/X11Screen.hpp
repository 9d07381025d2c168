#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "host/Screen.hpp"
#include "x11/EventLoop.hpp"

namespace velmora::x11 {

// The picker's screen on an X11 display, on a connection of its own whose
// events the host's event loop delivers: XQueryPointer for the pointer,
// one pixel of the root window by XGetImage, hot keys grabbed on the root
// window without modifiers (whatever lock keys are on), the picker's pointer
// as the cursor of a pointer grab (the desktop's own cursors stay as they
// are, and the grab ends with the connection or an ending signal). Keeping a
// window on top is the form driver's (the window manager's above hint), which
// may ask the screen for it.
class X11Screen : public host::Screen {
public:
    // What the host does for the screen: keep a form's window on top, and
    // run a timer tick or a hot key as input to the forms.
    struct Hooks {
        std::function<void(host::WindowHandle)> keepOnTop;
        std::function<void(const std::function<void()>&)> dispatch;
        // Esc in the form's own window closes it, as in every dialog; true
        // when it did. Elsewhere Esc is a hot key like the others.
        std::function<bool(host::WindowHandle)> escapeInWindow;
    };

    // Null when no X11 display can be opened (Wayland without XWayland, or
    // no display at all). The loop's callbacks run on the thread that uses
    // the screen.
    static std::shared_ptr<X11Screen> Open(Hooks hooks, std::unique_ptr<EventLoop> loop);
    ~X11Screen() override;
    X11Screen(const X11Screen&) = delete;
    X11Screen& operator=(const X11Screen&) = delete;

    host::ScreenPoint CursorPos() override;
    host::Color Pixel(int x, int y) override;
    bool RegisterHotKey(host::WindowHandle window, int id, int virtualKey) override;
    void UnregisterHotKey(host::WindowHandle window, int id) override;
    void SetHotKeyHandler(host::WindowHandle window, std::function<void(int id)> handler) override;
    void SetArrowPointer(const host::PointerPicture& picture) override;
    void RestorePointers() override;
    void KeepOnTop(host::WindowHandle window) override;
    int SetTimer(int milliseconds, std::function<void()> tick) override;
    void KillTimer(int id) override;

    // Asks the window manager to keep an X window above the others, for a
    // toolkit that has no such window of its own.
    void KeepAbove(unsigned long window);
    // Marks an X window as the picker's own: while the pointer is over it,
    // the picker's pointer grab is let go, so that its clicks reach it.
    void LetPointerThrough(unsigned long window);

private:
    struct Connection;
    struct Grab {
        host::WindowHandle window = 0;
        int id = 0;
        unsigned keycode = 0;
    };

    X11Screen(std::unique_ptr<Connection> connection, Hooks hooks, std::unique_ptr<EventLoop> loop);
    // Hands the key presses that arrived to their windows.
    void ProcessEvents();
    // Lets go of a key grabbed with every combination of the lock keys.
    void Ungrab(unsigned keycode);
    // Shows the picker's pointer, when one is wanted, by grabbing the pointer.
    void GrabPointer();
    bool PointerOverOwnWindow();

    std::unique_ptr<Connection> connection_;
    Hooks hooks_;
    std::unique_ptr<EventLoop> loop_;
    std::vector<Grab> grabs_;
    std::map<host::WindowHandle, std::function<void(int)>> handlers_;
};

}  // namespace velmora::x11
