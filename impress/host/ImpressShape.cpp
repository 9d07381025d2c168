#include "impress/host/ImpressShape.hpp"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/FillStyle.hpp>
#include <com/sun/star/drawing/LineStyle.hpp>
#include <com/sun/star/drawing/XShapeDescriptor.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XTable.hpp>
#include <com/sun/star/text/XText.hpp>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressColorFormat.hpp"
#include "impress/host/ImpressTextRange.hpp"

namespace velmora::impress {

using css::beans::XPropertySet;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

constexpr const char* kPresentationPrefix = "com.sun.star.presentation.";

int TriState(bool value)
{
    return value ? host::TriState::True : host::TriState::False;
}

// Of styles read from each target: the one they share, else mixed.
template <typename Style>
int CommonVisibility(const std::vector<Reference<XPropertySet>>& targets, const char* property, Style none)
{
    std::optional<int> common;
    for (const auto& target : targets) {
        Style style = none;
        Property(target, property) >>= style;
        const int visible = TriState(style != none);
        if (common && visible != *common) {
            return host::TriState::Mixed;
        }
        common = visible;
    }
    return common.value_or(host::TriState::False);
}

// Shows the style on each target that has none, leaving other styles (a
// gradient, a dashed line) as they are.
template <typename Style>
void Show(LiveDocument& document, const std::vector<Reference<XPropertySet>>& targets, const char* property,
          Style none, Style solid)
{
    for (const auto& target : targets) {
        Style style = none;
        Property(target, property) >>= style;
        if (style == none) {
            document.changes.Set(target, property, Any(solid));
        }
    }
}

// A fill or line colour: writing it shows the fill or line, as the object
// model does, so that a colour given to a text box without a fill is seen.
class ShownColor : public ImpressColorFormat {
public:
    ShownColor(std::shared_ptr<LiveDocument> document, const std::vector<Reference<XPropertySet>>& targets,
               std::string property, std::function<void()> show)
        : ImpressColorFormat(std::move(document), targets.front(), targets, std::move(property)), show_(std::move(show))
    {
    }
    void SetRGB(host::Color value) override
    {
        show_();
        ImpressColorFormat::SetRGB(value);
    }

private:
    std::function<void()> show_;
};

// Fill and line: visibility is the style, the colour a property of its own.
// Both go to every target (a group's members, a table's cells); reads give
// the first target's value.
class ImpressFill : public host::FillFormat {
public:
    ImpressFill(std::shared_ptr<LiveDocument> document, std::vector<Reference<XPropertySet>> targets)
        : document_(std::move(document)), targets_(std::move(targets))
    {
    }
    int Visible() const override { return CommonVisibility(targets_, "FillStyle", css::drawing::FillStyle_NONE); }
    void SetVisible(int triState) override
    {
        if (triState == host::TriState::False) {
            document_->changes.SetEach(targets_, "FillStyle", Any(css::drawing::FillStyle_NONE));
        } else {
            Show(*document_, targets_, "FillStyle", css::drawing::FillStyle_NONE, css::drawing::FillStyle_SOLID);
        }
    }
    host::Ref<host::ColorFormat> ForeColor() override
    {
        // A new colour replaces a gradient or picture, as it does in the object model.
        auto document = document_;
        auto targets = targets_;
        return std::make_shared<ShownColor>(document_, targets_, "FillColor", [document, targets] {
            document->changes.SetEach(targets, "FillStyle", Any(css::drawing::FillStyle_SOLID));
        });
    }
    float Transparency() const override
    {
        sal_Int16 percent = 0;
        Property(targets_.front(), "FillTransparence") >>= percent;
        return static_cast<float>(percent) / 100.0F;
    }
    void SetTransparency(float value) override
    {
        document_->changes.SetEach(targets_, "FillTransparence", Any(static_cast<sal_Int16>(value * 100.0F + 0.5F)));
    }
    void UserPicture(const std::filesystem::path&) override { NotInImpress("Fill.UserPicture"); }

private:
    std::shared_ptr<LiveDocument> document_;
    std::vector<Reference<XPropertySet>> targets_;
};

class ImpressLine : public host::LineFormat {
public:
    ImpressLine(std::shared_ptr<LiveDocument> document, std::vector<Reference<XPropertySet>> targets)
        : document_(std::move(document)), targets_(std::move(targets))
    {
    }
    int Visible() const override { return CommonVisibility(targets_, "LineStyle", css::drawing::LineStyle_NONE); }
    void SetVisible(int triState) override
    {
        if (triState == host::TriState::False) {
            document_->changes.SetEach(targets_, "LineStyle", Any(css::drawing::LineStyle_NONE));
        } else {
            Show(*document_, targets_, "LineStyle", css::drawing::LineStyle_NONE, css::drawing::LineStyle_SOLID);
        }
    }
    host::Ref<host::ColorFormat> ForeColor() override
    {
        auto document = document_;
        auto targets = targets_;
        return std::make_shared<ShownColor>(document_, targets_, "LineColor", [document, targets] {
            Show(*document, targets, "LineStyle", css::drawing::LineStyle_NONE, css::drawing::LineStyle_SOLID);
        });
    }

private:
    std::shared_ptr<LiveDocument> document_;
    std::vector<Reference<XPropertySet>> targets_;
};

// A table's line: the four borders of each of its cells, read from the
// first. Writing a colour gives a border without a line a line of one point.
class CellBorders : public host::LineFormat, public std::enable_shared_from_this<CellBorders> {
public:
    CellBorders(std::shared_ptr<LiveDocument> document, std::vector<Reference<XPropertySet>> cells)
        : document_(std::move(document)), cells_(std::move(cells))
    {
    }
    int Visible() const override
    {
        std::optional<int> common;
        for (const auto& cell : cells_) {
            for (const char* side : kSides) {
                const int visible = TriState(Border(cell, side).LineWidth > 0);
                if (common && visible != *common) {
                    return host::TriState::Mixed;
                }
                common = visible;
            }
        }
        return common.value_or(host::TriState::False);
    }
    void SetVisible(int triState) override
    {
        Rewrite([triState](css::table::BorderLine2& border) {
            if (triState == host::TriState::False) {
                border.LineWidth = 0;
                border.OuterLineWidth = 0;
            } else {
                Show(border);
            }
        });
    }
    host::Ref<host::ColorFormat> ForeColor() override { return std::make_shared<BorderColor>(shared_from_this()); }

private:
    static constexpr const char* kSides[] = {"TopBorder", "BottomBorder", "LeftBorder", "RightBorder"};
    // One point in 1/100 mm.
    static constexpr sal_Int16 kOnePoint = 35;

