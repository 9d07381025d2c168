#include "pptx/shapes/DocumentParagraphFormat.hpp"

#include <array>
#include <string_view>
#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/Agreement.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/TextRuns.hpp"

namespace velmora::pptx::shapes {

namespace {

// Alignment codes 1 to 7 in order: left, centre, right, justify, distribute,
// Thai distribute, justify low.
constexpr std::array<std::string_view, 7> kAlignments = {"l", "ctr", "r", "just", "dist", "thaiDist", "justLow"};
constexpr int kMixed = -2;

std::optional<int> AlignmentIn(pugi::xml_node paragraphProperties)
{
    const std::string_view value = paragraphProperties.attribute("algn").value();
    for (std::size_t i = 0; i < kAlignments.size(); ++i) {
        if (kAlignments[i] == value) {
            return static_cast<int>(i) + 1;
        }
    }
    return std::nullopt;
}

int ResolvedAlignment(pugi::xml_node paragraph, const std::vector<pugi::xml_node>& styles)
{
    if (auto own = AlignmentIn(Child(paragraph, "pPr"))) {
        return *own;
    }
    for (auto style : styles) {
        for (auto level : LevelProperties(style, ParagraphLevel(paragraph))) {
            if (auto inherited = AlignmentIn(level)) {
                return *inherited;
            }
        }
    }
    return host::Alignment::Left;
}

}  // namespace

DocumentParagraphFormat::DocumentParagraphFormat(std::vector<TextSite> sites) : sites_(std::move(sites)) {}

int DocumentParagraphFormat::Alignment() const
{
    std::vector<int> alignments;
    for (const auto& site : sites_) {
        auto paragraphs = Paragraphs(site.Body());
        if (paragraphs.empty()) {
            paragraphs.emplace_back();
        }
        const auto styles = site.ListStyles();
        for (auto paragraph : paragraphs) {
            alignments.push_back(ResolvedAlignment(paragraph, styles));
        }
    }
    return Agreed(alignments, [](int alignment) { return alignment; }, kMixed);
}

void DocumentParagraphFormat::SetAlignment(int value)
{
    if (value < 1 || value > static_cast<int>(kAlignments.size())) {
        throw host::HostError("alignment " + std::to_string(value) + " is not a paragraph alignment");
    }
    for (const auto& site : sites_) {
        for (auto paragraph : Paragraphs(site.EnsureBody())) {
            SetAttribute(EnsureChild(paragraph, "a:pPr"), "algn", std::string(kAlignments[value - 1]).c_str());
        }
        site.Changed();
    }
}

}  // namespace velmora::pptx::shapes
