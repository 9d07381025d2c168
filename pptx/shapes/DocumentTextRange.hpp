#pragma once

#include <vector>

#include "host/TextRange.hpp"
#include "pptx/shapes/TextSite.hpp"

namespace velmora::pptx::shapes {

// All the text of one or more text bodies (the text of a selection of shapes).
class DocumentTextRange : public host::TextRange {
public:
    explicit DocumentTextRange(std::vector<TextSite> sites);

    // The bodies' texts, one after the other as paragraphs.
    std::string Text() const override;
    // Only the text of a single body can be replaced.
    void SetText(const std::string& value) override;    host::Ref<host::Font> Font() override;
    host::Ref<host::ParagraphFormat> ParagraphFormat() override;

private:
    std::vector<TextSite> sites_;
};

}  // namespace velmora::pptx::shapes
