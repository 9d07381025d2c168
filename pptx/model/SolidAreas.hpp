#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/Raster.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::model {

// LibreOffice places shapes to a hundredth of a millimetre, and draws
// pictures smoothed across their edges, so in a picture of a slide the edges
// of a solid rectangle or a picture blend with what lies beside them: the
// border between pictures takes their tint, and they take the border's.
// These are the whole pixels of a tree's plain solid rectangles and plain
// pictures (unturned, uncropped, without outline or effect, not enlarged)
// that nothing drawn later lies over, to be painted again exactly: the
// rectangle in its colour, the picture scaled down to the pixels it covers.
class SolidAreas {
public:
    // A picture part's pixels; none when they cannot be read or the picture
    // may be transparent anywhere.
    using PictureReader = std::function<std::optional<render::Raster>(const std::string& part)>;

    explicit SolidAreas(const std::shared_ptr<ShapeTreeOwner>& owner);

    bool Empty() const { return solids_.empty(); }
    // `raster` shows the tree at `pixelsPerPoint` on each axis. Only pixels
    // near what the area shows change: text or a shadow reaching over it
    // from a shape beside keeps its pixels.
    void Paint(render::Raster& raster, double xPixelsPerPoint, double yPixelsPerPoint,
               const PictureReader& read) const;

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
        std::string picture;  // the part a picture shows; empty for a rectangle
        std::vector<Box> above;
    };
    // What an area shows at whole pixels, from its top left pixel on.
    struct Shown {
        int left = 0;
        int top = 0;
        std::optional<render::Raster> picture;
        std::array<std::uint8_t, 3> rgb{};
        const std::uint8_t* At(int column, int row) const;
    };

    static void PaintRow(render::Raster& raster, int row, int left, int right, const Shown& shown);

    std::vector<Solid> solids_;
};

}  // namespace velmora::pptx::model
