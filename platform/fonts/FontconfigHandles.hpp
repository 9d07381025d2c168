#pragma once

#include <memory>

#include <fontconfig/fontconfig.h>

namespace velmora::platform::fonts {

// fontconfig's objects, released with the function fontconfig has for each.
struct FontconfigFree {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
    void operator()(FcObjectSet* objects) const { FcObjectSetDestroy(objects); }
    void operator()(FcFontSet* fonts) const { FcFontSetDestroy(fonts); }
    void operator()(FcChar8* text) const { FcStrFree(text); }
};

using Config = std::unique_ptr<FcConfig, FontconfigFree>;
using Pattern = std::unique_ptr<FcPattern, FontconfigFree>;
using ObjectSet = std::unique_ptr<FcObjectSet, FontconfigFree>;
using FontSet = std::unique_ptr<FcFontSet, FontconfigFree>;
using FontconfigString = std::unique_ptr<FcChar8, FontconfigFree>;

}  // namespace velmora::platform::fonts
