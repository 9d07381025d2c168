#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "pptx/shapes/DrawingXml.hpp"

// The runs of a text body and the character properties they show, own or inherited.
namespace velmora::pptx::shapes {

struct TextRun {
    pugi::xml_node properties;  // a:rPr (or a:endParaRPr of an empty body); may be empty
    pugi::xml_node element;     // a:r or a:fld; empty for a paragraph end
    pugi::xml_node paragraph;   // may be empty for a body without paragraphs
    int level = 0;              // outline level, 0-based
};

std::vector<pugi::xml_node> Paragraphs(pugi::xml_node body);
int ParagraphLevel(pugi::xml_node paragraph);

// The runs that hold text; a body without any reads as its paragraph ends.
std::vector<TextRun> TextRuns(pugi::xml_node body);
// Every character-property element of the body, created where missing, for writing.
std::vector<pugi::xml_node> EnsureRunProperties(pugi::xml_node body);
// The character properties of one run (or paragraph end), created where missing.
pugi::xml_node EnsureRunProperties(const TextRun& run);
// The text a run holds ("" for a paragraph end).
std::string RunText(const TextRun& run);

// Paragraph properties (lvlNpPr, then defPPr) of a list style for a level.
std::vector<pugi::xml_node> LevelProperties(pugi::xml_node listStyle, int level);

// A character property of one run: its own value, else the nearest list
// style's default run properties for its level, else the fallback.
template <typename T>
T ResolveRun(const TextRun& run, const std::vector<pugi::xml_node>& listStyles,
             const std::function<std::optional<T>(pugi::xml_node)>& read, T fallback)
{
    if (auto own = read(run.properties)) {
        return *own;
    }
    for (auto style : listStyles) {
        for (auto level : LevelProperties(style, run.level)) {
            if (auto inherited = read(Child(level, "defRPr"))) {
                return *inherited;
            }
        }
    }
    return fallback;
}

// Text of a body: paragraphs joined by "\r", line breaks as "\v".
std::string ReadText(pugi::xml_node body);
// Replaces the body's paragraphs, keeping the first paragraph's properties and the first run's.
void WriteText(pugi::xml_node body, const std::string& text);

}  // namespace velmora::pptx::shapes
