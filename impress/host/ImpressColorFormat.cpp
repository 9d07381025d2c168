#include "impress/host/ImpressColorFormat.hpp"

namespace velmora::impress {

ImpressColorFormat::ImpressColorFormat(std::shared_ptr<LiveDocument> document,
                                       css::uno::Reference<css::beans::XPropertySet> properties, std::string property)
    : ImpressColorFormat(std::move(document), properties, {properties}, std::move(property))
{
}

ImpressColorFormat::ImpressColorFormat(std::shared_ptr<LiveDocument> document,
                                       css::uno::Reference<css::beans::XPropertySet> properties,
                                       std::vector<css::uno::Reference<css::beans::XPropertySet>> targets,
                                       std::string property)
    : document_(std::move(document)),
      properties_(std::move(properties)),
      targets_(std::move(targets)),
      property_(std::move(property))
{
}

host::Color ImpressColorFormat::RGB() const
{
    sal_Int32 color = 0;
    Property(properties_, property_) >>= color;
    return ColorFromUno(color);
}

void ImpressColorFormat::SetRGB(host::Color value)
{
    document_->changes.SetEach(targets_, property_, css::uno::Any(UnoFromColor(value)));
}

}  // namespace velmora::impress
