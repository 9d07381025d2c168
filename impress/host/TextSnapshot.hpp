#pragma once

#include <vector>

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>

namespace velmora::impress {

// A shape's text as it stands, with its formatting: each paragraph's runs
// and the character and paragraph properties of each. Putting the plain
// string back would merge the runs into the first one's format. A field
// comes back as the text it showed.
class TextSnapshot {
public:
    explicit TextSnapshot(const css::uno::Reference<css::text::XText>& text);

    // Gives the text this content and formatting again.
    void Restore(const css::uno::Reference<css::text::XText>& text) const;

private:
    struct Run {
        rtl::OUString text;
        css::uno::Sequence<rtl::OUString> names;
        css::uno::Sequence<css::uno::Any> values;
    };
    using Paragraph = std::vector<Run>;

    rtl::OUString PlainText() const;

    std::vector<Paragraph> paragraphs_;
};

}  // namespace velmora::impress
