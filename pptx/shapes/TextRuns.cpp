#include "pptx/shapes/TextRuns.hpp"

#include <algorithm>
#include <string_view>

#include "pptx/shapes/DrawingXml.hpp"

namespace velmora::pptx::shapes {

namespace {

bool IsTextRun(pugi::xml_node node)
{
    return IsAnyOf(node, {"r", "fld"});
}

pugi::xml_node EnsureFirstChild(pugi::xml_node parent, const char* qualifiedName)
{
    if (auto existing = Child(parent, std::string_view(qualifiedName).substr(2))) {
        return existing;
    }
    return parent.prepend_child(qualifiedName);
}

std::string TextOf(pugi::xml_node t)
{
    std::string text;
    for (auto part : t.children()) {
        if (part.type() == pugi::node_pcdata || part.type() == pugi::node_cdata) {
            text += part.value();
        }
    }
    return text;
}

// Control characters cannot be stored in XML; tabs can.
std::string Storable(std::string_view text)
{
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return c == '\t' || static_cast<unsigned char>(c) >= 0x20; });
    return kept;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separators)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || separators.find(text[i]) != std::string_view::npos) {
            pieces.push_back(text.substr(start, i - start));
            // "\r\n" is one paragraph break.
            if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    return pieces;
}

pugi::xml_node FirstRunProperties(pugi::xml_node body)
{
    for (auto paragraph : Paragraphs(body)) {
        for (auto child : paragraph.children()) {
            if (IsTextRun(child)) {
                return Child(child, "rPr");
            }
        }
    }
    return Child(Child(body, "p"), "endParaRPr");
}

void AppendProperties(pugi::xml_node parent, pugi::xml_node source, const char* name)
{
    auto copy = source ? parent.append_copy(source) : parent.append_child(name);
    copy.set_name(name);
}

void AppendParagraph(pugi::xml_node body, std::string_view text, pugi::xml_node paragraphProperties,
                     pugi::xml_node runProperties)
{
    auto paragraph = body.append_child("a:p");
    if (paragraphProperties) {
        paragraph.append_copy(paragraphProperties);
    }
    const auto lines = Split(text, "\v");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            AppendProperties(paragraph.append_child("a:br"), runProperties, "a:rPr");
        }
        if (!lines[i].empty()) {
            auto run = paragraph.append_child("a:r");
            AppendProperties(run, runProperties, "a:rPr");
            run.append_child("a:t").text().set(Storable(lines[i]).c_str());
        }
    }
    AppendProperties(paragraph, runProperties, "a:endParaRPr");
}

}  // namespace

std::vector<pugi::xml_node> Paragraphs(pugi::xml_node body)
{
    std::vector<pugi::xml_node> paragraphs;
    for (auto child : body.children()) {
        if (Is(child, "p")) {
            paragraphs.push_back(child);
        }
    }
    return paragraphs;
}

int ParagraphLevel(pugi::xml_node paragraph)
{
    return static_cast<int>(std::clamp<std::int64_t>(IntAttribute(Child(paragraph, "pPr"), "lvl", 0), 0, 8));
}

std::vector<TextRun> TextRuns(pugi::xml_node body)
{
    std::vector<TextRun> runs;
    const auto paragraphs = Paragraphs(body);
    for (auto paragraph : paragraphs) {
        for (auto child : paragraph.children()) {
            if (IsTextRun(child)) {
                runs.push_back({Child(child, "rPr"), child, paragraph, ParagraphLevel(paragraph)});
            }
        }
    }
    if (runs.empty()) {
        for (auto paragraph : paragraphs) {
            runs.push_back({Child(paragraph, "endParaRPr"), {}, paragraph, ParagraphLevel(paragraph)});
        }
    }
    if (runs.empty()) {
        runs.push_back({});
    }
    return runs;
}

std::vector<pugi::xml_node> EnsureRunProperties(pugi::xml_node body)
{
    std::vector<pugi::xml_node> properties;
    for (auto paragraph : Paragraphs(body)) {
        for (auto child : paragraph.children()) {
            if (IsTextRun(child) || Is(child, "br")) {
                properties.push_back(EnsureFirstChild(child, "a:rPr"));
            }
        }
        properties.push_back(EnsureChild(paragraph, "a:endParaRPr"));
    }
    return properties;
}

pugi::xml_node EnsureRunProperties(const TextRun& run)
{
    if (run.element) {
        return EnsureFirstChild(run.element, "a:rPr");
    }
    return run.paragraph ? EnsureChild(run.paragraph, "a:endParaRPr") : pugi::xml_node{};
}

std::string RunText(const TextRun& run)
{
    return TextOf(Child(run.element, "t"));
}

std::vector<pugi::xml_node> LevelProperties(pugi::xml_node listStyle, int level)
{
    std::vector<pugi::xml_node> found;
    const std::string name = "lvl" + std::to_string(level + 1) + "pPr";
    for (auto candidate : {Child(listStyle, name), Child(listStyle, "defPPr")}) {
        if (candidate) {
            found.push_back(candidate);
        }
    }
    return found;
}

std::string ReadText(pugi::xml_node body)
{
    std::string text;
    bool first = true;
    for (auto paragraph : Paragraphs(body)) {
        if (!first) {
            text += '\r';
        }
        first = false;
        for (auto child : paragraph.children()) {
            if (IsTextRun(child)) {
                text += TextOf(Child(child, "t"));
            } else if (Is(child, "br")) {
                text += '\v';
            }
        }
    }
    return text;
}

void WriteText(pugi::xml_node body, const std::string& text)
{
    const auto oldParagraphs = Paragraphs(body);
    const auto paragraphProperties = Child(oldParagraphs.empty() ? pugi::xml_node{} : oldParagraphs.front(), "pPr");
    const auto runProperties = FirstRunProperties(body);
    for (auto paragraphText : Split(text, "\r\n")) {
        AppendParagraph(body, paragraphText, paragraphProperties, runProperties);
    }
    for (auto paragraph : oldParagraphs) {
        body.remove_child(paragraph);
    }
}

}  // namespace velmora::pptx::shapes
