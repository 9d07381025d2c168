#include "pptx/model/Application.hpp"

#include <algorithm>

#include "host/HostError.hpp"
#include "pptx/model/DocumentWindow.hpp"
#include "pptx/model/FileDialog.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/model/Presentations.hpp"

namespace velmora::pptx::model {

Application::Application(host::Services services, std::string version)
    : services_(std::move(services)), version_(std::move(version))
{
}

void Application::SetWindowState(int windowState)
{
    if (windowState < host::WindowState::Normal || windowState > host::WindowState::Maximized) {
        throw host::HostError("the window state must be 1, 2 or 3, not " + std::to_string(windowState));
    }
    windowState_ = windowState;
    if (services_.hostWindow) {
        services_.hostWindow->SetState(windowState);
    }
}

void Application::SetVisible(bool visible)
{
    visible_ = visible;
    if (services_.hostWindow) {
        services_.hostWindow->SetVisible(visible);
    }
}

host::Ref<host::Presentation> Application::ActivePresentation()
{
    if (windows_.empty()) {
        throw host::HostError("no presentation is open in a window");
    }
    return windows_.back()->Presentation();
}

host::Ref<host::DocumentWindow> Application::ActiveWindow()
{
    if (windows_.empty()) {
        throw host::HostError("no document window is open");
    }
    return windows_.back();
}

host::Ref<host::Presentations> Application::Presentations()
{
    return std::make_shared<model::Presentations>(shared_from_this());
}

host::Ref<host::FileDialog> Application::FileDialog(int /*type*/)
{
    return std::make_shared<model::FileDialog>(services_.prompts);
}

std::string Application::NextUntitledName()
{
    return "演示文稿" + std::to_string(++untitledCount_);
}

std::shared_ptr<Presentation> Application::Adopt(std::shared_ptr<Presentation> presentation, bool withWindow)
{
    presentations_.push_back(presentation);
    if (withWindow) {
        auto window = std::make_shared<DocumentWindow>(presentation);
        presentation->SetWindow(window);
        windows_.push_back(window);
    }
    return presentation;
}

std::shared_ptr<Presentation> Application::AddNew(bool withWindow)
{
    return Adopt(std::make_shared<Presentation>(weak_from_this(), services_, parts::Deck::New(),
                                                Presentation::Origin{{}, NextUntitledName(), false}),
                 withWindow);
}

std::shared_ptr<Presentation> Application::OpenFile(const std::filesystem::path& file, bool readOnly, bool untitled,
                                                    bool withWindow)
{
    std::filesystem::path absolute = std::filesystem::absolute(file);
    std::unique_ptr<parts::Deck> deck = parts::Deck::Open(absolute);
    Presentation::Origin origin = untitled ? Presentation::Origin{{}, NextUntitledName(), readOnly}
                                           : Presentation::Origin{absolute, {}, readOnly};
    return Adopt(std::make_shared<Presentation>(weak_from_this(), services_, std::move(deck), std::move(origin)),
                 withWindow);
}

void Application::Forget(const Presentation& presentation)
{
    std::erase_if(windows_, [&](const auto& window) { return window->Owner().get() == &presentation; });
    std::erase_if(presentations_, [&](const auto& open) { return open.get() == &presentation; });
}

}  // namespace velmora::pptx::model
