// The font module's entry point: the only symbol the program looks up.
#include "platform/FontModule.hpp"
#include "platform/fonts/FaceMatching.hpp"
#include "platform/fonts/FamilyNames.hpp"
#include "platform/fonts/TextMeasure.hpp"

namespace {

using namespace velmora::platform;

const FontFunctions kFunctions{fonts::MeasureLine, fonts::InstalledFamilies, fonts::FoldCase, fonts::MatchFamilies};

}  // namespace

extern "C" __attribute__((visibility("default"))) const FontFunctions* velmora_font_functions()
{
    return &kFunctions;
}
