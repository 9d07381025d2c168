#include "addin/RibbonDefinition.hpp"

#include <algorithm>

#include <pugixml.hpp>

namespace velmora::addin {
namespace {

// Built from literal pieces in the host's element order; the trailing blanks
// of the labels are part of the definition (they set the buttons' widths).
std::string BuildDefinition()
{
    std::string xml;
    xml += R"(<customUI xmlns="http://schemas.microsoft.com/office/2006/01/customui">)";
    xml += R"(<ribbon startFromScratch="false"><tabs><tab id="orvaldiPPTTab" label="Velmora">)";

    xml += R"(<group id="myGroup1" label="设计">)";
    xml += R"(<button id="mySetFont" label="设置字体            " size="large" imageMso="TextEffectGlowGallery" onAction="SetFont_main"/>)";
    xml += R"(<button id="myGetColor" label="屏幕取色            " size="large" imageMso="SelectionPane" onAction="GetColor_main"/>)";
    xml += R"(<button id="mySetColor" label="我的调色板            " size="large" imageMso="AppointmentColorDialog" onAction="SetColor_main"/>)";
    xml += R"(<button id="myAddFlash" label="插入Flash           " size="large" getImage="GetImage" onAction="AddFlash_main"/>)";
    xml += R"(</group>)";

    xml += R"(<group id="myGroup3" label="发布">)";
    xml += R"(<button id="myCombinPic" label="多页拼图              " size="large" imageMso="PictureReflectionGallery" onAction="CombinPic_main"/>)";
    xml += R"(<button id="myExportPic" label="导出高清图            " size="large" imageMso="PhotoAlbumInsert" onAction="ExportPic_main"/>)";
    xml += R"(<button id="myTranstoPic" label="转相册格式            " size="large" imageMso="SlideMasterPicturePlaceholderInsert" onAction="TranstoPic_main"/>)";
    xml += R"(<gallery id="PersonalMark" label="私人印记           " size="large" imageMso="FileMarkAsFinal">)";
    xml += R"(<button id="AddPersonalMark" label="添加印记" imageMso="FileMarkAsFinal" onAction="AddPersonalMark_Main"/>)";
    xml += R"(<button id="ReadPersonalMark" label="印记检测" imageMso="SearchUI" onAction="ReadPersonalMark_Main"/>)";
    xml += R"(</gallery>)";
    xml += R"(</group>)";

    xml += R"(<group id="myGroup2" label="文档">)";
    xml += R"(<gallery id="ExportComment" label="导出备注           " size="large" imageMso="ReviewNextComment">)";
    xml += R"(<button id="myExportComment_All" label="导出全部幻灯片备注" imageMso="ReviewNextComment" onAction="ExportComment_All_Main"/>)";
    xml += R"(<button id="myExportComment_Select" label="导出选定幻灯片备注" imageMso="ReviewNextComment" onAction="ExportComment_Select_Main"/>)";
    xml += R"(</gallery>)";
    xml += R"(<gallery id="DeleteComment" label="删除备注           " size="large" imageMso="ReviewDeleteComment">)";
    xml += R"(<button id="myDeleteComment_All" label="删除全部幻灯片备注" imageMso="ReviewDeleteComment" onAction="DeleteComment_All_Main"/>)";
    xml += R"(<button id="myDeleteComment_Select" label="删除选定幻灯片备注" imageMso="ReviewDeleteComment" onAction="DeleteComment_Select_Main"/>)";
    xml += R"(</gallery>)";
    xml += R"(<gallery id="RemoveAnimation" label="移除动画           " size="large" imageMso="StopAnimation">)";
    xml += R"(<button id="myRemoveAnimation_All" label="移除全部幻灯片动画" imageMso="StopAnimation" onAction="RemoveAnimation_All_Main"/>)";
    xml += R"(<button id="myRemoveAnimation_Select" label="移除选定幻灯片动画" imageMso="StopAnimation" onAction="RemoveAnimation_Select_Main"/>)";
    xml += R"(</gallery>)";
    xml += R"(<gallery id="SplitDoc" label="拆分文档           " size="large" imageMso="PageBreakInsertOrRemove">)";
    xml += R"(<button id="mySplitDoc_fromhere" label="从当前位置拆分" imageMso="PageBreakInsertOrRemove" onAction="SplitDoc_fromhere_Main"/>)";
    xml += R"(<button id="mySplitDoc_selection" label="提取当前选定幻灯片" imageMso="PageBreakInsertOrRemove" onAction="SplitDoc_selection_Main"/>)";
    xml += R"(</gallery>)";
    xml += R"(</group>)";

    xml += R"(<group id="myGroup5" label="资源">)";
    xml += R"(<menu id="PicSearchmenu" label="图片素材           " size="large" getImage="GetImage">)";
    xml += R"(<menuSeparator id="Menuseparator1" title="图片"/>)";
    xml += R"(<button id="quanjing" label="全景网" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl1_Click"/>)";
    xml += R"(<button id="Nipic" label="昵图网" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl2_Click"/>)";
    xml += R"(<button id="gettyimages" label="GettyImages" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl3_Click"/>)";
    xml += R"(<button id="Flickr" label="Flickr" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl4_Click"/>)";
    xml += R"(<button id="stockphoto" label="StockPhoto" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl5_Click"/>)";
    xml += R"(<menuSeparator id="Menuseparator2" title="图标"/>)";
    xml += R"(<button id="IconPng" label="爱看图标网" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl6_Click"/>)";
    xml += R"(<button id="FindIcons" label="FindIcons" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl7_Click"/>)";
    xml += R"(<button id="MrIcons" label="Mr.Icons" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl8_Click"/>)";
    xml += R"(<button id="IconLet" label="IconLet" imageMso="ZoomPrintPreviewExcel" onAction="SearchUrl9_Click"/>)";
    xml += R"(<menuSeparator id="Menuseparator3" title="其他"/>)";
    xml += R"(<button id="myMoreBooks2" label="更多资源..." imageMso="CategoryCollapse" onAction="PPTBooks_Click"/>)";
    xml += R"(</menu>)";
    xml += R"(<gallery id="PPTBooks" label="专业资源           " size="large" imageMso="FormulaMoreFunctionsMenu")";
    xml += R"( columns="3" rows="3" itemHeight="90" itemWidth="75" showLabel="true")";
    xml += R"( getItemCount="getItemCount" getItemID="GetItemID" getItemLabel="getItemLabel")";
    xml += R"( getItemImage="GetItemImage" getItemSupertip="getItemSupertip" onAction="galAction">)";
    xml += R"(<button id="myMoreBooks" label="更多资源..." imageMso="CategoryCollapse" onAction="PPTBooks_Click"/>)";
    xml += R"(</gallery>)";
    xml += R"(</group>)";

    xml += R"(<group id="myGroup4" label="帮助">)";
    xml += R"(<splitButton id="About" size="large">)";
    xml += R"(<button id="Aboutbtn" label="关于 " imageMso="Info"/>)";
    xml += R"(<menu id="Aboutmenu" label="关于">)";
    xml += R"(<button id="AboutAuthor" label="关于作者" imageMso="CondolatoryEvent" onAction="Author_Click"/>)";
    xml += R"(<button id="AboutAddin" label="关于工具包" imageMso="CategoryCollapse" onAction="About_Click"/>)";
    xml += R"(</menu>)";
    xml += R"(</splitButton>)";
    xml += R"(<button id="OnlineHelp" label="在线帮助" imageMso="Help" onAction="OnlineHelp_Click"/>)";
    xml += R"(<button id="CheckUpdate" label="检查更新" imageMso="WorkflowComplete" onAction="CheckUpdate_Click"/>)";
    xml += R"(<button id="SharetoWeibo" label="分享好友" getImage="GetImage" onAction="SharetoWeibo_Click"/>)";
    xml += R"(</group>)";

    xml += R"(</tab></tabs></ribbon></customUI>)";
    return xml;
}

}  // namespace

const std::string& RibbonDefinition()
{
    static const std::string definition = BuildDefinition();
    return definition;
}

std::vector<RibbonCommand> RibbonCommands()
{
    pugi::xml_document document;
    document.load_string(RibbonDefinition().c_str());
    std::vector<RibbonCommand> commands;
    for (const pugi::xpath_node& found : document.select_nodes("//*[@onAction]")) {
        const pugi::xml_node control = found.node();
        const std::string onAction = control.attribute("onAction").value();
        const bool known = std::ranges::any_of(
            commands, [&](const RibbonCommand& command) { return command.onAction == onAction; });
        if (!known) {
            const pugi::xml_node group = control.select_node("ancestor::*[local-name()='group']").node();
            commands.push_back({onAction, control.attribute("id").value(), control.attribute("label").value(),
                                group.attribute("label").value()});
        }
    }
    return commands;
}

}  // namespace velmora::addin
