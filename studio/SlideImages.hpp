#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include <QFutureWatcher>
#include <QImage>
#include <QThreadPool>

#include "host/Presentation.hpp"
#include "platform/PrivateFolder.hpp"
#include "render/SlideRenderer.hpp"

namespace velmora::studio {

// Pictures of every slide, drawn by the renderer away from the window's
// thread: a copy of the presentation as it stands is saved at once, and
// LibreOffice works on the copy while the window stays responsive. A newer
// request supersedes one still waiting. The slide the window shows large is
// drawn first and handed over alone, as soon as LibreOffice's PDF is made;
// the others follow together. Results arrive on the window's thread.
class SlideImages {
public:
    struct Result {
        std::vector<QImage> slides;
        QString error;  // empty on success
    };
    using Handler = std::function<void(const Result&)>;
    using FirstHandler = std::function<void(int slide, const QImage& picture)>;

    SlideImages(FirstHandler onFirst, Handler onResult);
    ~SlideImages();
    SlideImages(const SlideImages&) = delete;
    SlideImages& operator=(const SlideImages&) = delete;

    // `width` pixels wide, as high as the slide's proportions ask; slide
    // `first` before the others.
    void Request(host::Presentation& presentation, int width, int first);
    bool Busy() const { return running_ > 0; }

private:
    Result Draw(std::filesystem::path copy, std::uint64_t revision, int slides, int first, render::PixelBox box);
    void HandOverFirst(std::uint64_t revision, int slide, const QImage& picture);

    FirstHandler onFirst_;
    Handler onResult_;
    // Lives on the window's thread: the first picture is posted to it.
    QObject receiver_;
    platform::PrivateFolder folder_;
    QThreadPool pool_;
    std::unique_ptr<render::SlideRenderer> renderer_;
    std::uint64_t requests_ = 0;
    std::atomic<std::uint64_t> latest_{0};
    int running_ = 0;
};

}  // namespace velmora::studio
