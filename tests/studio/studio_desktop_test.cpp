#include <algorithm>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "DesktopSession.hpp"
#include "host/Presentation.hpp"
#include "host/Shape.hpp"
#include "host/Slide.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

// Last: Xlib's macros (None, Status ...) would clash with names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// End to end on a real X server (the test runs under xvfb-run), driven by
// xdotool as a user would work the mouse and keys. One studio serves the
// whole suite, so that LibreOffice starts once.
namespace velmora::studio {
namespace {

using namespace std::chrono_literals;

// A window of the test's own, filled with one colour, and what another
// client sees of the screen and the keyboard.
class OtherClient {
public:
    OtherClient() : display_(XOpenDisplay(nullptr)) { XSetErrorHandler(CountError); }
    ~OtherClient()
    {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }

    void ShowColourWindow(int x, int y, unsigned long rgb)
    {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.background_pixel = rgb;
        const Window window = XCreateWindow(display_, DefaultRootWindow(display_), x, y, 160, 160, 0, CopyFromParent,
                                            InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
        XMapRaised(display_, window);
        XSync(display_, False);
    }

    unsigned long Pixel(int x, int y)
    {
        XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    // Whether this client may grab the key itself, as it may once nobody holds it.
    bool CanGrab(const char* keysym)
    {
        const int keycode = XKeysymToKeycode(display_, XStringToKeysym(keysym));
        errors = 0;
        XGrabKey(display_, keycode, 0, DefaultRootWindow(display_), False, GrabModeAsync, GrabModeAsync);
        XSync(display_, False);
        const bool granted = errors == 0;
        XUngrabKey(display_, keycode, 0, DefaultRootWindow(display_));
        XSync(display_, False);
        return granted;
    }

    // Asks a top-level window to close, as a window manager's close button does.
    void Close(Window window)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
        XSync(display_, False);
    }

private:
    static int CountError(Display*, XErrorEvent*)
    {
        ++errors;
        return 0;
    }
    static inline int errors = 0;
    Display* display_;
};

// A top-level window of the studio, found by its title.
Window WindowTitled(const std::string& title)
{
    const testing::ProcessResult found =
        testing::RunProcess({"xdotool", "search", "--name", title}, std::chrono::seconds(10));
    return static_cast<Window>(std::strtoul(found.out.c_str(), nullptr, 10));
}

class StudioDesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new testing::TempDir;
        {
            testing::DeckHost decks;
            decks.BuildNumbered(Deck(), 9);
            auto presentation = decks.OpenInWindow(Deck());
            presentation->Slides()->Item(1)->Shapes()->AddShape(host::AutoShapeType::Rectangle, 200, 220, 240, 150)
                ->SetName("Rect");
            presentation->Save();
        }
        session_ = new DesktopSession(dir_->path(), Deck());
        session_->WaitFor("shape/Rect", 60s);
    }

    static void TearDownTestSuite()
    {
        delete session_;
        delete dir_;
    }

    static std::filesystem::path Deck() { return dir_->path() / "deck.pptx"; }

    // A command in one of the ribbon's drop-downs.
    static void Choose(const std::string& dropDown, const std::string& command)
    {
        session_->Click(dropDown);
        session_->Click(command);
    }

    // Confirms the message box the command shows.
    static void Confirm()
    {
        session_->Click("MsgBox/ok");
        session_->WaitGone("MsgBox");
    }

    static std::vector<std::filesystem::path> Files(const std::filesystem::path& folder)
    {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            files.push_back(entry.path());
        }
        return files;
    }

    static testing::TempDir* dir_;
    static DesktopSession* session_;
};

