// The extension in the desktop Impress under Xvfb, worked with the mouse and
// keyboard through xdotool. Where a control is on the screen is read from
// the office's accessibility tree, as a screen reader finds it.
#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/accessibility/AccessibleRole.hpp>
#include <com/sun/star/accessibility/AccessibleStateType.hpp>
#include <com/sun/star/accessibility/XAccessible.hpp>
#include <com/sun/star/accessibility/XAccessibleComponent.hpp>
#include <com/sun/star/accessibility/XAccessibleContext.hpp>
#include <com/sun/star/accessibility/XAccessibleStateSet.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/ui/XUIElement.hpp>
#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "host/Prompts.hpp"
#include "impress/AddonsWriter.hpp"
#include "impress/UnoText.hpp"
#include "tests/impress/OfficeFixture.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/Desktop.hpp"

namespace velmora::testing {
namespace {

using namespace std::chrono_literals;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
namespace a11y = css::accessibility;

struct Spot {
    std::string name;
    sal_Int16 role = 0;
    bool checked = false;
    sal_Int32 background = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Every visible node under `root`, with its place on the screen.
std::vector<Spot> SpotsUnder(const Reference<a11y::XAccessible>& root)
{
    std::vector<Spot> spots;
    std::function<void(const Reference<a11y::XAccessibleContext>&, int)> walk =
        [&](const Reference<a11y::XAccessibleContext>& context, int depth) {
            if (!context.is() || depth > 12) {
                return;
            }
            const Reference<a11y::XAccessibleComponent> component(context, UNO_QUERY);
            if (component.is()) {
                const auto at = component->getLocationOnScreen();
                const auto size = component->getSize();
                const auto states = context->getAccessibleStateSet();
                spots.push_back({impress::FromUno(context->getAccessibleName()), context->getAccessibleRole(),
                                 states.is() && states->contains(a11y::AccessibleStateType::CHECKED),
                                 component->getBackground(), at.X, at.Y, size.Width, size.Height});
            }
            const auto count = context->getAccessibleChildCount();
            for (std::remove_const_t<decltype(count)> i = 0; i < count && i < 500; ++i) {
                const auto child = context->getAccessibleChild(i);
                if (child.is()) {
                    walk(child->getAccessibleContext(), depth + 1);
                }
            }
        };
    walk(root->getAccessibleContext(), 0);
    return spots;
}

std::optional<Spot> Named(const std::vector<Spot>& spots, const std::string& name, sal_Int16 role)
{
    for (const Spot& spot : spots) {
        if (spot.name == name && spot.role == role && spot.width > 0) {
            return spot;
        }
    }
    return std::nullopt;
}

void ClickAt(int x, int y)
{
    Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
    std::this_thread::sleep_for(300ms);
}

void Click(const Spot& spot)
{
    ClickAt(spot.x + spot.width / 2, spot.y + spot.height / 2);
}

// Retries `find` until it gives a place, for up to `limit`.
Spot WaitFor(const std::function<std::optional<Spot>()>& find, const std::string& what,
             std::chrono::seconds limit = 30s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (auto spot = find()) {
            return *spot;
        }
        std::this_thread::sleep_for(250ms);
    }
    throw std::runtime_error("not on the screen: " + what);
}

// The Velmora toolbar of the deck's window, by its items.
std::vector<Spot> ToolbarItems(const LiveDeck& deck)
{
    const Reference<css::beans::XPropertySet> frame(deck.model()->getCurrentController()->getFrame(),
                                                    UNO_QUERY_THROW);
    const Reference<css::frame::XLayoutManager> layout(frame->getPropertyValue("LayoutManager"), UNO_QUERY_THROW);
    for (const auto& element : layout->getElements()) {
        if (impress::FromUno(element->getResourceURL()).find("private:resource/toolbar/addon_") == 0) {
            return SpotsUnder(Reference<a11y::XAccessible>(element->getRealInterface(), UNO_QUERY_THROW));
        }
    }
    return {};
}

// The nodes of the office's top window whose title is `title`, once it shows.
// A window being closed (the last test's dialog) may be disposed under the
// walk: it is passed over.
std::optional<std::vector<Spot>> Window(const std::string& title)
{
    for (const auto& top : Office::Get().TopWindows()) {
        try {
            const Reference<a11y::XAccessible> window(top, UNO_QUERY);
            const auto context = window.is() ? window->getAccessibleContext() : nullptr;
            if (!context.is()) {
                continue;
            }
            const auto states = context->getAccessibleStateSet();
            // A closed window may stay on the list for a while, no longer showing.
            if (impress::FromUno(context->getAccessibleName()) == title && states.is() &&
                states->contains(a11y::AccessibleStateType::SHOWING)) {
                return SpotsUnder(window);
            }
        } catch (const css::lang::DisposedException&) {
        }
    }
    return std::nullopt;
}

// The control `name` of the open window titled `window`, once it shows.
Spot Find(const std::string& window, const std::string& name, sal_Int16 role)
{
    return WaitFor([&] { return Named(Window(window).value_or(std::vector<Spot>{}), name, role); }, name);
}

// Clicks a check box or option button until it shows checked: a dialog that
// is still drawing itself may miss a click.
void Check(const std::string& window, const std::string& name, sal_Int16 role)
{
    for (int click = 0; click < 3 && !Find(window, name, role).checked; ++click) {
        Click(Find(window, name, role));
    }
    EXPECT_TRUE(Find(window, name, role).checked) << name;
}

// Presses Enter on the add-in's message box that starts with `text`, and
// gives the whole text. Enter goes to the box once the pointer (which X
// without a window manager follows with the keys) is on it.
std::string PressEnterOnMessage(const std::string& text, std::chrono::seconds limit = 30s)
{
    const Spot message = WaitFor(
        [&]() -> std::optional<Spot> {
            for (const Spot& spot : Window(host::kTitle).value_or(std::vector<Spot>{})) {
                if (spot.role == a11y::AccessibleRole::STATIC && spot.name.starts_with(text)) {
                    return spot;
                }
            }
            return std::nullopt;
        },
        text, limit);
    Click(message);
    Xdotool({"key", "Return"});
    return message.name;
}

// Presses OK on the message box that starts with `text` and waits until it closes.
std::string AcceptMessage(const std::string& text, std::chrono::seconds limit = 30s)
{
    const std::string shown = PressEnterOnMessage(text, limit);
    WaitFor([] { return Window(host::kTitle) ? std::nullopt : std::optional<Spot>(Spot{}); }, "the message closing");
    return shown;
}

// The combo box nearest to the right of `label`, on its line.
std::optional<Spot> ComboBeside(const std::vector<Spot>& spots, const Spot& label)
{
    std::optional<Spot> nearest;
    for (const Spot& spot : spots) {
        const bool onLine = std::abs((spot.y + spot.height / 2) - (label.y + label.height / 2)) < label.height;
        if (spot.role == a11y::AccessibleRole::COMBO_BOX && onLine && spot.x >= label.x + label.width / 2 &&
            (!nearest || spot.x < nearest->x)) {
            nearest = spot;
        }
    }
    return nearest;
}

// Replaces a combo box's text as the user does: click into it, select all, type.
void TypeInto(const Spot& combo, const std::string& text)
{
    ClickAt(combo.x + combo.width / 3, combo.y + combo.height / 2);
    Xdotool({"key", "ctrl+a"});
    Xdotool({"type", "--delay", "30", text});
    std::this_thread::sleep_for(300ms);
}

// The labels drawn inside the frame captioned `frame`: the palette's swatches.
std::vector<Spot> SwatchesIn(const std::vector<Spot>& spots, const std::string& frame)
{
    const auto box = Named(spots, frame, a11y::AccessibleRole::GROUP_BOX);
    std::vector<Spot> swatches;
    for (const Spot& spot : spots) {
        if (box && spot.role == a11y::AccessibleRole::LABEL && spot.width > 0 && spot.x > box->x &&
            spot.y > box->y && spot.x + spot.width < box->x + box->width &&
            spot.y + spot.height < box->y + box->height) {
            swatches.push_back(spot);
        }
    }
    return swatches;
}

struct TitleLook {
    double size = 0;
    std::string asianFont;
};

std::vector<TitleLook> TitleLooks(const std::filesystem::path& file)
{
    std::vector<TitleLook> looks;
    DeckHost decks;
    const auto slides = decks.Open(file)->Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        const auto font = slides->Item(i)->Shapes()->Placeholders()->Item(1)->TextFrame()->TextRange()->Font();
        looks.push_back({font->Size(), font->NameFarEast()});
    }
    return looks;
}

// The deck's window's docked toolbars that lie along a row, by resource
// name, where they are drawn on the screen.
std::vector<Spot> DockedRows(const LiveDeck& deck)
{
    const Reference<css::beans::XPropertySet> frame(deck.model()->getCurrentController()->getFrame(),
                                                    UNO_QUERY_THROW);
    const Reference<css::frame::XLayoutManager> layout(frame->getPropertyValue("LayoutManager"), UNO_QUERY_THROW);
    std::vector<Spot> bars;
    for (const auto& element : layout->getElements()) {
        const rtl::OUString name = element->getResourceURL();
        const Reference<a11y::XAccessible> drawn(element->getRealInterface(), UNO_QUERY);
        if (!name.startsWith("private:resource/toolbar/") || !layout->isElementVisible(name) ||
            !layout->isElementDocked(name) || !drawn.is()) {
            continue;
        }
        const std::vector<Spot> spots = SpotsUnder(drawn);
        if (!spots.empty() && spots.front().width > spots.front().height) {
            bars.push_back(spots.front());
            bars.back().name = impress::FromUno(name);
        }
    }
    return bars;
}

const std::string kVelmoraBar = std::string("private:resource/toolbar/addon_") + impress::kToolbarName;

// The item of Impress's own Standard toolbar whose name starts so, where it
// is drawn on the bar itself and not put behind the overflow button.
std::optional<Spot> OnStandardBar(const LiveDeck& deck, const std::string& name)
{
    const Reference<css::beans::XPropertySet> frame(deck.model()->getCurrentController()->getFrame(),
                                                    UNO_QUERY_THROW);
    const Reference<css::frame::XLayoutManager> layout(frame->getPropertyValue("LayoutManager"), UNO_QUERY_THROW);
    const auto element = layout->getElement("private:resource/toolbar/standardbar");
    if (!element.is()) {
        return std::nullopt;
    }
    const std::vector<Spot> spots =
        SpotsUnder(Reference<a11y::XAccessible>(element->getRealInterface(), UNO_QUERY_THROW));
    if (spots.empty()) {
        return std::nullopt;
    }
    const Spot& bar = spots.front();
    for (const Spot& spot : spots) {
        if (spot.name.starts_with(name) && spot.width > 0 && spot.x >= bar.x &&
            spot.x + spot.width <= bar.x + bar.width) {
            return spot;
        }
    }
    return std::nullopt;
}

TEST(ImpressDesktop, TheToolbarShowsPicturesOnARowOfItsOwnAndImpressKeepsItsStandardBar)
{
    Office& office = Office::OnDesktop();
    const auto deck = office.folder() / "toolbar.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}});
    LiveDeck live(deck);
    WaitFor([&] { return Named(ToolbarItems(live), "设置字体", a11y::AccessibleRole::PUSH_BUTTON); },
            "the toolbar's 设置字体");
    const std::vector<Spot> bars = DockedRows(live);
    const auto velmora = std::find_if(bars.begin(), bars.end(), [](const Spot& bar) { return bar.name == kVelmoraBar; });
    ASSERT_NE(velmora, bars.end());
    for (const Spot& bar : bars) {
        const bool sameRow = bar.y < velmora->y + velmora->height && velmora->y < bar.y + bar.height;
        EXPECT_TRUE(bar.name == kVelmoraBar || !sameRow) << bar.name << " shares the Velmora toolbar's row";
        EXPECT_TRUE(bar.name == kVelmoraBar || bar.y < velmora->y) << bar.name << " is pushed below the Velmora toolbar";
    }
    EXPECT_TRUE(OnStandardBar(live, "Save")) << "Save is behind the Standard toolbar's overflow";
    EXPECT_TRUE(OnStandardBar(live, "Undo")) << "Undo is behind the Standard toolbar's overflow";

    // Every command is a picture on the bar itself: a row, no overflow.
    const std::vector<Spot> items = ToolbarItems(live);
    ASSERT_FALSE(items.empty());
    const Spot& toolbar = items.front();
    int buttons = 0;
    for (const Spot& item : items) {
        if (item.role != a11y::AccessibleRole::PUSH_BUTTON) {
            continue;
        }
        ++buttons;
        EXPECT_LT(item.width, 2 * item.height) << item.name << " is drawn as text";
        EXPECT_LE(item.x + item.width, toolbar.x + toolbar.width) << item.name << " is behind the overflow";
    }
    EXPECT_GE(buttons, 40);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/impress-toolbar.png");
}

TEST(ImpressDesktop, TheInputBoxButtonsReadInChinese)
{
    Office& office = Office::OnDesktop();
    const auto deck = office.folder() / "mark.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}});
    LiveDeck live(deck);
    Click(WaitFor([&] { return Named(ToolbarItems(live), "添加印记", a11y::AccessibleRole::PUSH_BUTTON); },
                  "the toolbar's 添加印记"));
    const std::string title = "设置私人印记";
    const Spot cancel = Find(title, "取消", a11y::AccessibleRole::PUSH_BUTTON);
    EXPECT_TRUE(Named(Window(title).value_or(std::vector<Spot>{}), "确定", a11y::AccessibleRole::PUSH_BUTTON));
    // Drawn, for the screenshot.
    WaitFor(
        [&] {
            return ColoursOnScreen(VELMORA_FBDIR, cancel.x, cancel.y, cancel.width, cancel.height) > 2
                       ? std::optional<Spot>(cancel)
                       : std::nullopt;
        },
        "the input box drawn");
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/impress-input-box.png");
    Click(cancel);
    AcceptMessage("信息输入错误！");
}

TEST(ImpressDesktop, ThePickerDrawsItsTargetsItsArrowAndOnExpandingItsFavourites)
{
    Office& office = Office::OnDesktop();
    const auto deck = office.folder() / "picker.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}});
    LiveDeck live(deck);
    Click(WaitFor([&] { return Named(ToolbarItems(live), "屏幕取色", a11y::AccessibleRole::PUSH_BUTTON); },
                  "the toolbar's 屏幕取色"));
    const std::string title = "锁定取色：按任意键";
    // Each is drawn: not hidden under the frame's plain box or the button.
    const auto drawn = [](const Spot& spot) {
        return ColoursOnScreen(VELMORA_FBDIR, spot.x, spot.y, spot.width, spot.height) > 1;
    };
    for (const char* target : {"填充", "文字", "线条"}) {
        EXPECT_TRUE(drawn(Find(title, target, a11y::AccessibleRole::RADIO_BUTTON))) << target;
    }
    // It opens compact: the arrow points down to the favourites below.
    EXPECT_TRUE(drawn(Find(title, "▼", a11y::AccessibleRole::LABEL)));
    // Beside the arrow, which lies over the button's middle.
    const Spot expand = Find(title, "扩展", a11y::AccessibleRole::PUSH_BUTTON);
    ClickAt(expand.x + 10, expand.y + expand.height / 2);
    EXPECT_TRUE(drawn(Find(title, "▲", a11y::AccessibleRole::LABEL)));
    int favourites = 0;
    for (const Spot& spot : Window(title).value_or(std::vector<Spot>{})) {
        favourites += spot.role == a11y::AccessibleRole::RADIO_BUTTON && spot.name.empty() && drawn(spot);
    }
    EXPECT_EQ(favourites, 8);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/impress-picker.png");

    // Esc with the pointer on it closes it, and lets go of the keys it took.
    const Spot readout = Find(title, "HEX:", a11y::AccessibleRole::LABEL);
    Xdotool({"mousemove", "--sync", std::to_string(readout.x + 2), std::to_string(readout.y + 2), "key", "Escape"});
    WaitFor([&] { return Window(title) || Window("解除锁定：按任意键") ? std::nullopt : std::optional<Spot>(Spot{}); },
            "the picker closing");
}

// The extension in Tools > Extension Manager (the package tests check what
// it reads); its list draws the entries itself, so the screenshot shows them.
TEST(ImpressDesktop, TheExtensionManagerListsTheExtension)
{
    Office& office = Office::OnDesktop();
    const auto deck = office.folder() / "manager.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}});
    LiveDeck live(deck);
    const Reference<css::frame::XDispatchProvider> frame(live.model()->getCurrentController()->getFrame(),
                                                         UNO_QUERY_THROW);
    // Its dialog may run a loop of its own: the dispatch goes from a thread of its own.
    std::jthread open([&] {
        css::frame::DispatchHelper::create(office.context())
            ->executeDispatch(frame, "service:com.sun.star.deployment.ui.PackageManagerDialog", "", 0, {});
    });
    const std::string title = "Extension Manager";
    const Spot close = Find(title, "Close", a11y::AccessibleRole::PUSH_BUTTON);
    std::this_thread::sleep_for(2s);
    const Spot frameBox = Find(title, "Display Extensions", a11y::AccessibleRole::PANEL);
    // The list below the search box holds one entry drawn over its background.
    EXPECT_GT(ColoursOnScreen(VELMORA_FBDIR, frameBox.x, frameBox.y + 70, frameBox.width, 50), 2);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/impress-extension-manager.png");
    Click(close);
    open.join();
    WaitFor([&] { return Window(title) ? std::nullopt : std::optional<Spot>(Spot{}); }, "the manager closing");
}

// Presses a key in the deck's window. Keys go to the window under the
// pointer: the slide's.
void KeyOnTheSlide(const LiveDeck& live, const std::string& key)
{
    const Spot slide = SpotsUnder(Reference<a11y::XAccessible>(
                                      live.model()->getCurrentController()->getFrame()->getContainerWindow(),
                                      UNO_QUERY_THROW))
                           .front();
    Xdotool({"mousemove", "--sync", std::to_string(slide.x + slide.width / 2), std::to_string(slide.y + slide.height / 2),
             "key", key});
}

// Presses the toolbar's 设置字体 and gives every title the Chinese face
// "AR PL UKai CN" at 24 points through the dialog, as a user does.
void SetTitlesThroughTheFontDialog(const LiveDeck& live)
{
    Click(WaitFor([&] { return Named(ToolbarItems(live), "设置字体", a11y::AccessibleRole::PUSH_BUTTON); },
                  "the toolbar's 设置字体"));
    const auto comboBeside = [&](const std::string& name, sal_Int16 role) {
        return WaitFor(
            [&] { return ComboBeside(Window("设置字体").value_or(std::vector<Spot>{}), Find("设置字体", name, role)); },
            "the box beside " + name);
    };
    Check("设置字体", "标题文字", a11y::AccessibleRole::CHECK_BOX);
    if (Find("设置字体", "正文文字", a11y::AccessibleRole::CHECK_BOX).checked) {
        Click(Find("设置字体", "正文文字", a11y::AccessibleRole::CHECK_BOX));
    }
    Check("设置字体", "中文字体", a11y::AccessibleRole::CHECK_BOX);
    Check("设置字体", "统一", a11y::AccessibleRole::RADIO_BUTTON);
    TypeInto(comboBeside("中文字体", a11y::AccessibleRole::CHECK_BOX), "AR PL UKai CN");
    TypeInto(comboBeside("统一", a11y::AccessibleRole::RADIO_BUTTON), "24");
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/impress-font-dialog.png");
    Click(Find("设置字体", "确定(O)", a11y::AccessibleRole::PUSH_BUTTON));
    AcceptMessage("所有幻灯片中的字体设置完成！");
    WaitFor([&] { return Window("设置字体") ? std::nullopt : std::optional<Spot>(Spot{}); }, "the dialog closing");
}

TEST(ImpressDesktop, TheFontDialogChangesTitlesAndOneUndoTakesTheRunBack)
{
    Office& office = Office::OnDesktop();
    const auto deck = office.folder() / "deck.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}, {"Second", "", 0, false, {}}, {"第三页", "", 0, false, {}}});
    const std::vector<TitleLook> before = TitleLooks(deck);
    ASSERT_EQ(before.size(), 3u);
    ASSERT_NE(before[0].size, 24);
    LiveDeck live(deck);

    SetTitlesThroughTheFontDialog(live);

    const auto changed = office.folder() / "changed.pptx";
    live.StoreAs(changed);
    const std::vector<TitleLook> looks = TitleLooks(changed);
    ASSERT_EQ(looks.size(), before.size());
    for (const TitleLook& look : looks) {
        EXPECT_DOUBLE_EQ(look.size, 24);
        EXPECT_EQ(look.asianFont, "AR PL UKai CN");
    }

    const std::vector<std::string> steps = live.UndoTitles();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), "设置字体");
    const auto windowOf = [&] {
        return SpotsUnder(Reference<a11y::XAccessible>(
            live.model()->getCurrentController()->getFrame()->getContainerWindow(), UNO_QUERY_THROW));
    };
    // Edit > Undo names the step, as it names Impress's own: the menu's
    // entries are named once it opens.
    const auto edit = Named(windowOf(), "Edit", a11y::AccessibleRole::MENU);
    ASSERT_TRUE(edit.has_value());
    Click(*edit);
    const Spot undoEntry = WaitFor(
        [&]() -> std::optional<Spot> {
            for (const Spot& spot : windowOf()) {
                if (spot.role == a11y::AccessibleRole::MENU_ITEM && spot.name.starts_with("Undo")) {
                    return spot;
                }
            }
            return std::nullopt;
        },
        "Edit > Undo", 10s);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/impress-edit-menu.png");
    EXPECT_EQ(undoEntry.name, "Undo: 设置字体");
    Xdotool({"key", "Escape"});
    KeyOnTheSlide(live, "ctrl+z");
    WaitFor([&] { return live.UndoTitles().size() < steps.size() ? std::optional<Spot>(Spot{}) : std::nullopt; },
            "the undo");
    const auto undone = office.folder() / "undone.pptx";
    live.StoreAs(undone);
    const std::vector<TitleLook> after = TitleLooks(undone);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_DOUBLE_EQ(after[i].size, before[i].size) << "title " << i + 1;
    }
}

