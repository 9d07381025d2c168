#pragma once

#include "host/Shape.hpp"
#include "pptx/shapes/DocumentFont.hpp"

namespace velmora::pptx::shapes {

// The WordArt text effect of a shape: the font of all its text.
class DocumentTextEffect : public host::TextEffectFormat {
public:
    explicit DocumentTextEffect(TextSite site);

    std::string FontName() const override;
    // Sets the typeface for every script, as one WordArt font.
    void SetFontName(const std::string& value) override;
    float FontSize() const override;
    void SetFontSize(float value) override;
    int FontBold() const override;
    void SetFontBold(int triState) override;
    int FontItalic() const override;
    void SetFontItalic(int triState) override;

private:
    DocumentFont font_;
};

}  // namespace velmora::pptx::shapes
