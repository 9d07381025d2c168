#pragma once

#include <cstdint>
#include <string>

#include "addin/AddinContext.hpp"
#include "host/Application.hpp"

namespace velmora::addin {

// The usage counter, the start-up routine and the version check against the
// update server's descriptor. Its state lives as long as the loaded add-in.
class md_System {
public:
    static constexpr std::int16_t kStartUpPolls = 20;
    static constexpr std::int16_t kOnDemandPolls = 50;

    explicit md_System(AddinContext& context);

    // Runs inside OnConnection once the application reference is stored.
    void StartUp();
    // The ribbon's update check; `application` reaches the download page.
    void CheckUpdate_Click(host::Application& application);
    // Reads the descriptor and keeps this product's version and download
    // address; a failed check keeps what an earlier one found.
    void VersionCheck();

    const std::string& LatestVersion() const { return latestVersion_; }
    const std::string& DownloadAddress() const { return downloadAddress_; }

private:
    // Adds this start to the stored count; returns the count of earlier starts.
    long long CountStart() const;
    host::Prompts& StartUpPrompts() const;
    std::string Setting(const std::string& key, const std::string& defaultValue) const;
    void SaveSetting(const std::string& key, const std::string& value) const;

    AddinContext& context_;
    std::string latestVersion_;
    std::string downloadAddress_;
    std::int16_t waitLimit_ = kStartUpPolls;
};

}  // namespace velmora::addin
