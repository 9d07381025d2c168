#include "doctools/PersonalMark.hpp"

#include "host/Host.hpp"
#include "host/Preconditions.hpp"
#include "host/SettingsStore.hpp"
#include "platform/UserName.hpp"

namespace velmora::doctools {

namespace {

constexpr const char* kMarkTag = "OrvaldiVelmoraMark";
constexpr const char* kMarkKey = "MarkUserName";

std::string RememberedMark(const host::Services& services)
{
    return services.settings->GetSetting(host::kAppName, "Settings", kMarkKey, platform::UserName());
}

void RememberMark(const host::Services& services, const std::string& mark)
{
    services.settings->SaveSetting(host::kAppName, "Settings", kMarkKey, mark);
}

}  // namespace

std::string FormatPercent(int found, int total)
{
    const long long numerator = 200LL * found + total;
    return std::to_string(numerator / (2LL * total)) + "%";
}

void AddPersonalMark_Main(host::Application& application, const host::Services& services)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseWithoutSlides(*presentation, *services.prompts)) {
        return;
    }
    const std::string mark = services.prompts->InputBox(
        "请输入您的私人印记信息：\r(设置过以后尽量不要随意更改)", "设置私人印记", RememberedMark(services));
    if (mark.empty()) {
        services.prompts->MsgBox("信息输入错误！", host::MsgStyle::Critical);
        return;
    }

    int count = 0;
    auto slides = presentation->Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        host::Suppressed([&] {
            auto tags = slides->Item(i)->Tags();
            const std::string current = tags->Item(kMarkTag);
            if (current.empty()) {
                tags->Add(kMarkTag, mark);
                ++count;
            } else if (current == mark) {
                ++count;
            }
        });
    }
    RememberMark(services, mark);
    services.prompts->MsgBox("已成功为" + std::to_string(count) + "页幻灯片添加印记！", host::MsgStyle::Information);
}

void ReadPersonalMark_Main(host::Application& application, const host::Services& services)
{
    auto presentation = application.ActivePresentation();
    if (host::RefuseWithoutSlides(*presentation, *services.prompts)) {
        return;
    }
    const std::string mark =
        services.prompts->InputBox("请确认您所使用的私人印记信息：", "私人印记", RememberedMark(services));
    if (mark.empty()) {
        services.prompts->MsgBox("确认错误！", host::MsgStyle::Critical);
        return;
    }

    int found = 0;
    auto slides = presentation->Slides();
    const int total = slides->Count();
    for (int i = 1; i <= total; ++i) {
        host::Suppressed([&] {
            if (slides->Item(i)->Tags()->Item(kMarkTag) == mark) {
                ++found;
            }
        });
    }
    RememberMark(services, mark);
    services.prompts->MsgBox("在此文档中检测到" + std::to_string(found) + "页幻灯片包含您的私人印记信息\r基因相似度达到了" +
                                 FormatPercent(found, total),
                             host::MsgStyle::Information);
}

}  // namespace velmora::doctools
