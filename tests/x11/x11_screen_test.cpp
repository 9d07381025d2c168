#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/HostError.hpp"
#include "tests/support/Process.hpp"
#include "x11/X11Screen.hpp"

// Last: Xlib's macros (None, Status ...) would clash with names above.
#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>
#include "tests/support/X11Desktop.hpp"

namespace velmora::x11 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr host::WindowHandle kPicker = 7;
constexpr int kVirtualA = 65;
constexpr int kVirtualB = 66;

// The host's loop, run by the test for a while at a time.
class PollLoop : public EventLoop {
public:
    void WatchReadable(int descriptor, std::function<void()> ready) override
    {
        descriptor_ = descriptor;
        ready_ = std::move(ready);
    }
    int StartTimer(int milliseconds, std::function<void()> tick) override
    {
        const std::chrono::milliseconds period(milliseconds);
        timers_[next_] = {period, Clock::now() + period, std::move(tick)};
        return next_++;
    }
    void StopTimer(int id) override { timers_.erase(id); }
    void StopWatching() override { descriptor_ = -1; }

    void RunFor(std::chrono::milliseconds span)
    {
        const auto end = Clock::now() + span;
        while (Clock::now() < end) {
            pollfd input{descriptor_, POLLIN, 0};
            if (::poll(&input, 1, 5) > 0 && descriptor_ >= 0) {
                ready_();
            }
            for (auto& [id, timer] : timers_) {
                if (timer.due <= Clock::now()) {
                    timer.due += timer.period;
                    timer.tick();
                }
            }
        }
    }

private:
    struct Timer {
        std::chrono::milliseconds period;
        Clock::time_point due;
        std::function<void()> tick;
    };
    int descriptor_ = -1;
    std::function<void()> ready_;
    std::map<int, Timer> timers_;
    int next_ = 1;
};

// Errors of the test's own connection, counted by the handler a toolkit in
// the same process would have installed before the screen opened.
int ownErrors = 0;

int CountOwnError(Display*, XErrorEvent*)
{
    ++ownErrors;
    return 0;
}

volatile std::sig_atomic_t hostHandledTerm = 0;

void HostTermHandler(int)
{
    hostHandledTerm = 1;
}

void Key(const char* name)
{
    ASSERT_EQ(testing::RunProcess({"xdotool", "key", name}, 10s).status, 0) << name;
}

class X11ScreenTest : public ::testing::Test {
protected:
    X11ScreenTest() : display_(XOpenDisplay(nullptr))
    {
        if (display_ == nullptr) {
            return;
        }
        XSetErrorHandler(CountOwnError);
        auto loop = std::make_unique<PollLoop>();
        loop_ = loop.get();
        screen_ = X11Screen::Open({nullptr, [](const std::function<void()>& input) { input(); },
                                   [](host::WindowHandle) { return false; }},
                                  std::move(loop));
    }
    ~X11ScreenTest() override
    {
        screen_.reset();
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }

    // The root takes the desktop's arrow and the pointer rests where it shows.
    void UseDesktopArrow()
    {
        testing::UseDesktopArrow(display_);
        XWarpPointer(display_, 0, DefaultRootWindow(display_), 0, 0, 0, 0, 600, 440);
        XSync(display_, False);
    }

    // The pixels of the pointer shown now, 32-bit ARGB; none when no pointer shows.
    std::vector<unsigned long> Pointer()
    {
        XSync(display_, False);
        XFixesCursorImage* image = XFixesGetCursorImage(display_);
        if (image == nullptr) {
            return {};
        }
        std::vector<unsigned long> pixels(image->pixels, image->pixels + image->width * image->height);
        for (unsigned long& pixel : pixels) {
            pixel &= 0xFFFFFFFFul;
        }
        XFree(image);
        return pixels;
    }

    // The pointer once it is `expected`, or after two seconds: a grab whose
    // connection was shut ends when the server has read that end.
    std::vector<unsigned long> PointerOnceItIs(const std::vector<unsigned long>& expected)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        std::vector<unsigned long> seen = Pointer();
        while (seen != expected && std::chrono::steady_clock::now() < until) {
            ::usleep(20000);
            seen = Pointer();
        }
        return seen;
    }

    // Whether the test's own connection could grab the key.
    bool Grab(KeySym symbol)
    {
        const int before = ownErrors;
        XGrabKey(display_, XKeysymToKeycode(display_, symbol), 0, DefaultRootWindow(display_), False, GrabModeAsync,
                 GrabModeAsync);
        XSync(display_, False);
        return ownErrors == before;
    }

    std::vector<std::string> States(Window window) { return testing::WindowStates(display_, window); }

    Display* display_;
    PollLoop* loop_ = nullptr;
    std::shared_ptr<X11Screen> screen_;
};

