#include "web/frm_Author.hpp"

#include <array>
#include <utility>

#include "forms/CommandButton.hpp"
#include "forms/FormCatalog.hpp"
#include "forms/Image.hpp"
#include "forms/Label.hpp"
#include "host/HostError.hpp"
#include "host/Presentation.hpp"
#include "resources/Pictures.hpp"

namespace velmora::web {
namespace {

constexpr int kAuthorBitmap = 117;  // the author's picture beside the follow link

constexpr std::array<const char*, 6> kAboutAuthor{
    "Orvaldi，演示设计爱好者，",
    "专注于演示文稿的设计与效率工具。",
    "Velmora 工具包由作者利用业余时间开发，",
    "希望它能让您的演示制作更轻松。",
    "欢迎关注作者的微博和博客，",
    "交流使用心得，反馈问题与建议。",
};

std::unique_ptr<forms::UserForm> MakeDialog(forms::FormDriver& driver, host::Application& application,
                                            const host::Services& services)
{
    return std::make_unique<frm_Author>(driver, application, services);
}

const forms::FormRegistration kRegistration({"frm_Author", "Author_Click", &MakeDialog});

}  // namespace

frm_Author::frm_Author(forms::FormDriver& driver, host::Application& application, host::Services services)
    : UserForm(driver, "frm_Author"), host_(application), services_(std::move(services))
{
    SetCaption("关于作者");
    SetWidth(300);
    SetHeight(330);
    AddText();
    AddLinks();
    auto& ok = Add<forms::CommandButton>("Cmd_OK");
    ok.SetCaption("确定");
    ok.SetDefault(true);
    ok.SetCancel(true);
    ok.SetLeft(108);
    ok.SetTop(276);
    ok.events.Click = [this] { Cmd_OK_Click(); };
}

void frm_Author::AddText()
{
    for (std::size_t i = 0; i < kAboutAuthor.size(); ++i) {
        auto& label = Add<forms::Label>("Label" + std::to_string(i + 1));
        label.SetCaption(kAboutAuthor[i]);
        label.SetLeft(78);
        label.SetTop(12 + 16 * static_cast<float>(i));
        label.SetWidth(210);
    }
}

void frm_Author::AddLinks()
{
    auto& picture = Add<forms::Image>("ImgWeibo");
    picture.SetLeft(12);
    picture.SetTop(12);
    picture.SetWidth(54);
    picture.SetHeight(54);
    picture.SetControlTipText("关注作者的微博");
    picture.SetPictureSizeMode(forms::PictureSizeMode::Zoom);
    if (const auto author = resources::LoadPicture(resources::PictureKind::Bitmap, kAuthorBitmap)) {
        picture.SetPictureData(std::string(author->bytes.begin(), author->bytes.end()));
    }
    picture.events.Click = [this] { OpenPage(EndpointAddress(services_, Endpoint::AuthorFollowPage)); };

    AddLink("Label7", "+关注作者的微博", Endpoint::AuthorFollowPage, 120);
    AddLink("Label8", "作者的微博主页", Endpoint::AuthorHomePage, 140);
    AddLink("Label9", "作者的博客", Endpoint::AuthorBlog, 160);
    AddLink("Label10", "演示设计论坛", Endpoint::CommunitySite1, 180);
    AddLink("Label11", "演示素材社区", Endpoint::CommunitySite2, 200);
    auto& mail = Add<forms::Label>("Label12");
    mail.SetCaption("给作者写信");
    mail.SetLeft(12);
    mail.SetTop(220);
    mail.SetWidth(270);
    mail.events.Click = [this] { OpenPage(MailLink()); };
    AddLink("Label13", "捐助作者", Endpoint::DonationPage, 240);
}

void frm_Author::AddLink(const std::string& name, const std::string& caption, Endpoint page, float top)
{
    auto& label = Add<forms::Label>(name);
    label.SetCaption(caption);
    label.SetLeft(12);
    label.SetTop(top);
    label.SetWidth(270);
    label.events.Click = [this, page] { OpenPage(EndpointAddress(services_, page)); };
}

std::string frm_Author::MailLink() const
{
    return "mailto:" + EndpointAddress(services_, Endpoint::AuthorMail) + "?subject=关于[PPTVelmora%20V2.0]";
}

void frm_Author::UserForm_Initialize()
{
    application_ = &host_;
}

void frm_Author::UserForm_Terminate()
{
    application_ = nullptr;
}

void frm_Author::Cmd_OK_Click()
{
    Unload();
}

void frm_Author::OpenPage(const std::string& address)
{
    if (application_ == nullptr) {
        throw host::HostError("the author dialog is closed");
    }
    application_->ActivePresentation()->FollowHyperlink(address);
}

}  // namespace velmora::web
