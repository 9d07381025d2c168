#include "impress/host/ImpressPresentation.hpp"

#include <cmath>
#include <stdexcept>
#include <utility>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XMasterPagesSupplier.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <osl/file.hxx>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressSlideRange.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::impress {

using css::drawing::XDrawPage;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

Reference<css::drawing::XDrawPages> Pages(const LiveDocument& document)
{
    const Reference<css::drawing::XDrawPagesSupplier> supplier(document.model, UNO_QUERY);
    if (!supplier.is()) {
        throw host::HostError("the document has no slides");
    }
    return supplier->getDrawPages();
}

// Impress's page layout for the object model's slide layout.
sal_Int16 AutoLayout(int layout)
{
    switch (layout) {
    case host::SlideLayout::Title:
        return 0;
    case host::SlideLayout::Text:
        return 1;
    case host::SlideLayout::TitleOnly:
        return 19;
    case host::SlideLayout::Blank:
        return 20;
    default:
        NotInImpress("Slides.Add");
    }
}

class ImpressSlides : public host::Slides {
public:
    explicit ImpressSlides(std::shared_ptr<LiveDocument> document) : document_(std::move(document)) {}

    int Count() const override { return Pages(*document_)->getCount() - (document_->spare.is() ? 1 : 0); }

    host::Ref<host::Slide> Item(int index) override { return Slide(index); }

    host::Ref<host::SlideRange> Range(const std::vector<int>& indexes) override
    {
        std::vector<host::Ref<ImpressSlide>> slides;
        for (const int index : indexes) {
            slides.push_back(Slide(index));
        }
        return std::make_shared<ImpressSlideRange>(std::move(slides));
    }

    // Impress puts a new page after the one of the given number, so a slide
    // goes after the first one or in place of the spare page. Tools add
    // slides only to presentations they made, which need no undo: the
    // user's presentation takes none.
    host::Ref<host::Slide> Add(int index, int layout) override
    {
        if (!document_->openedByTool || index < 1 || index > Count() + 1 || (index == 1 && !document_->spare.is())) {
            NotInImpress("Slides.Add");
        }
        const Reference<css::drawing::XDrawPages> pages = Pages(*document_);
        const sal_Int32 after = index - 2 + (document_->spare.is() ? 1 : 0);
        const Reference<XDrawPage> page = pages->insertNewByIndex(after);
        Reference<css::beans::XPropertySet>(page, UNO_QUERY_THROW)->setPropertyValue("Layout", Any(AutoLayout(layout)));
        if (document_->spare.is()) {
            pages->remove(std::exchange(document_->spare, nullptr));
        }
        return std::make_shared<ImpressSlide>(document_, page);
    }

private:
    host::Ref<ImpressSlide> Slide(int index) const
    {
        if (index < 1 || index > Count()) {
            throw host::HostError("the presentation has no slide " + std::to_string(index));
        }
        const Reference<XDrawPage> page(Pages(*document_)->getByIndex(index - 1), UNO_QUERY_THROW);
        return std::make_shared<ImpressSlide>(document_, page);
    }

    std::shared_ptr<LiveDocument> document_;
};

// Slide size from the first page: Impress gives every page the same.
class ImpressPageSetup : public host::PageSetup {
public:
    explicit ImpressPageSetup(std::shared_ptr<LiveDocument> document) : document_(std::move(document)) {}

    float SlideWidth() const override { return Measure("Width"); }
    void SetSlideWidth(float points) override { Resize("Width", points); }
    float SlideHeight() const override { return Measure("Height"); }
    void SetSlideHeight(float points) override { Resize("Height", points); }
    int SlideSize() const override { return host::SlideSize::Custom; }
    // Impress names no sizes: every size is its own.
    void SetSlideSize(int size) override
    {
        if (size != host::SlideSize::Custom) {
            NotInImpress("PageSetup.SlideSize");
        }
    }

private:
    float Measure(const char* property) const
    {
        const Reference<css::beans::XPropertySet> page(Pages(*document_)->getByIndex(0), UNO_QUERY);
        sal_Int32 value = 0;
        Property(page, property) >>= value;
        return PointsFromUno(value);
    }

    // Every page and master page, so that each slide has the one size.
    void Resize(const char* property, float points)
    {
        if (!(points > 0)) {
            throw host::HostError("a slide side must be longer than 0 points");
        }
        const Any value(UnoFromPoints(points));
        const Reference<css::drawing::XMasterPagesSupplier> masters(document_->model, UNO_QUERY_THROW);
        for (const Reference<css::container::XIndexAccess>& pages :
             {Reference<css::container::XIndexAccess>(Pages(*document_), UNO_QUERY_THROW),
              Reference<css::container::XIndexAccess>(masters->getMasterPages(), UNO_QUERY_THROW)}) {
            for (sal_Int32 i = 0; i < pages->getCount(); ++i) {
                document_->changes.Set(Reference<css::beans::XPropertySet>(pages->getByIndex(i), UNO_QUERY),
                                       property, value);
            }
        }
    }

    std::shared_ptr<LiveDocument> document_;
};

}  // namespace

