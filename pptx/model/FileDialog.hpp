#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/Application.hpp"
#include "host/Prompts.hpp"

namespace velmora::pptx::model {

// The file picker, answered by the prompts service.
class FileDialog : public host::FileDialog {
public:
    explicit FileDialog(std::shared_ptr<host::Prompts> prompts) : prompts_(std::move(prompts)) {}

    void SetTitle(const std::string& title) override { title_ = title; }
    void SetAllowMultiSelect(bool) override {}
    void AddFilter(const std::string& description, const std::string& extensions) override;
    int Show() override;
    std::vector<std::string> SelectedItems() const override { return selected_; }

private:
    std::shared_ptr<host::Prompts> prompts_;
    std::string title_;
    std::vector<host::FileFilter> filters_;
    std::vector<std::string> selected_;
};

}  // namespace velmora::pptx::model
