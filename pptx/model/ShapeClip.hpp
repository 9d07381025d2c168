#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::model {

class Presentation;
class SlidePictures;

// Shapes lifted out of their slide: a presentation of one slide exactly as
// large as their bounding box, the shapes moved so that the box starts at
// the slide's corner, their pictures copied along. It stays outside the
// application's open presentations; the clipboard holds one.
class ShapeClip {
public:
    ShapeClip(Presentation& source, const std::shared_ptr<ShapeTreeOwner>& owner,
              const std::vector<pugi::xml_node>& shapes);

    // The box on its own slide, in points.
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }

    // The slide drawn into `file` at one pixel per point, with the filter of
    // a slide picture ("PNG", "JPG", "GIF", ...).
    void Draw(SlidePictures& pictures, const std::filesystem::path& file, const std::string& filter);

private:
    void CopyShapes(Presentation& source, const std::shared_ptr<ShapeTreeOwner>& owner,
                    const std::vector<pugi::xml_node>& shapes);

    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    std::shared_ptr<Presentation> clip_;
};

// The application's clipboard of shapes.
class ShapeClipboard {
public:
    void Hold(std::shared_ptr<ShapeClip> clip) { clip_ = std::move(clip); }
    // Raises the host error when nothing was copied.
    ShapeClip& Content() const;

private:
    std::shared_ptr<ShapeClip> clip_;
};

}  // namespace velmora::pptx::model
