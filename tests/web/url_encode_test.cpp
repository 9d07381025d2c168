#include <string>

#include <gtest/gtest.h>

#include "web/md_SearchPic.hpp"

namespace velmora::web {
namespace {

TEST(URLEncode, EachUtf16UnitInUtf8FormAndAsciiUntouched)
{
    EXPECT_EQ(URLEncode("图片"), "%E5%9B%BE%E7%89%87");
    EXPECT_EQ(URLEncode("风景 照片"), "%E9%A3%8E%E6%99%AF %E7%85%A7%E7%89%87");
    EXPECT_EQ(URLEncode("café"), "caf%C3%A9");
    EXPECT_EQ(URLEncode("a b"), "a b");
    EXPECT_EQ(URLEncode("100% & a+b #1 ?x=y"), "100% & a+b #1 ?x=y");
    EXPECT_EQ(URLEncode(""), "");
    EXPECT_EQ(URLEncode("\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"), "%C2%80%DF%BF%E0%A0%80%EF%BF%BF")
        << "the edges of the two- and three-byte forms";
}

// U+1F600 is the pair D83D DE00; each half becomes its own three bytes.
TEST(URLEncode, SurrogateHalvesAreEncodedOneByOne)
{
    EXPECT_EQ(URLEncode("\xF0\x9F\x98\x80"), "%ED%A0%BD%ED%B8%80");
    EXPECT_EQ(URLEncode("a\xF0\x90\x80\x80z"), "a%ED%A0%80%ED%B0%80z");
}

}  // namespace
}  // namespace velmora::web
