#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "host/Services.hpp"

namespace velmora::platform {

// Only web and mail addresses may reach the desktop's opener: a file: or
// javascript: address could start anything.
bool IsOpenableAddress(std::string_view address);

// VELMORA_NO_OPEN=1: no folder, picture or web page is opened, in any host.
bool OpeningRefused();

// Opens addresses and folders with the desktop's opener (xdg-open), started
// with an argument vector, never through a shell, and not waited for; none
// while opening is refused.
class XdgShell : public host::Shell {
public:
    explicit XdgShell(std::string opener = "xdg-open");

    // Throws std::invalid_argument for an address that is not http, https
    // or mailto; host::HostError when the opener cannot be started.
    void OpenAddress(const std::string& address) override;
    void ShowFolder(const std::filesystem::path& folder) override;

private:
    void Launch(const std::string& argument) const;

    std::string opener_;
};

}  // namespace velmora::platform
