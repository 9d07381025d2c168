#include "platform/XdgShell.hpp"

#include <array>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "host/HostError.hpp"
#include "platform/AsciiCase.hpp"

extern char** environ;

namespace velmora::platform {

namespace {

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

bool IsOpenableAddress(std::string_view address)
{
    const std::string lower = AsciiLower(address.substr(0, 8));
    return lower.starts_with("http://") || lower.starts_with("https://") || lower.starts_with("mailto:");
}

bool OpeningRefused()
{
    const char* refused = std::getenv("VELMORA_NO_OPEN");
    return refused != nullptr && std::string_view(refused) == "1";
}

XdgShell::XdgShell(std::string opener) : opener_(std::move(opener)) {}

void XdgShell::OpenAddress(const std::string& address)
{
    if (!IsOpenableAddress(address)) {
        throw std::invalid_argument("refusing to open \"" + address + "\": only http, https and mailto addresses");
    }
    Launch(address);
}

void XdgShell::ShowFolder(const std::filesystem::path& folder)
{
    // Absolute, so that a name starting with "-" is never read as an option.
    Launch(std::filesystem::absolute(folder).string());
}

void XdgShell::Launch(const std::string& argument) const
{
    if (OpeningRefused()) {
        return;
    }
    // The opener's chatter must not mix with our own standard output (the
    // command line's JSON transcript).
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

    std::string program = opener_;
    std::string target = argument;
    std::array<char*, 3> argv{program.data(), target.data(), nullptr};
    pid_t child = 0;
    if (const int error = posix_spawnp(&child, program.c_str(), actions.get(), nullptr, argv.data(), environ);
        error != 0) {
        throw host::HostError("cannot start " + opener_ + ": " + std::strerror(error));
    }
    // Reaped in the background: the browser may live much longer than we wait.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
}

}  // namespace velmora::platform
