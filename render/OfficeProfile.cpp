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

struct Setting {
    const char* path;
    const char* name;
    std::string value;
};

const char* const kScripting = "/org.openoffice.Office.Common/Security/Scripting";
const char* const kInternet = "/org.openoffice.Inet/Settings";

// Linked pictures and media from untrusted documents stay unloaded, any
// other fetch goes to a proxy that is never there, macros never run.
const Setting kSettings[] = {
    {kScripting, "BlockUntrustedRefererLinks", "true"},
    {kScripting, "DisableMacrosExecution", "true"},
    {kScripting, "MacroSecurityLevel", "3"},
    {kInternet, "ooInetProxyType", "2"},
    {kInternet, "ooInetHTTPProxyName", "127.0.0.1"},
    {kInternet, "ooInetHTTPProxyPort", "9"},
    {kInternet, "ooInetHTTPSProxyName", "127.0.0.1"},
    {kInternet, "ooInetHTTPSProxyPort", "9"},
    {kInternet, "ooInetNoProxy", ""},
};

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

// The start of a setting's item, as LibreOffice writes it, whatever its value.
std::string ItemStart(const Setting& setting)
{
    return std::string("<item oor:path=\"") + setting.path + "\"><prop oor:name=\"" + setting.name + "\"";
}

// Gives the setting its value, in place of any other LibreOffice keeps: an
// instance may change what we set (LibreOfficeKit lowers the macro level).
void Enforce(std::string& text, const Setting& setting)
{
    const std::string start = ItemStart(setting);
    const std::string item = start + " oor:op=\"fuse\"><value>" + setting.value + "</value></prop></item>\n";
    if (text.find(item) != std::string::npos) {
        return;
    }
    for (std::size_t at = text.find(start); at != std::string::npos; at = text.find(start, at)) {
        const std::size_t end = text.find("</item>", at);
        if (end == std::string::npos) {
            break;
        }
        text.erase(at, end + std::string_view("</item>").size() - at);
    }
    text.insert(text.rfind(kItemsEnd), item);
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

// Gives the profile's registry file our settings, keeping everything else.
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
    for (const Setting& setting : kSettings) {
        Enforce(text, setting);
    }
    if (!version_.empty()) {
        Enforce(text, {"/org.openoffice.Setup/Product", "ooSetupLastVersion", version_});
    }
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
