#include "impress/host/ImpressColorFormat.hpp"

#include "impress/UnoText.hpp"

namespace velmora::impress {

namespace {
constexpr sal_Int16 kNoThemeColor = -1;
}

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

// A colour Impress read from a .pptx keeps its theme colour beside it, and
// saving writes that theme colour back: a new colour drops the reference.
void ImpressColorFormat::SetRGB(host::Color value)
{
    document_->changes.SetEach(targets_, property_, css::uno::Any(UnoFromColor(value)));
    const std::string theme = property_ + "Theme";
    for (const auto& target : targets_) {
        if (target->getPropertySetInfo()->hasPropertyByName(ToUno(theme))) {
            document_->changes.Set(target, theme, css::uno::Any(kNoThemeColor));
        }
    }
}

}  // namespace velmora::impress
