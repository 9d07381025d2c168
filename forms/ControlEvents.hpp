#pragma once

#include <functional>
#include <utility>

namespace velmora::forms {

// The handlers a dialog sets on a control or form (named as the runtime's
// events) and the calls a driver makes to raise them. Key codes are passed by
// reference: a KeyPress handler that sets its code to 0 discards the key.
class ControlEvents {
public:
    using Handler = std::function<void()>;
    using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
    using KeyPressHandler = std::function<void(int& keyAscii)>;
    using KeyHandler = std::function<void(int& keyCode, int shift)>;

    Handler Change;
    Handler Click;
    Handler DblClick;
    Handler Enter;
    Handler Exit;
    MouseHandler MouseDown;
    MouseHandler MouseUp;
    MouseHandler MouseMove;
    KeyPressHandler KeyPress;
    KeyHandler KeyDown;
    KeyHandler KeyUp;

    void FireChange() const { Fire(Change); }
    void FireClick() const { Fire(Click); }
    void FireDblClick() const { Fire(DblClick); }
    void FireEnter() const { Fire(Enter); }
    void FireExit() const { Fire(Exit); }
    void FireMouseDown(int button, int shift, float x, float y) const { Fire(MouseDown, button, shift, x, y); }
    void FireMouseUp(int button, int shift, float x, float y) const { Fire(MouseUp, button, shift, x, y); }
    void FireMouseMove(int button, int shift, float x, float y) const { Fire(MouseMove, button, shift, x, y); }
    void FireKeyPress(int& keyAscii) const { Fire(KeyPress, keyAscii); }
    void FireKeyDown(int& keyCode, int shift) const { Fire(KeyDown, keyCode, shift); }
    void FireKeyUp(int& keyCode, int shift) const { Fire(KeyUp, keyCode, shift); }

private:
    template <typename Function, typename... Args>
    static void Fire(const Function& handler, Args&&... args)
    {
        if (handler) {
            handler(std::forward<Args>(args)...);
        }
    }
};

}  // namespace velmora::forms
