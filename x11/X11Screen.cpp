#include "x11/X11Screen.hpp"

#include <signal.h>
#include <sys/socket.h>

#include <algorithm>
#include <csignal>

#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "host/HostError.hpp"
#include "platform/VirtualKeys.hpp"

namespace velmora::x11 {
namespace {

// Xlib reports protocol errors (a key another client holds, a point off the
// screen) to one handler per process; the failing call is then judged by
// the error count around it. Errors of other connections go on to the
// handler there was before, as a toolkit in the same process (Impress's)
// counts on its own.
int errors = 0;
std::vector<Display*> screenDisplays;
XErrorHandler previousHandler = nullptr;

int CountError(Display* display, XErrorEvent* error)
{
    if (std::find(screenDisplays.begin(), screenDisplays.end(), display) == screenDisplays.end() &&
        previousHandler != nullptr) {
        return previousHandler(display, error);
    }
    ++errors;
    return 0;
}

// A connection whose server went away (XWayland ended) would end the whole
// process by Xlib's default; the host goes on, and the screen goes quiet.
XIOErrorHandler previousIOHandler = nullptr;

int LoseConnection(Display* display)
{
    if (std::find(screenDisplays.begin(), screenDisplays.end(), display) == screenDisplays.end() &&
        previousIOHandler != nullptr) {
        return previousIOHandler(display);
    }
    return 0;
}

void MarkLost(Display*, void* lost)
{
    *static_cast<bool*>(lost) = true;
}

// Ours go in again at each opening, in case other handlers took their place.
void HandleErrorsOf(Display* display, bool* lost)
{
    screenDisplays.push_back(display);
    if (const XErrorHandler previous = XSetErrorHandler(CountError); previous != CountError) {
        previousHandler = previous;
    }
    if (const XIOErrorHandler previous = XSetIOErrorHandler(LoseConnection); previous != LoseConnection) {
        previousIOHandler = previous;
    }
    XSetIOErrorExitHandler(display, MarkLost, lost);
}

// A channel of a true-colour pixel, scaled to 0 to 255.
int Channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1) == 0) {
        ++shift;
    }
    const unsigned long bits = mask >> shift;
    return static_cast<int>(((pixel & mask) >> shift) * 255 / bits);
}

// The modifier bit a key is on (Num Lock, Scroll Lock); 0 when none.
unsigned ModifierOf(Display* display, KeySym symbol)
{
    const KeyCode keycode = XKeysymToKeycode(display, symbol);
    XModifierKeymap* map = XGetModifierMapping(display);
    unsigned mask = 0;
    for (int modifier = 0; modifier < 8 && keycode != 0; ++modifier) {
        for (int i = 0; i < map->max_keypermod; ++i) {
            if (map->modifiermap[modifier * map->max_keypermod + i] == keycode) {
                mask = 1u << modifier;
            }
        }
    }
    XFreeModifiermap(map);
    return mask;
}

// A hot key is pressed whatever lock keys are on: each key is grabbed with
// every combination of Caps Lock, Num Lock and Scroll Lock.
std::vector<unsigned> LockCombinations(Display* display)
{
    const unsigned locks[] = {LockMask, ModifierOf(display, XK_Num_Lock), ModifierOf(display, XK_Scroll_Lock)};
    std::vector<unsigned> combinations{0};
    for (const unsigned lock : locks) {
        if (lock == 0 || std::find(combinations.begin(), combinations.end(), lock) != combinations.end()) {
            continue;
        }
        const std::size_t count = combinations.size();
        for (std::size_t i = 0; i < count; ++i) {
            combinations.push_back(combinations[i] | lock);
        }
    }
    return combinations;
}

// The picker's pointer is the cursor of a pointer grab: the desktop's own
// cursors are never changed, and the server ends the grab with the
// connection, however the host ends. A host that ends on a signal may first
// do lengthy work of its own (Impress saves its documents for recovery): the
// connection is shut first, which ends the grab. Xlib itself is no call for
// a signal handler, and the host is told the connection is lost as when its
// server goes away. Signals of a crash are left to the host alone: a
// handler of ours re-raising them would lose what the host's own needs.
Display* grabbing = nullptr;

