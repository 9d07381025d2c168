#include "pptx/model/ShapeClip.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "host/Host.hpp"
#include "pptx/model/PartShapeTree.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/model/SlidePictures.hpp"
#include "pptx/model/SolidAreas.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/PrivateFolder.hpp"
#include "render/PictureWriter.hpp"
#include "render/RasterModule.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::model {

namespace {

// Prefixes the source declares at its root and a copied element may use
// (mc:, a14:, p14: ...), declared on the copy where the clip's root lacks them.
void CarryNamespaces(pugi::xml_node sourceRoot, pugi::xml_node targetRoot, pugi::xml_node copy)
{
    for (auto attribute : sourceRoot.attributes()) {
        const std::string_view name = attribute.name();
        if (name != "xmlns" && name.rfind("xmlns:", 0) != 0) {
            continue;
        }
        const auto declared = targetRoot.attribute(attribute.name());
        if (!declared || std::string_view(declared.value()) != attribute.value()) {
            if (!copy.attribute(attribute.name())) {
                copy.append_attribute(attribute.name()).set_value(attribute.value());
            }
        }
    }
}

// The prefix the source binds to the relationships namespace, "r" as a rule.
std::string RelationshipPrefix(pugi::xml_node root)
{
    for (auto attribute : root.attributes()) {
        const std::string_view name = attribute.name();
        if (name.rfind("xmlns:", 0) == 0 && std::string_view(attribute.value()) == ooxml::kRelationshipsNs) {
            return std::string(name.substr(6)) + ":";
        }
    }
    return "r:";
}

void CollectElements(pugi::xml_node node, std::vector<pugi::xml_node>& elements)
{
    elements.push_back(node);
    for (auto child : node.children()) {
        if (child.type() == pugi::node_element) {
            CollectElements(child, elements);
        }
    }
}

pugi::xml_node DocumentElement(pugi::xml_node node)
{
    return node.root().find_child([](pugi::xml_node child) { return child.type() == pugi::node_element; });
}

int PixelEdge(float points)
{
    return std::max(1, static_cast<int>(std::lround(points)));
}

}  // namespace

ShapeClip::ShapeClip(Presentation& source, const std::shared_ptr<ShapeTreeOwner>& owner,
                     const std::vector<pugi::xml_node>& shapes)
{
    if (shapes.empty()) {
        throw host::HostError("there are no shapes to copy");
    }
    auto range = MakeShapeRange(owner, shapes);
    left_ = range->Left();
    top_ = range->Top();
    width_ = range->Width();
    height_ = range->Height();
    if (!(width_ > 0) || !(height_ > 0)) {
        throw host::HostError("shapes without extent cannot be copied as a picture");
    }
    clip_ = std::make_shared<Presentation>(std::weak_ptr<Application>(), host::Services{}, parts::Deck::New(),
                                           Presentation::Origin{{}, "clip", false});
    clip_->PageSetup()->SetSlideWidth(width_);
    clip_->PageSetup()->SetSlideHeight(height_);
    CopyShapes(source, owner, shapes);
}

void ShapeClip::CopyShapes(Presentation& source, const std::shared_ptr<ShapeTreeOwner>& owner,
                           const std::vector<pugi::xml_node>& shapes)
{
    auto slide = clip_->Slides()->Add(1, host::SlideLayout::Blank);
    auto cleared = slide->Shapes();
    while (cleared->Count() > 0) {
        cleared->Item(1)->Delete();
    }
    auto tree = std::make_shared<SlideShapeTree>(clip_, static_cast<unsigned>(slide->SlideID()));
    const auto sourceRoot = DocumentElement(owner->ShapeTree());
    const auto targetRoot = DocumentElement(tree->ShapeTree());
    const std::string prefix = RelationshipPrefix(sourceRoot);
    for (auto shape : shapes) {
        auto copy = tree->ShapeTree().append_copy(shape);
        CarryNamespaces(sourceRoot, targetRoot, copy);
        std::vector<pugi::xml_node> elements;
        CollectElements(copy, elements);
        for (auto element : elements) {
            for (auto attribute = element.first_attribute(); attribute;) {
                auto next = attribute.next_attribute();
                if (std::string_view(attribute.name()).rfind(prefix, 0) == 0) {
                    // Pictures travel along; other links (hyperlinks, charts) do not draw.
                    std::string target;
                    host::Suppressed([&] { target = owner->RelationshipTarget(attribute.value()); });
                    const auto picture = target.starts_with("/") ? source.Deck().ImageContent(target) : std::nullopt;
                    if (picture) {
                        attribute.set_value(tree->AddImageContent(*picture, target).c_str());
                    } else {
                        element.remove_attribute(attribute);
                    }
                }
                attribute = next;
            }
        }
        auto moved = MakeShape(tree, copy);
        moved->SetLeft(moved->Left() - left_);
        moved->SetTop(moved->Top() - top_);
    }
    tree->Touch();
}

void ShapeClip::Draw(SlidePictures& pictures, const std::filesystem::path& file, const std::string& filter)
{
    const int width = PixelEdge(width_);
    const int height = PixelEdge(height_);
    const SolidAreas solids(
        std::make_shared<SlideShapeTree>(clip_, static_cast<unsigned>(clip_->Slides()->Item(1)->SlideID())));
    if (solids.Empty() || platform::EqualIgnoringAsciiCase(filter, "EMF")) {
        pictures.ExportSlide(*clip_, 1, file, filter, width, height);
        return;
    }
    // Drawn losslessly first, so that the solid areas are put right before
    // the picture takes its own format.
    const platform::PrivateFolder folder("velmora-clip");
    const auto drawn = folder.Path() / "drawn.png";
    pictures.ExportSlide(*clip_, 1, drawn, "PNG", width, height);
    int read = 0;
    // JPEG only: a picture that may be transparent shows what lies beneath it.
    const auto readJpeg = [&](const std::string& part) -> std::optional<render::Raster> {
        const std::optional<std::string> content = clip_->Deck().ImageContent(part);
        if (!content || !content->starts_with("\xFF\xD8\xFF")) {
            return std::nullopt;
        }
        const auto copy = folder.Path() / ("picture" + std::to_string(++read) + ".jpg");
        platform::WriteFileAtomically(copy, *content);
        return render::RasterModule().readPicture(copy);
    };
    try {
        render::Raster raster = render::RasterModule().readPicture(drawn);
        solids.Paint(raster, width / double{width_}, height / double{height_}, readJpeg);
        platform::ProduceFileAtomically(file, [&](const std::filesystem::path& temporary) {
            render::WritePicture(raster, render::ParsePictureFormat(filter), temporary);
        });
    } catch (const render::RenderError& error) {
        throw host::HostError(error.what());
    }
}

ShapeClip& ShapeClipboard::Content() const
{
    if (!clip_) {
        throw host::HostError("the clipboard holds no shapes to paste");
    }
    return *clip_;
}

}  // namespace velmora::pptx::model
