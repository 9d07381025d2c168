#include "impress/UnoText.hpp"

namespace velmora::impress {

rtl::OUString ToUno(const std::string& text)
{
    return rtl::OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

std::string FromUno(const rtl::OUString& text)
{
    const rtl::OString utf8 = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

css::beans::PropertyValue Named(const char* name, const css::uno::Any& value)
{
    css::beans::PropertyValue property;
    property.Name = rtl::OUString::createFromAscii(name);
    property.Value = value;
    return property;
}

}  // namespace velmora::impress
