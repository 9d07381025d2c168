#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace velmora::host {

class SettingsStore;
class Prompts;

// Opening folders and web addresses in the user's desktop.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void OpenAddress(const std::string& address) = 0;
    virtual void ShowFolder(const std::filesystem::path& folder) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point Now() const = 0;
};

// The runtime's seeded generator: Randomize, then Rnd in [0, 1).
class Random {
public:
    virtual ~Random() = default;
    virtual void Randomize() = 0;
    virtual float Rnd() = 0;
};

// Everything the add-in reaches beyond the object model, handed to Connect.
struct Services {
    std::shared_ptr<SettingsStore> settings;
    std::shared_ptr<Prompts> prompts;
    std::shared_ptr<Shell> shell;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<Random> random;
};

}  // namespace velmora::host