TEST(StudioCommandLine, HelpAndVersionNeedNoDisplay)
{
    const testing::ProcessResult help = testing::RunProcess({VELMORA_STUDIO, "--help"}, std::chrono::seconds(30),
                                                            {{"DISPLAY", ""}});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: velmora-studio [FILE]")) << help.out;
    const testing::ProcessResult version = testing::RunProcess({VELMORA_STUDIO, "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "velmora-studio 2.0\n");
    const testing::ProcessResult wrong = testing::RunProcess({VELMORA_STUDIO, "--frobnicate"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("usage:"), std::string::npos);
}

testing::TempDir* StudioDesktopTest::dir_ = nullptr;
DesktopSession* StudioDesktopTest::session_ = nullptr;

TEST_F(StudioDesktopTest, NotesExportButtonWritesTheNotesFile)
{
    Choose("ExportComment", "myExportComment_All");
    session_->WaitFor("MsgBox");
    Confirm();
    const auto files = Files(dir_->path());
    const auto notes = std::find_if(files.begin(), files.end(), [](const std::filesystem::path& file) {
        return file.filename().string().starts_with("deck-导出备注_") && file.extension() == ".txt";
    });
    ASSERT_NE(notes, files.end());
}

TEST_F(StudioDesktopTest, PaletteColoursTheShapeClickedAndTheSaveKeepsIt)
{
    session_->Click("slide/1");
    session_->Click("shape/Rect");
    session_->Click("mySetColor");
    session_->WaitFor("frm_myColor/Label9");
    // The picture of the main window with the dialog open.
    std::this_thread::sleep_for(500ms);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/studio-with-palette.png");
    session_->Click("frm_myColor/Label9");
    session_->Click("menu/file");
    session_->Click("file/save");
    std::this_thread::sleep_for(500ms);

    pugi::xml_document slide;
    ASSERT_TRUE(slide.load_string(testing::ReadEntry(Deck(), "ppt/slides/slide1.xml").value().c_str()));
    const auto rect = slide.select_node("//p:cNvPr[@name='Rect']/../..").node();
    EXPECT_STREQ(rect.select_node("p:spPr/a:solidFill/a:srgbClr").node().attribute("val").value(), "0000FF");

    // The palette closes as a window manager closes it.
    const Window palette = WindowTitled("我的调色板");
    ASSERT_NE(palette, 0u);
    OtherClient().Close(palette);
    session_->WaitGone("frm_myColor/Label9");
}

TEST_F(StudioDesktopTest, CtrlClickedSlidesExportInTheOrderClicked)
{
    session_->Click("slide/5");
    session_->Click("slide/2", true);
    session_->ScrollTo("slide/9", "slideList");
    session_->Click("slide/9", true);
    session_->Click("myExportPic");
    session_->Click("frm_ExportPic/OptionButton2");
    session_->Click("frm_ExportPic/Cmd_OK");
    session_->WaitFor("MsgBox", 120s);
    Confirm();

    std::vector<std::filesystem::path> pictures = Files(dir_->path() / "deck-导出图片");
    std::sort(pictures.begin(), pictures.end(), [](const auto& a, const auto& b) {
        return std::filesystem::last_write_time(a) < std::filesystem::last_write_time(b);
    });
    std::vector<std::string> names;
    for (const auto& picture : pictures) {
        names.push_back(picture.stem().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"幻灯片5", "幻灯片2", "幻灯片9"}));
}

TEST_F(StudioDesktopTest, ScreenPickerSamplesLocksAppliesAndLetsTheKeysGo)
{
    OtherClient other;
    constexpr unsigned long kTeal = 0x336699;  // as X draws it: red 0x33, green 0x66, blue 0x99
    other.ShowColourWindow(1400, 780, kTeal);

    session_->ScrollTo("slide/1", "slideList", true);
    session_->Click("slide/1");
    session_->Click("shape/Rect");
    session_->Click("myGetColor");
    const ScreenRect swatch = session_->WaitFor("frm_Colorpicker/Lab_Color0");
    EXPECT_FALSE(other.CanGrab("a")) << "the picker holds the letter keys";

    // A corner of the swatch: the lock picture covers its middle.
    const int swatchX = swatch.x + 4;
    const int swatchY = swatch.y + 4;
    session_->MoveTo(1480, 860);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(other.Pixel(swatchX, swatchY), kTeal);

    session_->Key("a");
    session_->MoveTo(5, 5);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(other.Pixel(swatchX, swatchY), kTeal) << "the lock keeps the sample";

    // Beside the lock picture, whose click would unlock.
    DesktopSession::Xdotool({"mousemove", std::to_string(swatchX), std::to_string(swatchY), "click", "1"});
    std::this_thread::sleep_for(300ms);
    session_->Click("menu/file");
    session_->Click("file/save");
    std::this_thread::sleep_for(500ms);
    pugi::xml_document slide;
    ASSERT_TRUE(slide.load_string(testing::ReadEntry(Deck(), "ppt/slides/slide1.xml").value().c_str()));
    const auto rect = slide.select_node("//p:cNvPr[@name='Rect']/../..").node();
    EXPECT_STREQ(rect.select_node("p:spPr/a:solidFill/a:srgbClr").node().attribute("val").value(), "336699");

    // The picker's title, sampling or locked, ends so.
    const Window picker = WindowTitled("按任意键");
    ASSERT_NE(picker, 0u);
    other.Close(picker);
    session_->WaitGone("frm_Colorpicker/Lab_Color0");
    EXPECT_TRUE(other.CanGrab("a"));
    EXPECT_TRUE(other.CanGrab("F5"));
    EXPECT_TRUE(other.CanGrab("bracketleft"));
}

}  // namespace
}  // namespace velmora::studio