TEST_F(X11ScreenTest, HotKeysArriveWithTheLocksOnAndKeysHeldElsewhereAreRefusedWithoutTouchingOtherConnections)
{
    ASSERT_NE(display_, nullptr) << "the test runs under xvfb-run";
    ASSERT_NE(screen_, nullptr);
    ASSERT_TRUE(Grab(XK_b));
    EXPECT_TRUE(screen_->RegisterHotKey(kPicker, 11, kVirtualA));
    EXPECT_FALSE(screen_->RegisterHotKey(kPicker, 12, kVirtualB)) << "the test holds B";
    EXPECT_EQ(ownErrors, 0) << "the screen's refused grab reached another connection's handler";
    EXPECT_FALSE(Grab(XK_a)) << "the screen holds A";
    EXPECT_EQ(ownErrors, 1) << "an error of the test's connection went to the screen's count";

    std::vector<int> pressed;
    screen_->SetHotKeyHandler(kPicker, [&](int id) { pressed.push_back(id); });
    int ticks = 0;
    const int timer = screen_->SetTimer(20, [&] { ++ticks; });
    Key("a");
    Key("Caps_Lock");
    Key("a");
    Key("Caps_Lock");
    loop_->RunFor(300ms);
    EXPECT_EQ(pressed, (std::vector<int>{11, 11}));
    EXPECT_GT(ticks, 5);

    screen_->KillTimer(timer);
    screen_->UnregisterHotKey(kPicker, 11);
    const int ticksThen = ticks;
    loop_->RunFor(100ms);
    EXPECT_EQ(ticks, ticksThen);
    EXPECT_TRUE(Grab(XK_a)) << "the screen let A go";
}

// Another program's window with the desktop's arrow, and the pointer over it.
Window ArrowWindowUnderThePointer(Display* display)
{
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 100, 100, 200, 200, 0, 0, 0);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(display, window, CWOverrideRedirect, &attributes);
    XDefineCursor(display, window, testing::DesktopArrow(display));
    XMapRaised(display, window);
    XWarpPointer(display, 0, DefaultRootWindow(display), 0, 0, 0, 0, 200, 200);
    XSync(display, False);
    return window;
}

const host::PointerPicture kGreenPointer{4, 4, 1, 1, std::vector<std::uint32_t>(16, 0xFF00FF00)};

// The picker's pointer shows over every window while it samples; other
// programs' own pointers are theirs again once it is closed or its
// connection is gone.
TEST_F(X11ScreenTest, OtherProgramsWindowsKeepTheirArrowOnceThePickerLetsGo)
{
    ASSERT_NE(screen_, nullptr) << "the test runs under xvfb-run";
    ArrowWindowUnderThePointer(display_);
    const std::vector<unsigned long> arrow = Pointer();
    ASSERT_FALSE(arrow.empty());

    screen_->SetArrowPointer(kGreenPointer);
    EXPECT_EQ(Pointer(), std::vector<unsigned long>(16, 0xFF00FF00));
    screen_->RestorePointers();
    EXPECT_EQ(Pointer(), arrow);

    screen_->SetArrowPointer(kGreenPointer);
    screen_->RestorePointers();
    screen_.reset();
    EXPECT_EQ(Pointer(), arrow) << "after the picker's connection closed";
}

