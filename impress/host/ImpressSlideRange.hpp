#pragma once

#include <vector>

#include "host/Slide.hpp"
#include "impress/host/ImpressSlide.hpp"

namespace velmora::impress {

// Slides picked from a presentation: the window's selection or Slides.Range.
class ImpressSlideRange : public host::SlideRange {
public:
    explicit ImpressSlideRange(std::vector<host::Ref<ImpressSlide>> slides);

    int Count() const override;
    host::Ref<host::Slide> Item(int index) override;

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

private:
    ImpressSlide& Single() const;

    std::vector<host::Ref<ImpressSlide>> slides_;
};

}  // namespace velmora::impress
