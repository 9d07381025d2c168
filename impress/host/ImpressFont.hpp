#pragma once

#include <memory>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>

#include "host/TextRange.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// The character properties of a text range. PowerPoint's one size, weight
// and slant cover all scripts; Impress keeps them apart for Latin, Asian and
// complex text, so writes go to all three and reads answer for Latin.
class ImpressFont : public host::Font {
public:
    // Reads come from `properties`, writes go to each of `targets` (a
    // text's runs), so that undo gives every run its own formatting back.
    ImpressFont(std::shared_ptr<LiveDocument> document, css::uno::Reference<css::beans::XPropertySet> properties,
                std::vector<css::uno::Reference<css::beans::XPropertySet>> targets);

    std::string Name() const override;
    void SetName(const std::string& value) override;
    std::string NameFarEast() const override;
    void SetNameFarEast(const std::string& value) override;
    std::string NameAscii() const override;
    void SetNameAscii(const std::string& value) override;
    std::string NameOther() const override;
    void SetNameOther(const std::string& value) override;
    std::string NameComplexScript() const override;
    void SetNameComplexScript(const std::string& value) override;
    float Size() const override;
    void SetSize(float points) override;
    int Bold() const override;
    void SetBold(int triState) override;
    int Italic() const override;
    void SetItalic(int triState) override;
    int Underline() const override;
    void SetUnderline(int triState) override;
    int Shadow() const override;
    void SetShadow(int triState) override;
    host::Ref<host::ColorFormat> Color() override;

private:
    bool Mixed(const char* property) const;
    std::string FontName(const char* property) const;
    void SetForAllScripts(const char* latin, const char* asian, const char* complex, const css::uno::Any& value);
    void Set(const char* property, const css::uno::Any& value);

    std::shared_ptr<LiveDocument> document_;
    css::uno::Reference<css::beans::XPropertySet> properties_;
    std::vector<css::uno::Reference<css::beans::XPropertySet>> targets_;
};

}  // namespace velmora::impress
