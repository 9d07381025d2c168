#pragma once

#include <memory>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include "host/TextRange.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// A stretch of a shape's text: the whole text (a cursor over it) or one run.
class ImpressTextRange : public host::TextRange {
public:
    // `whole`: the range covers its text, whose runs each take a write.
    ImpressTextRange(std::shared_ptr<LiveDocument> document, css::uno::Reference<css::text::XTextRange> range,
                     bool whole = false);
    // The whole text of a shape.
    static std::shared_ptr<ImpressTextRange> Whole(std::shared_ptr<LiveDocument> document,
                                                   const css::uno::Reference<css::text::XText>& text);

    std::string Text() const override;
    void SetText(const std::string& value) override;
    host::Ref<host::Font> Font() override;
    host::Ref<host::ParagraphFormat> ParagraphFormat() override;
    int RunCount() const override;
    host::Ref<host::TextRange> Runs(int index) override;

    // Where a character property is written: each run of a whole text (the
    // text itself while it is empty), or this range.
    std::vector<css::uno::Reference<css::beans::XPropertySet>> WriteTargets() const;

private:
    std::vector<css::uno::Reference<css::text::XTextRange>> RunRanges() const;

    std::shared_ptr<LiveDocument> document_;
    css::uno::Reference<css::text::XTextRange> range_;
    bool whole_;
};

}  // namespace velmora::impress
