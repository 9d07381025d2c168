#include "pptx/shapes/DocumentTextEffect.hpp"

#include <utility>

namespace velmora::pptx::shapes {

DocumentTextEffect::DocumentTextEffect(TextSite site) : font_({std::move(site)}) {}

std::string DocumentTextEffect::FontName() const { return font_.Name(); }

void DocumentTextEffect::SetFontName(const std::string& value)
{
    font_.SetName(value);
    font_.SetNameFarEast(value);
    font_.SetNameComplexScript(value);
}

float DocumentTextEffect::FontSize() const { return font_.Size(); }
void DocumentTextEffect::SetFontSize(float value) { font_.SetSize(value); }
int DocumentTextEffect::FontBold() const { return font_.Bold(); }
void DocumentTextEffect::SetFontBold(int triState) { font_.SetBold(triState); }
int DocumentTextEffect::FontItalic() const { return font_.Italic(); }
void DocumentTextEffect::SetFontItalic(int triState) { font_.SetItalic(triState); }

}  // namespace velmora::pptx::shapes
