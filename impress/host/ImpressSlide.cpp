#include "impress/host/ImpressSlide.hpp"

#include <map>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/GraphicExportFilter.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XGraphicExportFilter.hpp>
#include <com/sun/star/presentation/XPresentationPage.hpp>
#include <com/sun/star/uno/Sequence.hxx>

#include "host/HostError.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressPresentation.hpp"
#include "impress/host/ImpressShapes.hpp"
#include "impress/host/ImpressSlideTags.hpp"
#include "impress/host/ImpressTimeLine.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::impress {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

class ImpressNotesPage : public host::NotesPage {
public:
    ImpressNotesPage(std::shared_ptr<LiveDocument> document, Reference<css::drawing::XDrawPage> page)
        : document_(std::move(document)), page_(std::move(page))
    {
    }
    host::Ref<host::Shapes> Shapes() override
    {
        return std::make_shared<ImpressShapes>(document_, Reference<css::drawing::XShapes>(page_, UNO_QUERY));
    }

private:
    std::shared_ptr<LiveDocument> document_;
    Reference<css::drawing::XDrawPage> page_;
};

std::string MediaType(const std::string& filter)
{
    static const std::map<std::string, std::string> types{{"jpg", "image/jpeg"},
                                                          {"png", "image/png"},
                                                          {"gif", "image/gif"},
                                                          {"bmp", "image/bmp"},
                                                          {"emf", "image/x-emf"}};
    const auto type = types.find(platform::AsciiLower(filter));
    if (type == types.end()) {
        throw host::HostError("unknown picture filter " + filter);
    }
    return type->second;
}

}  // namespace

void ExportPage(const LiveDocument& document, const Reference<css::lang::XComponent>& source,
                const std::filesystem::path& file, const std::string& filter, int pixelWidth, int pixelHeight)
{
    const auto size = SequenceOf(
        {Named("PixelWidth", Any(sal_Int32(pixelWidth))), Named("PixelHeight", Any(sal_Int32(pixelHeight)))});
    const auto descriptor =
        SequenceOf({Named("URL", Any(FileUrl(file))), Named("MediaType", Any(ToUno(MediaType(filter)))),
                    Named("FilterData", Any(size))});
    try {
        const auto exporter = css::drawing::GraphicExportFilter::create(document.office);
        exporter->setSourceDocument(source);
        if (!exporter->filter(descriptor)) {
            throw host::HostError("Impress could not write " + file.string());
        }
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("Impress could not write " + file.string() + ": " + FromUno(failure.Message));
    }
}

ImpressSlide::ImpressSlide(std::shared_ptr<LiveDocument> document, Reference<css::drawing::XDrawPage> page)
    : document_(std::move(document)), page_(std::move(page))
{
}

int ImpressSlide::SlideIndex() const
{
    sal_Int16 number = 0;
    Property(Reference<css::beans::XPropertySet>(page_, UNO_QUERY), "Number") >>= number;
    return number;
}

// Impress gives pages no lasting id; the number serves while the slides keep
// their order.
int ImpressSlide::SlideID() const
{
    return 255 + SlideIndex();
}

host::Ref<host::Shapes> ImpressSlide::Shapes()
{
    return std::make_shared<ImpressShapes>(document_, Reference<css::drawing::XShapes>(page_, UNO_QUERY));
}

host::Ref<host::NotesPage> ImpressSlide::NotesPage()
{
    const Reference<css::presentation::XPresentationPage> page(page_, UNO_QUERY);
    if (!page.is()) {
        throw host::HostError("the slide has no notes page");
    }
    return std::make_shared<ImpressNotesPage>(document_, page->getNotesPage());
}

host::Ref<host::TimeLine> ImpressSlide::TimeLine()
{
    return std::make_shared<ImpressTimeLine>(document_, page_);
}

host::Ref<host::SlideShowTransition> ImpressSlide::SlideShowTransition()
{
    NotInImpress("Slide.SlideShowTransition");
}

host::Ref<host::Tags> ImpressSlide::Tags()
{
    return std::make_shared<ImpressSlideTags>(document_, SlideIndex());
}

int ImpressSlide::Layout() const
{
    sal_Int16 layout = 0;
    Property(Reference<css::beans::XPropertySet>(page_, UNO_QUERY), "Layout") >>= layout;
    return layout;
}

void ImpressSlide::Export(const std::filesystem::path& file, const std::string& filter, int scaleWidth, int scaleHeight)
{
    ExportPage(*document_, Reference<css::lang::XComponent>(page_, UNO_QUERY), file, filter, scaleWidth, scaleHeight);
}

void ImpressSlide::Delete()
{
    const int index = SlideIndex();
    RemovePage();
    ImpressSlideTags::SlidesRemoved(document_, {index});
}

// Impress puts a page removed through the page API on its own undo stack,
// with its shapes and notes page; the command's undo context takes it in.
// It keeps one page at least and ignores a request to remove the last.
void ImpressSlide::RemovePage()
{
    const Reference<css::drawing::XDrawPages> pages =
        Reference<css::drawing::XDrawPagesSupplier>(document_->model, UNO_QUERY_THROW)->getDrawPages();
    if (pages->getCount() <= 1) {
        throw host::HostError("LibreOffice Impress 的演示文稿至少要有一张幻灯片，无法删除最后一张");
    }
    pages->remove(page_);
    if (!document_->openedByTool) {
        document_->changes.RecordedByOffice();
    }
}

}  // namespace velmora::impress
