#pragma once

#include <string>
#include <vector>

namespace velmora::render {

// Told how a long picture job goes, so that a caller can show it: LibreOffice
// converting (which takes seconds and says nothing), then each page drawn.
class RenderProgress {
public:
    virtual ~RenderProgress() = default;
    virtual void ConversionStarted() = 0;
    // After every start, whether or not LibreOffice made the PDF.
    virtual void ConversionFinished(bool converted) = 0;
    virtual void PageDone(int done, int total) = 0;
};

}  // namespace velmora::render
