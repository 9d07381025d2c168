// The forms driver over LibreOffice's toolkit, run from this process against
// the headless soffice: the add-in's dialogs as toolkit dialogs, worked by
// the toolkit's own input events and read back through its control models.
#include <chrono>
#include <memory>
#include <sstream>
#include <thread>

#include <com/sun/star/awt/MouseButton.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/awt/XSimpleTabController.hpp>
#include <com/sun/star/awt/XTextComponent.hpp>
#include <com/sun/star/awt/XToolkitRobot.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <gtest/gtest.h>

#include "color/frm_myColor.hpp"
#include "font/frm_setFont.hpp"
#include "host/Application.hpp"
#include "impress/UnoFormDriver.hpp"
#include "impress/UnoFormWindow.hpp"
#include "impress/UnoText.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "publish/frm_CombinPic.hpp"
#include "publish/frm_ExportPic.hpp"
#include "tests/impress/OfficeFixture.hpp"

namespace velmora::testing {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

class ToolkitDialogTest : public ::testing::Test {
protected:
    ToolkitDialogTest() : driver_(Office::Get().context())
    {
        const auto file = dir_.path() / "deck.pptx";
        decks_.BuildNumbered(file, 2);
        presentation_ = decks_.OpenInWindow(file);
        services_.settings = std::make_shared<platform::FileSettingsStore>(dir_.path() / "settings.ini");
        services_.prompts = std::make_shared<platform::ScriptedPrompts>(messages_);
        driver_.SetErrorReport([this](const std::string& error) { errors_ += error + "\n"; });
    }

    impress::UnoFormWindow& Shown(forms::UserForm& form)
    {
        form.Show(false);
        impress::UnoFormWindow* window = driver_.Window(form.Name());
        EXPECT_NE(window, nullptr) << form.Name() << " has no dialog";
        return *window;
    }

    static Reference<css::beans::XPropertySet> Model(const impress::UnoFormWindow& window, const char* control)
    {
        const impress::UnoControlBinding* binding = window.Binding(control);
        EXPECT_NE(binding, nullptr) << control;
        return binding->Model();
    }

    static Any Property(const impress::UnoFormWindow& window, const char* control, const char* property)
    {
        return Model(window, control)->getPropertyValue(rtl::OUString::createFromAscii(property));
    }

    static std::string Text(const impress::UnoFormWindow& window, const char* control, const char* property)
    {
        rtl::OUString text;
        Property(window, control, property) >>= text;
        return impress::FromUno(text);
    }

    static Reference<css::awt::XWindow> Peer(const impress::UnoFormWindow& window, const char* control)
    {
        return Reference<css::awt::XWindow>(window.Binding(control)->Toolkit()->getPeer(), UNO_QUERY_THROW);
    }

    // A click of mouse button 1 at (x, y) of the control's window, or its middle.
    void Click(const impress::UnoFormWindow& window, const char* control, int x = -1, int y = -1) const
    {
        css::awt::MouseEvent event;
        event.Source = Peer(window, control);
        const css::awt::Rectangle area = Peer(window, control)->getPosSize();
        event.X = x >= 0 ? x : area.Width / 2;
        event.Y = y >= 0 ? y : area.Height / 2;
        event.Buttons = css::awt::MouseButton::LEFT;
        event.ClickCount = 1;
        Robot()->mousePress(event);
        Robot()->mouseRelease(event);
    }

    // The box's text replaced by typing, key by key at its end, as the
    // toolkit's edit reports each key to its listeners.
    static void Type(const impress::UnoFormWindow& window, const char* control, const std::string& text)
    {
        const Reference<css::awt::XTextComponent> edit(Peer(window, control), UNO_QUERY_THROW);
        const rtl::OUString keys = impress::ToUno(text);
        for (sal_Int32 i = 0; i < keys.getLength(); ++i) {
            edit->setText((i == 0 ? rtl::OUString() : edit->getText()) + keys.copy(i, 1));
        }
    }

    // The toolkit delivers posted input from its own loop: wait for its effect.
    template <typename Condition>
    static bool Eventually(Condition condition)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    static Reference<css::awt::XToolkitRobot> Robot()
    {
        return Reference<css::awt::XToolkitRobot>(css::awt::Toolkit::create(Office::Get().context()), UNO_QUERY_THROW);
    }

    TempDir dir_;
    DeckHost decks_;
    host::Ref<host::Presentation> presentation_;
    std::ostringstream messages_;
    host::Services services_;
    std::string errors_;
    impress::UnoFormDriver driver_;
};

TEST_F(ToolkitDialogTest, ThePaletteMirrorsClicksTypingBarsSpinsAndOptionsBothWays)
{
    color::frm_myColor palette(driver_, decks_.app(), services_);
    impress::UnoFormWindow& window = Shown(palette);
    EXPECT_EQ(impress::FromUno(Reference<css::beans::XPropertySet>(window.Dialog()->getModel(), UNO_QUERY_THROW)
                                   ->getPropertyValue("Title")
                                   .get<rtl::OUString>()),
              palette.Caption());

    // A click on a base colour label: the display and the blue box show it.
    Click(window, "Label9");
    EXPECT_TRUE(Eventually([&] { return Text(window, "TextBox3", "Text") == "255"; })) << errors_;
    EXPECT_EQ(Property(window, "ScrollBar3", "ScrollValue").get<sal_Int32>(), 255);

    // Typing over the selected text goes key by key through the box's own
    // entry rule; its bar follows.
    Type(window, "TextBox2", "1x2");
    EXPECT_TRUE(Eventually([&] { return Property(window, "ScrollBar2", "ScrollValue").get<sal_Int32>() == 12; }))
        << impress::FromUno(Reference<css::awt::XTextComponent>(Peer(window, "TextBox2"), UNO_QUERY_THROW)->getText())
        << Text(window, "TextBox2", "Text") << " control " << palette.Controls<forms::TextBox>("TextBox2").Text()

        << " errors " << errors_ << " messages " << messages_.str();
    EXPECT_EQ(Text(window, "TextBox2", "Text"), "12");

    // An option button chosen in the toolkit clears the others of its group.
    Click(window, "OptionButton6");
    EXPECT_TRUE(Eventually([&] { return Property(window, "OptionButton6", "State").get<sal_Int16>() == 1; }));
    EXPECT_EQ(Property(window, "OptionButton4", "State").get<sal_Int16>(), 0);
    EXPECT_TRUE(palette.Controls<forms::OptionButton>("OptionButton6").Value());
    EXPECT_EQ(errors_, "");
    driver_.UnloadAll();
}

}  // namespace
}  // namespace velmora::testing
