#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "addin/AddinContext.hpp"
#include "addin/RibbonControl.hpp"
#include "addin/md_System.hpp"
#include "host/Application.hpp"
#include "resources/Pictures.hpp"

namespace velmora::addin {

enum class ext_ConnectMode { AfterStartup = 0, Startup = 1, External = 2, CommandLine = 3 };
enum class ext_DisconnectMode { HostShutdown = 0, UserClosed = 1 };

// The connection class the host creates: it holds the host application
// reference, serves the ribbon and receives every ribbon callback. Command
// methods are named as the ribbon's onAction values.
class Connect {
public:
    explicit Connect(AddinContext& context);

    // Add-in connection events.
    void OnConnection(host::Ref<host::Application> Application,
                      ext_ConnectMode ConnectMode = ext_ConnectMode::Startup);
    void OnDisconnection(ext_DisconnectMode RemoveMode = ext_DisconnectMode::HostShutdown);
    void OnAddInsUpdate();
    void OnStartupComplete();
    void OnBeginShutdown();

    // Ribbon extensibility.
    std::string IRibbonExtensibility_GetCustomUI(const std::string& RibbonID) const;
    std::string GetRibbonXML() const;

    // Picture and gallery callbacks.
    std::optional<resources::Picture> GetImage(const RibbonControl& control) const;
    std::int16_t GetItemCount(const RibbonControl& octl) const;
    std::string GetItemID(const RibbonControl& octl, std::int16_t index) const;
    std::string GetItemLabel(const RibbonControl& octl, std::int16_t index) const;
    std::string GetItemSupertip(const RibbonControl& octl, std::int16_t index) const;
    std::optional<resources::Picture> GetItemImage(const RibbonControl& control, std::int16_t index) const;
    void galAction(const RibbonControl& control, const std::string& selectedId, int selectedIndex);

    // Design group.
    void setFont_main(const RibbonControl& control);
    void GetColor_main(const RibbonControl& control);
    void Setcolor_main(const RibbonControl& control);
    void AddFlash_main(const RibbonControl& control);
    // Publishing group.
    void CombinPic_main(const RibbonControl& control);
    void ExportPic_main(const RibbonControl& control);
    void TranstoPic_main(const RibbonControl& control);
    void AddPersonalMark_Main(const RibbonControl& control);
    void ReadPersonalMark_Main(const RibbonControl& control);
    // Document group.
    void ExportComment_All_Main(const RibbonControl& control);
    void ExportComment_Select_Main(const RibbonControl& control);
    void DeleteComment_All_Main(const RibbonControl& control);
    void DeleteComment_Select_Main(const RibbonControl& control);
    void RemoveAnimation_All_Main(const RibbonControl& control);
    void RemoveAnimation_Select_Main(const RibbonControl& control);
    void SplitDoc_fromhere_Main(const RibbonControl& control);
    void SplitDoc_selection_Main(const RibbonControl& control);
    // Resources group.
    void SearchUrl1_Click(const RibbonControl& control);
    void SearchUrl2_Click(const RibbonControl& control);
    void SearchUrl3_Click(const RibbonControl& control);
    void SearchUrl4_Click(const RibbonControl& control);
    void SearchUrl5_Click(const RibbonControl& control);
    void SearchUrl6_Click(const RibbonControl& control);
    void SearchUrl7_Click(const RibbonControl& control);
    void SearchUrl8_Click(const RibbonControl& control);
    void SearchUrl9_Click(const RibbonControl& control);
    void PPTBooks_Click(const RibbonControl& control);
    // Help group.
    void Author_Click(const RibbonControl& control);
    void About_Click(const RibbonControl& control);
    void OnlineHelp_Click(const RibbonControl& control);
    void CheckUpdate_Click(const RibbonControl& control);
    void SharetoWeibo_Click(const RibbonControl& control);
    // This product's share picture and page from the remote descriptor.
    void GetShareUrl(std::string& Piclink, std::string& ShareUrl);

    // Calls the command method named `name`, compared without regard to case
    // as the host's dispatch does; raises UnknownCommand for any other name.
    void Invoke(std::string_view name, const RibbonPress& press);

    // The host application reference; raises the host error while the add-in
    // is not connected.
    host::Application& HostApplication() const;
    AddinContext& Context() const { return context_; }
    // The driver that shows the dialogs; raises the host error when there is none.
    forms::FormDriver& FormDriver() const;

private:
    AddinContext& context_;
    host::Ref<host::Application> application_;
    md_System system_;
};

}  // namespace velmora::addin
