#pragma once

#include <memory>

#include "host/Slide.hpp"

namespace velmora::pptx::model {

class Presentation;

class NotesPage : public host::NotesPage {
public:
    NotesPage(std::shared_ptr<Presentation> presentation, unsigned slideId)
        : presentation_(std::move(presentation)), slideId_(slideId)
    {
    }

    host::Ref<host::Shapes> Shapes() override;

private:
    std::shared_ptr<Presentation> presentation_;
    unsigned slideId_;
};

}  // namespace velmora::pptx::model
