#pragma once

#include <string>

#include "host/Forward.hpp"
#include "host/MsoConstants.hpp"

namespace velmora::host {

class ColorFormat {
public:
    virtual ~ColorFormat() = default;
    virtual Color RGB() const = 0;
    virtual void SetRGB(Color value) = 0;
};

// Font of a text range. Reading a property that differs across the range
// gives the mixed value (TriState::Mixed, an empty name, or FontSize::Mixed).
class Font {
public:
    virtual ~Font() = default;
    virtual std::string Name() const = 0;
    virtual void SetName(const std::string& value) = 0;
    virtual std::string NameFarEast() const = 0;
    virtual void SetNameFarEast(const std::string& value) = 0;
    virtual std::string NameAscii() const = 0;
    virtual void SetNameAscii(const std::string& value) = 0;
    virtual std::string NameOther() const = 0;
    virtual void SetNameOther(const std::string& value) = 0;
    virtual std::string NameComplexScript() const = 0;
    virtual void SetNameComplexScript(const std::string& value) = 0;
    virtual float Size() const = 0;
    virtual void SetSize(float points) = 0;
    virtual int Bold() const = 0;
    virtual void SetBold(int triState) = 0;
    virtual int Italic() const = 0;
    virtual void SetItalic(int triState) = 0;
    virtual int Underline() const = 0;
    virtual void SetUnderline(int triState) = 0;
    virtual int Shadow() const = 0;
    virtual void SetShadow(int triState) = 0;
    virtual Ref<ColorFormat> Color() = 0;
};

class ParagraphFormat {
public:
    virtual ~ParagraphFormat() = default;
    virtual int Alignment() const = 0;
    virtual void SetAlignment(int value) = 0;
};

// Paragraphs are separated by "\r"; a line break inside a paragraph is "\v".
class TextRange {
public:
    virtual ~TextRange() = default;
    virtual std::string Text() const = 0;
    // Keeps the formatting of the first run.
    virtual void SetText(const std::string& value) = 0;
    virtual Ref<host::Font> Font() = 0;
    virtual Ref<host::ParagraphFormat> ParagraphFormat() = 0;
    // The runs: stretches of text of one formatting, in order, each a range
    // of its own whose font reads and writes that run alone.
    virtual int RunCount() const = 0;
    virtual Ref<TextRange> Runs(int index) = 0;
};

class TextFrame {
public:
    virtual ~TextFrame() = default;
    virtual bool HasText() const = 0;
    virtual Ref<host::TextRange> TextRange() = 0;
    virtual int WordWrap() const = 0;
    virtual void SetWordWrap(int triState) = 0;
    virtual int AutoSize() const = 0;
    virtual void SetAutoSize(int value) = 0;
};

}  // namespace velmora::host
