#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/PrivateFolder.hpp"
#include "render/SlideRenderer.hpp"

namespace velmora::pptx::package {
class Package;
}

namespace velmora::pptx::model {

class Application;
class Presentation;

// Pictures of slides, drawn by the renderer from a copy of the presentation
// as it stands; the copy and its PDF are made once per revision. The copy
// carries no links the renderer would fetch, nor SVG pictures naming files
// outside it: decks come from anywhere, a fetch would tell a remote address
// who exported the deck and when, and a local file would show in the picture. One
// per application.
class SlidePictures {
public:
    SlidePictures();

    // Told of progress and of font names drawn in fallback faces; set before
    // the first picture. Not owned.
    void SetObserver(render::RenderObserver* observer) { observer_ = observer; }
    // Keeps LibreOffice running between conversions; before the first picture.
    void KeepOfficeRunning() { keepOfficeRunning_ = true; }
    // The file a batch runs next. With LibreOffice kept running, its slides
    // are converted while those of this file are drawn, and drawn from that
    // conversion if the file is opened unchanged and exported as it stands.
    void ExpectNext(std::filesystem::path file) { next_ = std::move(file); }

    // One picture per slide into `folder`, named "幻灯片" + number + "." + filter.
    void ExportAll(Presentation& presentation, const std::filesystem::path& folder, const std::string& filter,
                   int width, int height);
    void ExportSlide(Presentation& presentation, int slideIndex, const std::filesystem::path& file,
                     const std::string& filter, int width, int height);
    // A presentation beside nothing else: each slide one full-slide picture.
    void SavePicturePresentation(Application& application, Presentation& presentation,
                                 const std::filesystem::path& target);

private:
    struct Snapshot {
        std::filesystem::path file;
        std::uint64_t revision = 0;
    };
    struct FileStamp {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        bool operator==(const FileStamp&) const = default;
    };
    // A copy of the next file, being converted ahead.
    struct AheadCopy {
        std::filesystem::path source;
        FileStamp stamp;
        std::filesystem::path copy;
    };

    static std::optional<FileStamp> Stamp(const std::filesystem::path& file);
    const Snapshot& Current(Presentation& presentation);
    void ConvertNextAhead();
    bool TakeAheadCopy(Presentation& presentation, Snapshot& snapshot);
    // Tells the observer which of the typefaces the renderer lacks; they are
    // gathered only when there is an observer.
    void TellSubstitutedFonts(const std::function<std::vector<std::string>()>& typefaces);
    std::filesystem::path OneSlideCopy(Presentation& presentation, int slideIndex);
    render::SlideRenderer& Renderer();
    const std::filesystem::path& Folder();

    std::optional<platform::PrivateFolder> folder_;
    std::unique_ptr<render::SlideRenderer> renderer_;
    render::RenderObserver* observer_ = nullptr;
    bool keepOfficeRunning_ = false;
    std::map<std::weak_ptr<Presentation>, Snapshot, std::owner_less<>> snapshots_;
    std::optional<std::filesystem::path> next_;
    std::optional<AheadCopy> ahead_;
    int copies_ = 0;
};

}  // namespace velmora::pptx::model
