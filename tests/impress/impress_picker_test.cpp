// The screen colour picker inside the desktop Impress, on an X server of the
// test's own (the binary runs under xvfb-run): the office's toolkit dialog,
// kept above the other windows, samples the screen through the X11 screen, a
// key pressed on that server locks the sample, and a click on the swatch
// colours the selected shape.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <com/sun/star/awt/MouseButton.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XDialog.hpp>
#include <com/sun/star/awt/XToolkitRobot.hpp>
#include <com/sun/star/awt/XVclContainer.hpp>
#include <com/sun/star/awt/XVclWindowPeer.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <gtest/gtest.h>

#include "impress/UnoText.hpp"
#include "tests/impress/OfficeFixture.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/Process.hpp"

// Last: Xlib's macros (None, Status ...) would clash with names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include "tests/support/X11Desktop.hpp"

namespace velmora::testing {
namespace {

using namespace std::chrono_literals;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

constexpr unsigned long kGrey = 0x808080;
constexpr unsigned long kTeal = 0x336699;  // as X draws it and the office stores it: red 0x33, green 0x66, blue 0x99

// The desktop the picker samples: a grey root and a teal window on it.
class Desktop {
public:
    Desktop() : display_(XOpenDisplay(nullptr))
    {
        if (display_ == nullptr) {
            return;
        }
        const Window root = DefaultRootWindow(display_);
        XSetWindowBackground(display_, root, kGrey);
        XClearWindow(display_, root);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.background_pixel = kTeal;
        teal_ = XCreateWindow(display_, root, 100, 100, 200, 200, 0, CopyFromParent, InputOutput, CopyFromParent,
                              CWOverrideRedirect | CWBackPixel, &attributes);
        XMapRaised(display_, teal_);
        XSync(display_, False);
    }
    ~Desktop()
    {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    bool Open() const { return display_ != nullptr; }

    std::vector<std::string> States(Window window) { return WindowStates(display_, window); }

    // Above whatever windows opened since.
    void PointAtTeal()
    {
        XRaiseWindow(display_, teal_);
        MovePointer(200, 200);
    }

    void MovePointer(int x, int y)
    {
        XWarpPointer(display_, 0, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
        XSync(display_, False);
    }

private:
    Display* display_;
    Window teal_ = 0;
};

template <typename Condition>
bool Eventually(Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + 20s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

Reference<css::awt::XToolkit> OfficeToolkit()
{
    return Reference<css::awt::XToolkit>(css::awt::Toolkit::create(Office::Get().context()), UNO_QUERY_THROW);
}

// The office's top-level dialog whose title ends so.
Reference<css::awt::XDialog> DialogTitled(const std::string& ending)
{
    for (const auto& window : Office::Get().TopWindows()) {
        const Reference<css::awt::XDialog> dialog(window, UNO_QUERY);
        if (dialog.is() && impress::FromUno(dialog->getTitle()).ends_with(ending)) {
            return dialog;
        }
    }
    return nullptr;
}

std::string Title(const Reference<css::awt::XDialog>& dialog)
{
    return impress::FromUno(dialog->getTitle());
}

// The toolkit marks its calls that walk a dialog's windows as deprecated;
// from another process they are the one way to the swatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// The dialog's control drawn in the colour: the picker's large swatch, once
// it shows the sample (the favourites are white).
Reference<css::awt::XWindow> ControlColoured(const Reference<css::awt::XDialog>& dialog, unsigned long colour)
{
    const Reference<css::awt::XVclContainer> controls(dialog, UNO_QUERY_THROW);
    for (const Reference<css::awt::XWindow>& control : controls->getWindows()) {
        const Reference<css::awt::XVclWindowPeer> peer(control, UNO_QUERY);
        sal_Int32 background = -1;
        if (peer.is() && (peer->getProperty("BackgroundColor") >>= background) &&
            static_cast<unsigned long>(background) == colour) {
            return control;
        }
    }
    return nullptr;
}

#pragma GCC diagnostic pop


void Click(const Reference<css::awt::XWindow>& control, int x, int y)
{
    const Reference<css::awt::XToolkitRobot> robot(OfficeToolkit(), UNO_QUERY_THROW);
    css::awt::MouseEvent event;
    event.Source = control;
    event.X = x;
    event.Y = y;
    event.Buttons = css::awt::MouseButton::LEFT;
    event.ClickCount = 1;
    robot->mousePress(event);
    robot->mouseRelease(event);
}

// The command line's picker on a picture of the same colour, locked by the
// same key and applied by the same click: the fill it saves.
std::string CommandLineFill(const TempDir& dir, const std::string& shape)
{
    const auto screen = dir.path() / "teal.ppm";
    std::ofstream(screen, std::ios::binary) << "P6\n1 1\n255\n" << '\x33' << '\x66' << '\x99';
    const auto deck = dir.path() / "cli.pptx";
    DeckHost().BuildNumbered(deck, 1);
    const ProcessResult run = RunProcess({VELMORA_BIN, "run", "GetColor_main", deck.string(), "--screen",
                                          screen.string(), "--pointer", "0,0", "--shapes", "1:" + shape, "--key", "a",
                                          "--click", "Lab_Color0", "-q"},
                                         60s, {{"VELMORA_SETTINGS", (dir.path() / "cli.ini").string()}});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string slide = ReadEntry(deck, "ppt/slides/slide1.xml").value_or("");
    const std::size_t colour = slide.find("srgbClr val=\"");
    return colour == std::string::npos ? "" : slide.substr(colour + 13, 6);
}

TEST(ImpressScreenPicker, SamplesTheX11ScreenLocksOnAKeyAndColoursTheSelectedShape)
{
    Desktop desktop;
    ASSERT_TRUE(desktop.Open()) << "the test runs under xvfb-run";
    Office::OnDesktop();
    TempDir dir;
    const auto file = dir.path() / "deck.pptx";
    DeckHost().BuildNumbered(file, 1);
    LiveDeck deck(file);
    const std::string shape = deck.SelectShape(1, 1);

    deck.Press("GetColor_main", "myGetColor");
    Reference<css::awt::XDialog> picker;
    ASSERT_TRUE(Eventually([&] { return (picker = DialogTitled("按任意键")).is(); })) << "the picker did not open";
    EXPECT_EQ(Title(picker), "锁定取色：按任意键");
    const ProcessResult found = RunProcess({"xdotool", "search", "--name", "锁定取色"}, 10s);
    const Window drawn = static_cast<Window>(std::strtoul(found.out.c_str(), nullptr, 10));
    ASSERT_NE(drawn, 0u) << found.err;
    const std::vector<std::string> states = desktop.States(drawn);
    EXPECT_NE(std::find(states.begin(), states.end(), "_NET_WM_STATE_ABOVE"), states.end())
        << "the picker is not kept above the other windows";
    desktop.PointAtTeal();
    Reference<css::awt::XWindow> swatch;
    ASSERT_TRUE(Eventually([&] { return (swatch = ControlColoured(picker, kTeal)).is(); }))
        << "the swatch never showed the teal under the pointer";

    // A key pressed on the server, as a user presses it over another program.
    ASSERT_EQ(RunProcess({"xdotool", "key", "a"}, 10s).status, 0);
    ASSERT_TRUE(Eventually([&] { return Title(picker) == "解除锁定：按任意键"; })) << Title(picker);
    desktop.MovePointer(5, 5);
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(ControlColoured(picker, kTeal), swatch) << "the lock keeps the sample";

    // A corner of the swatch: the lock picture covers its middle.
    Click(swatch, 4, 4);
    ASSERT_TRUE(Eventually([&] { return deck.FillColour(1, 1) == static_cast<sal_Int32>(kTeal); }))
        << std::hex << deck.FillColour(1, 1);
    EXPECT_EQ(CommandLineFill(dir, shape), "336699");
}

}  // namespace
}  // namespace velmora::testing
