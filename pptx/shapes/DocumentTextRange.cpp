#include "pptx/shapes/DocumentTextRange.hpp"

#include <utility>

#include "host/HostError.hpp"

#include "pptx/shapes/DocumentFont.hpp"
#include "pptx/shapes/DocumentParagraphFormat.hpp"
#include "pptx/shapes/TextRuns.hpp"

namespace velmora::pptx::shapes {

DocumentTextRange::DocumentTextRange(std::vector<TextSite> sites, std::optional<std::size_t> run)
    : sites_(std::move(sites)), run_(run)
{
}

std::vector<TextRun> DocumentTextRange::AllRuns() const
{
    std::vector<TextRun> runs;
    for (const auto& site : sites_) {
        const auto own = TextRuns(site.Body());
        runs.insert(runs.end(), own.begin(), own.end());
    }
    return runs;
}

std::string DocumentTextRange::Text() const
{
    if (run_) {
        return RunText(AllRuns().at(*run_));
    }
    std::string text;
    for (std::size_t i = 0; i < sites_.size(); ++i) {
        if (i > 0) {
            text += '\r';
        }
        text += ReadText(sites_[i].Body());
    }
    return text;
}

void DocumentTextRange::SetText(const std::string& value)
{
    if (sites_.size() != 1) {
        throw host::HostError("the text of several shapes cannot be replaced at once");
    }
    if (run_) {
        throw host::HostError("the text of a single run cannot be replaced");
    }
    WriteText(sites_.front().EnsureBody(), value);
    sites_.front().Resized();
}

host::Ref<host::Font> DocumentTextRange::Font()
{
    return std::make_shared<DocumentFont>(sites_, run_);
}

host::Ref<host::ParagraphFormat> DocumentTextRange::ParagraphFormat()
{
    if (run_) {
        throw host::HostError("a single run has no paragraph format of its own");
    }
    return std::make_shared<DocumentParagraphFormat>(sites_);
}

int DocumentTextRange::RunCount() const
{
    return run_ ? 1 : static_cast<int>(AllRuns().size());
}

host::Ref<host::TextRange> DocumentTextRange::Runs(int index)
{
    if (index < 1 || index > RunCount()) {
        throw host::HostError("run " + std::to_string(index) + " is out of range (there are " +
                              std::to_string(RunCount()) + ")");
    }
    return std::make_shared<DocumentTextRange>(sites_, run_.value_or(static_cast<std::size_t>(index - 1)));
}

}  // namespace velmora::pptx::shapes
