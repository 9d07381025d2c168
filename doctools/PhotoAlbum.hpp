#pragma once

#include <filesystem>
#include <string>

#include "host/Application.hpp"
#include "host/Services.hpp"

// The album copy: beside the active presentation, a copy in which every slide
// is one full-slide picture.
namespace velmora::doctools {

void TranstoPic_main(host::Application& application, const host::Services& services);

// Builds a presentation of `slidenum` slides of the active presentation's
// size, slide i covered by the picture of slide i found in `mypath`, and
// saves it as `fpath`/`fname`_图片版.pptx. A failure closes the half-built
// presentation unsaved and goes on to the caller.
void insertpic(host::Application& application, int slidenum, const std::filesystem::path& mypath,
               const std::filesystem::path& fpath, const std::string& fname);

}  // namespace velmora::doctools
