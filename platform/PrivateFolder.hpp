#pragma once

#include <filesystem>
#include <string>

namespace velmora::platform {

// A fresh folder under the system temp folder, readable by this user only,
// removed with its contents when the object goes or the process is interrupted.
class PrivateFolder {
public:
    explicit PrivateFolder(const std::string& prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace velmora::platform
