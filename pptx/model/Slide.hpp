#pragma once

#include <memory>

#include "host/Slide.hpp"
#include "pptx/parts/SlideParts.hpp"

namespace velmora::pptx::model {

class Presentation;

// A slide, known by its slide id; once deleted its members raise the host error.
class Slide : public host::Slide {
public:
    Slide(std::shared_ptr<Presentation> presentation, unsigned slideId)
        : presentation_(std::move(presentation)), slideId_(slideId)
    {
    }

    int SlideIndex() const override;
    int SlideID() const override { return static_cast<int>(slideId_); }
    host::Ref<host::Shapes> Shapes() override;
    host::Ref<host::NotesPage> NotesPage() override;
    host::Ref<host::TimeLine> TimeLine() override;
    host::Ref<host::SlideShowTransition> SlideShowTransition() override;
    host::Ref<host::Tags> Tags() override;
    int Layout() const override;
    void Export(const std::filesystem::path& file, const std::string& filter, int scaleWidth,
                int scaleHeight) override;
    void Delete() override;

private:
    std::shared_ptr<parts::SlidePart> Part() const;

    std::shared_ptr<Presentation> presentation_;
    unsigned slideId_;
};

}  // namespace velmora::pptx::model
