#pragma once

#include <memory>
#include <string>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>

#include "host/TextRange.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// A colour property of a shape or text range (FillColor, LineColor,
// CharColor), read from one property set and written to the targets.
class ImpressColorFormat : public host::ColorFormat {
public:
    ImpressColorFormat(std::shared_ptr<LiveDocument> document, css::uno::Reference<css::beans::XPropertySet> properties,
                       std::string property);
    ImpressColorFormat(std::shared_ptr<LiveDocument> document, css::uno::Reference<css::beans::XPropertySet> properties,
                       std::vector<css::uno::Reference<css::beans::XPropertySet>> targets, std::string property);

    host::Color RGB() const override;
    void SetRGB(host::Color value) override;

private:
    std::shared_ptr<LiveDocument> document_;
    css::uno::Reference<css::beans::XPropertySet> properties_;
    std::vector<css::uno::Reference<css::beans::XPropertySet>> targets_;
    std::string property_;
};

}  // namespace velmora::impress
