#pragma once

#include <filesystem>
#include <string>

#include "host/SettingsStore.hpp"

namespace velmora::platform {

// The per-user settings as an INI file (see IniDocument for its format).
// Each save runs under an exclusive lock on "<file>.lock": it re-reads the
// file, changes the one key and replaces the file atomically, so concurrent
// writers lose nothing and a crash leaves the old file or the new one.
// Readers need no lock: the rename swaps whole files.
class FileSettingsStore : public host::SettingsStore {
public:
    // $VELMORA_SETTINGS, else $XDG_CONFIG_HOME/<app>/settings.ini, else
    // ~/.config/<app>/settings.ini.
    static std::filesystem::path DefaultPath();

    FileSettingsStore();
    explicit FileSettingsStore(std::filesystem::path file);

    const std::filesystem::path& Path() const { return file_; }

    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue = "") const override;
    // A failure (unwritable folder, full disk) is swallowed, as the store
    // promises: the key keeps its previous value.
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    // "" when there is no file; throws when there is one that cannot be read,
    // so that a save never replaces a file it could not read.
    std::string ReadText() const;

    std::filesystem::path file_;
};

}  // namespace velmora::platform
