#include "pptx/model/FileDialog.hpp"

#include "host/HostError.hpp"
#include "platform/FullPath.hpp"

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
    // The chosen file's full path, however the answer was spelt.
    selected_.push_back(platform::FullPath(*picked).string());
    return -1;
}

}  // namespace velmora::pptx::model
