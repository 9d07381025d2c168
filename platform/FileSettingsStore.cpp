#include "platform/FileSettingsStore.hpp"

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/AtomicFile.hpp"
#include "platform/FileLock.hpp"

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

bool ReadWhole(int fd, std::string& text)
{
    char buffer[1 << 16];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) {
            return true;
        }
        if (got < 0 && errno != EINTR) {
            return false;
        }
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }
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

std::shared_ptr<const IniDocument> FileSettingsStore::Read() const
{
    struct stat found {};
    if (::stat(file_.c_str(), &found) != 0) {
        if (errno == ENOENT) {
            return std::make_shared<const IniDocument>();
        }
        throw std::runtime_error("cannot read " + file_.string());
    }
    if (!S_ISREG(found.st_mode)) {
        throw std::runtime_error(file_.string() + " is no regular file");
    }
    // Whatever replaced the file since must not block the open either.
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        throw std::runtime_error("cannot read " + file_.string());
    }
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const bool same = regular && snapshot_.document && status.st_dev == snapshot_.device &&
                      status.st_ino == snapshot_.inode && status.st_size == snapshot_.size &&
                      status.st_ctim.tv_sec == snapshot_.changed.tv_sec &&
                      status.st_ctim.tv_nsec == snapshot_.changed.tv_nsec;
    std::string text;
    const bool read = same || (regular && ReadWhole(fd, text));
    ::close(fd);
    if (!read) {
        throw std::runtime_error("cannot read " + file_.string());
    }
    if (!same) {
        snapshot_ = {status.st_dev, status.st_ino, status.st_size, status.st_ctim,
                     std::make_shared<const IniDocument>(text)};
    }
    return snapshot_.document;
}

std::string FileSettingsStore::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                          const std::string& defaultValue) const
{
    try {
        if (pending_.empty()) {
            return Read()->Find(app, section, key).value_or(defaultValue);
        }
        IniDocument document = *Read();
        for (const Edit& edit : pending_) {
            document.Set(edit.app, edit.section, edit.key, edit.value);
        }
        return document.Find(app, section, key).value_or(defaultValue);
    } catch (const std::exception&) {
        return defaultValue;
    }
}

void FileSettingsStore::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                    const std::string& value)
{
    pending_.push_back(Edit{app, section, key, value});
    if (batchDepth_ == 0) {
        WritePending();
    }
}

void FileSettingsStore::BeginBatch()
{
    ++batchDepth_;
}

void FileSettingsStore::EndBatch()
{
    if (batchDepth_ > 0 && --batchDepth_ == 0) {
        WritePending();
    }
}

std::string FileSettingsStore::UpdateSetting(const std::string& app, const std::string& section,
                                             const std::string& key, const std::string& defaultValue,
                                             const std::function<std::string(const std::string&)>& change)
{
    if (batchDepth_ > 0) {
        return SettingsStore::UpdateSetting(app, section, key, defaultValue, change);
    }
    std::string before;
    const bool written = EditLocked([&](IniDocument& document) {
        before = document.Find(app, section, key).value_or(defaultValue);
        document.Set(app, section, key, change(before));
    });
    return written ? before : GetSetting(app, section, key, defaultValue);
}

void FileSettingsStore::WritePending()
{
    EditLocked([this](IniDocument& document) {
        for (const Edit& edit : pending_) {
            document.Set(edit.app, edit.section, edit.key, edit.value);
        }
    });
    pending_.clear();
}

bool FileSettingsStore::EditLocked(const std::function<void(IniDocument&)>& edit)
{
    try {
        if (file_.has_parent_path()) {
            std::filesystem::create_directories(file_.parent_path());
        }
        const FileLock lock(file_.string() + ".lock");
        IniDocument document = *Read();
        edit(document);
        WriteFileAtomically(file_, document.Text());
        return true;
    } catch (const std::exception&) {
        // The store never reports a failure; the keys keep their old values.
        return false;
    }
}

}  // namespace velmora::platform
