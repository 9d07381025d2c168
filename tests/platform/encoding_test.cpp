#include <cstdlib>
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/TextEncoding.hpp"
#include "platform/Utf8.hpp"

namespace velmora::platform {
namespace {

TEST(TextEncoding, ChineseRoundTripsThroughGB18030)
{
    unsetenv("VELMORA_CODEPAGE");
    EXPECT_EQ(SystemCodePage(), "GB18030");
    EXPECT_EQ(ToAnsi("中"), "\xD6\xD0");
    EXPECT_EQ(ToAnsi("Slide 1\r\n"), "Slide 1\r\n");
    // Characters outside GBK take GB18030's four-byte form and still survive.
    const std::string text = "导出备注：幻灯片 1 — € 😀 ㊣";
    const std::string ansi = ToAnsi(text);
    EXPECT_NE(ansi, text);
    EXPECT_EQ(FromAnsi(ansi), text);
}

TEST(TextEncoding, CodePageCanBeChosen)
{
    setenv("VELMORA_CODEPAGE", "ISO-8859-1", 1);
    EXPECT_EQ(ToAnsi("é"), "\xE9");
    unsetenv("VELMORA_CODEPAGE");
    EXPECT_EQ(ToCodePage("中", "GBK"), "\xD6\xD0");
}

TEST(TextEncoding, MissingCharactersAndBadBytesAreMarkedNotDropped)
{
    EXPECT_EQ(ToCodePage("a中b", "ISO-8859-1"), "a?b");
    EXPECT_EQ(ToCodePage("a\xFF" "b", "GB18030"), "a?b");
    EXPECT_EQ(FromCodePage("a\x80" "b", "GB18030"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(FromCodePage("\xD6", "GB18030"), "\xEF\xBF\xBD");
    EXPECT_THROW(ToCodePage("x", "NO-SUCH-CODEPAGE"), std::invalid_argument);
}

TEST(TextEncoding, LongTextConvertsWhole)
{
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "备注";
    }
    EXPECT_EQ(FromAnsi(ToAnsi(text)), text);
}

TEST(Utf8, WalksCharactersNotBytes)
{
    EXPECT_EQ(Utf8Length("a中😀"), 3u);
    std::string text = "a中";
    PopLastUtf8(text);
    EXPECT_EQ(text, "a");
    AppendUtf8(text, U'😀');
    EXPECT_EQ(text, "a😀");
    EXPECT_EQ(DecodeUtf8("a\xFFz"), (std::vector<char32_t>{U'a', 0xFFFD, U'z'}));
}

}  // namespace
}  // namespace velmora::platform
