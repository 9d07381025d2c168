#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "DesktopSession.hpp"
#include "host/Presentation.hpp"
#include "host/Shape.hpp"
#include "host/SettingsStore.hpp"
#include "host/Slide.hpp"
#include "platform/FileSettingsStore.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/Desktop.hpp"
#include "tests/support/HttpServer.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

// Last: Xlib's macros (None, Status ...) would clash with names above.
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>
#include "tests/support/X11Desktop.hpp"

// End to end on a real X server (the test runs under xvfb-run), driven by
// xdotool as a user would work the mouse and keys. One studio serves the
// whole suite, so that LibreOffice starts once; its update and translation
// servers are a server of the test's, its desktop opener a script that
// writes down what it was given.
namespace velmora::studio {
namespace {

using namespace std::chrono_literals;
using testing::KeepScreenshot;
using testing::Xdotool;

// A spot of the root window that no window covers.
constexpr int kBareX = 1590;
constexpr int kBareY = 990;

// What a pointer looks like: its picture and its tip.
struct PointerShape {
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<unsigned long> pixels;
    bool operator==(const PointerShape&) const = default;
};

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

    void UseDesktopArrow() { testing::UseDesktopArrow(display_); }

    // The pointer as it shows now.
    PointerShape Pointer()
    {
        XSync(display_, False);
        XFixesCursorImage* image = XFixesGetCursorImage(display_);
        if (image == nullptr) {
            return {};
        }
        PointerShape shape{image->width, image->height, image->xhot, image->yhot,
                           std::vector<unsigned long>(image->pixels, image->pixels + image->width * image->height)};
        XFree(image);
        return shape;
    }

    // The serial of the pointer shown now; each cursor the server makes has its own.
    unsigned long SerialShown()
    {
        XSync(display_, False);
        XFixesCursorImage* image = XFixesGetCursorImage(display_);
        const unsigned long serial = image != nullptr ? image->cursor_serial : 0;
        XFree(image);
        return serial;
    }

    // From now on the pointers shown are reported to this client: once the
    // client that made a pointer is gone, the server no longer shows its picture.
    void WatchPointer()
    {
        int errorBase = 0;
        XFixesQueryExtension(display_, &fixesEvents_, &errorBase);
        XFixesSelectCursorInput(display_, DefaultRootWindow(display_), XFixesDisplayCursorNotifyMask);
        XSync(display_, False);
    }

    // The serial of the last pointer shown since WatchPointer; 0 when none changed.
    unsigned long LastSerialShown()
    {
        XSync(display_, False);
        unsigned long serial = 0;
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == fixesEvents_ + XFixesCursorNotify) {
                serial = reinterpret_cast<XFixesCursorNotifyEvent*>(&event)->cursor_serial;
            }
        }
        return serial;
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
    int fixesEvents_ = 0;
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
        server_ = new testing::HttpServer;
        server_->Serve("/ppt/VelmoraXML.xml", 200,
                       "<?xml version=\"1.0\"?><Data><AppData><AppName>Velmora</AppName><Version>2.1</Version>"
                       "<DownloadUrl>http://example.org/get</DownloadUrl><Piclink>http://example.org/p.png</Piclink>"
                       "<ShareUrl>http://example.org/</ShareUrl></AppData></Data>");
        server_->Serve("/v2/Http.svc/Translate", 200,
                       "<string xmlns=\"http://schemas.microsoft.com/2003/10/Serialization/\">blue sky</string>");
        const std::filesystem::path bin = dir_->path() / "bin";
        std::filesystem::create_directory(bin);
        std::ofstream(bin / "xdg-open") << "#!/bin/sh\necho \"$1\" >> '" << Opened().string() << "'\n";
        std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        session_ = new DesktopSession(dir_->path(), Deck(),
                                      {{"PATH", bin.string() + ":" + (path != nullptr ? path : "/usr/bin:/bin")},
                                       {"VELMORA_UPDATE_SERVER", server_->Base()},
                                       {"VELMORA_TRANSLATE_SERVER", server_->Base()}});
        // The start-up routine asks about the newer version once the deck is open.
        startupQuestion_ = new std::string(session_->WaitForNameStarting("MsgBox/text ", 60s));
        std::this_thread::sleep_for(300ms);
        KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/startup-question.png");
        session_->Click("MsgBox/yes");
        session_->WaitFor("shape/Rect", 60s);
    }

    static void TearDownTestSuite()
    {
        delete session_;
        delete server_;
        delete startupQuestion_;
        delete dir_;
    }

    static std::filesystem::path Opened() { return dir_->path() / "opened.txt"; }

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

    static std::string Slide(int number)
    {
        return testing::ReadEntry(Deck(), "ppt/slides/slide" + std::to_string(number) + ".xml").value();
    }

    static void Save()
    {
        session_->Click("menu/file");
        session_->Click("file/save");
        std::this_thread::sleep_for(500ms);
    }

    static testing::TempDir* dir_;
    static testing::HttpServer* server_;
    static DesktopSession* session_;
    static std::string* startupQuestion_;
};

