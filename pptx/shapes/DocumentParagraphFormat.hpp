#pragma once

#include <vector>

#include "host/TextRange.hpp"
#include "pptx/shapes/TextSite.hpp"

namespace velmora::pptx::shapes {

// Paragraph alignment of every paragraph of text bodies.
class DocumentParagraphFormat : public host::ParagraphFormat {
public:
    explicit DocumentParagraphFormat(std::vector<TextSite> sites);

    int Alignment() const override;
    void SetAlignment(int value) override;

private:
    std::vector<TextSite> sites_;
};

}  // namespace velmora::pptx::shapes
