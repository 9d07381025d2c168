#include "cli/DesktopShell.hpp"

#include <cstdlib>
#include <stdexcept>

#include "platform/XdgShell.hpp"

namespace velmora::cli {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool OpeningAllowed(bool noOpen)
{
    if (noOpen || platform::OpeningRefused()) {
        return false;
    }
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

DesktopShell::DesktopShell(std::shared_ptr<host::Shell> opener, bool allowed, std::ostream* log)
    : opener_(std::move(opener)), allowed_(allowed), log_(log)
{
}

void DesktopShell::OpenAddress(const std::string& address)
{
    if (allowed_) {
        opener_->OpenAddress(address);
    } else if (platform::IsOpenableAddress(address)) {
        Skip(address);
    } else {
        // Refused as the opener would refuse it, desktop or not.
        throw std::invalid_argument("refusing to open \"" + address + "\": only http, https and mailto addresses");
    }
}

void DesktopShell::ShowFolder(const std::filesystem::path& folder)
{
    if (allowed_) {
        opener_->ShowFolder(folder);
    } else {
        Skip(folder.string());
    }
}

void DesktopShell::Skip(const std::string& what) const
{
    if (log_ != nullptr) {
        *log_ << "velmora: not opened: " << what << '\n';
    }
}

}  // namespace velmora::cli
