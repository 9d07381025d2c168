#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace velmora::host {

// The one error every host object raises; a tool either lets it end the
// command or runs the step through Suppressed().
class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message) : std::runtime_error(message) {}
};

// A member this host has no way to do at all (a live host without the
// document's feature). A tool that gives up quietly on a failed step lets
// this one through, so the user learns why nothing came of the command.
class Unsupported : public HostError {
public:
    using HostError::HostError;
};

// Runs one step "with errors suppressed": a host error is swallowed and
// reported as true. Anything else (a bug) still propagates.
template <typename Step>
bool Suppressed(Step&& step)
{
    try {
        std::forward<Step>(step)();
        return false;
    } catch (const HostError&) {
        return true;
    }
}

}  // namespace velmora::host
