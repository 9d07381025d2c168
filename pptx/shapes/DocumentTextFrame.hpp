#pragma once

#include "host/TextRange.hpp"
#include "pptx/shapes/TextSite.hpp"

namespace velmora::pptx::shapes {

// The text frame of a shape or table cell: its body properties and text.
class DocumentTextFrame : public host::TextFrame {
public:
    explicit DocumentTextFrame(TextSite site);

    bool HasText() const override;
    host::Ref<host::TextRange> TextRange() override;
    int WordWrap() const override;
    void SetWordWrap(int triState) override;
    // 0 none, 1 shape to fit text, 2 text to fit shape (a:normAutofit).
    int AutoSize() const override;
    void SetAutoSize(int value) override;

private:
    pugi::xml_node BodyProperties() const;

    TextSite site_;
};

}  // namespace velmora::pptx::shapes
