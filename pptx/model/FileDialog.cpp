#include "pptx/model/FileDialog.hpp"

#include "host/HostError.hpp"

namespace velmora::pptx::model {

void FileDialog::AddFilter(const std::string& description, const std::string& extensions)
{
    filters_.push_back(host::FileFilter{description, extensions});
}

int FileDialog::Show()
{
    if (!prompts_) {
        throw host::HostError("no one to pick a file");
    }
    selected_.clear();
    std::optional<std::string> picked = prompts_->PickFile(title_, filters_);
    if (!picked) {
        return 0;
    }
    selected_.push_back(*picked);
    return -1;
}

}  // namespace velmora::pptx::model
