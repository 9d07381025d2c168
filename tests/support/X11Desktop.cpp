#include "tests/support/X11Desktop.hpp"

#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

namespace velmora::testing {

Cursor DesktopArrow(Display* display)
{
    Cursor arrow = XcursorLibraryLoadCursor(display, "left_ptr");
    if (arrow == 0) {
        arrow = XCreateFontCursor(display, XC_left_ptr);
    }
    XFixesSetCursorName(display, arrow, "left_ptr");
    return arrow;
}

void UseDesktopArrow(Display* display)
{
    XDefineCursor(display, DefaultRootWindow(display), DesktopArrow(display));
    XSync(display, False);
}

std::vector<std::string> WindowStates(Display* display, Window window)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM, &type,
                       &format, &count, &left, &data);
    std::vector<std::string> names;
    for (unsigned long i = 0; i < count; ++i) {
        char* name = XGetAtomName(display, reinterpret_cast<Atom*>(data)[i]);
        names.emplace_back(name);
        XFree(name);
    }
    XFree(data);
    return names;
}

}  // namespace velmora::testing