    class BorderColor : public host::ColorFormat {
    public:
        explicit BorderColor(std::shared_ptr<CellBorders> borders) : borders_(std::move(borders)) {}
        host::Color RGB() const override
        {
            return ColorFromUno(Border(borders_->cells_.front(), kSides[0]).Color);
        }
        void SetRGB(host::Color value) override
        {
            borders_->Rewrite([value](css::table::BorderLine2& border) {
                Show(border);
                border.Color = UnoFromColor(value);
            });
        }

    private:
        std::shared_ptr<CellBorders> borders_;
    };

    static css::table::BorderLine2 Border(const Reference<XPropertySet>& cell, const char* side)
    {
        css::table::BorderLine2 border;
        Property(cell, side) >>= border;
        return border;
    }
    static void Show(css::table::BorderLine2& border)
    {
        if (border.LineWidth == 0) {
            border.LineWidth = kOnePoint;
            border.OuterLineWidth = kOnePoint;
        }
    }
    template <typename Change>
    void Rewrite(Change change)
    {
        for (const auto& cell : cells_) {
            for (const char* side : kSides) {
                auto border = Border(cell, side);
                change(border);
                document_->changes.Set(cell, side, Any(border));
            }
        }
    }

    std::shared_ptr<LiveDocument> document_;
    std::vector<Reference<XPropertySet>> cells_;
};

class ImpressTextFrame : public host::TextFrame {
public:
    ImpressTextFrame(std::shared_ptr<LiveDocument> document, Reference<css::text::XText> text)
        : document_(std::move(document)), text_(std::move(text))
    {
    }
    bool HasText() const override { return !text_->getString().isEmpty(); }
    host::Ref<host::TextRange> TextRange() override { return ImpressTextRange::Whole(document_, text_); }
    int WordWrap() const override
    {
        bool wrap = true;
        Property(Properties(), "TextWordWrap") >>= wrap;
        return TriState(wrap);
    }
    void SetWordWrap(int triState) override
    {
        document_->changes.Set(Properties(), "TextWordWrap", Any(triState != host::TriState::False));
    }
    int AutoSize() const override
    {
        bool grows = false;
        Property(Properties(), "TextAutoGrowHeight") >>= grows;
        return grows ? host::AutoSize::ShapeToFitText : host::AutoSize::None;
    }
    void SetAutoSize(int value) override
    {
        document_->changes.Set(Properties(), "TextAutoGrowHeight", Any(value == host::AutoSize::ShapeToFitText));
    }

private:
    Reference<XPropertySet> Properties() const { return Reference<XPropertySet>(text_, UNO_QUERY); }

