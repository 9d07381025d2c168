#include "cli/DryRun.hpp"

#include <algorithm>

#include "host/HostError.hpp"

namespace velmora::cli {

DryRun::DryRun(const std::filesystem::path& file, const std::filesystem::path& settings)
    : sandbox_("velmora-dry-run"),
      folder_(std::filesystem::absolute(file).parent_path()),
      workshop_(sandbox_.Path() / "folder"),
      copy_(workshop_ / file.filename()),
      settings_(sandbox_.Path() / "settings.ini")
{
    try {
        std::filesystem::create_directory(workshop_);
        std::filesystem::copy_file(file, copy_);
        if (std::filesystem::exists(settings)) {
            std::filesystem::copy_file(settings, settings_);
        }
    } catch (const std::filesystem::filesystem_error& error) {
        throw host::HostError(std::string("cannot prepare the dry run: ") + error.what());
    }
}

std::vector<std::filesystem::path> DryRun::NewFiles() const
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(workshop_)) {
        if (!entry.is_directory() && entry.path() != copy_) {
            files.push_back(Unsandboxed(entry.path()));
        }
    }
    std::ranges::sort(files);
    return files;
}

std::string DryRun::Unsandboxed(std::string text) const
{
    const std::string from = workshop_.string();
    const std::string to = folder_.string();
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::filesystem::path DryRun::Unsandboxed(const std::filesystem::path& path) const
{
    return Unsandboxed(path.string());
}

}  // namespace velmora::cli
