#pragma once

#include <memory>

#include <com/sun/star/drawing/XShapes.hpp>

#include "host/Shape.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// The shapes of a slide or notes page, in z-order.
class ImpressShapes : public host::Shapes {
public:
    ImpressShapes(std::shared_ptr<LiveDocument> document, css::uno::Reference<css::drawing::XShapes> shapes);

    int Count() const override;
    host::Ref<host::Shape> Item(int index) override;
    host::Ref<host::Shape> Item(const std::string& name) override;
    host::Ref<host::Placeholders> Placeholders() override;
    host::Ref<host::Shape> AddShape(int autoShapeType, float left, float top, float width, float height) override;
    host::Ref<host::Shape> AddPicture(const std::filesystem::path& file, int linkToFile, int saveWithDocument,
                                      float left, float top, float width, float height) override;
    host::Ref<host::Shape> AddTextbox(int orientation, float left, float top, float width, float height) override;
    host::Ref<host::Shape> AddTable(int rows, int columns, float left, float top, float width, float height) override;
    host::Ref<host::Shape> AddOLEObject(float left, float top, float width, float height, const std::string& className,
                                        const std::string& fileName, int displayAsIcon, const std::string& iconFileName,
                                        int iconIndex, const std::string& iconLabel, int link) override;
    host::Ref<host::ShapeRange> Range(const std::vector<int>& indexes) override;
    host::Ref<host::ShapeRange> PasteSpecial(int dataType) override;

private:
    std::shared_ptr<LiveDocument> document_;
    css::uno::Reference<css::drawing::XShapes> shapes_;
};

}  // namespace velmora::impress