    std::shared_ptr<LiveDocument> document_;
    Reference<css::text::XText> text_;
};

// A group's members, as they were when asked for.
class ImpressGroupShapes : public host::GroupShapes {
public:
    explicit ImpressGroupShapes(std::vector<host::Ref<host::Shape>> members) : members_(std::move(members)) {}
    int Count() const override { return static_cast<int>(members_.size()); }
    host::Ref<host::Shape> Item(int index) override
    {
        if (index < 1 || index > Count()) {
            throw host::HostError("the group has no member " + std::to_string(index));
        }
        return members_[static_cast<std::size_t>(index - 1)];
    }

private:
    std::vector<host::Ref<host::Shape>> members_;
};

class ImpressPlaceholderFormat : public host::PlaceholderFormat {
public:
    explicit ImpressPlaceholderFormat(int type) : type_(type) {}
    int Type() const override { return type_; }

private:
    int type_;
};

// Presentation objects by their UNO shape type; the slide picture of a notes
// page counts as an object placeholder.
const std::map<std::string, int>& PlaceholderKinds()
{
    static const std::map<std::string, int> kinds{
        {"TitleTextShape", host::PlaceholderType::Title},
        {"OutlinerShape", host::PlaceholderType::Body},
        {"NotesShape", host::PlaceholderType::Body},
        {"SubtitleShape", host::PlaceholderType::Subtitle},
        {"DateTimeShape", host::PlaceholderType::Date},
        {"FooterShape", host::PlaceholderType::Footer},
        {"HeaderShape", host::PlaceholderType::Header},
        {"SlideNumberShape", host::PlaceholderType::SlideNumber},
        {"GraphicObjectShape", host::PlaceholderType::Picture},
        {"ChartShape", host::PlaceholderType::Chart},
        {"TableShape", host::PlaceholderType::Table},
        {"OLE2Shape", host::PlaceholderType::Object},
        {"PageShape", host::PlaceholderType::Object},
    };
    return kinds;
}

}  // namespace

ImpressShape::ImpressShape(std::shared_ptr<LiveDocument> document, Reference<css::drawing::XShape> shape)
    : document_(std::move(document)), shape_(std::move(shape))
{
}

// The shape's service name: marked deprecated, yet it is the one member that
// tells a title placeholder from a body placeholder.
std::string ImpressShape::ShapeType() const
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return FromUno(shape_->getShapeType());
#pragma GCC diagnostic pop
}

Reference<XPropertySet> ImpressShape::Properties() const
{
    return Reference<XPropertySet>(shape_, UNO_QUERY);
}

int ImpressShape::PlaceholderKind() const
{
    const std::string type = ShapeType();
    if (!type.starts_with(kPresentationPrefix)) {
        return 0;
    }
    bool presentationObject = false;
    const Reference<XPropertySet> properties = Properties();
    if (properties->getPropertySetInfo()->hasPropertyByName("IsPresentationObject")) {
        properties->getPropertyValue("IsPresentationObject") >>= presentationObject;
    }
    const auto kind = PlaceholderKinds().find(type.substr(std::string(kPresentationPrefix).size()));
    return presentationObject && kind != PlaceholderKinds().end() ? kind->second : 0;
}

int ImpressShape::Type() const
{
    if (PlaceholderKind() != 0) {
        return host::ShapeType::Placeholder;
    }
    static const std::map<std::string, int> types{
        {"com.sun.star.drawing.TextShape", host::ShapeType::TextBox},
        {"com.sun.star.drawing.GroupShape", host::ShapeType::Group},
        {"com.sun.star.drawing.GraphicObjectShape", host::ShapeType::Picture},
        {"com.sun.star.drawing.TableShape", host::ShapeType::Table},
        {"com.sun.star.drawing.OLE2Shape", host::ShapeType::EmbeddedOLEObject},
        {"com.sun.star.drawing.LineShape", host::ShapeType::Line},
        {"com.sun.star.drawing.ConnectorShape", host::ShapeType::Line},
        {"com.sun.star.drawing.MediaShape", host::ShapeType::Media},
    };
    const auto type = types.find(ShapeType());
    if (type != types.end()) {
        return type->second;
    }
    return IsTextBoxFromFile() ? host::ShapeType::TextBox : host::ShapeType::AutoShape;
}

