#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// A list of shapes walked once and kept while the owner's tree revision
// stays, so that indexing through every shape of a large slide or group
// stays linear.
class WalkedShapes {
public:
    const std::vector<pugi::xml_node>& Get(ShapeTreeOwner& owner,
                                           const std::function<std::vector<pugi::xml_node>()>& walk);

private:
    std::vector<pugi::xml_node> shapes_;
    std::optional<unsigned long> revision_;
};

// The shapes of a slide or notes page: the shape elements directly in its
// p:spTree, in tree order (back to front).
class DocumentShapes : public host::Shapes {
public:
    explicit DocumentShapes(std::shared_ptr<ShapeTreeOwner> owner);

    int Count() const override;
    host::Ref<host::Shape> Item(int index) override;
    host::Ref<host::Shape> Item(const std::string& name) override;
    host::Ref<host::Placeholders> Placeholders() override;
    host::Ref<host::Shape> AddShape(int autoShapeType, float left, float top, float width, float height) override;
    host::Ref<host::Shape> AddPicture(const std::filesystem::path& file, int linkToFile, int saveWithDocument,
                                      float left, float top, float width, float height) override;
    host::Ref<host::Shape> AddTextbox(int orientation, float left, float top, float width, float height) override;
    host::Ref<host::Shape> AddTable(int rows, int columns, float left, float top, float width, float height) override;
    // Only controls of the Flash player so far, made new rather than from a file.
    host::Ref<host::Shape> AddOLEObject(float left, float top, float width, float height, const std::string& className,
                                        const std::string& fileName, int displayAsIcon, const std::string& iconFileName,
                                        int iconIndex, const std::string& iconLabel, int link) override;
    // No indexes means every shape.
    host::Ref<host::ShapeRange> Range(const std::vector<int>& indexes) override;
    host::Ref<host::ShapeRange> PasteSpecial(int dataType) override;

private:
    const std::vector<pugi::xml_node>& Elements() const;
    host::Ref<host::Shape> Added(pugi::xml_node shape);

    std::shared_ptr<ShapeTreeOwner> owner_;
    mutable WalkedShapes walked_;
};

// The placeholders among those shapes, in tree order.
class DocumentPlaceholders : public host::Placeholders {
public:
    explicit DocumentPlaceholders(std::shared_ptr<ShapeTreeOwner> owner);

    int Count() const override;
    host::Ref<host::Shape> Item(int index) override;

private:
    std::vector<pugi::xml_node> Elements() const;

    std::shared_ptr<ShapeTreeOwner> owner_;
};

}  // namespace velmora::pptx::shapes
