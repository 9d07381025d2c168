#pragma once

#include <optional>
#include <vector>

#include "host/TextRange.hpp"
#include "pptx/shapes/TextRuns.hpp"
#include "pptx/shapes/TextSite.hpp"

namespace velmora::pptx::shapes {

// All the text of one or more text bodies (the text of a selection of
// shapes), or one run of it.
class DocumentTextRange : public host::TextRange {
public:
    // run: the index of the one run meant, counted over all the bodies' runs.
    explicit DocumentTextRange(std::vector<TextSite> sites, std::optional<std::size_t> run = std::nullopt);

    // The bodies' texts, one after the other as paragraphs.
    std::string Text() const override;
    // Only the text of a single body can be replaced.
    void SetText(const std::string& value) override;
    host::Ref<host::Font> Font() override;
    host::Ref<host::ParagraphFormat> ParagraphFormat() override;
    int RunCount() const override;
    host::Ref<host::TextRange> Runs(int index) override;

private:
    std::vector<TextRun> AllRuns() const;

    std::vector<TextSite> sites_;
    std::optional<std::size_t> run_;
};

}  // namespace velmora::pptx::shapes
