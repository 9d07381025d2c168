#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "host/Presentation.hpp"
#include "host/Services.hpp"
#include "pptx/parts/Deck.hpp"

namespace velmora::pptx::model {

class Application;
class DocumentWindow;
class SlidePictures;
class ShapeClipboard;

// One open presentation: its deck, where it lives and whether it changed.
// The other model objects hold it and reach the deck through it.
class Presentation : public host::Presentation, public std::enable_shared_from_this<Presentation> {
public:
    struct Origin {
        std::filesystem::path file;  // empty while never saved
        std::string untitledName;    // the name until then
        bool readOnly = false;
    };

    Presentation(std::weak_ptr<Application> application, host::Services services, std::unique_ptr<parts::Deck> deck,
                 Origin origin);

    std::string Path() const override;
    std::string Name() const override;
    std::string FullName() const override;
    bool Saved() const override { return !changed_; }
    host::Ref<host::Slides> Slides() override;
    host::Ref<host::PageSetup> PageSetup() override;
    void SaveAs(const std::filesystem::path& file, int format, int embedFonts = -2) override;
    void SaveCopyAs(const std::filesystem::path& file) override;
    void Save() override;
    void Close() override;
    void Export(const std::filesystem::path& path, const std::string& filter, int scaleWidth,
                int scaleHeight) override;
    void FollowHyperlink(const std::string& address) override;

    // Raises the host error once the presentation is closed.
    parts::Deck& Deck();
    void MarkChanged()
    {
        changed_ = true;
        ++revision_;
    }
    std::shared_ptr<const package::Package::State> Keep() { return Deck().Keep(); }
    // Puts a kept state back as a change; the window's selection goes, as
    // the shapes it names are gone with their parsed slide.
    void Restore(const package::Package::State& state);
    // Counts the changes, so that pictures of one state are drawn once.
    std::uint64_t Revision() const { return revision_; }
    // The slide pictures of the application; raises the host error once it is gone.
    SlidePictures& Pictures();
    // The application's clipboard of shapes; raises the host error once it is gone.
    ShapeClipboard& Clipboard();
    // The window showing the presentation; empty when it has none.
    std::shared_ptr<DocumentWindow> Window() const { return window_.lock(); }
    void SetWindow(const std::shared_ptr<DocumentWindow>& window) { window_ = window; }
    // Drops the deck; called by the application when it closes the presentation.
    void Release() { deck_.reset(); }

private:
    void Write(const std::filesystem::path& file);
    // `file` made absolute; raises for an empty name.
    std::filesystem::path Target(const std::filesystem::path& file) const;

    std::weak_ptr<Application> application_;
    host::Services services_;
    std::unique_ptr<parts::Deck> deck_;
    Origin origin_;
    std::weak_ptr<DocumentWindow> window_;
    bool changed_ = false;
    std::uint64_t revision_ = 0;
};

}  // namespace velmora::pptx::model
