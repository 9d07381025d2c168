#include "impress/host/ImpressShapes.hpp"

#include <vector>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/uno/Sequence.hxx>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressPresentation.hpp"
#include "impress/host/ImpressShape.hpp"

namespace velmora::impress {

using css::uno::Reference;

namespace {

// The presentation objects of a page, in z-order.
class ImpressPlaceholders : public host::Placeholders {
public:
    explicit ImpressPlaceholders(std::vector<host::Ref<ImpressShape>> shapes) : shapes_(std::move(shapes)) {}
    int Count() const override { return static_cast<int>(shapes_.size()); }
    host::Ref<host::Shape> Item(int index) override
    {
        if (index < 1 || index > Count()) {
            throw host::HostError("the page has no placeholder " + std::to_string(index));
        }
        return shapes_[static_cast<std::size_t>(index - 1)];
    }

private:
    std::vector<host::Ref<ImpressShape>> shapes_;
};

Reference<css::graphic::XGraphic> GraphicOf(const LiveDocument& document, const std::filesystem::path& file)
{
    Reference<css::graphic::XGraphic> graphic;
    try {
        graphic = css::graphic::GraphicProvider::create(document.office)
                      ->queryGraphic(SequenceOf({Named("URL", css::uno::Any(FileUrl(file)))}));
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("Impress could not read the picture " + file.string() + ": " + FromUno(failure.Message));
    }
    if (!graphic.is()) {
        throw host::HostError("Impress could not read the picture " + file.string());
    }
    return graphic;
}

}  // namespace

ImpressShapes::ImpressShapes(std::shared_ptr<LiveDocument> document, Reference<css::drawing::XShapes> shapes)
    : document_(std::move(document)), shapes_(std::move(shapes))
{
}

int ImpressShapes::Count() const
{
    return shapes_->getCount();
}

host::Ref<host::Shape> ImpressShapes::Item(int index)
{
    if (index < 1 || index > Count()) {
        throw host::HostError("the page has no shape " + std::to_string(index));
    }
    const Reference<css::drawing::XShape> shape(shapes_->getByIndex(index - 1), css::uno::UNO_QUERY_THROW);
    return std::make_shared<ImpressShape>(document_, shape);
}

host::Ref<host::Shape> ImpressShapes::Item(const std::string& name)
{
    for (int i = 1; i <= Count(); ++i) {
        auto shape = Item(i);
        if (shape->Name() == name) {
            return shape;
        }
    }
    throw host::HostError("the page has no shape named " + name);
}

host::Ref<host::Placeholders> ImpressShapes::Placeholders()
{
    std::vector<host::Ref<ImpressShape>> placeholders;
    for (int i = 1; i <= Count(); ++i) {
        auto shape = std::static_pointer_cast<ImpressShape>(Item(i));
        if (shape->PlaceholderKind() != 0) {
            placeholders.push_back(shape);
        }
    }
    return std::make_shared<ImpressPlaceholders>(std::move(placeholders));
}

host::Ref<host::Shape> ImpressShapes::AddShape(int, float, float, float, float)
{
    NotInImpress("Shapes.AddShape");
}

// The picture goes into the document, at the size asked. Tools add pictures
// only to presentations they made, which need no undo: the user's
// presentation takes none.
host::Ref<host::Shape> ImpressShapes::AddPicture(const std::filesystem::path& file, int linkToFile,
                                                 int saveWithDocument, float left, float top, float width,
                                                 float height)
{
    if (!document_->openedByTool || linkToFile == host::TriState::True) {
        NotInImpress("Shapes.AddPicture");
    }
    if (saveWithDocument == host::TriState::False) {
        throw host::HostError("a picture must be linked or saved with the presentation");
    }
    if (!(width > 0) || !(height > 0)) {
        throw host::HostError("Impress needs the picture's width and height");
    }
    // Read first: a picture that cannot be read leaves no empty frame behind.
    const Reference<css::graphic::XGraphic> graphic = GraphicOf(*document_, file);
    const Reference<css::lang::XMultiServiceFactory> factory(document_->model, css::uno::UNO_QUERY_THROW);
    const Reference<css::drawing::XShape> shape(
        factory->createInstance("com.sun.star.drawing.GraphicObjectShape"), css::uno::UNO_QUERY_THROW);
    shapes_->add(shape);
    Reference<css::beans::XPropertySet>(shape, css::uno::UNO_QUERY_THROW)
        ->setPropertyValue("Graphic", css::uno::Any(graphic));
    shape->setPosition(css::awt::Point(UnoFromPoints(left), UnoFromPoints(top)));
    shape->setSize(css::awt::Size(UnoFromPoints(width), UnoFromPoints(height)));
    return std::make_shared<ImpressShape>(document_, shape);
}

host::Ref<host::Shape> ImpressShapes::AddTextbox(int, float, float, float, float)
{
    NotInImpress("Shapes.AddTextbox");
}

host::Ref<host::Shape> ImpressShapes::AddTable(int, int, float, float, float, float)
{
    NotInImpress("Shapes.AddTable");
}

host::Ref<host::Shape> ImpressShapes::AddOLEObject(float, float, float, float, const std::string&, const std::string&,
                                                   int, const std::string&, int, const std::string&, int)
{
    NotInImpress("Shapes.AddOLEObject");
}

host::Ref<host::ShapeRange> ImpressShapes::Range(const std::vector<int>&)
{
    NotInImpress("Shapes.Range");
}

host::Ref<host::ShapeRange> ImpressShapes::PasteSpecial(int)
{
    NotInImpress("Shapes.PasteSpecial");
}

}  // namespace velmora::impress
