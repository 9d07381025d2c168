#include "impress/host/TextSnapshot.hpp"

#include <algorithm>

#include <com/sun/star/beans/PropertyAttribute.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <rtl/ustrbuf.hxx>

namespace velmora::impress {

using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {

std::vector<Reference<css::uno::XInterface>> Elements(const Reference<css::uno::XInterface>& container)
{
    std::vector<Reference<css::uno::XInterface>> elements;
    const Reference<css::container::XEnumerationAccess> access(container, UNO_QUERY_THROW);
    for (const auto list = access->createEnumeration(); list->hasMoreElements();) {
        elements.emplace_back(list->nextElement(), UNO_QUERY_THROW);
    }
    return elements;
}

// The properties a run can be given back. The font descriptor bundles the
// font properties listed on their own, and writing it would set the size
// it reads as 0.
Sequence<rtl::OUString> WritableProperties(const Reference<css::uno::XInterface>& range)
{
    std::vector<rtl::OUString> writable;
    const Reference<css::beans::XPropertySet> properties(range, UNO_QUERY_THROW);
    for (const css::beans::Property& property : properties->getPropertySetInfo()->getProperties()) {
        if ((property.Attributes & css::beans::PropertyAttribute::READONLY) == 0 && property.Name != "FontDescriptor") {
            writable.push_back(property.Name);
        }
    }
    return {writable.data(), static_cast<sal_Int32>(writable.size())};
}

// Moves the cursor's end over `length` characters; the cursor counts them in 16 bits.
void SelectFurther(const Reference<css::text::XTextCursor>& cursor, sal_Int32 length)
{
    constexpr sal_Int32 kStep = 0x7FFF;
    for (sal_Int32 left = length; left > 0; left -= kStep) {
        cursor->goRight(static_cast<sal_Int16>(std::min(left, kStep)), true);
    }
}

}  // namespace

TextSnapshot::TextSnapshot(const Reference<css::text::XText>& text)
{
    for (const auto& paragraph : Elements(text)) {
        Paragraph runs;
        for (const auto& portion : Elements(paragraph)) {
            const Sequence<rtl::OUString> names = WritableProperties(portion);
            runs.push_back({Reference<css::text::XTextRange>(portion, UNO_QUERY_THROW)->getString(), names,
                            Reference<css::beans::XMultiPropertySet>(portion, UNO_QUERY_THROW)->getPropertyValues(names)});
        }
        paragraphs_.push_back(std::move(runs));
    }
}

rtl::OUString TextSnapshot::PlainText() const
{
    rtl::OUStringBuffer plain;
    for (std::size_t p = 0; p < paragraphs_.size(); ++p) {
        if (p > 0) {
            plain.append('\n');
        }
        for (const Run& run : paragraphs_[p]) {
            plain.append(run.text);
        }
    }
    return plain.makeStringAndClear();
}

// The plain text takes the format of whatever it is inserted into; each
// run then gets back the properties that differ from what it took, its
// stretch found by counting characters, a paragraph's end as one.
void TextSnapshot::Restore(const Reference<css::text::XText>& text) const
{
    text->setString(PlainText());
    const Reference<css::text::XTextCursor> cursor = text->createTextCursor();
    cursor->gotoStart(false);
    const Reference<css::beans::XMultiPropertySet> format(cursor, UNO_QUERY_THROW);
    for (std::size_t p = 0; p < paragraphs_.size(); ++p) {
        if (p > 0) {
            cursor->goRight(1, false);
        }
        for (const Run& run : paragraphs_[p]) {
            cursor->collapseToEnd();
            SelectFurther(cursor, run.text.getLength());
            const Sequence<css::uno::Any> taken = format->getPropertyValues(run.names);
            std::vector<rtl::OUString> names;
            std::vector<css::uno::Any> values;
            for (sal_Int32 i = 0; i < run.names.getLength(); ++i) {
                if (taken[i] != run.values[i]) {
                    names.push_back(run.names[i]);
                    values.push_back(run.values[i]);
                }
            }
            format->setPropertyValues({names.data(), static_cast<sal_Int32>(names.size())},
                                      {values.data(), static_cast<sal_Int32>(values.size())});
        }
        cursor->collapseToEnd();
    }
}

}  // namespace velmora::impress