// The outline view writes its own copy of the titles back when the user
// leaves it: the press from its toolbar runs in the normal view and shows
// the outline view again, so the titles keep the new font.
TEST(ImpressDesktop, FontsSetFromTheOutlineViewStayInTheNormalView)
{
    Office& office = Office::OnDesktop();
    const auto deck = office.folder() / "outline.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}, {"第二页", "", 0, false, {}}});
    LiveDeck live(deck);
    live.SwitchView(".uno:OutlineMode", kOutlineView);

    SetTitlesThroughTheFontDialog(live);
    WaitFor([&] { return live.Shows(kOutlineView) ? std::optional<Spot>(Spot{}) : std::nullopt; },
            "the outline view back");
    live.SwitchView(".uno:NormalMultiPaneGUI", kNormalView);
    live.StoreAs(office.folder() / "outlined.pptx");
    for (const TitleLook& look : TitleLooks(office.folder() / "outlined.pptx")) {
        EXPECT_DOUBLE_EQ(look.size, 24);
        EXPECT_EQ(look.asianFont, "AR PL UKai CN");
    }
}

// A title being edited holds its text in the editor, which writes it back
// when editing ends: the command ends the editing first, so the title keeps
// the new font when the user leaves it with Esc.
TEST(ImpressDesktop, TheTitleBeingEditedTakesTheFontToo)
{
    Office& office = Office::OnDesktop();
    const auto deck = office.folder() / "editing.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}, {"第二页", "", 0, false, {}}});
    LiveDeck live(deck);
    live.SelectShape(1, 1);
    // Enter on the selected title starts its editing.
    KeyOnTheSlide(live, "Return");
    std::this_thread::sleep_for(1s);

    SetTitlesThroughTheFontDialog(live);
    KeyOnTheSlide(live, "Escape");
    std::this_thread::sleep_for(500ms);
    live.StoreAs(office.folder() / "edited.pptx");
    for (const TitleLook& look : TitleLooks(office.folder() / "edited.pptx")) {
        EXPECT_DOUBLE_EQ(look.size, 24);
        EXPECT_EQ(look.asianFont, "AR PL UKai CN");
    }
}

