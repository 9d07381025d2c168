#include "publish/PixelBox.hpp"

#include <cmath>

namespace velmora::publish {

namespace {

// Divide first, then multiply, in double: the other order can round the last
// bit the other way and so lose a pixel to the floor.
int ScaledEdge(int longEdge, double along, double across)
{
    return static_cast<int>(std::floor(longEdge / along * across));
}

}  // namespace

PixelBox LongEdgeBox(double slideWidth, double slideHeight, int longEdge)
{
    if (slideWidth > slideHeight) {
        return {longEdge, ScaledEdge(longEdge, slideWidth, slideHeight)};
    }
    return {ScaledEdge(longEdge, slideHeight, slideWidth), longEdge};
}

}  // namespace velmora::publish
