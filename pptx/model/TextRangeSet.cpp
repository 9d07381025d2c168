#include "pptx/model/TextRangeSet.hpp"

namespace velmora::pptx::model {

namespace {

template <typename Item, typename Read, typename Value = std::invoke_result_t<Read, const Item&>>
Value Common(const std::vector<host::Ref<Item>>& items, Read read, Value mixed)
{
    Value first = read(*items.front());
    for (const auto& item : items) {
        if (read(*item) != first) {
            return mixed;
        }
    }
    return first;
}

template <typename Item, typename Write>
void ForEach(const std::vector<host::Ref<Item>>& items, Write write)
{
    for (const auto& item : items) {
        write(*item);
    }
}

template <typename Part, typename Item, typename Get>
std::vector<host::Ref<Part>> Each(const std::vector<host::Ref<Item>>& items, Get get)
{
    std::vector<host::Ref<Part>> parts;
    for (const auto& item : items) {
        parts.push_back(get(*item));
    }
    return parts;
}

}  // namespace

std::string TextRangeSet::Text() const
{
    std::string text;
    for (const auto& range : ranges_) {
        text += (text.empty() ? "" : "\r") + range->Text();
    }
    return text;
}

void TextRangeSet::SetText(const std::string& value)
{
    ForEach(ranges_, [&](host::TextRange& range) { range.SetText(value); });
}

host::Ref<host::Font> TextRangeSet::Font()
{
    return std::make_shared<FontSet>(Each<host::Font>(ranges_, [](host::TextRange& r) { return r.Font(); }));
}

host::Ref<host::ParagraphFormat> TextRangeSet::ParagraphFormat()
{
    return std::make_shared<ParagraphFormatSet>(
        Each<host::ParagraphFormat>(ranges_, [](host::TextRange& r) { return r.ParagraphFormat(); }));
}

std::string FontSet::Name() const
{
    return Common(fonts_, [](const host::Font& f) { return f.Name(); }, std::string());
}

void FontSet::SetName(const std::string& value)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetName(value); });
}

std::string FontSet::NameFarEast() const
{
    return Common(fonts_, [](const host::Font& f) { return f.NameFarEast(); }, std::string());
}

void FontSet::SetNameFarEast(const std::string& value)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetNameFarEast(value); });
}

std::string FontSet::NameAscii() const
{
    return Common(fonts_, [](const host::Font& f) { return f.NameAscii(); }, std::string());
}

void FontSet::SetNameAscii(const std::string& value)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetNameAscii(value); });
}

std::string FontSet::NameOther() const
{
    return Common(fonts_, [](const host::Font& f) { return f.NameOther(); }, std::string());
}

void FontSet::SetNameOther(const std::string& value)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetNameOther(value); });
}

std::string FontSet::NameComplexScript() const
{
    return Common(fonts_, [](const host::Font& f) { return f.NameComplexScript(); }, std::string());
}

void FontSet::SetNameComplexScript(const std::string& value)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetNameComplexScript(value); });
}

float FontSet::Size() const
{
    return Common(fonts_, [](const host::Font& f) { return f.Size(); }, 0.0F);
}

void FontSet::SetSize(float points)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetSize(points); });
}

int FontSet::Bold() const
{
    return Common(fonts_, [](const host::Font& f) { return f.Bold(); }, host::TriState::Mixed);
}

void FontSet::SetBold(int triState)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetBold(triState); });
}

int FontSet::Italic() const
{
    return Common(fonts_, [](const host::Font& f) { return f.Italic(); }, host::TriState::Mixed);
}

void FontSet::SetItalic(int triState)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetItalic(triState); });
}

int FontSet::Underline() const
{
    return Common(fonts_, [](const host::Font& f) { return f.Underline(); }, host::TriState::Mixed);
}

void FontSet::SetUnderline(int triState)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetUnderline(triState); });
}

int FontSet::Shadow() const
{
    return Common(fonts_, [](const host::Font& f) { return f.Shadow(); }, host::TriState::Mixed);
}

void FontSet::SetShadow(int triState)
{
    ForEach(fonts_, [&](host::Font& f) { f.SetShadow(triState); });
}

host::Ref<host::ColorFormat> FontSet::Color()
{
    return std::make_shared<ColorSet>(Each<host::ColorFormat>(fonts_, [](host::Font& f) { return f.Color(); }));
}

host::Color ColorSet::RGB() const
{
    return Common(colors_, [](const host::ColorFormat& c) { return c.RGB(); }, host::Color{host::TriState::Mixed});
}

void ColorSet::SetRGB(host::Color value)
{
    ForEach(colors_, [&](host::ColorFormat& c) { c.SetRGB(value); });
}

int ParagraphFormatSet::Alignment() const
{
    return Common(formats_, [](const host::ParagraphFormat& p) { return p.Alignment(); }, host::TriState::Mixed);
}

void ParagraphFormatSet::SetAlignment(int value)
{
    ForEach(formats_, [&](host::ParagraphFormat& p) { p.SetAlignment(value); });
}

}  // namespace velmora::pptx::model
