#pragma once

#include <filesystem>

namespace velmora::pptx::package {

// Readies a copy of a deck for a renderer, in place: linked content that
// would be fetched from addresses goes, and so does every reference of its
// SVG pictures to files and addresses outside the package. Every copy a
// renderer draws goes through this first, or the pictures could show files
// of the machine they are drawn on.
void PrepareRendererCopy(const std::filesystem::path& copy);

}  // namespace velmora::pptx::package
