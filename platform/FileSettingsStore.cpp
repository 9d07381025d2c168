#include "platform/FileSettingsStore.hpp"

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

#include <pwd.h>
#include <unistd.h>

#include "platform/AtomicFile.hpp"
#include "platform/FileLock.hpp"
#include "platform/IniDocument.hpp"

namespace velmora::platform {

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::filesystem::path HomeFolder()
{
    if (std::string home = Environment("HOME"); !home.empty()) {
        return home;
    }
    if (const passwd* account = getpwuid(getuid()); account != nullptr && account->pw_dir != nullptr) {
        return account->pw_dir;
    }
    return ".";
}

}  // namespace

std::filesystem::path FileSettingsStore::DefaultPath()
{
    if (std::string explicitPath = Environment("VELMORA_SETTINGS"); !explicitPath.empty()) {
        return explicitPath;
    }
    std::filesystem::path config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || config.is_relative()) {
        config = HomeFolder() / ".config";
    }
    return config / host::kAppName / "settings.ini";
}

FileSettingsStore::FileSettingsStore() : FileSettingsStore(DefaultPath()) {}

FileSettingsStore::FileSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

std::string FileSettingsStore::ReadText() const
{
    std::ifstream in(file_, std::ios::binary);
    if (!in) {
        if (!std::filesystem::exists(file_)) {
            return {};
        }
        throw std::runtime_error("cannot read " + file_.string());
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        throw std::runtime_error("cannot read " + file_.string());
    }
    return text;
}

std::string FileSettingsStore::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                          const std::string& defaultValue) const
{
    try {
        return IniDocument(ReadText()).Find(app, section, key).value_or(defaultValue);
    } catch (const std::exception&) {
        return defaultValue;
    }
}

void FileSettingsStore::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                    const std::string& value)
{
    try {
        if (file_.has_parent_path()) {
            std::filesystem::create_directories(file_.parent_path());
        }
        const FileLock lock(file_.string() + ".lock");
        IniDocument document(ReadText());
        document.Set(app, section, key, value);
        WriteFileAtomically(file_, document.Text());
    } catch (const std::exception&) {
        // The store never reports a failure; the key keeps its old value.
    }
}

}  // namespace velmora::platform
