#include "addin/Connect.hpp"

#include <utility>

#include "addin/BookGallery.hpp"
#include "addin/CommandErrors.hpp"
#include "addin/CommandTable.hpp"
#include "addin/RibbonDefinition.hpp"
#include "color/ColorCommands.hpp"
#include "color/frm_Colorpicker.hpp"
#include "doctools/Animation.hpp"
#include "doctools/Notes.hpp"
#include "doctools/PersonalMark.hpp"
#include "doctools/PhotoAlbum.hpp"
#include "doctools/SplitDoc.hpp"
#include "flash/AddFlash.hpp"
#include "font/frm_setFont.hpp"
#include "publish/CombinPic.hpp"
#include "publish/ExportPic.hpp"
#include "web/Endpoints.hpp"
#include "web/WebCommands.hpp"
#include "web/md_SearchPic.hpp"
#include "host/HostError.hpp"
#include "host/Presentation.hpp"

namespace velmora::addin {
namespace {

constexpr const char* kGalleryId = "PPTBooks";

// The item of the PPTBooks gallery at `index`; null for any other control or
// an index outside the gallery.
const GalleryBook* GalleryItem(const RibbonControl& control, int index)
{
    const auto& books = RecommendedBooks();
    if (control.Id != kGalleryId || index < 0 || index >= static_cast<int>(books.size())) {
        return nullptr;
    }
    return &books[static_cast<std::size_t>(index)];
}

}  // namespace

Connect::Connect(AddinContext& context) : context_(context), system_(context) {}

void Connect::OnConnection(host::Ref<host::Application> Application, ext_ConnectMode)
{
    application_ = std::move(Application);
    if (context_.runStartUp) {
        system_.StartUp();
    }
}

void Connect::OnDisconnection(ext_DisconnectMode)
{
    application_.reset();
}

void Connect::OnAddInsUpdate() {}

void Connect::OnStartupComplete() {}

void Connect::OnBeginShutdown() {}

std::string Connect::IRibbonExtensibility_GetCustomUI(const std::string&) const
{
    return GetRibbonXML();
}

std::string Connect::GetRibbonXML() const
{
    return RibbonDefinition();
}

std::optional<resources::Picture> Connect::GetImage(const RibbonControl& control) const
{
    if (control.Id == "myAddFlash") {
        return resources::LoadPicture(resources::PictureKind::Bitmap, 102);
    }
    if (control.Id == "PicSearchmenu") {
        return resources::LoadPicture(resources::PictureKind::Bitmap, 115);
    }
    if (control.Id == "SharetoWeibo") {
        return resources::LoadPicture(resources::PictureKind::Icon, 102);
    }
    return std::nullopt;
}

std::int16_t Connect::GetItemCount(const RibbonControl& octl) const
{
    return octl.Id == kGalleryId ? static_cast<std::int16_t>(RecommendedBooks().size()) : std::int16_t{0};
}

std::string Connect::GetItemID(const RibbonControl& octl, std::int16_t index) const
{
    return octl.Id == kGalleryId ? "item" + std::to_string(index) : std::string();
}

std::string Connect::GetItemLabel(const RibbonControl& octl, std::int16_t index) const
{
    const GalleryBook* book = GalleryItem(octl, index);
    return book != nullptr ? std::string(book->label) : std::string();
}

std::string Connect::GetItemSupertip(const RibbonControl& octl, std::int16_t index) const
{
    const GalleryBook* book = GalleryItem(octl, index);
    return book != nullptr ? std::string(book->supertip) : std::string();
}

std::optional<resources::Picture> Connect::GetItemImage(const RibbonControl& control, std::int16_t index) const
{
    if (GalleryItem(control, index) == nullptr) {
        return std::nullopt;
    }
    return resources::LoadPicture(resources::PictureKind::Bitmap, kGalleryCoverBase + index);
}

void Connect::galAction(const RibbonControl&, const std::string&, int selectedIndex)
{
    const GalleryBook* book = GalleryItem(RibbonControl{kGalleryId}, selectedIndex);
    if (book == nullptr) {
        throw host::HostError("the gallery has no item " + std::to_string(selectedIndex));
    }
    HostApplication().ActivePresentation()->FollowHyperlink(
        web::EndpointAddress(context_.services, web::Endpoint::BookSite) + std::string(book->page));
}

void Connect::setFont_main(const RibbonControl&)
{
    font::setFont_main(HostApplication(), context_.services, FormDriver());
}

void Connect::GetColor_main(const RibbonControl&)
{
    color::GetColor_main(HostApplication(), context_.services, FormDriver());
}

void Connect::Setcolor_main(const RibbonControl&)
{
    color::Setcolor_main(HostApplication(), context_.services, FormDriver());
}

void Connect::AddFlash_main(const RibbonControl&)
{
    flash::AddFlash_main(HostApplication(), context_.services, FormDriver());
}

void Connect::CombinPic_main(const RibbonControl&)
{
    publish::CombinPic_main(HostApplication(), context_.services, FormDriver());
}

void Connect::ExportPic_main(const RibbonControl&)
{
    publish::ExportPic_main(HostApplication(), context_.services, FormDriver());
}

void Connect::TranstoPic_main(const RibbonControl&)
{
    doctools::TranstoPic_main(HostApplication(), context_.services);
}

void Connect::AddPersonalMark_Main(const RibbonControl&)
{
    doctools::AddPersonalMark_Main(HostApplication(), context_.services);
}

void Connect::ReadPersonalMark_Main(const RibbonControl&)
{
    doctools::ReadPersonalMark_Main(HostApplication(), context_.services);
}

void Connect::ExportComment_All_Main(const RibbonControl&)
{
    doctools::ExportComment_All_Main(HostApplication(), context_.services);
}

void Connect::ExportComment_Select_Main(const RibbonControl&)
{
    doctools::ExportComment_Select_Main(HostApplication(), context_.services);
}

void Connect::DeleteComment_All_Main(const RibbonControl&)
{
    doctools::DeleteComment_All_Main(HostApplication(), context_.services);
}

void Connect::DeleteComment_Select_Main(const RibbonControl&)
{
    doctools::DeleteComment_Select_Main(HostApplication(), context_.services);
}

void Connect::RemoveAnimation_All_Main(const RibbonControl&)
{
    doctools::RemoveAnimation_All_Main(HostApplication(), context_.services);
}

void Connect::RemoveAnimation_Select_Main(const RibbonControl&)
{
    doctools::RemoveAnimation_Select_Main(HostApplication(), context_.services);
}

void Connect::SplitDoc_fromhere_Main(const RibbonControl&)
{
    doctools::SplitDoc_fromhere_Main(HostApplication(), context_.services);
}

void Connect::SplitDoc_selection_Main(const RibbonControl&)
{
    doctools::SplitDoc_selection_Main(HostApplication(), context_.services);
}

void Connect::SearchUrl1_Click(const RibbonControl&)
{
    web::SearchPic(1, HostApplication(), context_.services);
}

void Connect::SearchUrl2_Click(const RibbonControl&)
{
    web::SearchPic(2, HostApplication(), context_.services);
}

void Connect::SearchUrl3_Click(const RibbonControl&)
{
    web::SearchPic(3, HostApplication(), context_.services);
}

void Connect::SearchUrl4_Click(const RibbonControl&)
{
    web::SearchPic(4, HostApplication(), context_.services);
}

void Connect::SearchUrl5_Click(const RibbonControl&)
{
    web::SearchPic(5, HostApplication(), context_.services);
}

void Connect::SearchUrl6_Click(const RibbonControl&)
{
    web::SearchPic(6, HostApplication(), context_.services);
}

void Connect::SearchUrl7_Click(const RibbonControl&)
{
    web::SearchPic(7, HostApplication(), context_.services);
}

void Connect::SearchUrl8_Click(const RibbonControl&)
{
    web::SearchPic(8, HostApplication(), context_.services);
}

void Connect::SearchUrl9_Click(const RibbonControl&)
{
    web::SearchPic(9, HostApplication(), context_.services);
}

void Connect::PPTBooks_Click(const RibbonControl&)
{
    web::PPTBooks_Click(HostApplication(), context_.services);
}

void Connect::Author_Click(const RibbonControl&)
{
    web::Author_Click(HostApplication(), context_.services, FormDriver());
}

void Connect::About_Click(const RibbonControl&)
{
    web::About_Click(context_.services);
}

void Connect::OnlineHelp_Click(const RibbonControl&)
{
    web::OnlineHelp_Click(HostApplication(), context_.services);
}

void Connect::CheckUpdate_Click(const RibbonControl&)
{
    system_.CheckUpdate_Click(HostApplication());
}

void Connect::SharetoWeibo_Click(const RibbonControl&)
{
    web::SharetoWeibo_Click(HostApplication(), context_.services);
}

void Connect::GetShareUrl(std::string& Piclink, std::string& ShareUrl)
{
    web::GetShareUrl(context_.services, Piclink, ShareUrl);
}

void Connect::Invoke(std::string_view name, const RibbonPress& press)
{
    const CommandEntry* command = FindCommand(name);
    if (command == nullptr) {
        throw UnknownCommand(std::string(name));
    }
    command->press(*this, press);
}

forms::FormDriver& Connect::FormDriver() const
{
    if (context_.formDriver == nullptr) {
        throw host::HostError("no driver is there to show dialogs");
    }
    return *context_.formDriver;
}

host::Application& Connect::HostApplication() const
{
    if (!application_) {
        throw host::HostError("the add-in is not connected to the presentation program");
    }
    return *application_;
}

}  // namespace velmora::addin
