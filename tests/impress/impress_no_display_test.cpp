#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/impress/OfficeFixture.hpp"

namespace velmora::testing {
namespace {

// Impress on Wayland without XWayland, or with no desktop at all: the picker
// has no screen to sample and says so as the studio does.
TEST(ImpressWithoutX11, TheScreenPickerSaysItNeedsAnX11Display)
{
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0') {
        GTEST_SKIP() << "the office shares this X11 display";
    }
    TempDir dir;
    const auto file = dir.path() / "deck.pptx";
    DeckHost().BuildNumbered(file, 1);
    LiveDeck deck(file);
    Office::Get().TakeMessages();
    deck.Press("GetColor_main", "myGetColor");
    EXPECT_EQ(Office::Get().TakeMessages(),
              "[VelmoraV2.0 by Orvaldi] 命令未能完成：需要 X11 桌面会话，当前没有可用的 X11 显示\n");
}

}  // namespace
}  // namespace velmora::testing
