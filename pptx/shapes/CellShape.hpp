#pragma once

#include <memory>

#include <pugixml.hpp>

#include "host/Shape.hpp"
#include "pptx/shapes/ShapeGeometry.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// The shape of a table cell: its text is the cell's a:txBody, its fill the
// cell fill, its line the cell borders. It sits in the table's grid, so it
// cannot be moved, named or removed on its own.
class CellShape : public host::Shape {
public:
    CellShape(std::shared_ptr<ShapeTreeOwner> owner, pugi::xml_node frame, pugi::xml_node cell);

    int Type() const override;
    std::string Name() const override;
    void SetName(const std::string& value) override;
    int Id() const override;
    float Left() const override;
    void SetLeft(float value) override;
    float Top() const override;
    void SetTop(float value) override;
    float Width() const override;
    void SetWidth(float value) override;
    float Height() const override;
    void SetHeight(float value) override;
    int Visible() const override;
    void SetVisible(int triState) override;
    host::Ref<host::FillFormat> Fill() override;
    host::Ref<host::LineFormat> Line() override;
    int HasTextFrame() const override;
    host::Ref<host::TextFrame> TextFrame() override;
    int HasTable() const override;
    host::Ref<host::Table> Table() override;
    host::Ref<host::GroupShapes> GroupItems() override;
    host::Ref<host::ShapeRange> Ungroup() override;
    void Select(bool replace) override;
    void Copy() override;
    void Delete() override;
    void Export(const std::filesystem::path& file, const std::string& filter) override;
    host::Ref<host::OLEFormat> OLEFormat() override;
    host::Ref<host::Tags> Tags() override;
    host::Ref<host::TextEffectFormat> TextEffect() override;
    host::Ref<host::PlaceholderFormat> PlaceholderFormat() override;

private:
    Box CellBounds() const;

    std::shared_ptr<ShapeTreeOwner> owner_;
    pugi::xml_node frame_;
    pugi::xml_node cell_;
};

}  // namespace velmora::pptx::shapes
