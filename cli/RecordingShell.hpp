#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/Services.hpp"

namespace velmora::cli {

// The desktop shell, noting every address it opened for the transcript.
class RecordingShell : public host::Shell {
public:
    explicit RecordingShell(std::shared_ptr<host::Shell> shell) : shell_(std::move(shell)) {}

    void OpenAddress(const std::string& address) override
    {
        shell_->OpenAddress(address);
        opened_.push_back(address);
    }
    void ShowFolder(const std::filesystem::path& folder) override { shell_->ShowFolder(folder); }

    const std::vector<std::string>& Opened() const { return opened_; }

private:
    std::shared_ptr<host::Shell> shell_;
    std::vector<std::string> opened_;
};

}  // namespace velmora::cli
