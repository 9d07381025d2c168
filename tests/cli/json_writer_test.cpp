#include <gtest/gtest.h>

#include "cli/JsonWriter.hpp"

namespace velmora::cli {
namespace {

TEST(JsonStringTest, EscapesQuotesBackslashesAndControlCharacters)
{
    EXPECT_EQ(JsonString("say \"hi\" \\ there"), R"("say \"hi\" \\ there")");
    EXPECT_EQ(JsonString("a\rb\nc\td"), R"("a\rb\nc\td")");
    EXPECT_EQ(JsonString(std::string("\x01\x1f\b\f", 4)), R"("\u0001\u001f\b\f")");
    EXPECT_EQ(JsonString(std::string("nul\0end", 7)), R"("nul\u0000end")");
    EXPECT_EQ(JsonString("/\x7f"), "\"/\x7f\"");
}

TEST(JsonStringTest, KeepsUtf8AndReplacesBytesThatAreNot)
{
    EXPECT_EQ(JsonString("此文档中没有包含任何幻灯片！"), "\"此文档中没有包含任何幻灯片！\"");
    EXPECT_EQ(JsonString("😀 é"), "\"😀 é\"");
    EXPECT_EQ(JsonString("\xff"), R"("\ufffd")");
    EXPECT_EQ(JsonString("a\xe6\xad"), R"("a\ufffd\ufffd")");  // cut short
    EXPECT_EQ(JsonString("\xc0\x80"), R"("\ufffd\ufffd")");      // overlong NUL
    EXPECT_EQ(JsonString("\xed\xa0\x80"), R"("\ufffd\ufffd\ufffd")");  // a surrogate
    EXPECT_EQ(JsonString("\xf4\x90\x80\x80"), R"("\ufffd\ufffd\ufffd\ufffd")");  // past U+10FFFF
}

TEST(JsonWriterTest, SeparatesMembersAndElements)
{
    JsonWriter json;
    json.BeginObject()
        .Key("list").BeginArray().Number(1).Number(-2).BeginObject().EndObject().BeginArray().EndArray().EndArray()
        .Key("flag").Bool(false)
        .Key("none").Null()
        .Key("text").String("x")
        .EndObject();
    EXPECT_EQ(json.Text(), R"({"list":[1,-2,{},[]],"flag":false,"none":null,"text":"x"})");
}

}  // namespace
}  // namespace velmora::cli
