#pragma once

#include <string>

namespace velmora::forms {

// Whether captions in this font are symbols (Webdings, Marlett): the
// desktops have no such font, so they are drawn as the glyphs they stand for.
bool IsSymbolFont(const std::string& fontName);

// A caption as it reads: in a symbol font, each character the forms use
// becomes the glyph it stands for ("3" in Webdings is a left arrow).
std::string ShownCaption(const std::string& fontName, const std::string& caption);

}  // namespace velmora::forms
