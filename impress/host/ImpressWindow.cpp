#include "impress/host/ImpressWindow.hpp"

#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/drawing/framework/ResourceId.hpp>
#include <com/sun/star/drawing/framework/XConfigurationController.hpp>
#include <com/sun/star/drawing/framework/XControllerManager.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "impress/host/ImpressPresentation.hpp"
#include "impress/host/ImpressShapeRange.hpp"
#include "impress/host/ImpressShapesText.hpp"
#include "impress/host/ImpressSlideRange.hpp"

namespace velmora::impress {

using css::drawing::XDrawPage;
using css::uno::Reference;
using css::uno::UNO_QUERY;

ImpressWindow::ImpressWindow(std::shared_ptr<LiveDocument> document) : document_(std::move(document)) {}

host::Ref<host::Selection> ImpressWindow::Selection()
{
    return shared_from_this();
}

host::Ref<host::View> ImpressWindow::View()
{
    return shared_from_this();
}

host::Ref<host::Presentation> ImpressWindow::Presentation()
{
    return std::make_shared<ImpressPresentation>(document_);
}

Reference<XDrawPage> ImpressWindow::CurrentPage() const
{
    const Reference<css::drawing::XDrawView> view(document_->model->getCurrentController(), UNO_QUERY);
    return view.is() ? view->getCurrentPage() : nullptr;
}

namespace {

// The pages in a selection: a slide sorter gives them as a sequence, the
// other views give shapes.
std::vector<Reference<XDrawPage>> PagesIn(const css::uno::Any& selection)
{
    std::vector<Reference<XDrawPage>> pages;
    css::uno::Sequence<Reference<css::uno::XInterface>> items;
    selection >>= items;
    for (const auto& item : items) {
        if (const Reference<XDrawPage> page(item, UNO_QUERY); page.is()) {
            pages.push_back(page);
        }
    }
    return pages;
}

}  // namespace

// The slide pane beside the normal view: a slide sorter of its own, whose
// selection the view's controller does not show.
Reference<css::view::XSelectionSupplier> ImpressWindow::SlidePane() const
{
    const Reference<css::drawing::framework::XControllerManager> manager(document_->model->getCurrentController(),
                                                                         UNO_QUERY);
    if (!manager.is()) {
        return nullptr;
    }
    const auto pane = css::drawing::framework::ResourceId::createWithAnchorURL(
        document_->office, "private:resource/view/SlideSorter", "private:resource/pane/LeftImpressPane");
    return Reference<css::view::XSelectionSupplier>(manager->getConfigurationController()->getResource(pane),
                                                    UNO_QUERY);
}

// Pages the slide sorter selected, else those selected in the slide pane;
// none in the other views.
std::vector<Reference<XDrawPage>> ImpressWindow::SelectedPages() const
{
    const Reference<css::view::XSelectionSupplier> controller(document_->model->getCurrentController(), UNO_QUERY);
    auto pages = controller.is() ? PagesIn(controller->getSelection()) : std::vector<Reference<XDrawPage>>{};
    if (pages.empty()) {
        if (const auto pane = SlidePane(); pane.is()) {
            pages = PagesIn(pane->getSelection());
        }
    }
    return pages;
}

host::Ref<host::Slide> ImpressWindow::Slide()
{
    const auto page = CurrentPage();
    if (!page.is()) {
        throw host::HostError("the window shows no slide");
    }
    return std::make_shared<ImpressSlide>(document_, page);
}

void ImpressWindow::GotoSlide(int index)
{
    const Reference<css::drawing::XDrawView> view(document_->model->getCurrentController(), UNO_QUERY);
    const Reference<css::drawing::XDrawPagesSupplier> supplier(document_->model, UNO_QUERY);
    if (!view.is() || !supplier.is() || index < 1 || index > supplier->getDrawPages()->getCount()) {
        throw host::HostError("cannot show slide " + std::to_string(index));
    }
    view->setCurrentPage(Reference<XDrawPage>(supplier->getDrawPages()->getByIndex(index - 1), UNO_QUERY));
}

std::vector<host::Ref<ImpressShape>> ImpressWindow::SelectedShapes() const
{
    std::vector<host::Ref<ImpressShape>> shapes;
    const Reference<css::view::XSelectionSupplier> supplier(document_->model->getCurrentController(), UNO_QUERY);
    if (!supplier.is()) {
        return shapes;
    }
    const css::uno::Any selection = supplier->getSelection();
    if (const Reference<css::drawing::XShape> shape(selection, UNO_QUERY); shape.is()) {
        shapes.push_back(std::make_shared<ImpressShape>(document_, shape));
        return shapes;
    }
    const Reference<css::drawing::XShapes> several(selection, UNO_QUERY);
    for (sal_Int32 i = 0; several.is() && i < several->getCount(); ++i) {
        const Reference<css::drawing::XShape> shape(several->getByIndex(i), UNO_QUERY);
        if (shape.is()) {
            shapes.push_back(std::make_shared<ImpressShape>(document_, shape));
        }
    }
    return shapes;
}

int ImpressWindow::Type() const
{
    if (!SelectedShapes().empty()) {
        return host::SelectionType::Shapes;
    }
    return CurrentPage().is() || !SelectedPages().empty() ? host::SelectionType::Slides : host::SelectionType::None;
}

host::Ref<host::SlideRange> ImpressWindow::SlideRange()
{
    auto pages = SelectedPages();
    if (pages.empty() && CurrentPage().is()) {
        pages.push_back(CurrentPage());
    }
    if (pages.empty()) {
        throw host::HostError("no slide is selected");
    }
    std::vector<host::Ref<ImpressSlide>> slides;
    for (const auto& page : pages) {
        slides.push_back(std::make_shared<ImpressSlide>(document_, page));
    }
    return std::make_shared<ImpressSlideRange>(std::move(slides));
}

host::Ref<host::ShapeRange> ImpressWindow::ShapeRange()
{
    return std::make_shared<ImpressShapeRange>(SelectedShapes());
}

// The text of the selected shapes; a text selected inside a shape is not
// reachable here.
host::Ref<host::TextRange> ImpressWindow::TextRange()
{
    const auto shapes = SelectedShapes();
    if (shapes.empty()) {
        NotInImpress("Selection.TextRange");
    }
    std::vector<std::shared_ptr<ImpressTextRange>> texts;
    for (const auto& shape : shapes) {
        for (const auto& text : shape->Texts()) {
            texts.push_back(ImpressTextRange::Whole(document_, text));
        }
    }
    return std::make_shared<ImpressShapesText>(document_, std::move(texts));
}

host::Ref<host::ShapeRange> ImpressWindow::ChildShapeRange()
{
    NotInImpress("Selection.ChildShapeRange");
}

bool ImpressWindow::HasChildShapeRange() const
{
    return false;
}

void ImpressWindow::Unselect()
{
    const Reference<css::view::XSelectionSupplier> supplier(document_->model->getCurrentController(), UNO_QUERY);
    if (supplier.is()) {
        supplier->select(css::uno::Any());
    }
}

}  // namespace velmora::impress
