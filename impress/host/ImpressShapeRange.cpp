#include "impress/host/ImpressShapeRange.hpp"

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "host/TextRange.hpp"

namespace velmora::impress {

namespace {

class RangeColor : public host::ColorFormat {
public:
    explicit RangeColor(std::vector<host::Ref<host::ColorFormat>> colors) : colors_(std::move(colors)) {}
    host::Color RGB() const override { return colors_.front()->RGB(); }
    void SetRGB(host::Color value) override
    {
        for (const auto& color : colors_) {
            color->SetRGB(value);
        }
    }

private:
    std::vector<host::Ref<host::ColorFormat>> colors_;
};

// Reads give the first member's value, or mixed; writes go to all.
int CommonTriState(const std::vector<int>& values)
{
    for (const int value : values) {
        if (value != values.front()) {
            return host::TriState::Mixed;
        }
    }
    return values.front();
}

class RangeFill : public host::FillFormat {
public:
    explicit RangeFill(std::vector<host::Ref<host::FillFormat>> fills) : fills_(std::move(fills)) {}
    int Visible() const override
    {
        std::vector<int> values;
        for (const auto& fill : fills_) {
            values.push_back(fill->Visible());
        }
        return CommonTriState(values);
    }
    void SetVisible(int triState) override
    {
        for (const auto& fill : fills_) {
            fill->SetVisible(triState);
        }
    }
    host::Ref<host::ColorFormat> ForeColor() override
    {
        std::vector<host::Ref<host::ColorFormat>> colors;
        for (const auto& fill : fills_) {
            colors.push_back(fill->ForeColor());
        }
        return std::make_shared<RangeColor>(std::move(colors));
    }
    float Transparency() const override { return fills_.front()->Transparency(); }
    void SetTransparency(float value) override
    {
        for (const auto& fill : fills_) {
            fill->SetTransparency(value);
        }
    }
    void UserPicture(const std::filesystem::path& picture) override
    {
        for (const auto& fill : fills_) {
            fill->UserPicture(picture);
        }
    }

private:
    std::vector<host::Ref<host::FillFormat>> fills_;
};

class RangeLine : public host::LineFormat {
public:
    explicit RangeLine(std::vector<host::Ref<host::LineFormat>> lines) : lines_(std::move(lines)) {}
    int Visible() const override
    {
        std::vector<int> values;
        for (const auto& line : lines_) {
            values.push_back(line->Visible());
        }
        return CommonTriState(values);
    }
    void SetVisible(int triState) override
    {
        for (const auto& line : lines_) {
            line->SetVisible(triState);
        }
    }
    host::Ref<host::ColorFormat> ForeColor() override
    {
        std::vector<host::Ref<host::ColorFormat>> colors;
        for (const auto& line : lines_) {
            colors.push_back(line->ForeColor());
        }
        return std::make_shared<RangeColor>(std::move(colors));
    }

private:
    std::vector<host::Ref<host::LineFormat>> lines_;
};

}  // namespace

ImpressShapeRange::ImpressShapeRange(std::vector<host::Ref<ImpressShape>> shapes) : shapes_(std::move(shapes))
{
    if (shapes_.empty()) {
        throw host::HostError("no shape is selected");
    }
}

int ImpressShapeRange::Count() const
{
    return static_cast<int>(shapes_.size());
}

host::Ref<host::Shape> ImpressShapeRange::Item(int index)
{
    if (index < 1 || index > Count()) {
        throw host::HostError("the range has no shape " + std::to_string(index));
    }
    return shapes_[static_cast<std::size_t>(index - 1)];
}

ImpressShape& ImpressShapeRange::Single() const
{
    if (shapes_.size() != 1) {
        throw host::HostError("the range holds " + std::to_string(shapes_.size()) + " shapes, not one");
    }
    return *shapes_.front();
}

template <typename Read>
int ImpressShapeRange::Common(Read read, int mixed) const
{
    const int first = read(*shapes_.front());
    for (const auto& shape : shapes_) {
        if (read(*shape) != first) {
            return mixed;
        }
    }
    return first;
}

host::Ref<host::Shape> ImpressShapeRange::Group()
{
    NotInImpress("ShapeRange.Group");
}

int ImpressShapeRange::Type() const
{
    return Common([](const ImpressShape& shape) { return shape.Type(); }, host::ShapeType::Mixed);
}

std::string ImpressShapeRange::Name() const
{
    return Single().Name();
}

void ImpressShapeRange::SetName(const std::string& value)
{
    Single().SetName(value);
}

int ImpressShapeRange::Id() const
{
    return Single().Id();
}

float ImpressShapeRange::Left() const
{
    return Single().Left();
}

void ImpressShapeRange::SetLeft(float value)
{
    Single().SetLeft(value);
}

float ImpressShapeRange::Top() const
{
    return Single().Top();
}

void ImpressShapeRange::SetTop(float value)
{
    Single().SetTop(value);
}

float ImpressShapeRange::Width() const
{
    return Single().Width();
}

void ImpressShapeRange::SetWidth(float value)
{
    Single().SetWidth(value);
}

float ImpressShapeRange::Height() const
{
    return Single().Height();
}

void ImpressShapeRange::SetHeight(float value)
{
    Single().SetHeight(value);
}

int ImpressShapeRange::Visible() const
{
    return Common([](const ImpressShape& shape) { return shape.Visible(); }, host::TriState::Mixed);
}

void ImpressShapeRange::SetVisible(int triState)
{
    for (const auto& shape : shapes_) {
        shape->SetVisible(triState);
    }
}

host::Ref<host::FillFormat> ImpressShapeRange::Fill()
{
    std::vector<host::Ref<host::FillFormat>> fills;
    for (const auto& shape : shapes_) {
        fills.push_back(shape->Fill());
    }
    return std::make_shared<RangeFill>(std::move(fills));
}

host::Ref<host::LineFormat> ImpressShapeRange::Line()
{
    std::vector<host::Ref<host::LineFormat>> lines;
    for (const auto& shape : shapes_) {
        lines.push_back(shape->Line());
    }
    return std::make_shared<RangeLine>(std::move(lines));
}

int ImpressShapeRange::HasTextFrame() const
{
    return Common([](const ImpressShape& shape) { return shape.HasTextFrame(); }, host::TriState::Mixed);
}

host::Ref<host::TextFrame> ImpressShapeRange::TextFrame()
{
    return Single().TextFrame();
}

int ImpressShapeRange::HasTable() const
{
    return Common([](const ImpressShape& shape) { return shape.HasTable(); }, host::TriState::Mixed);
}

host::Ref<host::Table> ImpressShapeRange::Table()
{
    return Single().Table();
}

host::Ref<host::GroupShapes> ImpressShapeRange::GroupItems()
{
    return Single().GroupItems();
}

host::Ref<host::ShapeRange> ImpressShapeRange::Ungroup()
{
    return Single().Ungroup();
}

void ImpressShapeRange::Select(bool replace)
{
    Single().Select(replace);
}

void ImpressShapeRange::Copy()
{
    Single().Copy();
}

void ImpressShapeRange::Delete()
{
    Single().Delete();
}

void ImpressShapeRange::Export(const std::filesystem::path& file, const std::string& filter)
{
    Single().Export(file, filter);
}

host::Ref<host::OLEFormat> ImpressShapeRange::OLEFormat()
{
    return Single().OLEFormat();
}

host::Ref<host::Tags> ImpressShapeRange::Tags()
{
    return Single().Tags();
}

host::Ref<host::TextEffectFormat> ImpressShapeRange::TextEffect()
{
    return Single().TextEffect();
}

host::Ref<host::PlaceholderFormat> ImpressShapeRange::PlaceholderFormat()
{
    return Single().PlaceholderFormat();
}

}  // namespace velmora::impress
