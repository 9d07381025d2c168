#include "impress/host/ImpressTextRange.hpp"

#include <algorithm>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include "host/HostError.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressFont.hpp"
#include "impress/host/TextSnapshot.hpp"

namespace velmora::impress {

using css::text::XTextRange;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

// Impress ends paragraphs with LF, the object model with CR.
std::string WithEnds(std::string text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

Reference<css::beans::XPropertySet> PropertiesOf(const Reference<XTextRange>& range)
{
    return Reference<css::beans::XPropertySet>(range, UNO_QUERY);
}

// The paragraph alignment, as the object model numbers it (left 1, centre 2,
// right 3, justify 4).
class ImpressParagraphFormat : public host::ParagraphFormat {
public:
    ImpressParagraphFormat(std::shared_ptr<LiveDocument> document, Reference<css::beans::XPropertySet> properties)
        : document_(std::move(document)), properties_(std::move(properties))
    {
    }

    int Alignment() const override
    {
        sal_Int16 adjust = 0;
        Property(properties_, "ParaAdjust") >>= adjust;
        switch (static_cast<css::style::ParagraphAdjust>(adjust)) {
        case css::style::ParagraphAdjust_CENTER:
            return 2;
        case css::style::ParagraphAdjust_RIGHT:
            return 3;
        case css::style::ParagraphAdjust_BLOCK:
            return 4;
        default:
            return 1;
        }
    }

    void SetAlignment(int value) override
    {
        auto adjust = css::style::ParagraphAdjust_LEFT;
        if (value == 2) {
            adjust = css::style::ParagraphAdjust_CENTER;
        } else if (value == 3) {
            adjust = css::style::ParagraphAdjust_RIGHT;
        } else if (value == 4) {
            adjust = css::style::ParagraphAdjust_BLOCK;
        }
        document_->changes.Set(properties_, "ParaAdjust", css::uno::Any(static_cast<sal_Int16>(adjust)));
    }

private:
    std::shared_ptr<LiveDocument> document_;
    Reference<css::beans::XPropertySet> properties_;
};

}  // namespace

ImpressTextRange::ImpressTextRange(std::shared_ptr<LiveDocument> document, Reference<XTextRange> range, bool whole)
    : document_(std::move(document)), range_(std::move(range)), whole_(whole)
{
}

std::shared_ptr<ImpressTextRange> ImpressTextRange::Whole(std::shared_ptr<LiveDocument> document,
                                                   const Reference<css::text::XText>& text)
{
    const Reference<css::text::XTextCursor> cursor = text->createTextCursor();
    cursor->gotoStart(false);
    cursor->gotoEnd(true);
    return std::make_shared<ImpressTextRange>(std::move(document), Reference<XTextRange>(cursor, UNO_QUERY), true);
}

std::string ImpressTextRange::Text() const
{
    return WithEnds(FromUno(range_->getString()), '\n', '\r');
}

void ImpressTextRange::SetText(const std::string& value)
{
    // Undone on the shape's whole text: the range itself shrinks with the change.
    const Reference<css::text::XText> whole = range_->getText();
    auto before = std::make_shared<const TextSnapshot>(whole);
    range_->setString(ToUno(WithEnds(value, '\r', '\n')));
    auto after = std::make_shared<const TextSnapshot>(whole);
    document_->changes.Record([whole, before] { before->Restore(whole); },
                              [whole, after] { after->Restore(whole); });
}

host::Ref<host::Font> ImpressTextRange::Font()
{
    return std::make_shared<ImpressFont>(document_, PropertiesOf(range_), WriteTargets());
}

host::Ref<host::ParagraphFormat> ImpressTextRange::ParagraphFormat()
{
    return std::make_shared<ImpressParagraphFormat>(document_, PropertiesOf(range_));
}

std::vector<Reference<XTextRange>> ImpressTextRange::RunRanges() const
{
    std::vector<Reference<XTextRange>> runs;
    const Reference<css::container::XEnumerationAccess> paragraphs(range_->getText(), UNO_QUERY);
    if (!paragraphs.is()) {
        return runs;
    }
    const auto paragraphList = paragraphs->createEnumeration();
    while (paragraphList->hasMoreElements()) {
        const Reference<css::container::XEnumerationAccess> portions(paragraphList->nextElement(), UNO_QUERY);
        if (!portions.is()) {
            continue;
        }
        const auto portionList = portions->createEnumeration();
        while (portionList->hasMoreElements()) {
            const Reference<XTextRange> portion(portionList->nextElement(), UNO_QUERY);
            if (portion.is() && !portion->getString().isEmpty()) {
                runs.push_back(portion);
            }
        }
    }
    return runs;
}

std::vector<Reference<css::beans::XPropertySet>> ImpressTextRange::WriteTargets() const
{
    std::vector<Reference<css::beans::XPropertySet>> targets;
    if (whole_) {
        for (const auto& run : RunRanges()) {
            targets.push_back(PropertiesOf(run));
        }
    }
    if (targets.empty()) {
        targets.push_back(PropertiesOf(range_));
    }
    return targets;
}

int ImpressTextRange::RunCount() const
{
    return static_cast<int>(RunRanges().size());
}

host::Ref<host::TextRange> ImpressTextRange::Runs(int index)
{
    const auto runs = RunRanges();
    if (index < 1 || index > static_cast<int>(runs.size())) {
        throw host::HostError("the text has no run " + std::to_string(index));
    }
    return std::make_shared<ImpressTextRange>(document_, runs[static_cast<std::size_t>(index - 1)]);
}

}  // namespace velmora::impress
