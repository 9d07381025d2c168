#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "addin/CommandTable.hpp"
#include "addin/Connect.hpp"
#include "addin/RibbonDefinition.hpp"

namespace velmora::addin {
namespace {

std::string Blanks(std::size_t count)
{
    return std::string(count, ' ');
}

class RibbonDefinitionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const pugi::xml_parse_result parsed = document_.load_string(connect_.GetRibbonXML().c_str());
        ASSERT_TRUE(parsed) << parsed.description();
        tab_ = document_.child("customUI").child("ribbon").child("tabs").child("tab");
    }

    pugi::xml_node Control(const char* id) const
    {
        return document_.find_node([&](pugi::xml_node node) { return std::string(node.attribute("id").value()) == id; });
    }

    AddinContext context_;
    Connect connect_{context_};
    pugi::xml_document document_;
    pugi::xml_node tab_;
};

TEST_F(RibbonDefinitionTest, IsOneLineInTheCustomUiNamespace)
{
    const std::string xml = connect_.GetRibbonXML();
    EXPECT_EQ(xml.find('\n'), std::string::npos);
    EXPECT_EQ(xml.find('\r'), std::string::npos);
    const pugi::xml_node root = document_.document_element();
    EXPECT_STREQ(root.name(), "customUI");
    EXPECT_STREQ(root.attribute("xmlns").value(), "http://schemas.microsoft.com/office/2006/01/customui");
    EXPECT_STREQ(root.child("ribbon").attribute("startFromScratch").value(), "false");
    EXPECT_STREQ(tab_.attribute("id").value(), "orvaldiPPTTab");
    EXPECT_STREQ(tab_.attribute("label").value(), "Velmora");
}

TEST_F(RibbonDefinitionTest, EveryRibbonIdReceivesTheFullDefinition)
{
    EXPECT_EQ(connect_.IRibbonExtensibility_GetCustomUI("Microsoft.PowerPoint.Presentation"), connect_.GetRibbonXML());
    EXPECT_EQ(connect_.IRibbonExtensibility_GetCustomUI("Microsoft.Outlook.Mail.Read"), connect_.GetRibbonXML());
}

TEST_F(RibbonDefinitionTest, GroupsRunOneThreeTwoFiveFour)
{
    std::vector<std::pair<std::string, std::string>> groups;
    for (pugi::xml_node group : tab_.children()) {
        EXPECT_STREQ(group.name(), "group");
        groups.emplace_back(group.attribute("id").value(), group.attribute("label").value());
    }
    const std::vector<std::pair<std::string, std::string>> expected{
        {"myGroup1", "设计"}, {"myGroup3", "发布"}, {"myGroup2", "文档"}, {"myGroup5", "资源"}, {"myGroup4", "帮助"}};
    EXPECT_EQ(groups, expected);
}

struct ExpectedControl {
    std::string element;
    std::string id;
    std::string label;
    std::string size;
    std::string image;  // imageMso, or "get:" + the getImage callback
    std::string onAction;
};

