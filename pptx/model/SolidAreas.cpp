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
#include "render/Resample.hpp"

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

// Mirrored by its own frame or a group's.
bool Mirrored(pugi::xml_node shape)
{
    for (auto node = shape; shapes::IsShapeElement(node); node = shapes::ParentTree(node)) {
        const auto frame = Frame(node);
        if (shapes::BoolAttribute(frame, "flipH", false) || shapes::BoolAttribute(frame, "flipV", false)) {
            return true;
        }
    }
    return false;
}

bool HasElementChildren(pugi::xml_node node, std::string_view except = {})
{
    for (auto child : node.children()) {
        if (child.type() == pugi::node_element && shapes::LocalName(child) != except) {
            return true;
        }
    }
    return false;
}

bool HasAttributes(pugi::xml_node node)
{
    return static_cast<bool>(node.first_attribute());
}

// The picture stretched over its frame as it is: no crop, recolouring or transparency.
bool ShownAsItIs(pugi::xml_node fill)
{
    const auto blip = shapes::Child(fill, "blip");
    const auto stretch = shapes::Path(fill, {"stretch", "fillRect"});
    return blip && stretch && !HasAttributes(stretch) && !HasElementChildren(blip, "extLst") &&
           !HasAttributes(shapes::Child(fill, "srcRect"));
}

// A rectangle without outline, effect or depth.
bool Unadorned(pugi::xml_node properties)
{
    const auto outline = shapes::Child(properties, "ln");
    return std::string_view(shapes::Child(properties, "prstGeom").attribute("prst").value()) == "rect" &&
           (!outline || shapes::Child(outline, "noFill")) &&
           !HasElementChildren(shapes::Child(properties, "effectLst")) && !shapes::Child(properties, "scene3d") &&
           !shapes::Child(properties, "sp3d");
}

// The picture part a plain picture shows: one shown as it is on an
// unadorned, unstyled rectangle that is not turned.
std::optional<std::string> PlainPicture(pugi::xml_node shape, ShapeTreeOwner& owner)
{
    const auto fill = shapes::Child(shape, "blipFill");
    if (!shapes::Is(shape, "pic") || !ShownAsItIs(fill) || !Unadorned(shapes::Child(shape, "spPr")) ||
        shapes::Child(shape, "style") || TurnedFrame(shape) || Mirrored(shape)) {
        return std::nullopt;
    }
    const auto blip = shapes::Child(fill, "blip");
    for (auto attribute : blip.attributes()) {
        if (std::string_view(attribute.name()).ends_with(":embed")) {
            std::string part;
            host::Suppressed([&] { part = owner.RelationshipTarget(attribute.value()); });
            if (part.starts_with('/')) {
                return part;
            }
        }
    }
    return std::nullopt;
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

bool Near(const std::uint8_t* pixel, const std::uint8_t* rgb)
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
            solids_.push_back({cover, *rgb, {}, {}});
        } else if (auto picture = PlainPicture(shape, *owner)) {
            solids_.push_back({cover, {}, std::move(*picture), {}});
        }
    }
}

void SolidAreas::Paint(render::Raster& raster, double xPixelsPerPoint, double yPixelsPerPoint,
                       const PictureReader& read) const
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
        if (left >= right || top >= bottom) {
            continue;
        }
        Shown shown{left, top, std::nullopt, solid.rgb};
        if (!solid.picture.empty()) {
            // An enlarged picture stays as LibreOffice smooths it: scaled
            // up by areas, its pixels would show as blocks.
            const std::optional<render::Raster> picture = read(solid.picture);
            if (!picture || picture->box.width < right - left || picture->box.height < bottom - top) {
                continue;
            }
            shown.picture = render::Resampled(*picture, {right - left, bottom - top});
        }
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
                PaintRow(raster, row, free, std::min(from, right), shown);
                free = std::max(free, to);
            }
            PaintRow(raster, row, free, right, shown);
        }
    }
}

const std::uint8_t* SolidAreas::Shown::At(int column, int row) const
{
    if (!picture) {
        return rgb.data();
    }
    return picture->rgb.data() +
           (static_cast<std::size_t>(row - top) * static_cast<std::size_t>(picture->box.width) +
            static_cast<std::size_t>(column - left)) * 3;
}

void SolidAreas::PaintRow(render::Raster& raster, int row, int left, int right, const Shown& shown)
{
    const auto rowStart = static_cast<std::size_t>(row) * static_cast<std::size_t>(raster.box.width) * 3;
    for (int column = left; column < right; ++column) {
        std::uint8_t* pixel = raster.rgb.data() + rowStart + static_cast<std::size_t>(column) * 3;
        const std::uint8_t* wanted = shown.At(column, row);
        if (Near(pixel, wanted)) {
            std::copy(wanted, wanted + 3, pixel);
        }
    }
}

}  // namespace velmora::pptx::model
