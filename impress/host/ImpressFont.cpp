#include "impress/host/ImpressFont.hpp"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/awt/FontUnderline.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>

#include "host/MsoConstants.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressColorFormat.hpp"

namespace velmora::impress {

using css::uno::Any;

namespace {
int TriState(bool value)
{
    return value ? host::TriState::True : host::TriState::False;
}
}  // namespace

ImpressFont::ImpressFont(std::shared_ptr<LiveDocument> document,
                         css::uno::Reference<css::beans::XPropertySet> properties,
                         std::vector<css::uno::Reference<css::beans::XPropertySet>> targets)
    : document_(std::move(document)), properties_(std::move(properties)), targets_(std::move(targets))
{
}

void ImpressFont::Set(const char* property, const Any& value)
{
    document_->changes.SetEach(targets_, property, value);
}

bool ImpressFont::Mixed(const char* property) const
{
    const css::uno::Reference<css::beans::XPropertyState> state(properties_, css::uno::UNO_QUERY);
    return state.is() && state->getPropertyState(rtl::OUString::createFromAscii(property)) ==
                             css::beans::PropertyState_AMBIGUOUS_VALUE;
}

std::string ImpressFont::FontName(const char* property) const
{
    if (Mixed(property)) {
        return "";
    }
    rtl::OUString name;
    Property(properties_, property) >>= name;
    return FromUno(name);
}

void ImpressFont::SetForAllScripts(const char* latin, const char* asian, const char* complex, const Any& value)
{
    for (const char* property : {latin, asian, complex}) {
        Set(property, value);
    }
}

std::string ImpressFont::Name() const
{
    return FontName("CharFontName");
}

void ImpressFont::SetName(const std::string& value)
{
    Set("CharFontName", Any(ToUno(value)));
}

std::string ImpressFont::NameFarEast() const
{
    return FontName("CharFontNameAsian");
}

void ImpressFont::SetNameFarEast(const std::string& value)
{
    Set("CharFontNameAsian", Any(ToUno(value)));
}

std::string ImpressFont::NameAscii() const
{
    return Name();
}

void ImpressFont::SetNameAscii(const std::string& value)
{
    SetName(value);
}

std::string ImpressFont::NameOther() const
{
    return Name();
}

void ImpressFont::SetNameOther(const std::string& value)
{
    SetName(value);
}

std::string ImpressFont::NameComplexScript() const
{
    return FontName("CharFontNameComplex");
}

void ImpressFont::SetNameComplexScript(const std::string& value)
{
    Set("CharFontNameComplex", Any(ToUno(value)));
}

float ImpressFont::Size() const
{
    if (Mixed("CharHeight")) {
        return host::FontSize::Mixed;
    }
    float height = 0;
    Property(properties_, "CharHeight") >>= height;
    return height;
}

void ImpressFont::SetSize(float points)
{
    SetForAllScripts("CharHeight", "CharHeightAsian", "CharHeightComplex", Any(points));
}

int ImpressFont::Bold() const
{
    if (Mixed("CharWeight")) {
        return host::TriState::Mixed;
    }
    float weight = css::awt::FontWeight::NORMAL;
    Property(properties_, "CharWeight") >>= weight;
    return TriState(weight > css::awt::FontWeight::SEMIBOLD);
}

void ImpressFont::SetBold(int triState)
{
    const float weight = triState == host::TriState::False ? css::awt::FontWeight::NORMAL : css::awt::FontWeight::BOLD;
    SetForAllScripts("CharWeight", "CharWeightAsian", "CharWeightComplex", Any(weight));
}

int ImpressFont::Italic() const
{
    if (Mixed("CharPosture")) {
        return host::TriState::Mixed;
    }
    css::awt::FontSlant slant = css::awt::FontSlant_NONE;
    Property(properties_, "CharPosture") >>= slant;
    return TriState(slant != css::awt::FontSlant_NONE);
}

void ImpressFont::SetItalic(int triState)
{
    const auto slant = triState == host::TriState::False ? css::awt::FontSlant_NONE : css::awt::FontSlant_ITALIC;
    SetForAllScripts("CharPosture", "CharPostureAsian", "CharPostureComplex", Any(slant));
}

int ImpressFont::Underline() const
{
    if (Mixed("CharUnderline")) {
        return host::TriState::Mixed;
    }
    sal_Int16 underline = css::awt::FontUnderline::NONE;
    Property(properties_, "CharUnderline") >>= underline;
    return TriState(underline != css::awt::FontUnderline::NONE);
}

void ImpressFont::SetUnderline(int triState)
{
    const sal_Int16 underline =
        triState == host::TriState::False ? css::awt::FontUnderline::NONE : css::awt::FontUnderline::SINGLE;
    Set("CharUnderline", Any(underline));
}

int ImpressFont::Shadow() const
{
    if (Mixed("CharShadowed")) {
        return host::TriState::Mixed;
    }
    bool shadowed = false;
    Property(properties_, "CharShadowed") >>= shadowed;
    return TriState(shadowed);
}

void ImpressFont::SetShadow(int triState)
{
    Set("CharShadowed", Any(triState != host::TriState::False));
}

host::Ref<host::ColorFormat> ImpressFont::Color()
{
    return std::make_shared<ImpressColorFormat>(document_, properties_, targets_, "CharColor");
}

}  // namespace velmora::impress
