#pragma once

#include <initializer_list>
#include <string>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>
#include <rtl/ustring.hxx>

namespace velmora::impress {

// Our text is UTF-8; UNO's is UTF-16.
rtl::OUString ToUno(const std::string& text);
std::string FromUno(const rtl::OUString& text);

// The SDK's sequences take no initializer lists outside LibreOffice itself.
template <typename T>
css::uno::Sequence<T> SequenceOf(std::initializer_list<T> items)
{
    return css::uno::Sequence<T>(items.begin(), static_cast<sal_Int32>(items.size()));
}

css::beans::PropertyValue Named(const char* name, const css::uno::Any& value);

}  // namespace velmora::impress