void LetGoOfPointer()
{
    if (Display* display = grabbing; display != nullptr) {
        shutdown(ConnectionNumber(display), SHUT_RDWR);
    }
}

// What each signal did before ours: the host's own handling goes on once
// the pointer is free.
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
struct sigaction before[NSIG];

void LetGoAndGoOn(int signal)
{
    LetGoOfPointer();
    sigaction(signal, &before[signal], nullptr);
    std::raise(signal);
}

// Again at each grab: a host may have put its own handlers in since.
void LetGoOnTheWayOut()
{
    struct sigaction ours {};
    ours.sa_handler = LetGoAndGoOn;
    sigemptyset(&ours.sa_mask);
    for (const int signal : kEndingSignals) {
        struct sigaction current {};
        sigaction(signal, nullptr, &current);
        // A signal the process ignores (a terminal's hang-up under nohup) still does not end it.
        if (current.sa_handler != LetGoAndGoOn && current.sa_handler != SIG_IGN) {
            before[signal] = current;
            sigaction(signal, &ours, nullptr);
        }
    }
}

}  // namespace

struct X11Screen::Connection {
    Display* display = nullptr;
    Window root = 0;
    std::vector<unsigned> lockCombinations;
    bool lost = false;
    // The picker's pointer while it is wanted; whether the grab showing it holds.
    Cursor pointer = 0;
    bool grabbed = false;
    // The picker's own windows, over which the grab is let go.
    std::vector<Window> own;
    ~Connection()
    {
        if (display != nullptr) {
            if (grabbing == display) {
                grabbing = nullptr;
            }
            std::erase(screenDisplays, display);
            XCloseDisplay(display);
        }
    }
};

std::shared_ptr<X11Screen> X11Screen::Open(Hooks hooks, std::unique_ptr<EventLoop> loop)
{
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(nullptr);
    if (connection->display == nullptr) {
        return nullptr;
    }
    connection->root = DefaultRootWindow(connection->display);
    connection->lockCombinations = LockCombinations(connection->display);
    HandleErrorsOf(connection->display, &connection->lost);
    return std::shared_ptr<X11Screen>(new X11Screen(std::move(connection), std::move(hooks), std::move(loop)));
}

X11Screen::X11Screen(std::unique_ptr<Connection> connection, Hooks hooks, std::unique_ptr<EventLoop> loop)
    : connection_(std::move(connection)), hooks_(std::move(hooks)), loop_(std::move(loop))
{
    loop_->WatchReadable(ConnectionNumber(connection_->display), [this] { ProcessEvents(); });
}

X11Screen::~X11Screen()
{
    loop_.reset();
    for (const Grab& grab : grabs_) {
        Ungrab(grab.keycode);
    }
    if (connection_->pointer != 0) {
        RestorePointers();
    }
    XSync(connection_->display, False);
}

host::ScreenPoint X11Screen::CursorPos()
{
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned mask = 0;
    if (!XQueryPointer(connection_->display, connection_->root, &root, &child, &x, &y, &windowX, &windowY, &mask)) {
        throw host::HostError("the pointer is on another screen");
    }
    return {x, y};
}

host::Color X11Screen::Pixel(int x, int y)
{
    Display* display = connection_->display;
    const int before = errors;
    XImage* image = XGetImage(display, connection_->root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr || errors != before) {
        if (image != nullptr) {
            XDestroyImage(image);
        }
        throw host::HostError("cannot read the screen at " + std::to_string(x) + "," + std::to_string(y));
    }
    const unsigned long pixel = XGetPixel(image, 0, 0);
    const Visual* visual = DefaultVisual(display, DefaultScreen(display));
    XDestroyImage(image);
    return Channel(pixel, visual->red_mask) + 256 * Channel(pixel, visual->green_mask) +
           65536 * Channel(pixel, visual->blue_mask);
}

