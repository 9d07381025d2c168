#include "platform/FullPath.hpp"

#include <system_error>

namespace velmora::platform {

std::filesystem::path FullPath(const std::filesystem::path& path)
{
    if (path.empty()) {
        return path;
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).lexically_normal();
}

}  // namespace velmora::platform
