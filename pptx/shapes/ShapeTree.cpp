#include "pptx/shapes/ShapeTree.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/DocumentShape.hpp"
#include "pptx/shapes/DocumentShapeRange.hpp"
#include "pptx/shapes/PictureSize.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/shapes/ShapeTemplates.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TableCollections.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::shapes {

namespace {

constexpr double kPointsPerPixel = 0.75;

Box EmuBox(float left, float top, float width, float height)
{
    if (!std::isfinite(left) || !std::isfinite(top) || !(width >= 0) || !(height >= 0) || !std::isfinite(width) ||
        !std::isfinite(height)) {
        throw host::HostError("a new shape needs a finite place and a size of zero or more");
    }
    const double emu = static_cast<double>(ooxml::kEmuPerPoint);
    return {left * emu, top * emu, width * emu, height * emu};
}

// A size of -1 takes the picture's own; one given side keeps the picture's proportions.
std::pair<float, float> PictureExtent(const std::filesystem::path& file, float width, float height)
{
    if (width >= 0 && height >= 0) {
        return {width, height};
    }
    const auto pixels = ReadPixelSize(file);
    if (!pixels) {
        throw host::HostError("the size of the picture \"" + file.string() + "\" cannot be read");
    }
    const auto nativeWidth = static_cast<float>(pixels->width * kPointsPerPixel);
    const auto nativeHeight = static_cast<float>(pixels->height * kPointsPerPixel);
    if (width < 0 && height < 0) {
        return {nativeWidth, nativeHeight};
    }
    if (width < 0) {
        return {height * nativeWidth / nativeHeight, height};
    }
    return {width, width * nativeHeight / nativeWidth};
}

}  // namespace

DocumentShapes::DocumentShapes(std::shared_ptr<ShapeTreeOwner> owner) : owner_(std::move(owner)) {}

const std::vector<pugi::xml_node>& WalkedShapes::Get(ShapeTreeOwner& owner,
                                                     const std::function<std::vector<pugi::xml_node>()>& walk)
{
    // The tree first: a part parsed anew takes a new revision.
    owner.ShapeTree();
    const auto revision = owner.TreeRevision();
    if (!revision || revision != revision_) {
        shapes_ = walk();
        revision_ = revision;
    }
    return shapes_;
}

// The controls of a slide count as shapes on top of its tree.
const std::vector<pugi::xml_node>& DocumentShapes::Elements() const
{
    return walked_.Get(*owner_, [this] {
        const auto tree = owner_->ShapeTree();
        auto shapes = ChildShapes(tree);
        const auto controls = ControlPictures(tree);
        shapes.insert(shapes.end(), controls.begin(), controls.end());
        return shapes;
    });
}

host::Ref<host::Shape> DocumentShapes::Added(pugi::xml_node shape)
{
    owner_->Touch();
    return std::make_shared<DocumentShape>(owner_, shape);
}

int DocumentShapes::Count() const
{
    return static_cast<int>(Elements().size());
}

host::Ref<host::Shape> DocumentShapes::Item(int index)
{
    return std::make_shared<DocumentShape>(owner_, ItemAt(Elements(), index, "shape"));
}

host::Ref<host::Shape> DocumentShapes::Item(const std::string& name)
{
    for (auto shape : Elements()) {
        if (ShapeNameOf(shape) == name) {
            return std::make_shared<DocumentShape>(owner_, shape);
        }
    }
    throw host::HostError("there is no shape named \"" + name + "\"");
}

host::Ref<host::Placeholders> DocumentShapes::Placeholders()
{
    return std::make_shared<DocumentPlaceholders>(owner_);
}

host::Ref<host::Shape> DocumentShapes::AddShape(int autoShapeType, float left, float top, float width, float height)
{
    const auto box = EmuBox(left, top, width, height);
    return Added(NewAutoShape(owner_->ShapeTree(), owner_->NextShapeId(), autoShapeType, box));
}

host::Ref<host::Shape> DocumentShapes::AddPicture(const std::filesystem::path& file, int linkToFile,
                                                  int saveWithDocument, float left, float top, float width,
                                                  float height)
{
    if (saveWithDocument == 0) {
        throw host::HostError(linkToFile != 0 ? "linked pictures are not supported yet"
                                              : "a picture must be linked or saved with the presentation");
    }
    const auto [pictureWidth, pictureHeight] = PictureExtent(file, width, height);
    const auto box = EmuBox(left, top, pictureWidth, pictureHeight);
    const auto relationship = owner_->AddImage(file);
    return Added(
        NewPicture(owner_->ShapeTree(), owner_->NextShapeId(), relationship, file.filename().string(), box));
}

host::Ref<host::Shape> DocumentShapes::AddTextbox(int orientation, float left, float top, float width, float height)
{
    const auto box = EmuBox(left, top, width, height);
    return Added(NewTextbox(owner_->ShapeTree(), owner_->NextShapeId(), orientation, box));
}

host::Ref<host::Shape> DocumentShapes::AddTable(int rows, int columns, float left, float top, float width,
                                                float height)
{
    const auto box = EmuBox(left, top, width, height);
    return Added(NewTable(owner_->ShapeTree(), owner_->NextShapeId(), rows, columns, box));
}

host::Ref<host::Shape> DocumentShapes::AddOLEObject(float left, float top, float width, float height,
                                                    const std::string& className, const std::string& fileName,
                                                    int displayAsIcon, const std::string&, int, const std::string&,
                                                    int link)
{
    if (!fileName.empty() || className.empty()) {
        throw host::HostError("objects made from a file are not supported");
    }
    if (displayAsIcon != 0 || link != 0) {
        throw host::HostError("a control is shown as itself and cannot be linked");
    }
    const auto box = EmuBox(left, top, width, height);
    const auto relations = owner_->AddControl(className, left, top, width, height);
    const std::string kind = className.substr(0, className.find('.'));
    return Added(NewControl(owner_->ShapeTree(), owner_->NextShapeId(), kind, relations, box));
}

host::Ref<host::ShapeRange> DocumentShapes::Range(const std::vector<int>& indexes)
{
    const auto& all = Elements();
    if (indexes.empty()) {
        return std::make_shared<DocumentShapeRange>(owner_, all);
    }
    std::vector<pugi::xml_node> chosen;
    for (int index : indexes) {
        const auto shape = ItemAt(all, index, "shape");
        if (std::find(chosen.begin(), chosen.end(), shape) != chosen.end()) {
            throw host::HostError("shape " + std::to_string(index) + " is named twice in the range");
        }
        chosen.push_back(shape);
    }
    return std::make_shared<DocumentShapeRange>(owner_, std::move(chosen));
}

host::Ref<host::ShapeRange> DocumentShapes::PasteSpecial(int dataType)
{
    return owner_->PasteAsPicture(dataType);
}

DocumentPlaceholders::DocumentPlaceholders(std::shared_ptr<ShapeTreeOwner> owner) : owner_(std::move(owner)) {}

std::vector<pugi::xml_node> DocumentPlaceholders::Elements() const
{
    auto shapes = ChildShapes(owner_->ShapeTree());
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(), [](pugi::xml_node shape) { return !PlaceholderOf(shape); }),
                 shapes.end());
    return shapes;
}

int DocumentPlaceholders::Count() const
{
    return static_cast<int>(Elements().size());
}

host::Ref<host::Shape> DocumentPlaceholders::Item(int index)
{
    return std::make_shared<DocumentShape>(owner_, ItemAt(Elements(), index, "placeholder"));
}

}  // namespace velmora::pptx::shapes
