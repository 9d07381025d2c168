#include "platform/PrivateFolder.hpp"

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/Interruption.hpp"

namespace velmora::platform {

PrivateFolder::PrivateFolder(const std::string& prefix)
{
    const std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const platform::InterruptionsHeld held;
    if (mkdtemp(name.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "cannot create a temporary folder " + pattern);
    }
    path_ = name.data();
    RegisterTemporaryPath(path_);
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    ForgetTemporaryPath(path_);
}

}  // namespace velmora::platform
