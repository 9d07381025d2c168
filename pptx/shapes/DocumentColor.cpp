#include "pptx/shapes/DocumentColor.hpp"

#include <utility>

#include "pptx/shapes/DrawingColor.hpp"

namespace velmora::pptx::shapes {

DocumentColor::DocumentColor(std::function<host::Color()> read, std::function<void(host::Color)> write)
    : read_(std::move(read)), write_(std::move(write))
{
}

host::Color DocumentColor::RGB() const
{
    return read_();
}

void DocumentColor::SetRGB(host::Color value)
{
    CheckColor(value);
    write_(value);
}

}  // namespace velmora::pptx::shapes
