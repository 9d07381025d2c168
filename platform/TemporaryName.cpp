#include "platform/TemporaryName.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Interruption.hpp"
#include "platform/Leftovers.hpp"

namespace velmora::platform {

namespace {

constexpr int kAttempts = 1000;
constexpr std::string_view kRecordPrefix = ".~velmora-";
constexpr std::string_view kRecordSuffix = "#";
constexpr std::size_t kLongestRecord = 4096;

bool Taken(const std::filesystem::path& name, const std::vector<std::string>& suffixes)
{
    return std::any_of(suffixes.begin(), suffixes.end(), [&](const std::string& suffix) {
        std::error_code error;
        const bool exists = std::filesystem::exists(std::filesystem::path(name) += suffix, error);
        // Whatever cannot be looked at counts as taken.
        return exists || error;
    });
}

std::string RecordName(const std::filesystem::path& name)
{
    return std::string(kRecordPrefix) + name.filename().string() + std::string(kRecordSuffix);
}

// The temporary name a record stands for: "tmp" and digits; empty for any other name.
std::string RecordedName(std::string_view record)
{
    if (!record.starts_with(kRecordPrefix) || !record.ends_with(kRecordSuffix)) {
        return {};
    }
    record.remove_prefix(kRecordPrefix.size());
    record.remove_suffix(kRecordSuffix.size());
    const bool ours = record.size() > 3 && record.starts_with("tmp") &&
                      record.find_first_not_of("0123456789", 3) == std::string_view::npos;
    return ours ? std::string(record) : std::string();
}

// The record's text: the owner's process and machine, then each suffix, one a line.
std::string RecordText(const std::vector<std::string>& suffixes)
{
    std::string text = std::to_string(::getpid()) + "\n" + HostName() + "\n";
    for (const std::string& suffix : suffixes) {
        text += suffix + "\n";
    }
    return text;
}

struct Record {
    pid_t owner = 0;
    std::string host;
    std::vector<std::string> suffixes;
};

// A suffix of ours ends the name and leads nowhere else.
bool PlainSuffix(const std::string& suffix)
{
    return suffix.empty() || (suffix.starts_with('.') && suffix.find('/') == std::string::npos && suffix != "." &&
                              suffix != "..");
}

std::optional<Record> ParseRecord(const std::string& text)
{
    std::istringstream lines(text);
    Record record;
    std::string owner;
    if (!std::getline(lines, owner) || owner.empty() ||
        owner.find_first_not_of("0123456789") != std::string::npos || owner.size() > 9 ||
        !std::getline(lines, record.host)) {
        return std::nullopt;
    }
    record.owner = static_cast<pid_t>(std::stol(owner));
    for (std::string suffix; std::getline(lines, suffix);) {
        if (!PlainSuffix(suffix)) {
            return std::nullopt;
        }
        record.suffixes.push_back(suffix);
    }
    return record;
}

// A record of ours whose owner no process holds any more: its lock is free
// and its process gone from this machine.
std::optional<Record> AbandonedRecord(int folder, const char* name, struct stat& opened)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<Record> record;
    std::array<char, kLongestRecord> text{};
    ssize_t got = 0;
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && (got = ::read(fd, text.data(), text.size())) > 0) {
        record = ParseRecord(std::string(text.data(), static_cast<std::size_t>(got)));
    }
    ::close(fd);
    if (record && (record->host != HostName() || !ProcessGone(record->owner))) {
        return std::nullopt;
    }
    return record;
}

}  // namespace

TemporaryName::TemporaryName(host::Random& random, const std::filesystem::path& folder, int range,
                             const std::vector<std::string>& suffixes)
{
    RemoveLeftoversOfDeadRuns(folder);
    random.Randomize();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const auto number = static_cast<long>(std::floor(static_cast<double>(random.Rnd()) * range));
        const auto name = folder / ("tmp" + std::to_string(number));
        if (!Taken(name, suffixes) && Reserve(name, suffixes)) {
            return;
        }
    }
    throw std::runtime_error("no free temporary name in " + folder.string());
}

// Takes the name by creating its record; false when another run holds it.
// A folder that takes no record of ours still gets its temporary files,
// only without a later run to remove them after a kill.
bool TemporaryName::Reserve(const std::filesystem::path& name, const std::vector<std::string>& suffixes)
{
    const InterruptionsHeld held;
    const auto record = name.parent_path() / RecordName(name);
    lock_ = ::open(record.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock_ < 0 && errno == EEXIST) {
        return false;
    }
    path_ = name;
    for (const std::string& suffix : suffixes) {
        names_.push_back(std::filesystem::path(name) += suffix);
        RegisterTemporaryPath(names_.back());
    }
    if (lock_ >= 0) {
        const std::string text = RecordText(suffixes);
        ::flock(lock_, LOCK_EX);
        if (::write(lock_, text.data(), text.size()) == static_cast<ssize_t>(text.size())) {
            record_ = record;
            // Registered last, so that an interruption removes it after the names.
            RegisterTemporaryPath(record_);
        } else {
            ::unlink(record.c_str());
        }
    }
    return true;
}

TemporaryName::~TemporaryName()
{
    const InterruptionsHeld held;
    for (const auto& name : names_) {
        ForgetTemporaryPath(name);
    }
    if (!record_.empty()) {
        ::unlink(record_.c_str());
        ForgetTemporaryPath(record_);
    }
    if (lock_ >= 0) {
        ::close(lock_);
    }
}

void RemoveAbandonedTemporaryNames(const std::filesystem::path& folder)
{
    ForEachEntry(folder, [&](int folderFd, const char* entry) {
        const std::string name = RecordedName(entry);
        struct stat opened {};
        const std::optional<Record> record = name.empty() ? std::nullopt : AbandonedRecord(folderFd, entry, opened);
        if (!record) {
            return;
        }
        for (const std::string& suffix : record->suffixes) {
            std::error_code ignored;
            std::filesystem::remove_all(folder / (name + suffix), ignored);
        }
        RemoveIfStillThere(folderFd, entry, opened);
    });
}

}  // namespace velmora::platform
