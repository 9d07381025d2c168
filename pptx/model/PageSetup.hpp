#pragma once

#include <memory>

#include "host/Presentation.hpp"

namespace velmora::pptx::model {

class Presentation;

// The slide size, in points, and its named size code.
class PageSetup : public host::PageSetup {
public:
    explicit PageSetup(std::shared_ptr<Presentation> presentation) : presentation_(std::move(presentation)) {}

    float SlideWidth() const override;
    void SetSlideWidth(float points) override;
    float SlideHeight() const override;
    void SetSlideHeight(float points) override;
    int SlideSize() const override;
    void SetSlideSize(int value) override;

private:
    std::shared_ptr<Presentation> presentation_;
};

}  // namespace velmora::pptx::model
