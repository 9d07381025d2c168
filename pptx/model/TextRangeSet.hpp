#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/TextRange.hpp"

namespace velmora::pptx::model {

// The text of several selected shapes as one text range: writes go to every
// shape's text, reads give the common value or the mixed one.
class TextRangeSet : public host::TextRange {
public:
    explicit TextRangeSet(std::vector<host::Ref<host::TextRange>> ranges) : ranges_(std::move(ranges)) {}

    std::string Text() const override;
    void SetText(const std::string& value) override;
    host::Ref<host::Font> Font() override;
    host::Ref<host::ParagraphFormat> ParagraphFormat() override;

private:
    std::vector<host::Ref<host::TextRange>> ranges_;
};

class FontSet : public host::Font {
public:
    explicit FontSet(std::vector<host::Ref<host::Font>> fonts) : fonts_(std::move(fonts)) {}

    std::string Name() const override;
    void SetName(const std::string& value) override;
    std::string NameFarEast() const override;
    void SetNameFarEast(const std::string& value) override;
    std::string NameAscii() const override;
    void SetNameAscii(const std::string& value) override;
    std::string NameOther() const override;
    void SetNameOther(const std::string& value) override;
    std::string NameComplexScript() const override;
    void SetNameComplexScript(const std::string& value) override;
    float Size() const override;
    void SetSize(float points) override;
    int Bold() const override;
    void SetBold(int triState) override;
    int Italic() const override;
    void SetItalic(int triState) override;
    int Underline() const override;
    void SetUnderline(int triState) override;
    int Shadow() const override;
    void SetShadow(int triState) override;
    host::Ref<host::ColorFormat> Color() override;

private:
    std::vector<host::Ref<host::Font>> fonts_;
};

class ColorSet : public host::ColorFormat {
public:
    explicit ColorSet(std::vector<host::Ref<host::ColorFormat>> colors) : colors_(std::move(colors)) {}
    // The common colour; the mixed value when the texts differ.
    host::Color RGB() const override;
    void SetRGB(host::Color value) override;

private:
    std::vector<host::Ref<host::ColorFormat>> colors_;
};

class ParagraphFormatSet : public host::ParagraphFormat {
public:
    explicit ParagraphFormatSet(std::vector<host::Ref<host::ParagraphFormat>> formats) : formats_(std::move(formats)) {}
    int Alignment() const override;
    void SetAlignment(int value) override;

private:
    std::vector<host::Ref<host::ParagraphFormat>> formats_;
};

}  // namespace velmora::pptx::model