TEST(StudioCommandLine, HelpAndVersionNeedNoDisplay)
{
    const testing::ProcessResult help = testing::RunProcess({VELMORA_STUDIO, "--help"}, std::chrono::seconds(30),
                                                            {{"DISPLAY", ""}});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: velmora-studio [FILE...]")) << help.out;
    const testing::ProcessResult version = testing::RunProcess({VELMORA_STUDIO, "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "velmora-studio 2.0\n");
    const testing::ProcessResult wrong = testing::RunProcess({VELMORA_STUDIO, "--frobnicate"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("usage:"), std::string::npos);
}

testing::TempDir* StudioDesktopTest::dir_ = nullptr;
testing::HttpServer* StudioDesktopTest::server_ = nullptr;
DesktopSession* StudioDesktopTest::session_ = nullptr;
std::string* StudioDesktopTest::startupQuestion_ = nullptr;

TEST_F(StudioDesktopTest, EveryStartIsCountedAndAsksAboutTheNewerVersion)
{
    EXPECT_NE(startupQuestion_->find("最新版本为: V2.1"), std::string::npos) << *startupQuestion_;
    const platform::FileSettingsStore stored(dir_->path() / "settings.ini");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "Settings", "usetime"), "1");
}

TEST_F(StudioDesktopTest, UpdateCheckAndTranslatedSearchReachTheirServers)
{
    session_->Click("CheckUpdate");
    const std::string message = session_->WaitForNameStarting("MsgBox/text ");
    EXPECT_NE(message.find("V2.1"), std::string::npos) << message;
    session_->Click("MsgBox/no");
    session_->WaitGone("MsgBox");

    Choose("PicSearchmenu", "Flickr");
    session_->WaitFor("InputBox");
    std::this_thread::sleep_for(200ms);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/input-box.png");
    Xdotool({"type", "lantian"});
    session_->Key("Return");
    session_->WaitGone("InputBox");
    std::string opened;
    for (int wait = 0; wait < 100 && opened.empty(); ++wait) {
        std::this_thread::sleep_for(100ms);
        std::ifstream in(Opened());
        std::getline(in, opened);
    }
    EXPECT_EQ(opened, "http://www.flickr.com/search/?q=blue+sky") << session_->Log();
}

TEST_F(StudioDesktopTest, TheMontageDialogShowsItsSamplesAndClosesWithEsc)
{
    session_->Click("myCombinPic");
    session_->WaitFor("frm_CombinPic/Img1");
    std::this_thread::sleep_for(300ms);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/montage-dialog.png");
    session_->Key("Escape");
    session_->WaitGone("frm_CombinPic/Img1");
}

TEST_F(StudioDesktopTest, ASizeTypedOverTheSelectedOneIsTheSizeApplied)
{
    session_->Click("mySetFont");
    session_->Click("frm_setFont/CheckBox1");
    session_->Click("frm_setFont/OptionButton10");
    const ScreenRect size = session_->WaitFor("frm_setFont/ComboBox3");
    Xdotool({"mousemove", std::to_string(size.x + size.width / 3), std::to_string(size.CentreY()),
                             "click", "1"});
    session_->Key("ctrl+a");
    Xdotool({"type", "32"});
    std::this_thread::sleep_for(200ms);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/font-dialog.png");
    session_->Click("frm_setFont/CommandButton1");
    session_->WaitFor("MsgBox", 60s);
    Confirm();
    Save();
    for (int number = 1; number <= 2; ++number) {
        pugi::xml_document slide;
        ASSERT_TRUE(slide.load_string(Slide(number).c_str()));
        const auto sizes = slide.select_nodes("//p:sp[.//p:ph[@type='title']]//a:r/a:rPr/@sz");
        ASSERT_FALSE(sizes.empty()) << Slide(number);
        for (const auto& sized : sizes) {
            EXPECT_STREQ(sized.attribute().value(), "3200") << "slide " << number;
        }
    }
}

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

TEST_F(StudioDesktopTest, CtrlZTakesThePalettesColourBackAcrossSaveAndCtrlYBringsItAgain)
{
    const auto rect = [] {
        pugi::xml_document slide;
        EXPECT_TRUE(slide.load_string(Slide(1).c_str()));
        std::ostringstream printed;
        slide.select_node("//p:cNvPr[@name='Rect']/../..").node().print(printed);
        return printed.str();
    };
    Save();
    const std::string before = rect();
    session_->Click("slide/1");
    session_->Click("shape/Rect");
    session_->Click("mySetColor");
    session_->Click("frm_myColor/Label1");
    session_->Key("Escape");
    session_->WaitGone("frm_myColor/Label1");
    Save();
    const std::string coloured = rect();
    ASSERT_NE(coloured, before);
    // The keys go to the main window, where the slide list has them.
    session_->Click("slide/1");
    session_->Key("ctrl+z");
    Save();
    EXPECT_EQ(rect(), before);
    session_->Key("ctrl+y");
    Save();
    EXPECT_EQ(rect(), coloured);
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
    Xdotool({"mousemove", std::to_string(swatchX), std::to_string(swatchY), "click", "1"});
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

TEST_F(StudioDesktopTest, ThePickerGivesTheArrowBackAndItsKeysWorkWithTheLocksOn)
{
    OtherClient other;
    other.UseDesktopArrow();
    session_->MoveTo(kBareX, kBareY);
    const PointerShape arrow = other.Pointer();
    ASSERT_GT(arrow.width, 0u);

    session_->Click("myGetColor");
    session_->WaitFor("frm_Colorpicker/Lab_Color0");
    std::this_thread::sleep_for(300ms);
    KeepScreenshot(VELMORA_FBDIR, VELMORA_ARTEFACTS "/screen-picker.png");
    session_->MoveTo(kBareX, kBareY);
    const PointerShape picking = other.Pointer();
    ASSERT_NE(picking, arrow) << "the picker shows its own pointer while it samples";

    // Locked by a key, the arrow is back; unlocked, the picker's pointer.
    session_->Key("a");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(other.Pointer(), arrow);
    session_->Key("a");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(other.Pointer(), picking);

    // With Num Lock and Caps Lock on, a key still locks.
    session_->Key("Num_Lock");
    session_->Key("Caps_Lock");
    session_->Key("b");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(other.Pointer(), arrow) << "the key went by with the locks on";
    session_->Key("b");
    session_->Key("Num_Lock");
    session_->Key("Caps_Lock");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(other.Pointer(), picking);

    // Closed while sampling, as the window manager closes it.
    other.Close(WindowTitled("按任意键"));
    session_->WaitGone("frm_Colorpicker/Lab_Color0");
    session_->MoveTo(kBareX, kBareY);
    EXPECT_EQ(other.Pointer(), arrow);

    // Esc in the picker's own window closes it too.
    session_->Click("myGetColor");
    session_->WaitFor("frm_Colorpicker/Lab_Color0");
    Xdotool({"windowfocus", "--sync", std::to_string(WindowTitled("按任意键"))});
    std::this_thread::sleep_for(200ms);
    session_->Key("Escape");
    session_->WaitGone("frm_Colorpicker/Lab_Color0");
    session_->MoveTo(kBareX, kBareY);
    EXPECT_EQ(other.Pointer(), arrow);
}

// Last: the studio ends here.
TEST_F(StudioDesktopTest, QuittingWhileThePickerSamplesGivesTheArrowBack)
{
    OtherClient other;
    other.UseDesktopArrow();
    session_->MoveTo(kBareX, kBareY);
    const PointerShape arrow = other.Pointer();
    ASSERT_GT(arrow.width, 0u);
    session_->Click("myGetColor");
    session_->WaitFor("frm_Colorpicker/Lab_Color0");
    session_->MoveTo(kBareX, kBareY);
    ASSERT_NE(other.Pointer(), arrow);
    const unsigned long picking = other.SerialShown();
    other.WatchPointer();
    delete session_;
    session_ = nullptr;
    const unsigned long shown = other.LastSerialShown();
    EXPECT_NE(shown, 0u) << "the pointer did not change when the studio ended";
    EXPECT_NE(shown, picking);
    EXPECT_EQ(other.Pointer(), arrow) << "other programs are left the desktop's arrow";
}

}  // namespace
}  // namespace velmora::studio