// Document order of every control of the tab, labels with their blanks.
std::vector<ExpectedControl> ExpectedControls()
{
    const std::string search = "ZoomPrintPreviewExcel";
    return {
        {"button", "mySetFont", "设置字体" + Blanks(12), "large", "TextEffectGlowGallery", "SetFont_main"},
        {"button", "myGetColor", "屏幕取色" + Blanks(12), "large", "SelectionPane", "GetColor_main"},
        {"button", "mySetColor", "我的调色板" + Blanks(12), "large", "AppointmentColorDialog", "SetColor_main"},
        {"button", "myAddFlash", "插入Flash" + Blanks(11), "large", "get:GetImage", "AddFlash_main"},
        {"button", "myCombinPic", "多页拼图" + Blanks(14), "large", "PictureReflectionGallery", "CombinPic_main"},
        {"button", "myExportPic", "导出高清图" + Blanks(12), "large", "PhotoAlbumInsert", "ExportPic_main"},
        {"button", "myTranstoPic", "转相册格式" + Blanks(12), "large", "SlideMasterPicturePlaceholderInsert",
         "TranstoPic_main"},
        {"gallery", "PersonalMark", "私人印记" + Blanks(11), "large", "FileMarkAsFinal", ""},
        {"button", "AddPersonalMark", "添加印记", "", "FileMarkAsFinal", "AddPersonalMark_Main"},
        {"button", "ReadPersonalMark", "印记检测", "", "SearchUI", "ReadPersonalMark_Main"},
        {"gallery", "ExportComment", "导出备注" + Blanks(11), "large", "ReviewNextComment", ""},
        {"button", "myExportComment_All", "导出全部幻灯片备注", "", "ReviewNextComment", "ExportComment_All_Main"},
        {"button", "myExportComment_Select", "导出选定幻灯片备注", "", "ReviewNextComment", "ExportComment_Select_Main"},
        {"gallery", "DeleteComment", "删除备注" + Blanks(11), "large", "ReviewDeleteComment", ""},
        {"button", "myDeleteComment_All", "删除全部幻灯片备注", "", "ReviewDeleteComment", "DeleteComment_All_Main"},
        {"button", "myDeleteComment_Select", "删除选定幻灯片备注", "", "ReviewDeleteComment",
         "DeleteComment_Select_Main"},
        {"gallery", "RemoveAnimation", "移除动画" + Blanks(11), "large", "StopAnimation", ""},
        {"button", "myRemoveAnimation_All", "移除全部幻灯片动画", "", "StopAnimation", "RemoveAnimation_All_Main"},
        {"button", "myRemoveAnimation_Select", "移除选定幻灯片动画", "", "StopAnimation",
         "RemoveAnimation_Select_Main"},
        {"gallery", "SplitDoc", "拆分文档" + Blanks(11), "large", "PageBreakInsertOrRemove", ""},
        {"button", "mySplitDoc_fromhere", "从当前位置拆分", "", "PageBreakInsertOrRemove", "SplitDoc_fromhere_Main"},
        {"button", "mySplitDoc_selection", "提取当前选定幻灯片", "", "PageBreakInsertOrRemove",
         "SplitDoc_selection_Main"},
        {"menu", "PicSearchmenu", "图片素材" + Blanks(11), "large", "get:GetImage", ""},
        {"menuSeparator", "Menuseparator1", "", "", "", ""},
        {"button", "quanjing", "全景网", "", search, "SearchUrl1_Click"},
        {"button", "Nipic", "昵图网", "", search, "SearchUrl2_Click"},
        {"button", "gettyimages", "GettyImages", "", search, "SearchUrl3_Click"},
        {"button", "Flickr", "Flickr", "", search, "SearchUrl4_Click"},
        {"button", "stockphoto", "StockPhoto", "", search, "SearchUrl5_Click"},
        {"menuSeparator", "Menuseparator2", "", "", "", ""},
        {"button", "IconPng", "爱看图标网", "", search, "SearchUrl6_Click"},
        {"button", "FindIcons", "FindIcons", "", search, "SearchUrl7_Click"},
        {"button", "MrIcons", "Mr.Icons", "", search, "SearchUrl8_Click"},
        {"button", "IconLet", "IconLet", "", search, "SearchUrl9_Click"},
        {"menuSeparator", "Menuseparator3", "", "", "", ""},
        {"button", "myMoreBooks2", "更多资源...", "", "CategoryCollapse", "PPTBooks_Click"},
        {"gallery", "PPTBooks", "专业资源" + Blanks(11), "large", "FormulaMoreFunctionsMenu", "galAction"},
        {"button", "myMoreBooks", "更多资源...", "", "CategoryCollapse", "PPTBooks_Click"},
        {"splitButton", "About", "", "large", "", ""},
        {"button", "Aboutbtn", "关于" + Blanks(1), "", "Info", ""},
        {"menu", "Aboutmenu", "关于", "", "", ""},
        {"button", "AboutAuthor", "关于作者", "", "CondolatoryEvent", "Author_Click"},
        {"button", "AboutAddin", "关于工具包", "", "CategoryCollapse", "About_Click"},
        {"button", "OnlineHelp", "在线帮助", "", "Help", "OnlineHelp_Click"},
        {"button", "CheckUpdate", "检查更新", "", "WorkflowComplete", "CheckUpdate_Click"},
        {"button", "SharetoWeibo", "分享好友", "", "get:GetImage", "SharetoWeibo_Click"},
    };
}

