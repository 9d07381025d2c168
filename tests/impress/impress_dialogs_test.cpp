// The forms driver over LibreOffice's toolkit, run from this process against
// the headless soffice: the add-in's dialogs as toolkit dialogs, worked by
// the toolkit's own input events and read back through its control models.
#include <algorithm>
#include <chrono>
#include <fstream>
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
#include <com/sun/star/container/XNameAccess.hpp>
#include <gtest/gtest.h>

#include "cli/ScriptedScreen.hpp"
#include "color/frm_Colorpicker.hpp"
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
    // The box's whole new text in one edit, as a paste or an input method
    // gives it: the binding still passes it on key by key. One edit, because
    // a remote client's later edits could overtake the toolkit's echo of
    // earlier ones.
    static void Type(const impress::UnoFormWindow& window, const char* control, const std::string& text)
    {
        const Reference<css::awt::XTextComponent> edit(Peer(window, control), UNO_QUERY_THROW);
        edit->setText(impress::ToUno(text));
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

    // Every control's model shows its control's state, tip and place.
    static void ExpectMirrored(const impress::UnoFormWindow& window)
    {
        for (const forms::Control* control : window.Form().Controls()) {
            const auto model = Model(window, control->Name().c_str());
            const auto has = [&](const char* name) {
                return model->getPropertySetInfo()->hasPropertyByName(rtl::OUString::createFromAscii(name));
            };
            if (has("Enabled")) {
                EXPECT_EQ(model->getPropertyValue("Enabled").get<bool>(), control->Enabled()) << control->Name();
            }
            if (has("EnableVisible")) {
                EXPECT_EQ(model->getPropertyValue("EnableVisible").get<bool>(), control->Visible()) << control->Name();
            }
            if (has("HelpText")) {
                EXPECT_EQ(impress::FromUno(model->getPropertyValue("HelpText").get<rtl::OUString>()),
                          control->ControlTipText())
                    << control->Name();
            }
        }
    }

    // A's and B's left edges, in the dialog's units, stand as in points.
    static void ExpectPlacedAsInPoints(const impress::UnoFormWindow& window, const char* a, const char* b)
    {
        const double wanted = window.Form().Controls(a).Left() / window.Form().Controls(b).Left();
        const double drawn = static_cast<double>(Property(window, a, "PositionX").get<sal_Int32>()) /
                             Property(window, b, "PositionX").get<sal_Int32>();
        EXPECT_NEAR(drawn, wanted, 0.03) << a << " and " << b;
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

TEST_F(ToolkitDialogTest, ThePaletteMirrorsClicksTypingSpinsBarsAndOptionsBothWays)
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
        << Text(window, "TextBox2", "Text");
    EXPECT_EQ(Text(window, "TextBox2", "Text"), "12");

    // The spin button's right arrow steps its value; the program's caption change shows.
    const css::awt::Rectangle spin = Peer(window, "SpinButton1")->getPosSize();
    Click(window, "SpinButton1", spin.Width * 3 / 4, spin.Height / 2);
    EXPECT_TRUE(Eventually([&] { return Text(window, "L_Deep", "Label") == "60%"; }))
        << palette.Controls<forms::SpinButton>("SpinButton1").Value();

    // An option button chosen in the toolkit clears the others of its group.
    Click(window, "OptionButton6");
    EXPECT_TRUE(Eventually([&] { return Property(window, "OptionButton6", "State").get<sal_Int16>() == 1; }));
    EXPECT_EQ(Property(window, "OptionButton4", "State").get<sal_Int16>(), 0);
    EXPECT_TRUE(palette.Controls<forms::OptionButton>("OptionButton6").Value());
    ExpectMirrored(window);
    EXPECT_EQ(errors_, "");
    driver_.UnloadAll();
}

TEST_F(ToolkitDialogTest, TheFontDialogMirrorsTabsChecksCombosAndButtonsAndClosesWithCancel)
{
    font::frm_setFont dialog(driver_, decks_.app(), services_, font::SetFontModule());
    impress::UnoFormWindow& window = Shown(dialog);
    ExpectMirrored(window);
    ExpectPlacedAsInPoints(window, "CommandButton2", "CommandButton1");
    EXPECT_EQ(Text(window, "CommandButton1", "Label"), "确定(~O)");
    EXPECT_TRUE(Property(window, "CommandButton1", "DefaultButton").get<bool>());
    EXPECT_EQ(Text(window, "Frame4", "Label"), "字体");

    // The second tab chosen in the toolkit shows the page; the program's choice shows on the tabs.
    const Reference<css::awt::XSimpleTabController> tabs(window.Binding("MultiPage1")->Toolkit(), UNO_QUERY_THROW);
    tabs->activateTab(2);
    EXPECT_TRUE(Eventually([&] { return dialog.MultiPage1.Value() == 1; }));
    driver_.Dispatch([&] { dialog.MultiPage1.SetValue(0); });
    EXPECT_EQ(Property(window, "MultiPage1", "MultiPageValue").get<sal_Int32>(), 1);

    // A check box clicked toggles its control; the program's change of another shows at once.
    const bool checked = dialog.CheckBox1.Value();
    Click(window, "CheckBox1");
    EXPECT_TRUE(Eventually([&] { return dialog.CheckBox1.Value() != checked; }));
    EXPECT_EQ(Property(window, "CheckBox1", "State").get<sal_Int16>(), checked ? 0 : 1);
    driver_.Dispatch([&] {
        dialog.CheckBox9.SetEnabled(false);
        dialog.CheckBox9.SetControlTipText("不可用");
    });
    EXPECT_FALSE(Property(window, "CheckBox9", "Enabled").get<bool>());
    EXPECT_EQ(Text(window, "CheckBox9", "HelpText"), "不可用");

    // A size typed into the combo box reaches its control.
    Type(window, "ComboBox3", "24");
    EXPECT_EQ(dialog.ComboBox3.Text(), "24");

    // Cancel unloads the form and takes its dialog down.
    Click(window, "CommandButton2");
    EXPECT_TRUE(Eventually([&] { return !dialog.IsLoaded(); }));
    EXPECT_EQ(driver_.Window("frm_setFont"), nullptr);
    EXPECT_EQ(errors_, "");
}

TEST_F(ToolkitDialogTest, ThePictureExportAndMontageDialogsShowTheirControlsAsTheFormsHaveThem)
{
    publish::frm_ExportPic exporter(driver_, decks_.app(), services_);
    ExpectMirrored(Shown(exporter));
    publish::frm_CombinPic montage(driver_, decks_.app(), services_, font::SetFontModule());
    ExpectMirrored(Shown(montage));
    EXPECT_NE(driver_.Window("frm_ExportPic"), nullptr);
    driver_.UnloadAll();
    EXPECT_EQ(driver_.Window("frm_CombinPic"), nullptr);
    EXPECT_EQ(errors_, "");
}

// The picker over a screen of the demo deck's blue: what the toolkit draws
// above what, read from the order of the dialog's models (the first above).
TEST_F(ToolkitDialogTest, ThePickerDrawsItsTargetsAboveTheirFrameAndItsArrowAboveItsButton)
{
    const auto screen = dir_.path() / "blue.ppm";
    std::ofstream(screen, std::ios::binary) << "P6\n1 1\n255\n" << '\x2E' << '\x70' << '\xB4';
    auto scripted = std::make_shared<cli::ScriptedScreen>(screen, host::ScreenPoint{0, 0});
    services_.screen = scripted;
    color::md_ColorPicker module;
    color::frm_Colorpicker picker(driver_, decks_.app(), services_, module);
    impress::UnoFormWindow& window = Shown(picker);
    const auto names = Reference<css::container::XNameAccess>(window.Dialog()->getModel(), UNO_QUERY_THROW)
                           ->getElementNames();
    const auto place = [&](const char* name) {
        return std::find(names.begin(), names.end(), rtl::OUString::createFromAscii(name)) - names.begin();
    };
    for (const char* target : {"OptionButton1", "OptionButton2", "OptionButton3"}) {
        EXPECT_LT(place(target), place("Frame1")) << target;
    }
    EXPECT_LT(place("Lab_Color8"), place("Frame2"));
    EXPECT_LT(place("Opt_Color1"), place("Frame2"));
    EXPECT_LT(place("Lab_arrow"), place("Cmd_Extra"));
    EXPECT_LT(place("Img_Lock"), place("Lab_Color0"));
    // Controls that do not overlap keep the order they were made in, which is the order of Tab.
    EXPECT_LT(place("Label1"), place("Label5"));
    EXPECT_EQ(Text(window, "OptionButton1", "Label"), "填充");
    EXPECT_EQ(Text(window, "Lab_arrow", "Label"), "▼");

    // The readouts as the command line shows them: the hexadecimal digits blue first.
    driver_.Dispatch([&] { scripted->Tick(); });
    EXPECT_EQ(Text(window, "Label6", "Label"), "46,112,180");
    EXPECT_EQ(Text(window, "Label7", "Label"), "B4702E");
    driver_.UnloadAll();
    EXPECT_EQ(errors_, "");
}

// Headless soffice shows no modal dialog: its loop ends at once and the
// form closes as its close box closes it, instead of waiting for ever.
TEST_F(ToolkitDialogTest, AModalDialogTheOfficeCannotShowClosesItsForm)
{
    font::frm_setFont dialog(driver_, decks_.app(), services_, font::SetFontModule());
    dialog.Show(true);
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(driver_.Window("frm_setFont"), nullptr);
}

}  // namespace
}  // namespace velmora::testing
