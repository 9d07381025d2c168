#include "impress/host/ImpressSlideTags.hpp"

#include <com/sun/star/beans/PropertyAttribute.hpp>
#include <com/sun/star/beans/XPropertyContainer.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>

#include <algorithm>
#include <utility>

#include "host/HostError.hpp"
#include "impress/UnoText.hpp"
#include "platform/SlideTagProperties.hpp"

namespace velmora::impress {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

ImpressSlideTags::ImpressSlideTags(std::shared_ptr<LiveDocument> document, int slideIndex)
    : document_(std::move(document)), slideIndex_(slideIndex)
{
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
    const auto collect = [&](const std::string& property) {
        if (const auto tag = platform::ParseSlideTagProperty(property); tag && tag->slideIndex == slideIndex_) {
            names.push_back(tag->name);
        }
    };
    for (const css::beans::Property& property : Properties()->getPropertySetInfo()->getProperties()) {
        collect(FromUno(property.Name));
    }
    for (const auto& tag : document_->bookkeepingTags) {
        collect(tag.first);
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
    const std::string key = platform::SlideTagProperty(slideIndex_, name);
    if (platform::IsBookkeepingTag(name)) {
        const auto found = document_->bookkeepingTags.find(key);
        return found == document_->bookkeepingTags.end() ? "" : found->second;
    }
    const auto properties = Properties();
    if (!properties->getPropertySetInfo()->hasPropertyByName(ToUno(key))) {
        return "";
    }
    rtl::OUString value;
    properties->getPropertyValue(ToUno(key)) >>= value;
    return FromUno(value);
}

void ImpressSlideTags::Add(const std::string& name, const std::string& value)
{
    if (platform::IsBookkeepingTag(name)) {
        document_->bookkeepingTags[platform::SlideTagProperty(slideIndex_, name)] = value;
        return;
    }
    const auto properties = Properties();
    const rtl::OUString key = ToUno(platform::SlideTagProperty(slideIndex_, name));
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
    if (platform::IsBookkeepingTag(name)) {
        document_->bookkeepingTags.erase(platform::SlideTagProperty(slideIndex_, name));
        return;
    }
    const auto properties = Properties();
    const rtl::OUString key = ToUno(platform::SlideTagProperty(slideIndex_, name));
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
    const auto collect = [&](const std::string& property) {
        if (auto tag = platform::ParseSlideTagProperty(property); tag && tag->slideIndex >= slideIndexes.front()) {
            affected.emplace_back(tag->slideIndex, std::move(tag->name));
        }
    };
    ImpressSlideTags first(document, slideIndexes.front());
    for (const css::beans::Property& property : first.Properties()->getPropertySetInfo()->getProperties()) {
        collect(FromUno(property.Name));
    }
    for (const auto& tag : document->bookkeepingTags) {
        collect(tag.first);
    }
    // Lowest numbers first: each moves to a number already cleared.
    std::sort(affected.begin(), affected.end());
    for (const auto& [number, name] : affected) {
        ImpressSlideTags tags(document, number);
        const std::string value = tags.Item(name);
        tags.Delete(name);
        if (const auto moved = platform::NumberAfterRemoval(number, slideIndexes)) {
            ImpressSlideTags(document, *moved).Add(name, value);
        }
    }
}

}  // namespace velmora::impress
