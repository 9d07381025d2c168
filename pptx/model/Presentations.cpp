#include "pptx/model/Presentations.hpp"

#include "host/HostError.hpp"
#include "pptx/model/Application.hpp"
#include "pptx/model/Presentation.hpp"

namespace velmora::pptx::model {

int Presentations::Count() const
{
    return static_cast<int>(application_->OpenPresentations().size());
}

host::Ref<host::Presentation> Presentations::Item(int index)
{
    if (index < 1 || index > Count()) {
        throw host::HostError("presentation " + std::to_string(index) + " is out of range");
    }
    return application_->OpenPresentations()[static_cast<std::size_t>(index - 1)];
}

host::Ref<host::Presentation> Presentations::Add(bool withWindow)
{
    return application_->AddNew(withWindow);
}

host::Ref<host::Presentation> Presentations::Open(const std::filesystem::path& file, bool readOnly, bool untitled,
                                                  bool withWindow)
{
    return application_->OpenFile(file, readOnly, untitled, withWindow);
}

}  // namespace velmora::pptx::model
