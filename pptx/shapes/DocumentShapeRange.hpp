#pragma once

#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "host/Shape.hpp"

namespace velmora::pptx {
class ShapeTreeOwner;
}

namespace velmora::pptx::shapes {

// Several shapes acting as one. A range of one shape is that shape; on more,
// writes go to every member and reads answer when the members agree.
class DocumentShapeRange : public host::ShapeRange {
public:
    DocumentShapeRange(std::shared_ptr<ShapeTreeOwner> owner, std::vector<pugi::xml_node> shapes);

    int Count() const override;
    host::Ref<host::Shape> Item(int index) override;
    host::Ref<host::Shape> Group() override;

    int Type() const override;
    std::string Name() const override;
    void SetName(const std::string& value) override;
    int Id() const override;
    // The box around all members; setting moves or sizes each member.
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
    // The one member a single-shape request goes to; raises the host error for several.
    host::Shape& Single(const char* what) const;
    template <typename Write>
    void ForEach(Write write);

    std::shared_ptr<ShapeTreeOwner> owner_;
    std::vector<pugi::xml_node> shapes_;
    std::vector<host::Ref<host::Shape>> members_;
};

}  // namespace velmora::pptx::shapes
