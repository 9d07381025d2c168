#include "addin/md_System.hpp"

#include <charconv>

#include "host/Presentation.hpp"
#include "host/SettingsStore.hpp"
#include "web/Endpoints.hpp"
#include "web/RemoteDescriptor.hpp"

namespace velmora::addin {
namespace {

constexpr const char* kSection = "Settings";

std::string NewVersionAtStartUp(const std::string& version)
{
    return "【PPTVelmora】已有更新的版本发布！\r最新版本为: " + version +
           " ，请到【检查更新】中下载最新版本!\r\r下次是否继续显示此信息？";
}

std::string NewVersionOnDemand(const std::string& version)
{
    return "【PPTVelmora】已有更新的版本发布！\r最新版本为: " + version +
           " ，请到【在线帮助】中下载最新版本!\r\r是否直接连接到程序新版本的下载页面？";
}

constexpr const char* kUpToDateAtFirstStart =
    "自动更新检查功能检测到您的【PPTVelmora】已是最新版本！\r是否需要继续开启自动更新检查功能？\r"
    "（自动检查功能会轻微影响启动速度，您也可以在菜单中通过手动进行更新检查）";
constexpr const char* kHundredStarts =
    "程序检测到您已使用此软件已超过100次，并且一直开启了自动更新检查功能！\r"
    "由于自动更新检查功能会轻微影响加载速度，建议您关闭此功能，改用手动操作。\r\r是否需要关闭自动更新检查功能？";
constexpr const char* kNetworkError = "网络错误！无法连接到指定服务器！";
constexpr const char* kUpToDate = "您目前已是最新版本！";

// The stored count of earlier starts; anything but a whole number of zero or
// more (a hand-edited or damaged file) counts from 0 again.
long long UseCount(const std::string& text)
{
    long long count = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    return error == std::errc() && stop == end && count >= 0 ? count : 0;
}

bool IsNewerVersion(const std::string& latest)
{
    return !latest.empty() && latest != web::kRunningVersion;
}

}  // namespace

md_System::md_System(AddinContext& context) : context_(context) {}

void md_System::StartUp()
{
    const long long usetime = CountStart();
    const std::string updateflag = Setting("updateflag", "Yes");
    latestVersion_.clear();
    waitLimit_ = kStartUpPolls;
    if (updateflag == "Yes") {
        VersionCheck();
        host::Prompts& prompts = StartUpPrompts();
        if (IsNewerVersion(latestVersion_)) {
            if (prompts.UnaskedQuestion(NewVersionAtStartUp(latestVersion_), host::MsgStyle::YesNo, host::kTitle,
                                        host::MsgAnswer::Yes) == host::MsgAnswer::No) {
                SaveSetting("updateflag", "No");
            }
        } else if (latestVersion_ == web::kRunningVersion && usetime == 0) {
            if (prompts.UnaskedQuestion(kUpToDateAtFirstStart, host::MsgStyle::YesNo, host::kTitle,
                                        host::MsgAnswer::Yes) == host::MsgAnswer::No) {
                SaveSetting("updateflag", "No");
            }
        }
        if (usetime > 100 && prompts.UnaskedQuestion(kHundredStarts, host::MsgStyle::YesNo, host::kTitle,
                                                     host::MsgAnswer::No) == host::MsgAnswer::Yes) {
            SaveSetting("updateflag", "No");
        }
    }
}

// The start counts at once, read and written in one step: starts that
// overlap, or that wait on the update server meanwhile, each add their own.
long long md_System::CountStart() const
{
    const std::string before =
        context_.services.settings->UpdateSetting(host::kAppName, kSection, "usetime", "0", [](const std::string& stored) {
            return std::to_string(UseCount(stored) + 1);
        });
    return UseCount(before);
}

void md_System::CheckUpdate_Click(host::Application& application)
{
    waitLimit_ = kOnDemandPolls;
    VersionCheck();
    host::Prompts& prompts = *context_.services.prompts;
    if (IsNewerVersion(latestVersion_)) {
        if (prompts.MsgBox(NewVersionOnDemand(latestVersion_), host::MsgStyle::YesNo) == host::MsgAnswer::Yes) {
            // The descriptor's address is data from the network: only a web
            // page is opened, anything else gives way to our own page.
            const std::string page = web::IsWebAddress(downloadAddress_)
                                         ? downloadAddress_
                                         : web::EndpointAddress(context_.services, web::Endpoint::ProductPage);
            application.ActivePresentation()->FollowHyperlink(page);
        }
    } else if (latestVersion_ == web::kRunningVersion) {
        prompts.MsgBox(kUpToDate, host::MsgStyle::OkOnly);
    }
}

void md_System::VersionCheck()
{
    const auto descriptor = web::FetchDescriptor(context_.services, waitLimit_);
    if (!descriptor) {
        if (waitLimit_ == kOnDemandPolls) {
            context_.services.prompts->MsgBox(kNetworkError, host::MsgStyle::Critical);
        }
        return;
    }
    if (const auto version = web::ProductField(*descriptor, "/Data/AppData/Version")) {
        latestVersion_ = "V" + *version;
    }
    if (const auto address = web::ProductField(*descriptor, "/Data/AppData/DownloadUrl")) {
        downloadAddress_ = *address;
    }
    if (downloadAddress_.empty()) {
        downloadAddress_ = web::EndpointAddress(context_.services, web::Endpoint::ProductPage);
    }
}

host::Prompts& md_System::StartUpPrompts() const
{
    return context_.startupPrompts ? *context_.startupPrompts : *context_.services.prompts;
}

std::string md_System::Setting(const std::string& key, const std::string& defaultValue) const
{
    return context_.services.settings->GetSetting(host::kAppName, kSection, key, defaultValue);
}

void md_System::SaveSetting(const std::string& key, const std::string& value) const
{
    context_.services.settings->SaveSetting(host::kAppName, kSection, key, value);
}

}  // namespace velmora::addin