// Enter on the real message box takes its default button: Yes keeps the
// slides in the open deck, as the command line's unanswered question does.
TEST(ImpressDesktop, EnterAtTheSplitQuestionKeepsTheSlides)
{
    Office& office = Office::OnDesktop();
    const auto folder = office.folder() / "split";
    std::filesystem::create_directories(folder);
    const auto deck = folder / "split.pptx";
    DeckHost().BuildNumbered(deck, 3);
    LiveDeck live(deck);
    live.ShowSlide(2);
    // The press waits for its message boxes: another connection answers them.
    std::string question;
    {
        const std::jthread press([&] { live.Press("SplitDoc_fromhere_Main", "mySplitDoc_fromhere"); });
        question = PressEnterOnMessage("拆分后是否在原文档中保留？");
        AcceptMessage("拆分文档已保存在当前路径下的以下文件中");
    }
    EXPECT_TRUE(question.find("保留(Yes)") != std::string::npos) << question;
    EXPECT_TRUE(live.UndoTitles().empty());
    live.StoreAs(folder / "after.pptx");
    EXPECT_EQ(DeckHost::Titles(*DeckHost().Open(folder / "after.pptx")), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(DeckHost::Titles(*DeckHost().Open(folder / "split-拆分文档.pptx")),
              (std::vector<std::string>{"2", "3"}));
}

// The palette stays open while the user selects shapes in Impress; each
// colour goes to the shape selected when it is chosen.
TEST(ImpressDesktop, TheOpenPaletteColoursWhatIsSelectedInImpressNow)
{
    Office& office = Office::OnDesktop();
    const auto deck = office.folder() / "palette.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}});
    LiveDeck live(deck);
    live.SelectShape(1, 1);
    Click(WaitFor([&] { return Named(ToolbarItems(live), "我的调色板", a11y::AccessibleRole::PUSH_BUTTON); },
                  "the toolbar's 我的调色板"));
    const auto swatches = [] {
        return WaitFor(
            [] {
                auto found = SwatchesIn(Window("我的调色板").value_or(std::vector<Spot>{}), "基准色");
                return found.size() >= 2 ? std::optional<Spot>(found.front()) : std::nullopt;
            },
            "the palette's base colours");
    };
    swatches();
    const std::vector<Spot> base = SwatchesIn(*Window("我的调色板"), "基准色");
    const Spot first = base[2];
    const Spot second = base[base.size() - 3];
    ASSERT_NE(first.background, second.background);

    Click(first);
    WaitFor([&] { return live.FillColour(1, 1) == first.background ? std::optional<Spot>(first) : std::nullopt; },
            "the title in the first colour");
    live.SelectShape(1, 2);
    Click(second);
    WaitFor([&] { return live.FillColour(1, 2) == second.background ? std::optional<Spot>(second) : std::nullopt; },
            "the body in the second colour");
    EXPECT_EQ(live.FillColour(1, 1), first.background);
    EXPECT_EQ(live.UndoTitles(), (std::vector<std::string>{"我的调色板", "我的调色板"}));
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/impress-palette.png");

    // Esc with the pointer on the palette closes it.
    const Spot frame = Find("我的调色板", "基准色", a11y::AccessibleRole::GROUP_BOX);
    Xdotool({"mousemove", "--sync", std::to_string(frame.x + 2), std::to_string(frame.y + 2), "key", "Escape"});
    WaitFor([] { return Window("我的调色板") ? std::nullopt : std::optional<Spot>(Spot{}); }, "the palette closing");
}

TEST(ImpressDesktop, ThePictureDialogsFinishTheirJobsOnTheOpenDeck)
{
    Office& office = Office::OnDesktop();
    const auto folder = office.folder() / "pictures";
    std::filesystem::create_directories(folder);
    const auto deck = folder / "pictures.pptx";
    DeckHost().Build(deck, {{"第一页", "", 0, false, {}}, {"第二页", "", 0, false, {}}});
    LiveDeck live(deck);

    Click(WaitFor([&] { return Named(ToolbarItems(live), "导出高清图", a11y::AccessibleRole::PUSH_BUTTON); },
                  "the toolbar's 导出高清图"));
    const std::string exportTitle = "导出图片选项";
    Check(exportTitle, "PNG", a11y::AccessibleRole::RADIO_BUTTON);
    Check(exportTitle, "1024", a11y::AccessibleRole::RADIO_BUTTON);
    Click(Find(exportTitle, "确定(O)", a11y::AccessibleRole::PUSH_BUTTON));
    EXPECT_TRUE(AcceptMessage("幻灯片已成功导出为图片！").find("目录中") != std::string::npos);
    int pictures = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        pictures += entry.path().extension() == ".png" || entry.path().extension() == ".PNG";
    }
    EXPECT_EQ(pictures, 2);

    // A montage is drawn on a scratch presentation with grouped shapes
    // pasted as one picture, which Impress cannot do: it says so, and leaves
    // nothing behind.
    Click(WaitFor([&] { return Named(ToolbarItems(live), "多页拼图", a11y::AccessibleRole::PUSH_BUTTON); },
                  "the toolbar's 多页拼图"));
    const std::string montageTitle = "多页拼图（拼图可用于发布长微博，建议不超过24页幻灯片）";
    Check(montageTitle, "PNG", a11y::AccessibleRole::RADIO_BUTTON);
    Click(Find(montageTitle, "确定(O)", a11y::AccessibleRole::PUSH_BUTTON));
    AcceptMessage("操作未能完成：在 LibreOffice Impress 中无法完成此操作", 90s);
    WaitFor([&] { return Window(montageTitle) ? std::nullopt : std::optional<Spot>(Spot{}); }, "the montage closing");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    // Impress's lock on the open deck, the exported pictures' folder and the deck.
    EXPECT_EQ(left, (std::vector<std::string>{".~lock.pictures.pptx#", "pictures-导出图片", "pictures.pptx"}));
}

}  // namespace
}  // namespace velmora::testing
