#include "impress/host/LiveDocument.hpp"

#include <cmath>

#include <com/sun/star/lang/XServiceInfo.hpp>

#include "host/HostError.hpp"

namespace velmora::impress {

bool IsPresentation(const css::uno::Reference<css::frame::XModel>& model)
{
    const css::uno::Reference<css::lang::XServiceInfo> info(model, css::uno::UNO_QUERY);
    return info.is() && info->supportsService("com.sun.star.presentation.PresentationDocument");
}

void NotInImpress(const std::string& member)
{
    throw host::Unsupported("在 LibreOffice Impress 中无法完成此操作（" + member + "）");
}

namespace {
constexpr double kHundredthMillimetresPerPoint = 2540.0 / 72.0;
}

float PointsFromUno(sal_Int32 hundredthMillimetres)
{
    return static_cast<float>(hundredthMillimetres / kHundredthMillimetresPerPoint);
}

sal_Int32 UnoFromPoints(float points)
{
    return static_cast<sal_Int32>(std::lround(points * kHundredthMillimetresPerPoint));
}

int ColorFromUno(sal_Int32 unoColor)
{
    const int red = (unoColor >> 16) & 0xFF;
    const int green = (unoColor >> 8) & 0xFF;
    const int blue = unoColor & 0xFF;
    return red + 256 * green + 65536 * blue;
}

sal_Int32 UnoFromColor(int color)
{
    const int red = color & 0xFF;
    const int green = (color >> 8) & 0xFF;
    const int blue = (color >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

}  // namespace velmora::impress
