#include "render/OfficeProfile.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace velmora::render {

namespace {

const char* const kSettingsMark = "BlockUntrustedRefererLinks";

// Linked pictures and media from untrusted documents stay unloaded, any
// other fetch goes to a proxy that is never there, macros never run.
const char* const kSettingItems = R"(<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="BlockUntrustedRefererLinks" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="DisableMacrosExecution" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>3</value></prop></item>
<item oor:path="/org.openoffice.Inet/Settings"><prop oor:name="ooInetProxyType" oor:op="fuse"><value>2</value></prop></item>
<item oor:path="/org.openoffice.Inet/Settings"><prop oor:name="ooInetHTTPProxyName" oor:op="fuse"><value>127.0.0.1</value></prop></item>
<item oor:path="/org.openoffice.Inet/Settings"><prop oor:name="ooInetHTTPProxyPort" oor:op="fuse"><value>9</value></prop></item>
<item oor:path="/org.openoffice.Inet/Settings"><prop oor:name="ooInetHTTPSProxyName" oor:op="fuse"><value>127.0.0.1</value></prop></item>
<item oor:path="/org.openoffice.Inet/Settings"><prop oor:name="ooInetHTTPSProxyPort" oor:op="fuse"><value>9</value></prop></item>
<item oor:path="/org.openoffice.Inet/Settings"><prop oor:name="ooInetNoProxy" oor:op="fuse"><value></value></prop></item>
)";

const char* const kItemsStart =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
)";
const char* const kItemsEnd = "</oor:items>";

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const kLastVersionName = "oor:name=\"ooSetupLastVersion\"";

std::string LastVersionItem(const std::string& version)
{
    return std::string(R"(<item oor:path="/org.openoffice.Setup/Product"><prop )") + kLastVersionName +
           R"( oor:op="fuse"><value>)" + version + "</value></prop></item>\n";
}

// The item naming another version than `version` goes; ours takes its place.
void SetLastVersion(std::string& text, const std::string& version)
{
    const std::string wanted = LastVersionItem(version);
    if (version.empty() || text.find(wanted) != std::string::npos) {
        return;
    }
    if (const std::size_t name = text.find(kLastVersionName); name != std::string::npos) {
        const std::size_t start = text.rfind("<item", name);
        const std::size_t end = text.find("</item>", name);
        if (start != std::string::npos && end != std::string::npos) {
            text.erase(start, end + std::string_view("</item>").size() - start);
        }
    }
    text.insert(text.rfind(kItemsEnd), wanted);
}

// "7.4" from the install's "ProductKey=LibreOffice 7.4"; empty when unknown.
std::string InstalledVersion(const std::filesystem::path& installFolder)
{
    std::ifstream rc(installFolder / "bootstraprc");
    for (std::string line; std::getline(rc, line);) {
        if (line.starts_with("ProductKey=")) {
            const std::size_t space = line.rfind(' ');
            return space == std::string::npos ? std::string() : line.substr(space + 1);
        }
    }
    return {};
}

}  // namespace

// Adds our settings to the profile's registry file unless they are there.
// LibreOffice rewrites that file itself, keeping what it found in it.
void OfficeProfile::EnsureSettings() const
{
    const std::filesystem::path user = path_ / "user";
    const std::filesystem::path registry = user / "registrymodifications.xcu";
    const std::string before = ReadAll(registry);
    std::string text = before;
    if (text.rfind(kItemsEnd) == std::string::npos) {
        text = std::string(kItemsStart) + kItemsEnd + "\n";
    }
    if (text.find(kSettingsMark) == std::string::npos) {
        text.insert(text.rfind(kItemsEnd), kSettingItems);
    }
    SetLastVersion(text, version_);
    if (text == before) {
        return;
    }
    std::filesystem::create_directories(user);
    const std::filesystem::path fresh = user / "registrymodifications.xcu.new";
    std::ofstream(fresh, std::ios::binary | std::ios::trunc) << text;
    std::filesystem::rename(fresh, registry);
}

std::filesystem::path OfficeProfile::InCache(const std::filesystem::path& cache)
{
    return cache / "libreoffice-profile";
}

std::filesystem::path OfficeProfile::DefaultCache()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::filesystem::path(xdg) / "velmora";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::filesystem::path(home) / ".cache" / "velmora";
    }
    return {};
}

OfficeProfile::OfficeProfile(const std::filesystem::path& cache, const std::filesystem::path& work,
                             const std::filesystem::path& installFolder)
    : version_(installFolder.empty() ? std::string() : InstalledVersion(installFolder))
{
    if (!cache.empty() && TryKeptProfile(cache)) {
        return;
    }
    path_ = work / "profile";
    std::error_code ignored;
    // A copy of the kept profile still spares the first-start work.
    if (!cache.empty() && std::filesystem::is_directory(InCache(cache), ignored)) {
        std::filesystem::copy(InCache(cache), path_, std::filesystem::copy_options::recursive, ignored);
    }
    EnsureSettings();
}

OfficeProfile::~OfficeProfile()
{
    if (lock_ >= 0) {
        close(lock_);
    }
}

bool OfficeProfile::TryKeptProfile(const std::filesystem::path& cache)
{
    std::error_code error;
    std::filesystem::create_directories(cache, error);
    if (error) {
        return false;
    }
    const std::filesystem::path lockFile = cache / "libreoffice-profile.lock";
    const int fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    lock_ = fd;
    path_ = InCache(cache);
    try {
        EnsureSettings();
    } catch (const std::exception&) {
        close(lock_);
        lock_ = -1;
        return false;
    }
    return true;
}

}  // namespace velmora::render