bool X11Screen::RegisterHotKey(host::WindowHandle window, int id, int virtualKey)
{
    const std::string name = platform::KeysymOfVirtualKey(virtualKey);
    const KeySym symbol = name.empty() ? NoSymbol : XStringToKeysym(name.c_str());
    const unsigned keycode = symbol == NoSymbol ? 0 : XKeysymToKeycode(connection_->display, symbol);
    const bool taken = std::any_of(grabs_.begin(), grabs_.end(), [&](const Grab& grab) { return grab.keycode == keycode; });
    if (keycode == 0 || taken || connection_->lost) {
        return false;
    }
    const int before = errors;
    for (const unsigned modifiers : connection_->lockCombinations) {
        XGrabKey(connection_->display, static_cast<int>(keycode), modifiers, connection_->root, False, GrabModeAsync,
                 GrabModeAsync);
    }
    XSync(connection_->display, False);
    if (errors != before) {
        // Another program holds the key with some of the locks: let go of the rest.
        Ungrab(keycode);
        XSync(connection_->display, False);
        return false;
    }
    grabs_.push_back({window, id, keycode});
    return true;
}

void X11Screen::UnregisterHotKey(host::WindowHandle window, int id)
{
    const auto grab = std::find_if(grabs_.begin(), grabs_.end(),
                                   [&](const Grab& held) { return held.window == window && held.id == id; });
    if (grab == grabs_.end()) {
        return;
    }
    Ungrab(grab->keycode);
    XSync(connection_->display, False);
    grabs_.erase(grab);
}

void X11Screen::Ungrab(unsigned keycode)
{
    for (const unsigned modifiers : connection_->lockCombinations) {
        XUngrabKey(connection_->display, static_cast<int>(keycode), modifiers, connection_->root);
    }
}

void X11Screen::SetHotKeyHandler(host::WindowHandle window, std::function<void(int id)> handler)
{
    if (handler) {
        handlers_[window] = std::move(handler);
    } else {
        handlers_.erase(window);
    }
}

void X11Screen::ProcessEvents()
{
    Display* display = connection_->display;
    while (!connection_->lost && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != KeyPress) {
            continue;
        }
        const auto grab = std::find_if(grabs_.begin(), grabs_.end(),
                                       [&](const Grab& held) { return held.keycode == event.xkey.keycode; });
        if (grab == grabs_.end()) {
            continue;
        }
        if (XLookupKeysym(&event.xkey, 0) == XK_Escape && hooks_.escapeInWindow &&
            hooks_.escapeInWindow(grab->window)) {
            continue;
        }
        if (const auto handler = handlers_.find(grab->window); handler != handlers_.end()) {
            hooks_.dispatch([deliver = handler->second, id = grab->id] { deliver(id); });
        }
    }
    if (connection_->lost) {
        // A closed connection reads as ready for ever.
        loop_->StopWatching();
    }
}

void X11Screen::SetArrowPointer(const host::PointerPicture& picture)
{
    XcursorImage* image = XcursorImageCreate(picture.width, picture.height);
    if (image == nullptr) {
        throw host::HostError("cannot make the picker's pointer");
    }
    image->xhot = static_cast<XcursorDim>(picture.hotX);
    image->yhot = static_cast<XcursorDim>(picture.hotY);
    std::copy(picture.argb.begin(), picture.argb.end(), image->pixels);
    Display* display = connection_->display;
    const Cursor cursor = XcursorImageLoadCursor(display, image);
    XcursorImageDestroy(image);
    RestorePointers();
    connection_->pointer = cursor;
    LetGoOnTheWayOut();
    GrabPointer();
}

void X11Screen::RestorePointers()
{
    Connection& connection = *connection_;
    if (connection.grabbed) {
        XUngrabPointer(connection.display, CurrentTime);
        grabbing = nullptr;
    }
    if (connection.pointer != 0) {
        XFreeCursor(connection.display, connection.pointer);
    }
    connection.pointer = 0;
    connection.grabbed = false;
    XSync(connection.display, False);
}

