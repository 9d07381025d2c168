#include "platform/UserName.hpp"

#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

namespace velmora::platform {

std::string UserName()
{
    if (const char* user = std::getenv("USER"); user != nullptr && *user != '\0') {
        return user;
    }
    if (const passwd* account = getpwuid(getuid()); account != nullptr && account->pw_name != nullptr) {
        return account->pw_name;
    }
    return {};
}

}  // namespace velmora::platform
