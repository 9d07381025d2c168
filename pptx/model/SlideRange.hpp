#pragma once

#include <memory>
#include <vector>

#include "host/Slide.hpp"

namespace velmora::pptx::model {

class Presentation;
class Slide;

// Slides in a given order. The slide members work for a range of one slide.
class SlideRange : public host::SlideRange {
public:
    SlideRange(std::shared_ptr<Presentation> presentation, std::vector<unsigned> slideIds)
        : presentation_(std::move(presentation)), slideIds_(std::move(slideIds))
    {
    }

    int Count() const override { return static_cast<int>(slideIds_.size()); }
    host::Ref<host::Slide> Item(int index) override;

    int SlideIndex() const override;
    int SlideID() const override;
    host::Ref<host::Shapes> Shapes() override;
    host::Ref<host::NotesPage> NotesPage() override;
    host::Ref<host::TimeLine> TimeLine() override;
    host::Ref<host::SlideShowTransition> SlideShowTransition() override;
    host::Ref<host::Tags> Tags() override;
    int Layout() const override;
    void Export(const std::filesystem::path& file, const std::string& filter, int scaleWidth,
                int scaleHeight) override;
    // Deletes every slide of the range.
    void Delete() override;

private:
    std::shared_ptr<model::Slide> Single() const;

    std::shared_ptr<Presentation> presentation_;
    std::vector<unsigned> slideIds_;
};

}  // namespace velmora::pptx::model
