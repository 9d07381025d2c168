#pragma once

#include <string>
#include <vector>

#include <X11/Xlib.h>

namespace velmora::testing {

// The desktop's arrow as a toolkit loads it: from the cursor theme (else the
// server's own), named "left_ptr".
Cursor DesktopArrow(Display* display);

// The root window takes the desktop's arrow, "left_ptr", as a desktop
// session sets it; the pointer shows it where no window covers the root.
void UseDesktopArrow(Display* display);

// The window manager's states asked for the window.
std::vector<std::string> WindowStates(Display* display, Window window);

}  // namespace velmora::testing
