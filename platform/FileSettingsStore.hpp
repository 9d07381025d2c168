#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "host/SettingsStore.hpp"
#include "platform/IniDocument.hpp"

namespace velmora::platform {

// The per-user settings as an INI file (see IniDocument for its format).
// Each save (a single key, or a whole batch) runs under an exclusive lock on
// "<file>.lock": it re-reads the file, changes its keys and replaces the
// file atomically once, so concurrent writers lose nothing, one batch never
// mixes with another, and a crash leaves the old file or the new one.
// Readers need no lock: the rename swaps whole files. The parsed file is
// kept until the file changes.
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
    // Outside a batch, under the lock; inside one, as a save of the batch.
    std::string UpdateSetting(const std::string& app, const std::string& section, const std::string& key,
                              const std::string& defaultValue,
                              const std::function<std::string(const std::string&)>& change) override;
    void BeginBatch() override;
    void EndBatch() override;

private:
    struct Edit {
        std::string app;
        std::string section;
        std::string key;
        std::string value;
    };
    // The file as it stands, identified by its inode, size and time of change.
    struct Snapshot {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec changed{};
        std::shared_ptr<const IniDocument> document;
    };

    // Empty when there is no file; throws when there is one that cannot be
    // read or is no regular file (a pipe would block the read, a device
    // would be touched), so that a save never replaces a file it could not read.
    std::shared_ptr<const IniDocument> Read() const;
    // Writes the pending edits; a failure leaves the file as it was.
    void WritePending();
    // Reads the file under the lock, lets `edit` change it and replaces it;
    // false when that failed and the file is as it was.
    bool EditLocked(const std::function<void(IniDocument&)>& edit);

    std::filesystem::path file_;
    mutable Snapshot snapshot_;
    std::vector<Edit> pending_;
    int batchDepth_ = 0;
};

}  // namespace velmora::platform
