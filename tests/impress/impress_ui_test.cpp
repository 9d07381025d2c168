// The Velmora menu and toolbar as Impress's configuration holds them once
// the extension is installed.
#include <algorithm>
#include <string>
#include <vector>

#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <gtest/gtest.h>

#include "addin/RibbonDefinition.hpp"
#include "impress/AddonsWriter.hpp"
#include "impress/UnoText.hpp"
#include "tests/impress/OfficeFixture.hpp"

namespace velmora::testing {
namespace {

using css::container::XNameAccess;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

Reference<XNameAccess> Node(const std::string& path)
{
    const auto provider = css::configuration::theDefaultProvider::get(Office::Get().context());
    return Reference<XNameAccess>(
        provider->createInstanceWithArguments(
            "com.sun.star.configuration.ConfigurationAccess",
            impress::SequenceOf({Any(impress::Named("nodepath", Any(impress::ToUno(path))))})),
        UNO_QUERY_THROW);
}

std::string Text(const Reference<XNameAccess>& item, const char* name)
{
    rtl::OUString value;
    item->getByName(rtl::OUString::createFromAscii(name)) >>= value;
    return impress::FromUno(value);
}

// The entries' addresses in menu order (members are ordered by name), with
// their submenus' addresses in place.
void Urls(const Reference<XNameAccess>& set, std::vector<std::string>& urls)
{
    auto names = set->getElementNames();
    std::vector<rtl::OUString> ordered(names.begin(), names.end());
    std::sort(ordered.begin(), ordered.end());
    for (const rtl::OUString& name : ordered) {
        const Reference<XNameAccess> item(set->getByName(name), UNO_QUERY_THROW);
        if (const std::string url = Text(item, "URL"); !url.empty()) {
            urls.push_back(url);
        }
        if (item->hasByName("Submenu")) {
            Urls(Reference<XNameAccess>(item->getByName("Submenu"), UNO_QUERY_THROW), urls);
        }
    }
}

// Each onAction once, in the order it first appears.
std::vector<std::string> Commands(const std::vector<std::string>& urls)
{
    std::vector<std::string> commands;
    for (const std::string& url : urls) {
        if (!url.starts_with(impress::kProtocol)) {
            continue;
        }
        const std::string command =
            url.substr(std::string(impress::kProtocol).size(), url.find('?') - std::string(impress::kProtocol).size());
        if (std::find(commands.begin(), commands.end(), command) == commands.end()) {
            commands.push_back(command);
        }
    }
    return commands;
}

std::vector<std::string> RibbonOrder()
{
    std::vector<std::string> commands;
    for (const addin::RibbonCommand& command : addin::RibbonCommands()) {
        commands.push_back(command.onAction);
    }
    return commands;
}

const std::string kAddons = "/org.openoffice.Office.Addons/AddonUI/";

TEST(ImpressUi, MenuHoldsEveryRibbonCommandInOrderInGroupSubmenus)
{
    const auto menu = Node(kAddons + "OfficeMenuBar/" + impress::kMenuName);
    EXPECT_EQ(Text(menu, "Title"), "Velmora");
    const Reference<XNameAccess> groups(menu->getByName("Submenu"), UNO_QUERY_THROW);
    std::vector<std::string> titles;
    for (const char* name : {"m001", "m002", "m003", "m004", "m005"}) {
        titles.push_back(Text(
            Reference<XNameAccess>(groups->getByName(rtl::OUString::createFromAscii(name)), UNO_QUERY_THROW), "Title"));
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"设计", "发布", "文档", "资源", "帮助"}));
    std::vector<std::string> urls;
    Urls(groups, urls);
    EXPECT_EQ(Commands(urls), RibbonOrder());
    // The gallery's nine books are items of its submenu.
    EXPECT_EQ(std::count_if(urls.begin(), urls.end(),
                            [](const std::string& url) { return url.find("index=") != std::string::npos; }),
              9);
}

TEST(ImpressUi, ToolbarHoldsEveryRibbonCommandInOrderWithGroupsApart)
{
    std::vector<std::string> urls;
    Urls(Node(kAddons + "OfficeToolBar/" + impress::kToolbarName), urls);
    EXPECT_EQ(Commands(urls), RibbonOrder());
    EXPECT_EQ(std::count(urls.begin(), urls.end(), "private:separator"), 4);

    const Reference<XNameAccess> state(
        Node("/org.openoffice.Office.UI.ImpressWindowState/UIElements/States")
            ->getByName(impress::ToUno(std::string("private:resource/toolbar/addon_") + impress::kToolbarName)),
        UNO_QUERY_THROW);
    EXPECT_EQ(Text(state, "UIName"), "Velmora");
    bool visible = false;
    state->getByName("Visible") >>= visible;
    EXPECT_TRUE(visible);
}

}  // namespace
}  // namespace velmora::testing
