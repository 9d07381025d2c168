// The Velmora menu and toolbar as Impress's configuration holds them once
// the extension is installed.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "addin/RibbonDefinition.hpp"
#include "impress/AddonsWriter.hpp"
#include "impress/UnoText.hpp"
#include "tests/impress/OfficeFixture.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

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

// The pictures Impress draws on the toolbar's buttons: the Images set binds
// each command's address to files of the installed extension.
TEST(ImpressUi, EveryToolbarCommandHasPicturesImpressReadsAtTheButtonsSizes)
{
    std::vector<std::string> urls;
    Urls(Node(kAddons + "OfficeToolBar/" + impress::kToolbarName), urls);
    std::erase(urls, "private:separator");
    ASSERT_GE(urls.size(), 40u);
    const auto images = Node(kAddons + "Images");
    std::map<std::string, Reference<XNameAccess>> byUrl;
    for (const rtl::OUString& name : images->getElementNames()) {
        const Reference<XNameAccess> image(images->getByName(name), UNO_QUERY_THROW);
        byUrl[Text(image, "URL")] = Reference<XNameAccess>(image->getByName("UserDefinedImages"), UNO_QUERY_THROW);
    }
    const auto provider = css::graphic::GraphicProvider::create(Office::Get().context());
    for (const std::string& url : urls) {
        ASSERT_TRUE(byUrl.contains(url)) << url << " has no pictures";
        for (const auto& [property, size] : {std::pair{"ImageSmallURL", 16}, std::pair{"ImageBigURL", 26}}) {
            const auto graphic = provider->queryGraphic(
                impress::SequenceOf({impress::Named("URL", Any(impress::ToUno(Text(byUrl[url], property))))}));
            ASSERT_TRUE(graphic.is()) << url << " " << property;
            const auto drawn = Reference<css::beans::XPropertySet>(graphic, UNO_QUERY_THROW)
                                   ->getPropertyValue("SizePixel")
                                   .get<css::awt::Size>();
            EXPECT_EQ(drawn.Width, size) << url << " " << property;
            EXPECT_EQ(drawn.Height, size) << url << " " << property;
        }
    }
}

// What the Extension Manager shows of the extension: every file its
// description names is in the package, and unopkg reads the description.
TEST(ImpressPackage, TheDescriptionNamesFilesThePackageHoldsAndTheLicenceIsAskedFor)
{
    pugi::xml_document description;
    ASSERT_TRUE(description.load_string(ReadEntry(VELMORA_OXT, "description.xml").value_or("").c_str()));
    const std::vector<std::string> entries = EntryNames(VELMORA_OXT);
    std::vector<std::string> named;
    for (const pugi::xpath_node& link : description.select_nodes("//@*[name()='xlink:href']")) {
        const std::string target = link.attribute().value();
        if (!target.starts_with("http")) {
            named.push_back(target);
            EXPECT_NE(std::find(entries.begin(), entries.end(), target), entries.end()) << target;
        }
    }
    for (const char* part : {"icon/default", "extension-description/src[@lang='zh-CN']",
                             "extension-description/src[@lang='en']", "registration/simple-license/license-text"}) {
        EXPECT_TRUE(description.select_node((std::string("/*[local-name()='description']/") + part).c_str()))
            << part;
    }
    EXPECT_TRUE(description.select_node("//*[local-name()='publisher']/*[starts-with(@xlink:href, 'http')]"));
    EXPECT_EQ(named.size(), 5u);

    TempDir dir;
    const std::vector<std::string> layers{"-env:UserInstallation=file://" + (dir.path() / "profile").string(),
                                          "-env:UNO_SHARED_PACKAGES_CACHE=file://" + (dir.path() / "shared").string()};
    std::vector<std::string> add{"unopkg", "add", "--shared", VELMORA_OXT};
    add.insert(add.end(), layers.begin(), layers.end());
    // Nobody answers: the licence is shown and the installation does not go ahead.
    const ProcessResult unanswered = RunProcess(add, std::chrono::seconds(120));
    EXPECT_NE(unanswered.status, 0);
    EXPECT_NE(unanswered.out.find("By installing the software you accept these terms."), std::string::npos)
        << unanswered.out << unanswered.err;
    add.insert(add.begin() + 3, "--suppress-license");
    ASSERT_EQ(RunProcess(add, std::chrono::seconds(120)).status, 0);
    std::vector<std::string> list{"unopkg", "list", "--shared"};
    list.insert(list.end(), layers.begin(), layers.end());
    const ProcessResult listed = RunProcess(list, std::chrono::seconds(120));
    EXPECT_NE(listed.out.find("Description: Velmora presentation toolkit"), std::string::npos) << listed.out;
}

}  // namespace
}  // namespace velmora::testing
