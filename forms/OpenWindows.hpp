#pragma once

#include <algorithm>
#include <vector>

namespace velmora::forms {

// After an input, each open window of a driver follows its form: a window
// whose form is still shown takes the form's changes, the others close.
// A window that a handler closed meanwhile is passed over.
template <typename Window, typename CloseWindow>
void FollowForms(const std::vector<Window*>& windows, CloseWindow close)
{
    const std::vector<Window*> open = windows;
    for (Window* window : open) {
        if (std::find(windows.begin(), windows.end(), window) == windows.end()) {
            continue;
        }
        if (window->Form().Shown()) {
            window->Sync();
        } else {
            close(window);
        }
    }
}

}  // namespace velmora::forms