TEST_F(RibbonDefinitionTest, ControlsInOrderWithExactLabelsAndActions)
{
    std::vector<pugi::xml_node> controls;
    for (pugi::xml_node group : tab_.children()) {
        for (pugi::xpath_node found : group.select_nodes(".//*")) {
            controls.push_back(found.node());
        }
    }
    const std::vector<ExpectedControl> expected = ExpectedControls();
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const pugi::xml_node node = controls[i];
        const ExpectedControl& want = expected[i];
        SCOPED_TRACE(want.id);
        EXPECT_EQ(node.name(), want.element);
        EXPECT_EQ(node.attribute("id").value(), want.id);
        EXPECT_EQ(node.attribute("label").value(), want.label);
        EXPECT_EQ(node.attribute("size").value(), want.size);
        const std::string image = node.attribute("getImage") ? "get:" + std::string(node.attribute("getImage").value())
                                                             : node.attribute("imageMso").value();
        EXPECT_EQ(image, want.image);
        EXPECT_EQ(node.attribute("onAction").value(), want.onAction);
    }
}

TEST_F(RibbonDefinitionTest, ControlsSitInTheirContainers)
{
    EXPECT_STREQ(Control("ReadPersonalMark").parent().attribute("id").value(), "PersonalMark");
    EXPECT_STREQ(Control("mySplitDoc_selection").parent().attribute("id").value(), "SplitDoc");
    EXPECT_STREQ(Control("myMoreBooks2").parent().attribute("id").value(), "PicSearchmenu");
    EXPECT_STREQ(Control("myMoreBooks").parent().attribute("id").value(), "PPTBooks");
    EXPECT_STREQ(Control("AboutAddin").parent().attribute("id").value(), "Aboutmenu");
    EXPECT_STREQ(Control("Aboutmenu").parent().attribute("id").value(), "About");
    EXPECT_STREQ(Control("Menuseparator2").attribute("title").value(), "图标");
    EXPECT_STREQ(Control("Menuseparator3").attribute("title").value(), "其他");
}

TEST_F(RibbonDefinitionTest, BookGalleryAttributesAndCallbacks)
{
    const pugi::xml_node gallery = Control("PPTBooks");
    const std::vector<std::pair<const char*, const char*>> expected{
        {"columns", "3"},
        {"rows", "3"},
        {"itemHeight", "90"},
        {"itemWidth", "75"},
        {"showLabel", "true"},
        {"getItemCount", "getItemCount"},
        {"getItemID", "GetItemID"},
        {"getItemLabel", "getItemLabel"},
        {"getItemImage", "GetItemImage"},
        {"getItemSupertip", "getItemSupertip"},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_STREQ(gallery.attribute(name).value(), value) << name;
    }
}

TEST_F(RibbonDefinitionTest, EveryOnActionReachesACommandMethod)
{
    for (pugi::xpath_node found : document_.select_nodes("//*[@onAction]")) {
        const char* onAction = found.node().attribute("onAction").value();
        EXPECT_NE(FindCommand(onAction), nullptr) << onAction;
    }
}

TEST(RibbonCommandsTest, ListsEachOnActionOnceWithItsFirstControl)
{
    const std::vector<RibbonCommand> commands = RibbonCommands();
    ASSERT_EQ(commands.size(), 33u);
    EXPECT_EQ(commands.front().onAction, "SetFont_main");
    EXPECT_EQ(commands.front().controlId, "mySetFont");
    const auto books = std::find_if(commands.begin(), commands.end(),
                                    [](const RibbonCommand& c) { return c.onAction == "PPTBooks_Click"; });
    ASSERT_NE(books, commands.end());
    EXPECT_EQ(books->controlId, "myMoreBooks2");
    EXPECT_EQ(books->label, "更多资源...");
    EXPECT_EQ(commands.back().onAction, "SharetoWeibo_Click");
}

}  // namespace
}  // namespace velmora::addin
