#pragma once

#include <memory>
#include <vector>

#include "host/Presentation.hpp"

namespace velmora::pptx::model {

class Presentation;

class Slides : public host::Slides {
public:
    explicit Slides(std::shared_ptr<Presentation> presentation) : presentation_(std::move(presentation)) {}

    int Count() const override;
    host::Ref<host::Slide> Item(int index) override;
    host::Ref<host::SlideRange> Range(const std::vector<int>& indexes) override;
    // A slide on the first master's layout for the code, or its first layout.
    host::Ref<host::Slide> Add(int index, int layout) override;

private:
    unsigned IdAt(int index) const;

    std::shared_ptr<Presentation> presentation_;
};

}  // namespace velmora::pptx::model
