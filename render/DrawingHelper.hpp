#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>

#include "render/ChildProcess.hpp"
#include "render/PictureFormat.hpp"
#include "render/Raster.hpp"

namespace velmora::render {

// A velmora-draw process with one PDF loaded, drawing its pages into picture
// files. poppler draws one page at a time in a process (its Cairo output
// shares one FreeType library among all documents), so pages drawn at once
// are drawn in processes of their own.
class DrawingHelper {
public:
    // Starts the helper and waits until it has loaded the PDF; when it cannot,
    // the helper is not Ready.
    DrawingHelper(const std::filesystem::path& pdf, std::chrono::milliseconds timeLimit);
    ~DrawingHelper();
    DrawingHelper(const DrawingHelper&) = delete;
    DrawingHelper& operator=(const DrawingHelper&) = delete;

    bool Ready() const { return child_ != nullptr; }

    // Page `index` (from 0) filling `box`, encoded into `file`; one request at
    // a time, whatever the threads asking. False when the helper cannot be
    // asked for this file (its name spans lines); raises RenderError when
    // drawing fails or the helper ends or overruns.
    bool Draw(int index, PixelBox box, PictureFormat format, const std::filesystem::path& file);

private:
    std::unique_ptr<RunningChild> child_;
    std::chrono::milliseconds timeLimit_;
    std::mutex asking_;
};

}  // namespace velmora::render
