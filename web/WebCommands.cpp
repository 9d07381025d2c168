#include "web/WebCommands.hpp"

#include "host/Presentation.hpp"
#include "host/Prompts.hpp"
#include "web/Endpoints.hpp"
#include "web/RemoteDescriptor.hpp"
#include "web/frm_Author.hpp"
#include "web/md_SearchPic.hpp"

namespace velmora::web {
namespace {

constexpr int kSharePolls = 30;

void Open(host::Application& application, const std::string& address)
{
    application.ActivePresentation()->FollowHyperlink(address);
}

std::string WebAddressOr(const std::string& address, const host::Services& services, Endpoint fallback)
{
    return IsWebAddress(address) ? address : EndpointAddress(services, fallback);
}

}  // namespace

void PPTBooks_Click(host::Application& application, const host::Services& services)
{
    Open(application, EndpointAddress(services, Endpoint::ResourcesPage));
}

void OnlineHelp_Click(host::Application& application, const host::Services& services)
{
    Open(application, EndpointAddress(services, Endpoint::ProductPage));
}

void SharetoWeibo_Click(host::Application& application, const host::Services& services)
{
    std::string picture;
    std::string page;
    GetShareUrl(services, picture, page);
    Open(application, ShareAddress(services, picture, page));
}

void GetShareUrl(const host::Services& services, std::string& Piclink, std::string& ShareUrl)
{
    const auto descriptor = FetchDescriptor(services, kSharePolls);
    if (!descriptor) {
        return;
    }
    if (auto picture = ProductField(*descriptor, "/Data/AppData/Piclink")) {
        Piclink = std::move(*picture);
    }
    if (auto page = ProductField(*descriptor, "/Data/AppData/ShareUrl")) {
        ShareUrl = std::move(*page);
    }
    // Both go into a link the user's browser follows: data from the network
    // only ever names a web address there.
    Piclink = WebAddressOr(Piclink, services, Endpoint::SharePicture);
    ShareUrl = WebAddressOr(ShareUrl, services, Endpoint::ProductPage);
}

std::string ShareAddress(const host::Services& services, const std::string& picture, const std::string& page)
{
    return EndpointAddress(services, Endpoint::ShareService) + "/share/share.php?url=" + URLEncode(page) +
           "&appkey=&title=" + URLEncode(kShareText) + "&pic=" + URLEncode(picture) + "&ralateUid=" +
           kAuthorAccountId;
}

void About_Click(const host::Services& services)
{
    const std::string text = std::string("PPTVelmoraV2.0\r") + "发布日期：2012年04月05日\r" + "作者：Orvaldi\r" +
                             "意见反馈：" + EndpointAddress(services, Endpoint::AuthorMail) + "\r" + "\r" +
                             "版权所有 (C) 2012 Orvaldi，保留所有权利。\r" +
                             "本工具包为免费软件，欢迎传播使用，请勿用于商业用途。";
    services.prompts->MsgBox(text, host::MsgStyle::Information, "关于本程序");
}

void Author_Click(host::Application& application, const host::Services& services, forms::FormDriver& driver)
{
    frm_Author dialog(driver, application, services);
    dialog.Show();
}

}  // namespace velmora::web
