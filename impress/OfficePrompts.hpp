#pragma once

#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "host/Prompts.hpp"

namespace velmora::impress {

// Message boxes, the input box, the file picker and the colour chooser of
// LibreOffice's own toolkit, over the frame's window.
class OfficePrompts : public host::Prompts {
public:
    OfficePrompts(css::uno::Reference<css::uno::XComponentContext> office,
                  css::uno::Reference<css::frame::XFrame> frame);

    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    std::optional<std::string> PickFile(const std::string& title,
                                        const std::vector<host::FileFilter>& filters) override;
    std::optional<host::Color> ChooseColor(host::Color initial, std::array<host::Color, 16>& customColors) override;

private:
    css::uno::Reference<css::awt::XWindow> ParentWindow() const;

    css::uno::Reference<css::uno::XComponentContext> office_;
    css::uno::Reference<css::frame::XFrame> frame_;
};

}  // namespace velmora::impress
