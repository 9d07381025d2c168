#pragma once

namespace velmora::publish {

// A picture size in whole pixels.
struct PixelBox {
    int width = 0;
    int height = 0;

    bool operator==(const PixelBox&) const = default;
};

// The box whose long edge is `longEdge` pixels and whose short edge keeps the
// slide's proportion, dropping the fraction. A square slide gets `longEdge`
// both ways.
PixelBox LongEdgeBox(double slideWidth, double slideHeight, int longEdge);

}  // namespace velmora::publish
