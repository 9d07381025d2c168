#include "impress/host/ImpressShapes.hpp"

#include <vector>

#include "host/HostError.hpp"
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

host::Ref<host::Shape> ImpressShapes::AddPicture(const std::filesystem::path&, int, int, float, float, float, float)
{
    NotInImpress("Shapes.AddPicture");
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
