#include <string>
#include <vector>

#include <QAction>
#include <QBoxLayout>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "addin/Connect.hpp"
#include "addin/RibbonDefinition.hpp"
#include "studio/RibbonBar.hpp"

namespace velmora::studio {
namespace {

struct Press {
    std::string onAction;
    std::string id;
    std::string selectedId;
    int selectedIndex = 0;
};

struct Expected {
    std::string id;
    std::string label;
    std::string onAction;
};

class RibbonBarTest : public ::testing::Test {
protected:
    RibbonBarTest()
        : connect_(context_), ribbon_(connect_, [this](const std::string& onAction, const addin::RibbonPress& press) {
              presses_.push_back({onAction, press.control.Id, press.selectedId, press.selectedIndex});
          })
    {
        ribbon_.show();
    }

    // Every control with an onAction in the definition's order; the item
    // gallery stands for its items, which come before its own buttons.
    std::vector<Expected> ExpectedCommands() const
    {
        pugi::xml_document document;
        document.load_string(addin::RibbonDefinition().c_str());
        std::vector<Expected> expected;
        for (const pugi::xpath_node& found : document.select_nodes("//*[@onAction]")) {
            const pugi::xml_node node = found.node();
            const std::string id = node.attribute("id").value();
            if (node.attribute("getItemCount")) {
                const addin::RibbonControl control{id};
                for (std::int16_t i = 0; i < connect_.GetItemCount(control); ++i) {
                    expected.push_back({id + "/" + connect_.GetItemID(control, i), connect_.GetItemLabel(control, i),
                                        node.attribute("onAction").value()});
                }
                continue;
            }
            expected.push_back({id, ShownLabel(node.attribute("label").value()), node.attribute("onAction").value()});
        }
        return expected;
    }

    addin::AddinContext context_;
    addin::Connect connect_;
    std::vector<Press> presses_;
    RibbonBar ribbon_;
};

TEST_F(RibbonBarTest, HoldsEveryCommandInOrderWithItsLabelAndPicture)
{
    const std::vector<Expected> expected = ExpectedCommands();
    const std::vector<QAction*>& commands = ribbon_.Commands();
    ASSERT_EQ(commands.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(commands[i]->objectName().toStdString(), expected[i].id);
        EXPECT_EQ(commands[i]->text().toStdString(), expected[i].label);
        EXPECT_EQ(commands[i]->data().toString().toStdString(), expected[i].onAction);
        EXPECT_FALSE(commands[i]->icon().isNull());
    }
}

TEST_F(RibbonBarTest, GroupsComeInTheDefinitionsOrderWithTheTabLabel)
{
    ASSERT_EQ(ribbon_.count(), 1);
    EXPECT_EQ(ribbon_.tabText(0).toStdString(), "Velmora");
    QLayout* row = ribbon_.widget(0)->layout();
    std::vector<std::string> groups;
    for (int i = 0; i < row->count(); ++i) {
        if (QWidget* group = row->itemAt(i)->widget()) {
            groups.push_back(group->objectName().toStdString());
        }
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"myGroup1", "myGroup3", "myGroup2", "myGroup5", "myGroup4"}));
}

TEST_F(RibbonBarTest, PicturesComeFromTheAddinsCallbacks)
{
    const auto flash = ribbon_.Button("myAddFlash")->defaultAction()->icon().availableSizes();
    ASSERT_FALSE(flash.isEmpty());
    EXPECT_EQ(flash.front(), QSize(42, 42));
    const auto search = ribbon_.Button("PicSearchmenu")->icon().availableSizes();
    ASSERT_FALSE(search.isEmpty());
    EXPECT_EQ(search.front(), QSize(64, 64));
    EXPECT_FALSE(ribbon_.Button("SharetoWeibo")->defaultAction()->icon().isNull());
    // The gallery's items show their covers and their long titles as tips.
    const QAction* item = ribbon_.findChild<QAction*>("PPTBooks/item0");
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->icon().isNull());
    EXPECT_EQ(item->toolTip().toStdString(), connect_.GetItemSupertip({"PPTBooks"}, 0));
}

TEST_F(RibbonBarTest, EveryButtonPressesItsCommandWithItsControl)
{
    for (QAction* command : ribbon_.Commands()) {
        SCOPED_TRACE(command->objectName().toStdString());
        presses_.clear();
        // Buttons on the ribbon's face are clicked; menu entries are chosen.
        QToolButton* face = ribbon_.Button(command->objectName());
        if (face != nullptr && face->defaultAction() == command) {
            QTest::mouseClick(face, Qt::LeftButton);
        } else {
            command->trigger();
        }
        ASSERT_EQ(presses_.size(), 1u);
        EXPECT_EQ(presses_[0].onAction, command->data().toString().toStdString());
        const std::string name = command->objectName().toStdString();
        EXPECT_EQ(presses_[0].id, name.substr(0, name.find('/')));
    }
}

TEST_F(RibbonBarTest, AGalleryItemPressesTheGalleryWithItsIndex)
{
    ribbon_.findChild<QAction*>("PPTBooks/item3")->trigger();
    ASSERT_EQ(presses_.size(), 1u);
    EXPECT_EQ(presses_[0].onAction, "galAction");
    EXPECT_EQ(presses_[0].id, "PPTBooks");
    EXPECT_EQ(presses_[0].selectedId, "item3");
    EXPECT_EQ(presses_[0].selectedIndex, 3);
}

TEST_F(RibbonBarTest, TheUpperHalfOfTheAboutButtonDoesNothing)
{
    QToolButton* about = ribbon_.Button("About");
    ASSERT_NE(about, nullptr);
    about->defaultAction()->trigger();
    EXPECT_TRUE(presses_.empty());
    ASSERT_NE(about->menu(), nullptr);
    EXPECT_EQ(about->menu()->actions().size(), 2);
}

}  // namespace
}  // namespace velmora::studio