// Impress reads a .pptx's text box as a custom shape: a rectangle from the
// file ("ooxml-rect") without the shape style the presentation program gives
// every shape it draws, which Impress keeps in the shape's grab bag.
bool ImpressShape::IsTextBoxFromFile() const
{
    const Reference<XPropertySet> properties = Properties();
    const auto info = properties->getPropertySetInfo();
    if (!info->hasPropertyByName("CustomShapeGeometry") || !info->hasPropertyByName("InteropGrabBag")) {
        return false;
    }
    css::uno::Sequence<css::beans::PropertyValue> geometry;
    properties->getPropertyValue("CustomShapeGeometry") >>= geometry;
    const auto kind =
        std::find_if(geometry.begin(), geometry.end(), [](const auto& entry) { return entry.Name == "Type"; });
    if (kind == geometry.end() || kind->Value != Any(rtl::OUString("ooxml-rect"))) {
        return false;
    }
    css::uno::Sequence<css::beans::PropertyValue> grabBag;
    properties->getPropertyValue("InteropGrabBag") >>= grabBag;
    return std::none_of(grabBag.begin(), grabBag.end(), [](const auto& entry) { return entry.Name == "StyleFillRef"; });
}

std::string ImpressShape::Name() const
{
    const Reference<css::container::XNamed> named(shape_, UNO_QUERY);
    return named.is() ? FromUno(named->getName()) : "";
}

void ImpressShape::SetName(const std::string& value)
{
    document_->changes.Set(Properties(), "Name", Any(ToUno(value)));
}

int ImpressShape::Id() const
{
    NotInImpress("Shape.Id");
}

float ImpressShape::Left() const
{
    return PointsFromUno(shape_->getPosition().X);
}

float ImpressShape::Top() const
{
    return PointsFromUno(shape_->getPosition().Y);
}

float ImpressShape::Width() const
{
    return PointsFromUno(shape_->getSize().Width);
}

float ImpressShape::Height() const
{
    return PointsFromUno(shape_->getSize().Height);
}

void ImpressShape::SetPosition(sal_Int32 x, sal_Int32 y)
{
    const css::awt::Point old = shape_->getPosition();
    const css::awt::Point position(x, y);
    shape_->setPosition(position);
    const Reference<css::drawing::XShape> shape = shape_;
    document_->changes.Record([shape, old] { shape->setPosition(old); },
                              [shape, position] { shape->setPosition(position); });
}

void ImpressShape::SetSize(sal_Int32 width, sal_Int32 height)
{
    const css::awt::Size old = shape_->getSize();
    const css::awt::Size size(width, height);
    shape_->setSize(size);
    const Reference<css::drawing::XShape> shape = shape_;
    document_->changes.Record([shape, old] { shape->setSize(old); }, [shape, size] { shape->setSize(size); });
}

void ImpressShape::SetLeft(float value)
{
    SetPosition(UnoFromPoints(value), shape_->getPosition().Y);
}

void ImpressShape::SetTop(float value)
{
    SetPosition(shape_->getPosition().X, UnoFromPoints(value));
}

void ImpressShape::SetWidth(float value)
{
    SetSize(UnoFromPoints(value), shape_->getSize().Height);
}

void ImpressShape::SetHeight(float value)
{
    SetSize(shape_->getSize().Width, UnoFromPoints(value));
}

int ImpressShape::Visible() const
{
    bool visible = true;
    Property(Properties(), "Visible") >>= visible;
    return TriState(visible);
}

void ImpressShape::SetVisible(int triState)
{
    document_->changes.Set(Properties(), "Visible", Any(triState != host::TriState::False));
}

std::vector<Reference<css::drawing::XShape>> ImpressShape::Members() const
{
    std::vector<Reference<css::drawing::XShape>> members;
    const Reference<css::drawing::XShapes> group(shape_, UNO_QUERY);
    for (sal_Int32 i = 0; group.is() && Type() == host::ShapeType::Group && i < group->getCount(); ++i) {
        const Reference<css::drawing::XShape> member(group->getByIndex(i), UNO_QUERY);
        if (member.is()) {
            members.push_back(member);
        }
    }
    return members;
}

std::vector<Reference<css::table::XCell>> ImpressShape::Cells() const
{
    std::vector<Reference<css::table::XCell>> cells;
    if (Type() != host::ShapeType::Table) {
        return cells;
    }
    const Reference<css::table::XTable> table(Property(Properties(), "Model"), UNO_QUERY);
    for (sal_Int32 row = 0; table.is() && row < table->getRowCount(); ++row) {
        for (sal_Int32 column = 0; column < table->getColumnCount(); ++column) {
            cells.push_back(table->getCellByPosition(column, row));
        }
    }
    return cells;
}