rtl::OUString FileUrl(const std::filesystem::path& file)
{
    rtl::OUString url;
    if (osl::FileBase::getFileURLFromSystemPath(ToUno(std::filesystem::absolute(file).string()), url) !=
        osl::FileBase::E_None) {
        throw host::HostError("cannot name " + file.string() + " as a file address");
    }
    return url;
}

rtl::OUString FilterFor(const std::filesystem::path& file)
{
    const std::string extension = platform::AsciiLower(file.extension().string());
    if (extension == ".pptx") {
        return "Impress MS PowerPoint 2007 XML";
    }
    if (extension == ".ppt") {
        return "MS PowerPoint 97";
    }
    if (extension == ".odp") {
        return "impress8";
    }
    throw host::HostError("Impress cannot save a presentation as " + file.filename().string());
}

ImpressPresentation::ImpressPresentation(std::shared_ptr<LiveDocument> document) : document_(std::move(document)) {}

std::filesystem::path ImpressPresentation::File() const
{
    const rtl::OUString url = document_->model->getURL();
    rtl::OUString path;
    if (url.isEmpty() || osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) {
        return {};
    }
    return FromUno(path);
}

std::string ImpressPresentation::Path() const
{
    return File().parent_path().string();
}

std::string ImpressPresentation::Name() const
{
    if (const auto file = File(); !file.empty()) {
        return file.filename().string();
    }
    const Reference<css::frame::XTitle> title(document_->model, UNO_QUERY);
    return title.is() ? FromUno(title->getTitle()) : "";
}

std::string ImpressPresentation::FullName() const
{
    const auto file = File();
    return file.empty() ? Name() : file.string();
}

bool ImpressPresentation::Saved() const
{
    const Reference<css::util::XModifiable> modifiable(document_->model, UNO_QUERY);
    return !modifiable.is() || !modifiable->isModified();
}

host::Ref<host::Slides> ImpressPresentation::Slides()
{
    return std::make_shared<ImpressSlides>(document_);
}

host::Ref<host::PageSetup> ImpressPresentation::PageSetup()
{
    return std::make_shared<ImpressPageSetup>(document_);
}

// The presentation file formats only; the document then belongs to the file.
void ImpressPresentation::SaveAs(const std::filesystem::path& file, int format, int)
{
    if (format == host::SaveFormat::JPG) {
        // Pictures of every slide, in the folder named like the file, at 96 pixels per inch.
        const auto setup = PageSetup();
        Export(file, "JPG", static_cast<int>(std::lround(setup->SlideWidth() * 4 / 3)),
               static_cast<int>(std::lround(setup->SlideHeight() * 4 / 3)));
        return;
    }
    if (format != host::SaveFormat::Presentation && format != host::SaveFormat::Default &&
        format != host::SaveFormat::OpenXMLPresentation) {
        NotInImpress("Presentation.SaveAs");
    }
    const auto arguments = SequenceOf({Named("FilterName", Any(FilterFor(file))), Named("Overwrite", Any(true))});
    try {
        Reference<css::frame::XStorable>(document_->model, UNO_QUERY_THROW)->storeAsURL(FileUrl(file), arguments);
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("Impress could not write " + file.string() + ": " + FromUno(failure.Message));
    }
}

void ImpressPresentation::SaveCopyAs(const std::filesystem::path& file)
{
    const auto arguments = SequenceOf({Named("FilterName", Any(FilterFor(file))), Named("Overwrite", Any(true))});
    try {
        Reference<css::frame::XStorable>(document_->model, UNO_QUERY_THROW)->storeToURL(FileUrl(file), arguments);
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("Impress could not write " + file.string() + ": " + FromUno(failure.Message));
    }
    (*document_->savedCopies)[std::filesystem::absolute(file)] = document_->bookkeepingTags;
}

void ImpressPresentation::Save()
{
    try {
        Reference<css::frame::XStorable>(document_->model, UNO_QUERY_THROW)->store();
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("Impress could not save the presentation: " + FromUno(failure.Message));
    }
}

void ImpressPresentation::Close()
{
    if (!document_->openedByTool) {
        NotInImpress("Presentation.Close");
    }
    try {
        Reference<css::util::XCloseable>(document_->model, UNO_QUERY_THROW)->close(true);
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("Impress could not close " + Name() + ": " + FromUno(failure.Message));
    }
}

// As the presentation program does: the pictures go into the folder named by
// the path without its extension, one "幻灯片N.<filter>" per slide.
void ImpressPresentation::Export(const std::filesystem::path& path, const std::string& filter, int scaleWidth,
                                 int scaleHeight)
{
    const std::filesystem::path absolute = std::filesystem::absolute(path);
    const std::filesystem::path folder = absolute.parent_path() / absolute.stem();
    std::filesystem::create_directories(folder);
    auto slides = Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        slides->Item(i)->Export(folder / ("幻灯片" + std::to_string(i) + "." + filter), filter, scaleWidth,
                                scaleHeight);
    }
}

void ImpressPresentation::FollowHyperlink(const std::string& address)
{
    if (!document_->services.shell) {
        throw host::HostError("no shell to open " + address + " with");
    }
    try {
        document_->services.shell->OpenAddress(address);
    } catch (const std::invalid_argument& refused) {
        throw host::HostError(refused.what());
    }
}

}  // namespace velmora::impress
