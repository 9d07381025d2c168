#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/Application.hpp"
#include "host/MsoConstants.hpp"
#include "host/Services.hpp"
#include "pptx/model/ShapeClip.hpp"
#include "pptx/model/SlidePictures.hpp"

namespace velmora::pptx::model {

class Presentation;
class DocumentWindow;

// The document host's application: the open presentations and their windows.
class Application : public host::Application, public std::enable_shared_from_this<Application> {
public:
    Application(host::Services services, std::string version);

    host::Ref<host::Presentation> ActivePresentation() override;
    host::Ref<host::DocumentWindow> ActiveWindow() override;
    host::Ref<host::Presentations> Presentations() override;
    std::string Version() const override { return version_; }
    host::Ref<host::FileDialog> FileDialog(int type) override;
    // Kept, and passed on to the host's main window where there is one.
    int WindowState() const override { return windowState_; }
    void SetWindowState(int windowState) override;
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override;

    const std::vector<std::shared_ptr<Presentation>>& OpenPresentations() const { return presentations_; }
    std::shared_ptr<Presentation> AddNew(bool withWindow);
    std::shared_ptr<Presentation> OpenFile(const std::filesystem::path& file, bool readOnly, bool untitled,
                                           bool withWindow);
    // Drops a presentation that closes, with its window.
    void Forget(const Presentation& presentation);
    SlidePictures& Pictures() { return pictures_; }
    ShapeClipboard& Clipboard() { return clipboard_; }

private:
    std::shared_ptr<Presentation> Adopt(std::shared_ptr<Presentation> presentation, bool withWindow);
    std::string NextUntitledName();

    host::Services services_;
    std::string version_;
    std::vector<std::shared_ptr<Presentation>> presentations_;
    // In the order they were opened; the last one is active.
    std::vector<std::shared_ptr<DocumentWindow>> windows_;
    int untitledCount_ = 0;
    int windowState_ = host::WindowState::Normal;
    bool visible_ = true;
    SlidePictures pictures_;
    ShapeClipboard clipboard_;
};

}  // namespace velmora::pptx::model
