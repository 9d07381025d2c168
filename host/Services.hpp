#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velmora::host {

class SettingsStore;
class Prompts;
class HttpClient;
class Screen;

// Opening folders and web addresses in the user's desktop.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void OpenAddress(const std::string& address) = 0;
    virtual void ShowFolder(const std::filesystem::path& folder) = 0;
};

// The host program's own main window; none on the command line.
class HostWindow {
public:
    virtual ~HostWindow() = default;
    virtual void SetState(int windowState) = 0;  // a WindowState value
    virtual void SetVisible(bool visible) = 0;
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

// The files the tools wrote for the user, in order, for the caller's report.
class WrittenFiles {
public:
    void Add(const std::filesystem::path& file) { files_.push_back(file); }
    const std::vector<std::filesystem::path>& All() const { return files_; }

private:
    std::vector<std::filesystem::path> files_;
};

// Everything the add-in reaches beyond the object model, handed to Connect.
struct Services {
    std::shared_ptr<SettingsStore> settings;
    std::shared_ptr<Prompts> prompts;
    std::shared_ptr<Shell> shell;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<Random> random;
    std::shared_ptr<WrittenFiles> written;
    std::shared_ptr<HttpClient> http = nullptr;
    // The screen colour picker's desktop; null where there is none.
    std::shared_ptr<Screen> screen = nullptr;
    std::shared_ptr<HostWindow> hostWindow = nullptr;

    void FileWritten(const std::filesystem::path& file) const
    {
        if (written) {
            written->Add(file);
        }
    }
};

}  // namespace velmora::host
