#pragma once

#include <memory>
#include <vector>

#include "host/Shape.hpp"
#include "impress/host/ImpressShape.hpp"

namespace velmora::impress {

// Shapes of the window's selection. Fill and line colours and visibility go
// to every member; other members answer for a range of one shape only.
class ImpressShapeRange : public host::ShapeRange {
public:
    explicit ImpressShapeRange(std::vector<host::Ref<ImpressShape>> shapes);

    int Count() const override;
    host::Ref<host::Shape> Item(int index) override;
    host::Ref<host::Shape> Group() override;

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
    ImpressShape& Single() const;
    // The value every member gives, or `mixed` when they differ.
    template <typename Read>
    int Common(Read read, int mixed) const;

    std::vector<host::Ref<ImpressShape>> shapes_;
};

}  // namespace velmora::impress
