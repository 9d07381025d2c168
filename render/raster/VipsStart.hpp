#pragma once

namespace velmora::render {

// Starts libvips once per process; raises RenderError when it cannot.
void StartVips();

}  // namespace velmora::render
