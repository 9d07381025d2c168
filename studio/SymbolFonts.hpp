#pragma once

#include <string>

#include <QString>

namespace velmora::studio {

// Whether captions in this font are symbols (Webdings, Marlett): the
// desktop has no such font, so they are drawn as the glyphs they stand for.
bool IsSymbolFont(const std::string& fontName);

// A caption as it reads: in a symbol font, each character the forms use
// becomes the glyph it stands for ("3" in Webdings is a left arrow).
QString ShownCaption(const std::string& fontName, const QString& caption);

}  // namespace velmora::studio
