#pragma once

#include <filesystem>
#include <string>

#include "host/Application.hpp"

namespace velmora::publish {

class frm_CombinPic;

// What the montage is made of: the dialog's values and where the slide
// pictures wait. The border colour and the watermark text come from the
// dialog itself.
struct CombinArgs {
    int n = 0;
    std::filesystem::path tmp;
    std::filesystem::path folder;
    std::string baseName;
    int sortType = 1;
    std::string picFormat;
    int borderWidth = 0;
    int waterMark = 1;
    int waterMarkPosition = 3;
    std::string markPic;
    double picTransp = 0;
};

// The montage file beside the presentation: base name + "-拼图." + format.
std::filesystem::path MontagePath(const std::filesystem::path& folder, const std::string& baseName,
                                  const std::string& picFormat);

// Lays the n slide pictures of `tmp` out on a slide of a hidden scratch
// presentation, lets the host draw the whole as one picture and puts that
// picture in place of the montage file. True only when this run wrote the
// file; any failure of the host leaves an earlier file as it was. The
// scratch web page beside `tmp` is removed again.
bool CombinSlidePics(host::Application& application, const frm_CombinPic& form, const CombinArgs& args);

}  // namespace velmora::publish
