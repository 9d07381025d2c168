#pragma once

#include <memory>

#include "host/Application.hpp"

namespace velmora::pptx::model {

class DocumentWindow;

class View : public host::View {
public:
    explicit View(std::shared_ptr<DocumentWindow> window) : window_(std::move(window)) {}

    host::Ref<host::Slide> Slide() override;
    void GotoSlide(int index) override;

private:
    std::shared_ptr<DocumentWindow> window_;
};

}  // namespace velmora::pptx::model