// Another client may hold the pointer for a moment (the toolkit's menu that
// opened the picker, a drag): the picker's timer asks again. Over the
// picker's own windows the grab is let go, as it would take the clicks on
// their buttons and swatches there.
void X11Screen::GrabPointer()
{
    Connection& connection = *connection_;
    if (connection.pointer == 0 || connection.lost) {
        return;
    }
    const bool overOwnWindow = PointerOverOwnWindow();
    if (connection.grabbed && overOwnWindow) {
        XUngrabPointer(connection.display, CurrentTime);
        XFlush(connection.display);
        connection.grabbed = false;
        grabbing = nullptr;
    }
    if (connection.grabbed || overOwnWindow) {
        return;
    }
    connection.grabbed = XGrabPointer(connection.display, connection.root, False, 0, GrabModeAsync, GrabModeAsync,
                                      0, connection.pointer, CurrentTime) == GrabSuccess;
    if (connection.grabbed) {
        grabbing = connection.display;
    }
}

// Whether the pointer is inside one of the picker's own windows that is
// shown; a window that is gone is forgotten.
bool X11Screen::PointerOverOwnWindow()
{
    Connection& connection = *connection_;
    Window root = 0;
    Window under = 0;
    host::ScreenPoint at;
    int windowX = 0;
    int windowY = 0;
    unsigned mask = 0;
    if (!XQueryPointer(connection.display, connection.root, &root, &under, &at.x, &at.y, &windowX, &windowY, &mask)) {
        return false;
    }
    bool inside = false;
    std::erase_if(connection.own, [&](Window window) {
        const int before = errors;
        XWindowAttributes attributes{};
        const bool known = XGetWindowAttributes(connection.display, window, &attributes) != 0 && errors == before;
        if (!known || attributes.map_state != IsViewable) {
            return !known;
        }
        int left = 0;
        int top = 0;
        Window child = 0;
        XTranslateCoordinates(connection.display, window, connection.root, 0, 0, &left, &top, &child);
        inside = inside || (at.x >= left && at.x < left + attributes.width && at.y >= top &&
                            at.y < top + attributes.height);
        return false;
    });
    return inside;
}

void X11Screen::LetPointerThrough(unsigned long window)
{
    if (std::find(connection_->own.begin(), connection_->own.end(), window) == connection_->own.end()) {
        connection_->own.push_back(window);
    }
}

void X11Screen::KeepOnTop(host::WindowHandle window)
{
    if (hooks_.keepOnTop) {
        hooks_.keepOnTop(window);
    }
}

// The state a window maps with is its property; a mapped one's the window
// manager changes when asked on the root window. Both, as the window may be either.
void X11Screen::KeepAbove(unsigned long window)
{
    Display* display = connection_->display;
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    const int before = errors;
    XChangeProperty(display, window, state, XA_ATOM, 32, PropModeAppend, reinterpret_cast<const unsigned char*>(&above),
                    1);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = state;
    request.xclient.format = 32;
    request.xclient.data.l[0] = 1;  // add
    request.xclient.data.l[1] = static_cast<long>(above);
    request.xclient.data.l[3] = 1;  // asked by an application
    XSendEvent(display, connection_->root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XSync(display, False);
    if (errors != before) {
        throw host::HostError("cannot keep the window above the others");
    }
}

// Key presses Xlib read into its queue while answering other requests
// leave nothing on the connection to wake the loop: each tick takes them.
int X11Screen::SetTimer(int milliseconds, std::function<void()> tick)
{
    return loop_->StartTimer(milliseconds, [this, tick = std::move(tick)] {
        ProcessEvents();
        GrabPointer();
        hooks_.dispatch(tick);
    });
}

void X11Screen::KillTimer(int id)
{
    loop_->StopTimer(id);
}

}  // namespace velmora::x11
