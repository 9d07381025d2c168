#include "pptx/model/SolidAreas.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "host/Shape.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"

namespace velmora::pptx::model {

namespace {

// Edges a hair off a whole pixel count as on it: points come from EMU.
constexpr double kSnap = 1e-3;
// LibreOffice's placement blends an edge pixel by a fifth at most; a pixel
// further from the rectangle's colour is something drawn over it.
constexpr int kBlendReach = 64;
constexpr int kFullOpacity = 100000;

pugi::xml_node Frame(pugi::xml_node shape)
{
    if (shapes::Is(shape, "grpSp")) {
        return shapes::Path(shape, {"grpSpPr", "xfrm"});
    }
    if (shapes::Is(shape, "graphicFrame")) {
        return shapes::Child(shape, "xfrm");
    }
    return shapes::Path(shape, {"spPr", "xfrm"});
}

// The outermost of the shape and its groups that is turned, if any.
pugi::xml_node TurnedFrame(pugi::xml_node shape)
{
    pugi::xml_node turned;
    for (auto node = shape; shapes::IsShapeElement(node); node = shapes::ParentTree(node)) {
        if (shapes::IntAttribute(Frame(node), "rot", 0) != 0) {
            turned = node;
        }
    }
    return turned;
}

bool Hidden(pugi::xml_node shape)
{
    return shapes::BoolAttribute(shapes::NonVisualProperties(shape), "hidden", false);
}

bool HasText(pugi::xml_node shape)
{
    for (auto t : shapes::Child(shape, "txBody").select_nodes(".//*[local-name()='t']")) {
        if (*t.node().child_value() != '\0') {
            return true;
        }
    }
    return false;
}

// The colour of a plain rectangle filled with one opaque colour, without
// outline, text or turn: what LibreOffice draws as exactly that box.
std::optional<std::array<std::uint8_t, 3>> SolidColour(pugi::xml_node shape)
{
    const auto properties = shapes::Child(shape, "spPr");
    const auto colour = shapes::Path(properties, {"solidFill", "srgbClr"});
    const std::string_view hex = colour.attribute("val").value();
    if (!shapes::Is(shape, "sp") ||
        std::string_view(shapes::Child(properties, "prstGeom").attribute("prst").value()) != "rect" ||
        hex.size() != 6 || !shapes::Path(properties, {"ln", "noFill"}) || HasText(shape) || TurnedFrame(shape)) {
        return std::nullopt;
    }
    for (auto change : colour.children()) {
        if (change.type() != pugi::node_element) {
            continue;
        }
        if (!shapes::Is(change, "alpha") || shapes::IntAttribute(change, "val", 0) < kFullOpacity) {
            return std::nullopt;
        }
    }
    const unsigned long value = std::strtoul(std::string(hex).c_str(), nullptr, 16);
    return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                                       static_cast<std::uint8_t>(value)};
}

bool Near(const std::uint8_t* pixel, const std::array<std::uint8_t, 3>& rgb)
{
    for (std::size_t channel = 0; channel < 3; ++channel) {
        if (std::abs(int{pixel[channel]} - int{rgb[channel]}) > kBlendReach) {
            return false;
        }
    }
    return true;
}

}  // namespace

SolidAreas::SolidAreas(const std::shared_ptr<ShapeTreeOwner>& owner)
{
    auto boxOf = [&](pugi::xml_node shape) {
        const auto drawn = MakeShape(owner, shape);
        return Box{drawn->Left(), drawn->Top(), drawn->Left() + drawn->Width(), drawn->Top() + drawn->Height()};
    };
    for (auto shape : shapes::AllShapes(owner->ShapeTree())) {
        if (Hidden(shape) || shapes::IsGroup(shape)) {
            continue;
        }
        Box cover = boxOf(shape);
        if (const auto turned = TurnedFrame(shape)) {
            // Whatever the turn, the shape stays within the circle around its frame.
            const Box frame = boxOf(turned);
            const double reach = std::hypot(frame.right - frame.left, frame.bottom - frame.top) / 2;
            const double x = (frame.left + frame.right) / 2;
            const double y = (frame.top + frame.bottom) / 2;
            cover = {x - reach, y - reach, x + reach, y + reach};
        }
        for (Solid& solid : solids_) {
            solid.above.push_back(cover);
        }
        if (const auto rgb = SolidColour(shape)) {
            solids_.push_back({cover, *rgb, {}});
        }
    }
}

void SolidAreas::Paint(render::Raster& raster, double xPixelsPerPoint, double yPixelsPerPoint) const
{
    // Inside: the pixels a box covers whole. Over: those it touches at all.
    auto inside = [](double from, double to, double scale, int limit) {
        return std::pair{std::clamp(static_cast<int>(std::ceil(from * scale - kSnap)), 0, limit),
                         std::clamp(static_cast<int>(std::floor(to * scale + kSnap)), 0, limit)};
    };
    auto over = [](double from, double to, double scale, int limit) {
        return std::pair{std::clamp(static_cast<int>(std::floor(from * scale + kSnap)), 0, limit),
                         std::clamp(static_cast<int>(std::ceil(to * scale - kSnap)), 0, limit)};
    };
    const int width = raster.box.width;
    const int height = raster.box.height;
    for (const Solid& solid : solids_) {
        const auto [left, right] = inside(solid.box.left, solid.box.right, xPixelsPerPoint, width);
        const auto [top, bottom] = inside(solid.box.top, solid.box.bottom, yPixelsPerPoint, height);
        for (int row = top; row < bottom; ++row) {
            std::vector<std::pair<int, int>> covered;
            for (const Box& box : solid.above) {
                const auto [from, to] = over(box.top, box.bottom, yPixelsPerPoint, height);
                if (row >= from && row < to) {
                    covered.push_back(over(box.left, box.right, xPixelsPerPoint, width));
                }
            }
            std::sort(covered.begin(), covered.end());
            int free = left;
            for (const auto& [from, to] : covered) {
                PaintRow(raster, row, free, std::min(from, right), solid.rgb);
                free = std::max(free, to);
            }
            PaintRow(raster, row, free, right, solid.rgb);
        }
    }
}

void SolidAreas::PaintRow(render::Raster& raster, int row, int left, int right, const std::array<std::uint8_t, 3>& rgb)
{
    const auto rowStart = static_cast<std::size_t>(row) * static_cast<std::size_t>(raster.box.width) * 3;
    for (int column = left; column < right; ++column) {
        std::uint8_t* pixel = raster.rgb.data() + rowStart + static_cast<std::size_t>(column) * 3;
        if (Near(pixel, rgb)) {
            std::copy(rgb.begin(), rgb.end(), pixel);
        }
    }
}

}  // namespace velmora::pptx::model
