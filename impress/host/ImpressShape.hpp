#pragma once

#include <memory>
#include <vector>

#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>

#include "host/Shape.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// A shape of a slide or notes page, over its UNO shape and property set.
class ImpressShape : public host::Shape {
public:
    ImpressShape(std::shared_ptr<LiveDocument> document, css::uno::Reference<css::drawing::XShape> shape);

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

    const css::uno::Reference<css::drawing::XShape>& Uno() const { return shape_; }
    // The placeholder kind of a presentation object; 0 for any other shape.
    int PlaceholderKind() const;
    // Every text the shape holds: its own, a group's members', a table's
    // cells', as the object model's text of a selection of shapes.
    std::vector<css::uno::Reference<css::text::XText>> Texts() const;

private:
    bool IsTextBoxFromFile() const;
    // A group's members, one level down; none for other shapes.
    std::vector<css::uno::Reference<css::drawing::XShape>> Members() const;
    // A table's cells, row by row; none for other shapes.
    std::vector<css::uno::Reference<css::table::XCell>> Cells() const;
    // Where fill and line are written: the members of a group (at every
    // level), the cells of a table (for the line, their borders), else the
    // shape itself.
    std::vector<css::uno::Reference<css::beans::XPropertySet>> FillTargets() const;
    std::vector<css::uno::Reference<css::beans::XPropertySet>> LineTargets() const;
    std::string ShapeType() const;
    css::uno::Reference<css::beans::XPropertySet> Properties() const;
    void SetPosition(sal_Int32 x, sal_Int32 y);
    void SetSize(sal_Int32 width, sal_Int32 height);

    std::shared_ptr<LiveDocument> document_;
    css::uno::Reference<css::drawing::XShape> shape_;
};

}  // namespace velmora::impress
