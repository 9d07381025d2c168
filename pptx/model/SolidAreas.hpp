#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/Raster.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::model {

// LibreOffice places shapes to a hundredth of a millimetre, so in a picture
// of a slide a solid rectangle's edges blend with what lies beside them:
// the border between pictures takes their tint. These are the whole pixels
// of a tree's plain solid rectangles that nothing drawn later lies over,
// to be painted again in their exact colour.
class SolidAreas {
public:
    explicit SolidAreas(const std::shared_ptr<ShapeTreeOwner>& owner);

    bool Empty() const { return solids_.empty(); }
    // `raster` shows the tree at `pixelsPerPoint` on each axis. Only pixels
    // near the rectangle's colour change: text or a shadow reaching over it
    // from a shape beside keeps its pixels.
    void Paint(render::Raster& raster, double xPixelsPerPoint, double yPixelsPerPoint) const;

private:
    struct Box {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;
    };
    struct Solid {
        Box box;
        std::array<std::uint8_t, 3> rgb{};
        std::vector<Box> above;
    };

    static void PaintRow(render::Raster& raster, int row, int left, int right, const std::array<std::uint8_t, 3>& rgb);

    std::vector<Solid> solids_;
};

}  // namespace velmora::pptx::model
