#include "render/PrivateFolder.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Interruption.hpp"
#include "render/RenderError.hpp"

namespace velmora::render {

PrivateFolder::PrivateFolder(const std::string& prefix)
{
    const std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const platform::InterruptionsHeld held;
    if (mkdtemp(name.data()) == nullptr) {
        throw RenderError("cannot create a temporary folder " + pattern + ": " + std::strerror(errno));
    }
    path_ = name.data();
    platform::RegisterTemporaryPath(path_);
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    platform::ForgetTemporaryPath(path_);
}

}  // namespace velmora::render
