#pragma once

#include <memory>

#include "host/Presentation.hpp"

namespace velmora::pptx::model {

class Application;

class Presentations : public host::Presentations {
public:
    explicit Presentations(std::shared_ptr<Application> application) : application_(std::move(application)) {}

    int Count() const override;
    host::Ref<host::Presentation> Item(int index) override;
    host::Ref<host::Presentation> Add(bool withWindow = true) override;
    host::Ref<host::Presentation> Open(const std::filesystem::path& file, bool readOnly = false, bool untitled = false,
                                       bool withWindow = true) override;

private:
    std::shared_ptr<Application> application_;
};

}  // namespace velmora::pptx::model
