#pragma once

#include <memory>

#include <com/sun/star/drawing/XDrawPage.hpp>

#include "host/Slide.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// A draw page of the presentation.
class ImpressSlide : public host::Slide {
public:
    ImpressSlide(std::shared_ptr<LiveDocument> document, css::uno::Reference<css::drawing::XDrawPage> page);

    int SlideIndex() const override;
    int SlideID() const override;
    host::Ref<host::Shapes> Shapes() override;
    host::Ref<host::NotesPage> NotesPage() override;
    host::Ref<host::TimeLine> TimeLine() override;
    host::Ref<host::SlideShowTransition> SlideShowTransition() override;
    host::Ref<host::Tags> Tags() override;
    int Layout() const override;
    void Export(const std::filesystem::path& file, const std::string& filter, int scaleWidth, int scaleHeight) override;
    void Delete() override;
    // Removes the page and no more: the tags are left to the caller.
    void RemovePage();

    const css::uno::Reference<css::drawing::XDrawPage>& Uno() const { return page_; }
    const std::shared_ptr<LiveDocument>& Document() const { return document_; }

private:
    std::shared_ptr<LiveDocument> document_;
    css::uno::Reference<css::drawing::XDrawPage> page_;
};

// Writes a page as a picture of exact pixel size through Impress's own
// graphic export; filter is "JPG", "PNG", "GIF", "BMP" or "EMF".
void ExportPage(const LiveDocument& document, const css::uno::Reference<css::lang::XComponent>& source,
                const std::filesystem::path& file, const std::string& filter, int pixelWidth, int pixelHeight);

}  // namespace velmora::impress