// A host process ended by SIGTERM while its picker samples.
TEST_F(X11ScreenTest, AHostEndedWhileThePickerSamplesLeavesOtherProgramsTheirArrow)
{
    ASSERT_NE(screen_, nullptr) << "the test runs under xvfb-run";
    ArrowWindowUnderThePointer(display_);
    const std::vector<unsigned long> arrow = Pointer();
    ASSERT_FALSE(arrow.empty());

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t host = ::fork();
    ASSERT_GE(host, 0);
    if (host == 0) {
        ::close(ready[0]);
        std::signal(SIGTERM, SIG_DFL);
        auto screen = X11Screen::Open({nullptr, [](const std::function<void()>& input) { input(); },
                                       [](host::WindowHandle) { return false; }},
                                      std::make_unique<PollLoop>());
        if (screen == nullptr) {
            ::_exit(1);
        }
        screen->SetArrowPointer(kGreenPointer);
        const char sampling = 1;
        if (::write(ready[1], &sampling, 1) != 1) {
            ::_exit(1);
        }
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char sampling = 0;
    ASSERT_EQ(::read(ready[0], &sampling, 1), 1);
    ::close(ready[0]);
    EXPECT_NE(Pointer(), arrow) << "the host's picker samples";
    ::kill(host, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(host, &status, 0), host);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(PointerOnceItIs(arrow), arrow);
}

// Impress saves its documents for recovery when it is ended or crashes: the
// picker's pointer goes first, and the host's own handling still follows.
TEST_F(X11ScreenTest, AnEndingSignalGivesTheArrowBackAndStillReachesTheHostsOwnHandler)
{
    ASSERT_NE(screen_, nullptr) << "the test runs under xvfb-run";
    std::signal(SIGTERM, HostTermHandler);
    UseDesktopArrow();
    const std::vector<unsigned long> arrow = Pointer();
    screen_->SetArrowPointer(kGreenPointer);
    ASSERT_NE(Pointer(), arrow);

    std::raise(SIGTERM);
    EXPECT_EQ(hostHandledTerm, 1);
    EXPECT_EQ(PointerOnceItIs(arrow), arrow);
}

// Before it is shown, as the toolkit's dialog is when the picker asks.
TEST_F(X11ScreenTest, AWindowIsAskedToStayAboveTheOthers)
{
    ASSERT_NE(screen_, nullptr) << "the test runs under xvfb-run";
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 50, 50, 0, 0, 0);
    XSync(display_, False);
    screen_->KeepAbove(window);
    EXPECT_EQ(States(window), std::vector<std::string>{"_NET_WM_STATE_ABOVE"});
}

TEST_F(X11ScreenTest, ThePixelUnderThePointerIsReadAsTheHostsColour)
{
    ASSERT_NE(screen_, nullptr) << "the test runs under xvfb-run";
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = 0x336699;
    const Window window = XCreateWindow(display_, DefaultRootWindow(display_), 50, 60, 40, 40, 0, CopyFromParent,
                                        InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display_, window);
    XWarpPointer(display_, 0, DefaultRootWindow(display_), 0, 0, 0, 0, 70, 80);
    XSync(display_, False);

    const host::ScreenPoint at = screen_->CursorPos();
    EXPECT_EQ(at.x, 70);
    EXPECT_EQ(at.y, 80);
    EXPECT_EQ(screen_->Pixel(at.x, at.y), 0x33 + 256 * 0x66 + 65536 * 0x99);
    EXPECT_THROW(screen_->Pixel(5000, 5000), host::HostError);
}

// An X server of the test's own, which it may end.
class OwnServer {
public:
    OwnServer()
    {
        int ends[2];
        if (::pipe(ends) != 0) {
            return;
        }
        const std::string writeEnd = std::to_string(ends[1]);
        std::vector<std::string> arguments{"Xvfb", "-displayfd", writeEnd, "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        const bool started = ::posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, argv.data(), environ) == 0;
        ::close(ends[1]);
        char digit = 0;
        while (started && ::read(ends[0], &digit, 1) == 1 && digit != '\n') {
            display_ += digit;
        }
        ::close(ends[0]);
    }
    ~OwnServer() { End(); }
    OwnServer(const OwnServer&) = delete;
    OwnServer& operator=(const OwnServer&) = delete;

    // ":N", empty when the server did not start.
    std::string Display() const { return display_.empty() ? "" : ":" + display_; }

    void End()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// XWayland may end while Impress goes on with the user's documents.
TEST(X11ScreenOnALostServer, TheHostGoesOnAndTheScreenGoesQuiet)
{
    OwnServer server;
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    const std::string shared = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
    ::setenv("DISPLAY", server.Display().c_str(), 1);
    auto loop = std::make_unique<PollLoop>();
    PollLoop* running = loop.get();
    std::shared_ptr<X11Screen> screen = X11Screen::Open(
        {nullptr, [](const std::function<void()>& input) { input(); }, [](host::WindowHandle) { return false; }},
        std::move(loop));
    ::setenv("DISPLAY", shared.c_str(), 1);
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->RegisterHotKey(kPicker, 11, kVirtualA));
    int ticks = 0;
    screen->SetTimer(10, [&] { ++ticks; });

    server.End();
    running->RunFor(100ms);
    const int ticksThen = ticks;
    running->RunFor(100ms);
    EXPECT_GT(ticks, ticksThen) << "the host's loop stopped";
    EXPECT_THROW(screen->CursorPos(), host::HostError);
    EXPECT_FALSE(screen->RegisterHotKey(kPicker, 12, kVirtualB));
    screen.reset();
}

}  // namespace
}  // namespace velmora::x11
