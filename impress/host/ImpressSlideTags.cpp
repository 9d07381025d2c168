#include "impress/host/ImpressSlideTags.hpp"

#include <com/sun/star/beans/PropertyAttribute.hpp>
#include <com/sun/star/beans/XPropertyContainer.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

#include "host/HostError.hpp"
#include "impress/UnoText.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::impress {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr std::string_view kTagPrefix = "VelmoraTag.";

std::string Prefix(int slideIndex)
{
    return std::string(kTagPrefix) + std::to_string(slideIndex) + ".";
}

// The slide number and tag name of a tag's property name.
std::optional<std::pair<int, std::string>> ParseTagProperty(const std::string& property)
{
    if (!property.starts_with(kTagPrefix)) {
        return std::nullopt;
    }
    const char* begin = property.data() + kTagPrefix.size();
    const char* end = property.data() + property.size();
    int slideIndex = 0;
    const auto [rest, error] = std::from_chars(begin, end, slideIndex);
    if (error != std::errc() || rest == end || *rest != '.') {
        return std::nullopt;
    }
    return std::pair{slideIndex, std::string(rest + 1, end)};
}

}  // namespace

ImpressSlideTags::ImpressSlideTags(std::shared_ptr<LiveDocument> document, int slideIndex)
    : document_(std::move(document)), slideIndex_(slideIndex)
{
}

std::string ImpressSlideTags::PropertyName(int slideIndex, const std::string& tagName)
{
    return Prefix(slideIndex) + platform::AsciiLower(tagName);
}

Reference<css::beans::XPropertySet> ImpressSlideTags::Properties() const
{
    const Reference<css::document::XDocumentPropertiesSupplier> supplier(document_->model, UNO_QUERY);
    if (!supplier.is()) {
        throw host::HostError("the document has no document properties");
    }
    return Reference<css::beans::XPropertySet>(supplier->getDocumentProperties()->getUserDefinedProperties(),
                                               UNO_QUERY);
}

std::vector<std::string> ImpressSlideTags::Names() const
{
    std::vector<std::string> names;
    const std::string prefix = Prefix(slideIndex_);
    for (const css::beans::Property& property : Properties()->getPropertySetInfo()->getProperties()) {
        const std::string name = FromUno(property.Name);
        if (name.starts_with(prefix)) {
            names.push_back(name.substr(prefix.size()));
        }
    }
    return names;
}

int ImpressSlideTags::Count() const
{
    return static_cast<int>(Names().size());
}

std::string ImpressSlideTags::Name(int index) const
{
    const auto names = Names();
    if (index < 1 || index > static_cast<int>(names.size())) {
        throw host::HostError("the slide has no tag " + std::to_string(index));
    }
    return names[static_cast<std::size_t>(index - 1)];
}

std::string ImpressSlideTags::Value(int index) const
{
    return Item(Name(index));
}

std::string ImpressSlideTags::Item(const std::string& name) const
{
    const auto properties = Properties();
    const rtl::OUString key = ToUno(PropertyName(slideIndex_, name));
    if (!properties->getPropertySetInfo()->hasPropertyByName(key)) {
        return "";
    }
    rtl::OUString value;
    properties->getPropertyValue(key) >>= value;
    return FromUno(value);
}

void ImpressSlideTags::Add(const std::string& name, const std::string& value)
{
    const auto properties = Properties();
    const rtl::OUString key = ToUno(PropertyName(slideIndex_, name));
    if (properties->getPropertySetInfo()->hasPropertyByName(key)) {
        document_->changes.Set(properties, FromUno(key), Any(ToUno(value)));
        return;
    }
    const Reference<css::beans::XPropertyContainer> container(properties, UNO_QUERY_THROW);
    const Any text(ToUno(value));
    container->addProperty(key, css::beans::PropertyAttribute::REMOVABLE, text);
    document_->changes.Record(
        [container, key] { container->removeProperty(key); },
        [container, key, text] { container->addProperty(key, css::beans::PropertyAttribute::REMOVABLE, text); });
}

void ImpressSlideTags::Delete(const std::string& name)
{
    const auto properties = Properties();
    const rtl::OUString key = ToUno(PropertyName(slideIndex_, name));
    if (!properties->getPropertySetInfo()->hasPropertyByName(key)) {
        return;
    }
    const Any old = properties->getPropertyValue(key);
    const Reference<css::beans::XPropertyContainer> container(properties, UNO_QUERY_THROW);
    container->removeProperty(key);
    document_->changes.Record(
        [container, key, old] { container->addProperty(key, css::beans::PropertyAttribute::REMOVABLE, old); },
        [container, key] { container->removeProperty(key); });
}

void ImpressSlideTags::SlidesRemoved(const std::shared_ptr<LiveDocument>& document, std::vector<int> slideIndexes)
{
    if (slideIndexes.empty()) {
        return;
    }
    std::sort(slideIndexes.begin(), slideIndexes.end());
    std::vector<std::pair<int, std::string>> affected;
    ImpressSlideTags first(document, slideIndexes.front());
    for (const css::beans::Property& property : first.Properties()->getPropertySetInfo()->getProperties()) {
        if (auto tag = ParseTagProperty(FromUno(property.Name)); tag && tag->first >= slideIndexes.front()) {
            affected.push_back(std::move(*tag));
        }
    }
    // Lowest numbers first: each moves to a number already cleared.
    std::sort(affected.begin(), affected.end());
    for (const auto& [number, name] : affected) {
        ImpressSlideTags tags(document, number);
        const std::string value = tags.Item(name);
        tags.Delete(name);
        const auto removedBefore = std::lower_bound(slideIndexes.begin(), slideIndexes.end(), number);
        if (removedBefore == slideIndexes.end() || *removedBefore != number) {
            const auto shift = static_cast<int>(removedBefore - slideIndexes.begin());
            ImpressSlideTags(document, number - shift).Add(name, value);
        }
    }
}

}  // namespace velmora::impress
