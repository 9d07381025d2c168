#pragma once

#include <memory>

#include "host/Slide.hpp"

namespace velmora::pptx::model {

class Presentation;

// The slide's entry effect: none, fade and push are known by code; any
// other transition reads as the mixed value and is kept as it is.
class SlideShowTransition : public host::SlideShowTransition {
public:
    SlideShowTransition(std::shared_ptr<Presentation> presentation, unsigned slideId)
        : presentation_(std::move(presentation)), slideId_(slideId)
    {
    }

    int EntryEffect() const override;
    void SetEntryEffect(int value) override;

private:
    std::shared_ptr<Presentation> presentation_;
    unsigned slideId_;
};

}  // namespace velmora::pptx::model
