#pragma once

#include <vector>

#include "render/FontConfiguration.hpp"

namespace velmora::render {

// What a renderer tells the program around it while it works; every call
// comes from the thread that asked for the pictures.
class RenderObserver {
public:
    virtual ~RenderObserver() = default;
    // LibreOffice starts making the PDF of a presentation, which takes seconds.
    virtual void ConversionStarted() = 0;
    // After every start, whether or not LibreOffice made the PDF.
    virtual void ConversionFinished(bool converted) = 0;
    // `done` of `total` pictures of one request are drawn.
    virtual void SlidesDrawn(int done, int total) = 0;
    // Font names of a presentation that are drawn in a fallback face.
    virtual void FontsSubstituted(const std::vector<FontSubstitution>& substitutions) = 0;
};

}  // namespace velmora::render