std::vector<Reference<XPropertySet>> ImpressShape::FillTargets() const
{
    std::vector<Reference<XPropertySet>> targets;
    if (Type() == host::ShapeType::Group) {
        for (const auto& member : Members()) {
            const auto inner = ImpressShape(document_, member).FillTargets();
            targets.insert(targets.end(), inner.begin(), inner.end());
        }
    } else if (Type() == host::ShapeType::Table) {
        for (const auto& cell : Cells()) {
            targets.emplace_back(cell, UNO_QUERY);
        }
    } else {
        targets.push_back(Properties());
    }
    if (targets.empty()) {
        throw host::HostError("the shape " + Name() + " has no fill");
    }
    return targets;
}

std::vector<Reference<XPropertySet>> ImpressShape::LineTargets() const
{
    if (Type() != host::ShapeType::Group) {
        return {Properties()};
    }
    std::vector<Reference<XPropertySet>> targets;
    for (const auto& member : Members()) {
        const auto inner = ImpressShape(document_, member).LineTargets();
        targets.insert(targets.end(), inner.begin(), inner.end());
    }
    if (targets.empty()) {
        throw host::HostError("the group " + Name() + " has no line");
    }
    return targets;
}

std::vector<Reference<css::text::XText>> ImpressShape::Texts() const
{
    std::vector<Reference<css::text::XText>> texts;
    if (Type() == host::ShapeType::Group) {
        for (const auto& member : Members()) {
            const auto inner = ImpressShape(document_, member).Texts();
            texts.insert(texts.end(), inner.begin(), inner.end());
        }
    } else if (Type() == host::ShapeType::Table) {
        for (const auto& cell : Cells()) {
            texts.emplace_back(cell, UNO_QUERY);
        }
    } else if (const Reference<css::text::XText> text(shape_, UNO_QUERY); text.is()) {
        texts.push_back(text);
    }
    return texts;
}

host::Ref<host::FillFormat> ImpressShape::Fill()
{
    return std::make_shared<ImpressFill>(document_, FillTargets());
}

host::Ref<host::LineFormat> ImpressShape::Line()
{
    if (Type() == host::ShapeType::Table) {
        return std::make_shared<CellBorders>(document_, FillTargets());
    }
    return std::make_shared<ImpressLine>(document_, LineTargets());
}

int ImpressShape::HasTextFrame() const
{
    return TriState(Reference<css::text::XText>(shape_, UNO_QUERY).is() && Type() != host::ShapeType::Group);
}

host::Ref<host::TextFrame> ImpressShape::TextFrame()
{
    const Reference<css::text::XText> text(shape_, UNO_QUERY);
    if (!text.is()) {
        throw host::HostError("the shape " + Name() + " has no text frame");
    }
    return std::make_shared<ImpressTextFrame>(document_, text);
}

int ImpressShape::HasTable() const
{
    return TriState(Type() == host::ShapeType::Table);
}

host::Ref<host::Table> ImpressShape::Table()
{
    NotInImpress("Shape.Table");
}

host::Ref<host::GroupShapes> ImpressShape::GroupItems()
{
    if (Type() != host::ShapeType::Group) {
        throw host::HostError("the shape " + Name() + " is no group");
    }
    std::vector<host::Ref<host::Shape>> members;
    for (const auto& member : Members()) {
        members.push_back(std::make_shared<ImpressShape>(document_, member));
    }
    return std::make_shared<ImpressGroupShapes>(std::move(members));
}

host::Ref<host::ShapeRange> ImpressShape::Ungroup()
{
    NotInImpress("Shape.Ungroup");
}

void ImpressShape::Select(bool)
{
    NotInImpress("Shape.Select");
}

void ImpressShape::Copy()
{
    NotInImpress("Shape.Copy");
}

void ImpressShape::Delete()
{
    NotInImpress("Shape.Delete");
}

void ImpressShape::Export(const std::filesystem::path&, const std::string&)
{
    NotInImpress("Shape.Export");
}

host::Ref<host::OLEFormat> ImpressShape::OLEFormat()
{
    NotInImpress("Shape.OLEFormat");
}

host::Ref<host::Tags> ImpressShape::Tags()
{
    NotInImpress("Shape.Tags");
}

host::Ref<host::TextEffectFormat> ImpressShape::TextEffect()
{
    NotInImpress("Shape.TextEffect");
}

host::Ref<host::PlaceholderFormat> ImpressShape::PlaceholderFormat()
{
    const int kind = PlaceholderKind();
    if (kind == 0) {
        throw host::HostError("the shape " + Name() + " is not a placeholder");
    }
    return std::make_shared<ImpressPlaceholderFormat>(kind);
}

}  // namespace velmora::impress
