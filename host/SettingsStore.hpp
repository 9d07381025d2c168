#pragma once

#include <functional>
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

    // Stores `change` of the stored value (the default when there is none)
    // and returns the value it replaced. A store shared by several programs
    // reads and writes in one step that no other save comes between.
    virtual std::string UpdateSetting(const std::string& app, const std::string& section, const std::string& key,
                                      const std::string& defaultValue,
                                      const std::function<std::string(const std::string&)>& change)
    {
        std::string before = GetSetting(app, section, key, defaultValue);
        SaveSetting(app, section, key, change(before));
        return before;
    }

    // Saves between BeginBatch and EndBatch reach the store together, as one
    // change no other writer's keys mix with; reads see them at once.
    // Batches nest; the outermost end writes.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}
};

// One batch for a scope: a form's settings saved as a whole.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsStore& store) : store_(store) { store_.BeginBatch(); }
    ~SettingsBatch() { store_.EndBatch(); }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

private:
    SettingsStore& store_;
};

}  // namespace velmora::host
