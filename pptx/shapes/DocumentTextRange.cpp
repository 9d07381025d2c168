#include "pptx/shapes/DocumentTextRange.hpp"

#include <utility>

#include "host/HostError.hpp"

#include "pptx/shapes/DocumentFont.hpp"
#include "pptx/shapes/DocumentParagraphFormat.hpp"
#include "pptx/shapes/TextRuns.hpp"

namespace velmora::pptx::shapes {

DocumentTextRange::DocumentTextRange(std::vector<TextSite> sites) : sites_(std::move(sites)) {}

std::string DocumentTextRange::Text() const
{
    std::string text;
    for (std::size_t i = 0; i < sites_.size(); ++i) {
        text += (i > 0 ? "\r" : "") + ReadText(sites_[i].Body());
    }
    return text;
}

void DocumentTextRange::SetText(const std::string& value)
{
    if (sites_.size() != 1) {
        throw host::HostError("the text of several shapes cannot be replaced at once");
    }
    WriteText(sites_.front().EnsureBody(), value);
    sites_.front().Resized();
}

host::Ref<host::Font> DocumentTextRange::Font()
{
    return std::make_shared<DocumentFont>(sites_);
}

host::Ref<host::ParagraphFormat> DocumentTextRange::ParagraphFormat()
{
    return std::make_shared<DocumentParagraphFormat>(sites_);
}

}  // namespace velmora::pptx::shapes
