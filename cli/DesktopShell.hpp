#pragma once

#include <memory>
#include <ostream>

#include "host/Services.hpp"

namespace velmora::cli {

// Whether folders, pictures and web pages may be opened: not with --no-open
// or VELMORA_NO_OPEN=1, and not without a desktop session (no DISPLAY and no
// WAYLAND_DISPLAY), where the opener would fail or start a text browser.
bool OpeningAllowed(bool noOpen);

// The desktop's opener when opening is allowed; otherwise what would have
// been opened is only named on `log`, if there is one.
class DesktopShell : public host::Shell {
public:
    DesktopShell(std::shared_ptr<host::Shell> opener, bool allowed, std::ostream* log);

    void OpenAddress(const std::string& address) override;
    void ShowFolder(const std::filesystem::path& folder) override;

private:
    void Skip(const std::string& what) const;

    std::shared_ptr<host::Shell> opener_;
    bool allowed_;
    std::ostream* log_;
};

}  // namespace velmora::cli
