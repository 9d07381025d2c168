#pragma once

#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

namespace velmora::impress {

// The view a command works in. Impress's outline view keeps the titles and
// outlines of the slides in an editor of its own and writes them back over
// the slides when the user leaves it, and a text box being edited does so
// when its editing ends: what a command changed meanwhile would be lost. So
// a press ends text editing and leaves the outline view for the normal one
// while it runs, and gives the outline view back after.
class CommandView {
public:
    CommandView(css::uno::Reference<css::uno::XComponentContext> office, css::uno::Reference<css::frame::XFrame> frame);
    ~CommandView();
    CommandView(const CommandView&) = delete;
    CommandView& operator=(const CommandView&) = delete;

private:
    bool Shows(const char* service) const;
    // Runs an Impress command of the frame and waits until the view it asks
    // for shows: Impress changes views on its main thread, after the request.
    void SwitchTo(const char* command, const char* service) const;
    void EndTextEdit() const;

    css::uno::Reference<css::uno::XComponentContext> office_;
    css::uno::Reference<css::frame::XFrame> frame_;
    bool fromOutline_ = false;
};

}  // namespace velmora::impress
