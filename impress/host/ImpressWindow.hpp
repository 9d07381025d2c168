#pragma once

#include <memory>

#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "host/Application.hpp"
#include "impress/host/ImpressShape.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// The frame's document window: its view (the slide shown) and its selection.
class ImpressWindow : public host::DocumentWindow,
                      public host::View,
                      public host::Selection,
                      public std::enable_shared_from_this<ImpressWindow> {
public:
    explicit ImpressWindow(std::shared_ptr<LiveDocument> document);

    // DocumentWindow
    host::Ref<host::Selection> Selection() override;
    host::Ref<host::View> View() override;
    host::Ref<host::Presentation> Presentation() override;

    // View
    host::Ref<host::Slide> Slide() override;
    void GotoSlide(int index) override;

    // Selection: the slides selected in the slide sorter or in the slide
    // pane beside the normal view, else the slide shown.
    int Type() const override;
    host::Ref<host::SlideRange> SlideRange() override;
    host::Ref<host::ShapeRange> ShapeRange() override;
    host::Ref<host::TextRange> TextRange() override;
    host::Ref<host::ShapeRange> ChildShapeRange() override;
    bool HasChildShapeRange() const override;
    void Unselect() override;

private:
    css::uno::Reference<css::drawing::XDrawPage> CurrentPage() const;
    css::uno::Reference<css::view::XSelectionSupplier> SlidePane() const;
    std::vector<css::uno::Reference<css::drawing::XDrawPage>> SelectedPages() const;
    std::vector<host::Ref<ImpressShape>> SelectedShapes() const;

    std::shared_ptr<LiveDocument> document_;
};

}  // namespace velmora::impress
