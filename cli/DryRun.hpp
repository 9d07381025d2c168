#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/PrivateFolder.hpp"

namespace velmora::cli {

// A private copy of a presentation's folder entry and of the settings file,
// so that a command can run to its end while the user's files stay as they
// are. What the command writes beside the copy is what it would write beside
// the original.
class DryRun {
public:
    DryRun(const std::filesystem::path& file, const std::filesystem::path& settings);

    // The copy to run on, and the settings file to use.
    const std::filesystem::path& File() const { return copy_; }
    const std::filesystem::path& Settings() const { return settings_; }

    // Files that appeared beside the copy, named where they would be.
    std::vector<std::filesystem::path> NewFiles() const;

    // `text` with the copy's folder named as the original's.
    std::string Unsandboxed(std::string text) const;
    std::filesystem::path Unsandboxed(const std::filesystem::path& path) const;

private:
    platform::PrivateFolder sandbox_;
    std::filesystem::path folder_;    // the original's folder
    std::filesystem::path workshop_;  // the copy's folder
    std::filesystem::path copy_;
    std::filesystem::path settings_;
};

}  // namespace velmora::cli
