#pragma once

#include <string>

namespace velmora::host {

inline constexpr const char* kAppName = "Orvaldi-VelmoraV2.0";

// Per-user text values by application, section and key. Never reports a
// failure: a value that cannot be read gives the default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                   const std::string& defaultValue = "") const = 0;
    virtual void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace velmora::host
